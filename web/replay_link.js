// Packing and unpacking a replay link's code (the text after "#replay=" that
// `velmora --link` prints) into the game's key presses, in the browser.
// A code may come from anybody, so everything is bounded: its length, and
// what it inflates to, read a chunk at a time and given up past the limit.
// The packing: unpadded base64url of one version byte, then the keys (codes
// 1 to 255, one byte each) compressed with raw deflate.

// The version byte the desktop writes (ReplayCodeVersion in headless/replay_code.h).
export const ReplayCodeVersion = 0xb1;
// A won game takes about a thousand characters; a code past this is refused
// before anything is decoded. (The desktop's MaxReplayCodeLength in
// headless/replay_code.h: `velmora --link` prints no code the page refuses.)
export const MaxCodeLength = 64 * 1024;
// Keys are never inflated past this many bytes (a game of a million keys;
// the desktop's MaxReplayKeys).
export const MaxKeys = 1024 * 1024;

export const Messages = {
  empty: 'This replay link holds no game.',
  tooLong: `This replay link is too long: a link holds at most ${MaxCodeLength} characters.`,
  notText: 'This replay link is damaged: it has characters a replay code never holds.',
  foreign: 'This replay link is not a Velmora Keep 03 game, or comes from a newer version.',
  damaged: 'This replay link is damaged: its game cannot be unpacked.',
  tooManyKeys: `This replay link's game is too long: more than ${MaxKeys} key presses.`,
  badKey: 'This replay link is damaged: it holds a key that does not exist.',
};

// A refused code: `message` is the sentence to show the player.
export class ReplayLinkError extends Error {}

const Alphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
const Values = new Map([...Alphabet].map((c, i) => [c, i]));

// Unpadded base64url to bytes; null for anything else (padding, other
// characters, a length no encoder makes, or stray bits at the end).
export function base64urlBytes(text) {
  if (text.length % 4 === 1) return null;
  const bytes = new Uint8Array(Math.floor((text.length * 3) / 4));
  let bits = 0;
  let count = 0;
  let at = 0;
  for (const c of text) {
    const value = Values.get(c);
    if (value === undefined) return null;
    bits = ((bits << 6) | value) & 0xffffff;
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes[at++] = (bits >> count) & 0xff;
    }
  }
  if ((bits & ((1 << count) - 1)) !== 0) return null;
  return bytes;
}

// Inflates raw deflate, stopping at `limit` bytes: the stream is read a chunk
// at a time and cancelled as soon as it would pass the limit.
async function inflateBounded(bytes, limit) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
  const reader = stream.getReader();
  const chunks = [];
  let total = 0;
  for (;;) {
    let part;
    try {
      part = await reader.read();
    } catch {
      throw new ReplayLinkError(Messages.damaged);
    }
    if (part.done) break;
    total += part.value.length;
    if (total > limit) {
      await reader.cancel().catch(() => {});
      throw new ReplayLinkError(Messages.tooManyKeys);
    }
    chunks.push(part.value);
  }
  const keys = new Uint8Array(total);
  let at = 0;
  for (const chunk of chunks) {
    keys.set(chunk, at);
    at += chunk.length;
  }
  return keys;
}

// Returns the key codes (a Uint8Array) packed in `code`, or throws a
// ReplayLinkError whose message tells the player what is wrong.
export async function decodeReplayCode(code) {
  if (typeof code !== 'string' || code.length === 0) throw new ReplayLinkError(Messages.empty);
  if (code.length > MaxCodeLength) throw new ReplayLinkError(Messages.tooLong);
  const bytes = base64urlBytes(code);
  if (bytes === null) throw new ReplayLinkError(Messages.notText);
  if (bytes.length === 0 || bytes[0] !== ReplayCodeVersion) {
    throw new ReplayLinkError(Messages.foreign);
  }
  const keys = await inflateBounded(bytes.subarray(1), MaxKeys);
  if (keys.includes(0)) throw new ReplayLinkError(Messages.badKey);
  return keys;
}

// The parts of a page address's fragment, as location.hash gives it:
// "#replay=CODE", "#replay=CODE&worlds=WORLDS" (a game played on a world
// file), "#replay=CODE&daily=DATE&v=VERSION&id=ID" (on a day's world) or
// "#worlds=WORLDS" (the world file alone).
function fragmentPart(hash, name) {
  if (typeof hash !== 'string' || !hash.startsWith('#')) return null;
  for (const part of hash.slice(1).split('&')) {
    if (part.startsWith(`${name}=`)) return part.slice(name.length + 1);
  }
  return null;
}

// Returns the code of the fragment's replay, or null when it holds none.
export function replayCodeOfHash(hash) {
  return typeof hash === 'string' && hash.startsWith('#replay=') ? fragmentPart(hash, 'replay')
    : null;
}

