// Plays headless scripts in the web page in Chromium and in the desktop's
// headless mode, and checks that both show the same records and the same
// frames, pixel for pixel, at the script's own `state` and `screenshot`
// lines, every few dozen lines and at the end. Arrow, Enter, Space and Tab
// keys go in as real DOM key presses, so the page's key mapping is played
// too (with typing turned off, as a script's keys are the game's own);
// numeric key codes and the typing commands go through the module.
// Then the checks of the page round the game (page_checks.mjs) and of the
// games it watches, keeps, saves and shares (replay_checks.mjs).
// Usage: node play_in_browser.mjs PAGE_DIR VELMORA OUT_DIR SCRIPT...
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';
import { openGame, runPageChecks } from './page_checks.mjs';
import { ChromiumArgs, serve } from '../../scripts/page_server.mjs';
import { runReplayChecks } from './replay_checks.mjs';

const [pageDir, velmora, outDir, ...scripts] = process.argv.slice(2);
// The view's size, as the game gives the page's canvas once it has started.
let Width = 0;
let Height = 0;
const CheckEvery = 40; // lines between frames checked besides the script's own
const DomKeys = { Up: 'ArrowUp', Down: 'ArrowDown', Left: 'ArrowLeft', Right: 'ArrowRight',
                  Enter: 'Enter', Space: 'Space', Tab: 'Tab' };

// The lines that play (key, type, submit) and, after which of them, a check.
function readScript(file) {
  const steps = [];
  let checkHere = false;
  for (const raw of fs.readFileSync(file, 'utf8').split('\n')) {
    const line = raw.replace(/\r$/, '');
    const word = line.trim().split(/\s+/)[0];
    if (word === 'state' || word === 'screenshot') checkHere = true;
    if (!['key', 'type', 'submit'].includes(word)) continue;
    if (checkHere || steps.length % CheckEvery === 0) steps.push({ check: true });
    checkHere = false;
    steps.push({ line });
  }
  steps.push({ check: true });
  return steps;
}

// The desktop's answers: one state line and one screenshot per check.
function playNative(steps, dir) {
  let text = '';
  let n = 0;
  for (const step of steps) {
    text += step.check ? `state\nscreenshot ${dir}/native-${n++}.png\n` : `${step.line}\n`;
  }
  const out = execFileSync(velmora, ['--headless', '-'], { input: text, encoding: 'utf8' });
  return out.trim().split('\n').map((state, i) => ({
    state, frame: PNG.sync.read(fs.readFileSync(`${dir}/native-${i}.png`)) }));
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

async function browserCheck(page) {
  return page.evaluate((w, h) => {
    const pixels = document.getElementById('screen').getContext('2d').getImageData(0, 0, w, h);
    let binary = '';
    for (let i = 0; i < pixels.data.length; i += 8192)
      binary += String.fromCharCode.apply(null, pixels.data.subarray(i, i + 8192));
    return { state: UTF8ToString(Module._velmora_state()), frame: btoa(binary) };
  }, Width, Height);
}

// Shows both texts around their first difference.
function whereTextsDiffer(page, desktop) {
  let i = 0;
  while (page[i] === desktop[i]) ++i;
  const around = (t) => t.slice(Math.max(0, i - 40), i + 40);
  return `at character ${i}\n  page:    ...${around(page)}...\n  desktop: ...${around(desktop)}...`;
}

// Returns where the two frames first differ, or null when they are equal.
function firstDifference(native, rgba) {
  if (native.width !== Width || native.height !== Height) return `native frame ${native.width} x ${native.height}`;
  for (let i = 0; i < Width * Height * 4; i += 4) {
    for (let c = 0; c < 3; ++c) {
      if (native.data[i + c] !== rgba[i + c])
        return `pixel (${(i / 4) % Width}, ${Math.floor(i / 4 / Width)})`;
    }
  }
  return null;
}

async function playScript(browser, base, script) {
  const name = path.basename(script, '.txt');
  const dir = path.join(outDir, name);
  fs.mkdirSync(dir, { recursive: true });
  const steps = readScript(script);
  const expected = playNative(steps, dir);
  const page = await openGame(browser, base, false);
  // A script's keys are the game's own: Enter in command entry is the grid's
  // no-op, not the typing's submit (typing is checked in page_checks.mjs).
  await page.evaluate(() => Module._velmora_set_typing(0));
  ({ Width, Height } = await page.evaluate(() => {
    const screen = document.getElementById('screen');
    return { Width: screen.width, Height: screen.height };
  }));
  let n = 0;
  let failed = 0;
  for (const step of steps) {
    if (!step.check) {
      await playLine(page, step.line);
      continue;
    }
    const got = await browserCheck(page);
    const rgba = Buffer.from(got.frame, 'base64');
    const want = expected[n];
    const problems = [];
    if (got.state !== want.state) problems.push(`records differ: ${whereTextsDiffer(got.state, want.state)}`);
    const where = firstDifference(want.frame, rgba);
    if (where) {
      const png = new PNG({ width: Width, height: Height });
      rgba.copy(png.data);
      fs.writeFileSync(`${dir}/page-${n}.png`, PNG.sync.write(png));
      problems.push(`frames differ first at ${where} (see ${dir}/page-${n}.png)`);
    }
    console.log(`${problems.length ? 'FAIL' : 'ok  '} ${name} check ${n}`);
    for (const p of problems) console.log(`  ${p}`);
    failed += problems.length ? 1 : 0;
    ++n;
  }
  if (page.errors.length) {
    console.log(`FAIL ${name}: page errors: ${page.errors.join('; ')}`);
    ++failed;
  }
  await page.close();
  return { passed: n - failed, failed };
}

const server = await serve(path.resolve(pageDir));
fs.mkdirSync(outDir, { recursive: true });
const userDataDir = fs.mkdtempSync(path.join(outDir, 'chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir, headless: true,
  args: ChromiumArgs });
let passed = 0;
let failed = 0;
try {
  const base = `http://127.0.0.1:${server.address().port}/`;
  for (const script of scripts) {
    const result = await playScript(browser, base, script);
    passed += result.passed;
    failed += result.failed;
  }
  for (const checks of [runPageChecks, runReplayChecks]) {
    const result = await checks(browser, base, velmora, outDir);
    passed += result.passed;
    failed += result.failed;
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(userDataDir, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
