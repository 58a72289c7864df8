// World files on the page: the one way a world file's text is played here
// (playWorlds: the game reads it with the play rules, the browser's
// WebCrypto digests the bytes its identity hashes and hands the digest back,
// then the game plays it from its title), the identity of the worlds played,
// their title and author beside the screen (always as text), the world file
// kept in the browser's storage so that a reload plays on on the same
// worlds, and "Open worlds" with the world files the page offers. Other page
// modules import these, or call velmoraPage.playWorlds.
import { MaxWorldFileBytes } from './replay_link.js';

const StoreName = 'velmora-worlds';
// Copies of the world files played, by identity, so that a saved game
// naming its worlds is watched on them later (the desktop keeps them in its
// state folder). The newest CopiesKept stay; a world file is at most 1 MiB,
// most are a few KB.
const CopiesName = 'velmora-worlds-copies';
const CopiesKept = 8;
const line = document.getElementById('worlds-line');
const status = document.getElementById('game-status');

// Calls `call` with `bytes` (a Uint8Array, or a string as UTF-8) in the
// program's memory, zero-ended, and their count.
function withBytes(bytes, call) {
  const data = typeof bytes === 'string' ? new TextEncoder().encode(bytes) : bytes;
  const at = Module._malloc(data.length + 1);
  Module.HEAPU8.set(data, at);
  Module.HEAPU8[at + data.length] = 0;
  try { return call(at, data.length); } finally { Module._free(at); }
}

const hex = (bytes) => [...bytes].map((b) => b.toString(16).padStart(2, '0')).join('');

// Digests the identity bytes at `at` (copied out first: the digest comes
// later, when the program's memory may hold other things) and hands the
// digest in. Returns it as hexadecimal digits.
async function handDigest(at) {
  const bytes = Module.HEAPU8.slice(at, at + Module._velmora_identity_size());
  if (!globalThis.crypto?.subtle) {
    throw new Error('this browser computes no SHA-256 for the page (it needs https)');
  }
  const sum = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
  withBytes(bytes, (b, n) => withBytes(sum, (s) => Module._velmora_worlds_digest(b, n, s)));
  return hex(sum);
}

// The worlds played as the page shows them.
export function playedWorlds() {
  if (!Module._velmora_worlds_played()) return null;
  return { title: UTF8ToString(Module._velmora_played_title()),
           author: UTF8ToString(Module._velmora_played_author()),
           text: UTF8ToString(Module._velmora_played_worlds_text()) };
}

// Plays the world file `text` (a string, or its bytes as a Uint8Array, as
// read from a file) from its title; `name` names it in a refusal. Resolves
// to { identity, title, author, text }, or to { refused } holding the line to
// show ("NAME:LINE:COLUMN: reason"), the game then left as it was. With
// `expected`, a file of another identity is refused too, unplayed.
export async function playWorlds(text, name = 'world file', expected = null) {
  const bytes = typeof text === 'string' ? new TextEncoder().encode(text) : text;
  if (window.velmoraEditor?.editing()) return { refused: 'Leave the editor to open a world file.' };
  const read = (call) => withBytes(name, (n) => withBytes(bytes, (t, size) => call(n, t, size)));
  const at = read((n, t, size) => Module._velmora_worlds_identity_bytes(n, t, size));
  if (!at) return { refused: UTF8ToString(Module._velmora_worlds_refusal()) };
  let identity;
  try {
    identity = await handDigest(at);
  } catch (error) {
    return { refused: `${name}: ${error.message}` };
  }
  if (expected !== null && identity !== expected) {
    return { refused: `${name} is not the world named: its identity is ${identity}, `
      + `not ${expected}. Nothing was played.` };
  }
  if (read((n, t, size) => Module._velmora_play_worlds(n, t, size)) !== 0) {
    return { refused: UTF8ToString(Module._velmora_worlds_refusal()) };
  }
  const played = { identity, ...playedWorlds() };
  keepCopy(identity, played.text);
  return played;
}

function keptCopies() {
  try {
    const copies = JSON.parse(localStorage.getItem(CopiesName) || '[]');
    return Array.isArray(copies) ? copies.filter((c) => Array.isArray(c) && c.length === 2) : [];
  } catch {
    return [];
  }
}

function keepCopy(identity, text) {
  const copies = keptCopies().filter(([id]) => id !== identity);
  copies.push([identity, text]);
  try {
    localStorage.setItem(CopiesName, JSON.stringify(copies.slice(-CopiesKept)));
  } catch {
    // Storage full: a later game on these worlds asks for their file.
  }
}

// The kept copy of the world file of identity `identity`, played from its
// title (its identity checked again); false when there is none, or it no
// longer plays as that identity.
export async function playCopyOf(identity) {
  const copy = keptCopies().find(([id]) => id === identity);
  return copy !== undefined && !(await playWorlds(copy[1], 'the kept copy', identity)).refused;
}