// Returns the code of the fragment's world file, or null when it holds none.
export function worldsCodeOfHash(hash) {
  return fragmentPart(hash, 'worlds');
}

export const DailyMessages = {
  damaged: 'This link\'s day is damaged: it needs a date (YYYY-MM-DD), a generator version and '
    + 'the world\'s identity.',
};

// Returns the day a fragment names, "&daily=YYYY-MM-DD&v=VERSION&id=ID", as
// { date, version, identity }, or null when it names none; throws a
// ReplayLinkError when a part is missing or malformed. The date is checked
// as a calendar day, and the identity against the day made, by the game.
export function dailyOfHash(hash) {
  const date = fragmentPart(hash, 'daily');
  if (date === null) return null;
  const version = fragmentPart(hash, 'v');
  const identity = fragmentPart(hash, 'id');
  if (!/^\d{4}-\d{2}-\d{2}$/.test(date) || !/^[1-9]\d?$/.test(version ?? '')
      || !/^[0-9a-f]{64}$/.test(identity ?? '')) {
    throw new ReplayLinkError(DailyMessages.damaged);
  }
  return { date, version: Number(version), identity };
}

// The version byte of a world file's code (WorldsCodeVersion in
// headless/replay_code.h), and the most a world file may hold.
export const WorldsCodeVersion = 0xc1;
export const MaxWorldFileBytes = 1024 * 1024;

export const WorldsMessages = {
  empty: 'This link holds no world file.',
  tooLong: `This link is too long: a link holds at most ${MaxCodeLength} characters.`,
  notText: 'This link is damaged: it has characters a world file\'s code never holds.',
  foreign: 'This link holds no world file of Velmora Keep 03, or one from a newer version.',
  damaged: 'This link is damaged: its world file cannot be unpacked.',
  tooLarge: 'This link\'s world file is larger than 1 MiB, the most a world file may hold.',
};

// Returns the text of the world file packed in `code` (the bytes as the
// file holds them, a Uint8Array), or throws a ReplayLinkError whose message
// tells the player what is wrong. The file itself is checked by the game.
export async function decodeWorldsCode(code) {
  if (typeof code !== 'string' || code.length === 0) {
    throw new ReplayLinkError(WorldsMessages.empty);
  }
  if (code.length > MaxCodeLength) throw new ReplayLinkError(WorldsMessages.tooLong);
  const bytes = base64urlBytes(code);
  if (bytes === null) throw new ReplayLinkError(WorldsMessages.notText);
  if (bytes.length === 0 || bytes[0] !== WorldsCodeVersion) {
    throw new ReplayLinkError(WorldsMessages.foreign);
  }
  try {
    return await inflateBounded(bytes.subarray(1), MaxWorldFileBytes);
  } catch (e) {
    throw new ReplayLinkError(e.message === Messages.tooManyKeys ? WorldsMessages.tooLarge
      : WorldsMessages.damaged);
  }
}

// Packs `bytes` behind a version byte as the desktop does: raw deflate, in
// unpadded base64url.
async function pack(version, bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate-raw'));
  const packed = new Uint8Array(await new Response(stream).arrayBuffer());
  const all = new Uint8Array(packed.length + 1);
  all[0] = version;
  all.set(packed, 1);
  let text = '';
  for (let i = 0; i < all.length; i += 3) {
    const bits = (all[i] << 16) | ((all[i + 1] ?? 0) << 8) | (all[i + 2] ?? 0);
    const chars = Math.min(4, Math.ceil(((all.length - i) * 8) / 6));
    for (let c = 0; c < chars; ++c) text += Alphabet[(bits >> (18 - 6 * c)) & 63];
  }
  return text;
}

// Packs key codes (1 to 255) into a code as `velmora --link` does.
export async function encodeReplayCode(keys) {
  return pack(ReplayCodeVersion, new Uint8Array(keys));
}

// Packs a world file's text into the code after "#worlds=", as
// `velmora --link-worlds` does.
export async function encodeWorldsCode(text) {
  return pack(WorldsCodeVersion, new TextEncoder().encode(text));
}

// The first line of a key recording, as the desktop's recorder writes it.
export const RecordingHeader = '# velmora key recording: replay with velmora --headless FILE';

// The key recording of `keys` in the desktop recorder's own format, so that
// `velmora --resume` plays on from it; `worlds` is what names the worlds it
// was played on, after the header (the recorder's lines, or "").
export function keyRecording(keys, worlds = '') {
  let text = `${RecordingHeader}\n${worlds}`;
  for (const key of keys) text += `key ${key}\n`;
  return text;
}
