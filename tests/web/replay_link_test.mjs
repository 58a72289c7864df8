// The replay link's two halves against each other: codes printed by
// `velmora --link` unpacked by web/replay_link.js give back the keys of the
// recording; the page's own packer and recordings agree with the desktop's;
// damaged, foreign and oversized codes are refused with their messages.
// Usage: node replay_link_test.mjs VELMORA_EXECUTABLE SOURCE_DIR
import { execFileSync, spawnSync } from 'node:child_process';
import { randomBytes } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { deflateRawSync, inflateRawSync } from 'node:zlib';
import {
  Messages, MaxCodeLength, MaxKeys, ReplayCodeVersion, decodeReplayCode, encodeReplayCode,
  keyRecording, replayCodeOfHash, WorldsCodeVersion, WorldsMessages, decodeWorldsCode,
  worldsCodeOfHash, DailyMessages, dailyOfHash,
} from '../../web/replay_link.js';

const [velmora, source] = process.argv.slice(2);
const work = mkdtempSync(join(tmpdir(), 'velmora-link-'));
const Header = '# velmora key recording: replay with velmora --headless FILE\n';
let failures = 0;

function check(ok, what) {
  if (!ok) {
    failures += 1;
    console.error(`FAILED: ${what}`);
  }
}

const recording = (keys) => Header + [...keys].map((k) => `key ${k}\n`).join('');
const Run = { encoding: 'utf8', timeout: 20000, killSignal: 'SIGKILL' };
const linkOf = (file, ...extra) => execFileSync(velmora, ['--link', file, ...extra], Run);
const codeOf = (line) => replayCodeOfHash(line.slice(line.indexOf('#')).trimEnd());

function pack(bytes, version = ReplayCodeVersion) {
  return Buffer.concat([Buffer.from([version]), deflateRawSync(Buffer.from(bytes))])
    .toString('base64url');
}