// Why the world file `text` cannot be played ("NAME:LINE:COLUMN: reason"),
// or null when it can: the game's own reader, nothing played.
export function worldsRefusal(text, name = 'world file') {
  const at = withBytes(name, (n) => withBytes(text, (t, size) =>
    Module._velmora_worlds_identity_bytes(n, t, size)));
  return at ? null : UTF8ToString(Module._velmora_worlds_refusal());
}

// Resolves to the identity of the worlds played, as `velmora --check-worlds`
// prints it; the digest is handed in on the way, so that the game can name
// the worlds in a recording afterwards. "" when the browser cannot digest
// (a page served without https).
export async function playedIdentity() {
  const at = Module._velmora_played_identity_bytes();
  if (at) await handDigest(at).catch(() => {});
  return UTF8ToString(Module._velmora_played_identity());
}

// What a recording made here names its worlds with after its header (the
// desktop recorder's lines; "" on the built-in worlds).
export async function worldsLines() {
  await playedIdentity();
  const at = Module._velmora_worlds_lines();
  if (!at) throw new Error('this browser computes no identity for the worlds played (it needs https)');
  return UTF8ToString(at);
}

// The game's words on the worlds played: beside the screen, and read out
// (the line is a polite live region) when they change.
function show() {
  const worlds = playedWorlds();
  if (!worlds) {
    line.textContent = 'The game\'s own worlds.';
    return;
  }
  let words = `World file: ${worlds.title ? `"${worlds.title}"` : 'untitled'}`;
  if (worlds.author) words += ` by ${worlds.author}`;
  line.textContent = `${words}.`;
}

function keep(worlds) {
  try {
    if (worlds) localStorage.setItem(StoreName, worlds.text);
    else localStorage.removeItem(StoreName);
  } catch {
    // Storage full or refused: only a reload loses the worlds.
  }
}

// The world file kept by an earlier visit, played again; false when there
// is none, or it no longer plays.
export async function playKeptWorlds() {
  let text = null;
  try { text = localStorage.getItem(StoreName); } catch { return false; }
  if (!text) return false;
  return !(await playWorlds(text, 'the kept world file')).refused;
}

// What the page says of a new game on `worlds`.
export const newGameWords = (worlds) =>
  `A new game on ${worlds.title ? `"${worlds.title}"` : 'an untitled world file'}.`;

// Plays a world file from its title and says so; a refused one is told and
// the game before it is left as it was. Resolves to whether it is played.
export async function openWorlds(bytes, name) {
  const played = await playWorlds(bytes, name);
  if (played.refused) {
    status.textContent = `The world file is not played: ${played.refused}`;
    return false;
  }
  status.textContent = newGameWords(played);
  velmoraPage.ready();
  return true;
}

// A world file chosen or dropped; past the reader's own limit it is refused
// unread, as the desktop does.
export async function openWorldsFile(file) {
  if (file.size > MaxWorldFileBytes) {
    status.textContent = `The world file is not played: ${file.name} is larger than 1 MiB, ` +
      'the most a world file may hold.';
    return false;
  }
  return openWorlds(new Uint8Array(await file.arrayBuffer()), file.name);
}

// "Open worlds" and the world files the page offers (from its own folder,
// kept offline with the page).
export function wireWorlds() {
  const chooser = document.getElementById('open-worlds-file');
  document.getElementById('open-worlds').addEventListener('click', () => chooser.click());
  chooser.addEventListener('change', () => {
    const file = chooser.files[0];
    chooser.value = '';
    if (file) openWorldsFile(file);
  });
  document.querySelectorAll('button[data-worlds]').forEach((button) => {
    button.addEventListener('click', async () => {
      const name = button.dataset.worlds;
      try {
        const reply = await fetch(name);
        if (!reply.ok) throw new Error(reply.statusText);
        await openWorlds(new Uint8Array(await reply.arrayBuffer()), name.slice(name.lastIndexOf('/') + 1));
      } catch (error) {
        status.textContent = `The world file ${name} cannot be fetched: ${error.message}`;
      }
    });
  });
}

let listeners = [];
// Calls `listener` after every change of the worlds played (the game's own
// call, web/page_worlds.cpp: a world file opened, the editor's world played
// or left).
export function onWorldsChanged(listener) { listeners.push(listener); }

window.velmoraWorlds = {
  changed() {
    const worlds = playedWorlds();
    keep(worlds);
    show();
    document.documentElement.classList.toggle('worlds', worlds !== null);
    // The digest is handed in now, while nothing waits for it.
    if (worlds) playedIdentity().catch(() => {});
    listeners.forEach((listener) => listener(worlds));
  },
};
velmoraPage.playWorlds = playWorlds;
velmoraPage.playedIdentity = playedIdentity;
