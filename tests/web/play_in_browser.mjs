// Plays headless scripts in the web page in Chromium and in the desktop's
// headless mode, and checks that both show the same records and the same
// frames, pixel for pixel, at the script's own `state` and `screenshot`
// lines, every few dozen lines and at the end. Arrow, Enter, Space and Tab
// keys go in as real DOM key presses, so the page's key mapping is played
// too (with typing turned off, as a script's keys are the game's own);
// numeric key codes and the typing commands go through the module.
// Or, in place of the scripts, the checks of the page round the game
// (--page, page_checks.mjs) or of the games it watches, keeps, saves and
// shares (--replays, replay_checks.mjs), or of the world editor (--editor,
// editor_checks.mjs).
// Usage: node play_in_browser.mjs PAGE_DIR VELMORA OUT_DIR (SCRIPT... | --page | --replays | --editor)
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { EditorChecks } from './editor_checks.mjs';
import { PageChecks } from './page_checks.mjs';
import { closeGame, openGame, ProgramRun, WaitLimit } from './page_support.mjs';
import { ChromiumArgs, serve } from '../../scripts/page_server.mjs';
import { ReplayChecks } from './replay_checks.mjs';

const [pageDir, velmora, outDir, ...scripts] = process.argv.slice(2);
const Groups = { '--page': PageChecks, '--replays': ReplayChecks, '--editor': EditorChecks };
if (!scripts.length) {
  console.error('usage: node play_in_browser.mjs PAGE_DIR VELMORA OUT_DIR (SCRIPT... | --page | --replays)');
  process.exit(2);
}
const CheckEvery = 40; // lines between frames checked besides the script's own
const DomKeys = { Up: 'ArrowUp', Down: 'ArrowDown', Left: 'ArrowLeft', Right: 'ArrowRight',
                  Enter: 'Enter', Space: 'Space', Tab: 'Tab' };

// The lines that play (key, type, submit), with null where both games are
// compared: before the line after a `state` or `screenshot`, and at the end.
function readScript(file) {
  const steps = [];
  let due = false;
  for (const line of fs.readFileSync(file, 'utf8').split(/\r?\n/)) {
    const word = line.trim().split(/\s+/)[0];
    due ||= word === 'state' || word === 'screenshot';
    if (!['key', 'type', 'submit'].includes(word)) continue;
    if (due || steps.length % CheckEvery === 0) steps.push(null);
    due = false;
    steps.push(line);
  }
  return [...steps, null];
}

// The desktop's records and frame (RGBA) at each comparison.
function playNative(steps, dir) {
  let n = 0;
  const script = steps.map((line) => line ?? `state\nscreenshot ${dir}/native-${n++}.png`);
  const out = execFileSync(velmora, ['--headless', '-'], { input: `${script.join('\n')}\n`,
                                                          encoding: 'utf8', ...ProgramRun });
  return out.trim().split('\n').map((state, i) => ({
    state, frame: PNG.sync.read(fs.readFileSync(`${dir}/native-${i}.png`)).data }));
}

async function playLine(page, line) {
  const [word, ...rest] = line.trim().split(/\s+/);
  if (word !== 'key') {
    const status = await page.evaluate((l) => Module.ccall('velmora_run_script', 'number',
                                                          ['string'], [l]), line);
    if (status !== 0) throw new Error(`the page refused '${line}'`);
    return;
  }
  for (const key of rest) {
    if (DomKeys[key]) await page.keyboard.press(DomKeys[key]);
    else await page.evaluate((code) => Module._velmora_key(code), Number(key));
  }
}

async function playScript(browser, base, script) {
  const dir = path.join(outDir, path.basename(script, '.txt'));
  fs.mkdirSync(dir, { recursive: true });
  const steps = readScript(script);
  const expected = playNative(steps, dir);
  const page = await openGame(browser, base);
  // A script's keys are the game's own: Enter in command entry is the grid's
  // no-op, not the typing's submit (typing is checked in page_checks.mjs).
  await page.evaluate(() => Module._velmora_set_typing(0));
  const problems = [];
  let n = 0;
  for (const line of steps) {
    if (line !== null) {
      await playLine(page, line);
      continue;
    }
    const [got, png] = await page.evaluate(() => [UTF8ToString(Module._velmora_state()),
                                                  document.getElementById('screen').toDataURL()]);
    const want = expected[n];
    if (got !== want.state) {
      let i = 0;
      while (got[i] === want.state[i]) ++i;
      problems.push(`check ${n}: the records differ at character ${i}: page ` +
                    `'${got.slice(i, i + 60)}', desktop '${want.state.slice(i, i + 60)}'`);
    }
    const bytes = Buffer.from(png.slice(png.indexOf(',') + 1), 'base64');
    const frame = PNG.sync.read(bytes).data;
    if (!frame.equals(want.frame)) {
      fs.writeFileSync(`${dir}/page-${n}.png`, bytes);
      const pixel = want.frame.findIndex((v, i) => v !== frame[i]) >> 2;
      problems.push(`check ${n}: the frames differ first at pixel ${pixel} (see ${dir}/page-${n}.png)`);
    }
    ++n;
  }
  return closeGame(page, problems);
}

const server = await serve(path.resolve(pageDir));
fs.mkdirSync(outDir, { recursive: true });
const userDataDir = fs.mkdtempSync(path.join(outDir, 'chromium-'));
// Every call into the browser ends: a page that stops answering fails its check.
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir, headless: true, args: ChromiumArgs,
  protocolTimeout: 3 * WaitLimit });
const checks = Groups[scripts[0]] ? Object.entries(Groups[scripts[0]])
  : scripts.map((s) => [`same game as the desktop: ${path.basename(s)}`,
                        (b, base) => playScript(b, base, s)]);
let failed = 0;
try {
  const base = `http://127.0.0.1:${server.address().port}/`;
  for (const [name, check] of checks) {
    const problems = await check(browser, base, velmora, outDir).catch((e) => [e.message]);
    console.log(`${problems.length ? 'FAIL' : 'ok  '} ${name}`);
    for (const p of problems) console.log(`  ${p}`);
    failed += problems.length ? 1 : 0;
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(userDataDir, { recursive: true, force: true });
}
console.log(`${checks.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