try {
  // Recordings of every kind of key come back as they were.
  const recordings = [
    [13],
    [32, 38, 13, 40, 37, 39, 9, 1, 255, 65, 200],
    Array.from({ length: 5000 }, (_, i) => 1 + ((i * 7919) % 255)),
  ];
  for (const keys of recordings) {
    const file = join(work, 'game.keys');
    writeFileSync(file, recording(keys));
    const line = linkOf(file);
    check(/^\S+#replay=[A-Za-z0-9_-]+\n$/.test(line), `one link line: ${line}`);
    const decoded = await decodeReplayCode(codeOf(line));
    check(decoded.join() === keys.join(), `recording of ${keys.length} keys comes back`);
    // The page packs as the desktop does: zlib inflates its code to the
    // same keys behind the same version byte, and so does the page.
    const packed = await encodeReplayCode(keys);
    const bytes = Buffer.from(packed, 'base64url');
    check(/^[A-Za-z0-9_-]+$/.test(packed) && bytes[0] === ReplayCodeVersion &&
          [...inflateRawSync(bytes.subarray(1))].join() === keys.join(),
          `the page's code of ${keys.length} keys unpacks with zlib`);
    check((await decodeReplayCode(packed)).join() === keys.join(),
          `the page's code of ${keys.length} keys comes back`);
    check(keyRecording(keys) === recording(keys), 'the page saves in the recorder\'s format');
  }

  // The winning game (written with `type` and `submit`) linked to another
  // page: its fragment replaced, the link under 16 KB. (The link's game, played
  // on the page: replay_checks.mjs.)
  const line = linkOf(join(source, 'tests/scripts/winning_game.txt'), '--page',
                      'https://example.org/velmora/#old');
  check(line.startsWith('https://example.org/velmora/#replay='), `--page replaces the fragment: ${line}`);
  check(line.length < 16 * 1024, `winning link under 16 KB: ${line.length}`);
  console.log(`winning game link: ${line.length - 1} characters`);

  // What a link may carry is the page's: the desktop's limits are the page's,
  // a game of MaxKeys keys is linked and unpacked whole, and one key more,
  // or keys that pack past MaxCodeLength, are refused by --link.
  const header = readFileSync(join(source, 'headless/replay_code.h'), 'utf8');
  const limit = (name) => header.match(`${name} = size_t\\((\\d+)\\) << (\\d+);`).slice(1)
    .reduce((base, shift) => base * 2 ** shift);
  check(limit('MaxReplayKeys') === MaxKeys && limit('MaxReplayCodeLength') === MaxCodeLength,
        'the page takes what the desktop links');
  const file = join(work, 'long.keys');
  writeFileSync(file, Header + 'key 13\n'.repeat(MaxKeys));
  check((await decodeReplayCode(codeOf(linkOf(file)))).length === MaxKeys,
        `a link of ${MaxKeys} keys comes back whole`);
  writeFileSync(file, Header + 'key 13\n'.repeat(MaxKeys + 1));
  let got = spawnSync(velmora, ['--link', file], Run);
  check(got.status === 2 && got.stderr ===
        `velmora: the game has ${MaxKeys + 1} key presses; a link holds at most ${MaxKeys}\n`,
        `a game of ${MaxKeys + 1} keys: status ${got.status}, ${got.stderr}`);
  writeFileSync(file, recording([...randomBytes(60000)].map((key) => key || 1)));
  got = spawnSync(velmora, ['--link', file], Run);
  check(got.status === 2 && /pack into \d+ characters; a link holds at most 65536\n$/.test(got.stderr),
        `keys past the longest code: status ${got.status}, ${got.stderr}`);

  // Damaged, foreign and oversized codes, each with its message.
  const good = codeOf(line);
  const cases = [
    ['', Messages.empty],
    ['A'.repeat(MaxCodeLength + 1), Messages.tooLong],
    [`${good.slice(0, 10)}!${good.slice(11)}`, Messages.notText],
    [`${good}=`, Messages.notText],
    [good + 'A'.repeat((5 - (good.length % 4)) % 4 || 4), Messages.notText],
    [pack([13, 32], 0xb2), Messages.foreign],
    ['eyJrZXlzIjpbMTNdfQ', Messages.foreign],
    [good.slice(0, (good.length >> 2 << 2) - 40), Messages.damaged],
    [pack([13]).slice(0, 2) + 'AAAAAAAA', Messages.damaged],
    [pack(new Uint8Array(2 * 1024 * 1024).fill(13)), Messages.tooManyKeys],
    [pack([13, 0, 32]), Messages.badKey],
  ];
  for (const [code, message] of cases) {
    const got = await decodeReplayCode(code).then(() => 'accepted', (e) => e.message);
    check(got === message, `code ${code.slice(0, 24)}... (${code.length}): ${got}`);
  }
  check(replayCodeOfHash('#other=1') === null && replayCodeOfHash('#replay=xy') === 'xy',
    'the fragment is read only when it is a replay');

  // A game on a world file carries the file, as --link-worlds packs it alone.
  const worldsFile = join(work, 'moved.worlds');
  const builtIn = readFileSync(join(source, 'assets/worlds/velmora.worlds'), 'utf8');
  writeFileSync(worldsFile, builtIn.replace(/^title: .*$/m, 'title: <b>Moved</b>'));
  const onWorlds = linkOf(join(source, 'tests/scripts/winning_game.txt'), '--worlds', worldsFile)
    .trimEnd();
  const hash = onWorlds.slice(onWorlds.indexOf('#'));
  check((await decodeReplayCode(replayCodeOfHash(hash))).join() ===
        (await decodeReplayCode(good)).join(), 'the keys of a game on a world file come back');
  const text = new TextDecoder().decode(await decodeWorldsCode(worldsCodeOfHash(hash)));
  check(text.includes('title: <b>Moved</b>\n') && text.includes('world 3 floor 1\n'),
    `the world file comes back: ${text.slice(0, 80)}`);
  const alone = execFileSync(velmora, ['--link-worlds', worldsFile], { encoding: 'utf8' }).trimEnd();
  check(worldsCodeOfHash(alone.slice(alone.indexOf('#'))) === worldsCodeOfHash(hash) &&
        replayCodeOfHash(alone.slice(alone.indexOf('#'))) === null,
        `--link-worlds packs the file alone: ${alone.slice(0, 60)}`);
  for (const [code, message] of [
    ['', WorldsMessages.empty],
    ['!!', WorldsMessages.notText],
    [pack([65, 66]), WorldsMessages.foreign],
    [pack(new Uint8Array(2 * 1024 * 1024).fill(53), WorldsCodeVersion), WorldsMessages.tooLarge],
    [Buffer.from([WorldsCodeVersion, 0xff, 0xff, 0xff]).toString('base64url'),
      WorldsMessages.damaged],
  ]) {
    const got = await decodeWorldsCode(code).then(() => 'accepted', (e) => e.message);
    check(got === message, `worlds code ${code.slice(0, 24)}...: ${got}`);
  }

  // A day's game carries the date, the version and the identity, not the
  // file: what --share prints, the page reads; a part missing or bent is
  // refused, and a link without a day names none.
  const day = join(work, 'day.keys');
  execFileSync(velmora, ['--daily', '2026-12-08', '--check-worlds', '--solve', day], Run);
  const shared = execFileSync(velmora, ['--headless', '--share', day], {
    ...Run, env: { ...process.env, XDG_STATE_HOME: join(work, 'state') },
  }).split('\n')[1];
  const dayHash = shared.slice(shared.indexOf('#'));
  const Day8 = 'be49c66efef0230ebbcc9bb9666a1a96a674946ad243e20e0dfbea9c4b7e3c9a';
  check(JSON.stringify(dailyOfHash(dayHash)) ===
        JSON.stringify({ date: '2026-12-08', version: 1, identity: Day8 }) &&
        worldsCodeOfHash(dayHash) === null && replayCodeOfHash(dayHash) !== null,
        `the day's link names the day: ${dayHash.slice(-120)}`);
  for (const bent of [
    dayHash.replace('&v=1', ''), dayHash.replace('&v=1', '&v=01'),
    dayHash.replace('2026-12-08', '2026-1208'), dayHash.replace(`id=${Day8}`, `id=${Day8.slice(1)}`),
    dayHash.replace(`id=${Day8}`, `id=${Day8.toUpperCase()}`),
  ]) {
    let said = 'accepted';
    try { dailyOfHash(bent); } catch (e) { said = e.message; }
    check(said === DailyMessages.damaged, `a bent day ${bent.slice(-100)}: ${said}`);
  }
  check(dailyOfHash(hash) === null, 'a world file\'s link names no day');
} finally {
  rmSync(work, { recursive: true, force: true });
}
if (failures > 0) process.exit(1);
console.log('replay links: all cases pass');
