// The page's world editor ("Make a world") in headless Chromium, on a phone
// with touch: the editor's touch keys draw three small worlds and its Save
// keeps in the browser's storage the very world file the desktop's editor
// saves for the same keys; the words panel reads the cursor's cell and the
// checker's verdict; a page left with changes not saved offers them back
// next time; axe-core finds nothing on the editor. The world made is played
// from the editor and comes back to it, and its copied link opens it in a
// fresh browser, where a game on it ends as the desktop's on the saved file.
// Each check returns its problems.
import { AxePuppeteer } from '@axe-core/puppeteer';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { closeGame, desktop, openGame, state } from './page_support.mjs';

// Space, Right, G, Left in each of worlds 1 to 3, W after each, twice more
// to come back to world 1, then F2.
const Keys = [32, 39, 71, 37, 87, 32, 39, 71, 37, 87, 32, 39, 71, 37, 87, 87, 87, 113];

// What `velmora --headless --edit` saves for the keys.
function desktopWorld(velmora) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-editor-'));
  const file = path.join(dir, 'made.worlds');
  try {
    execFileSync(velmora, ['--headless', '--edit', file, '-'], {
      input: Keys.map((k) => `key ${k}\n`).join(''),
      env: { ...process.env, XDG_STATE_HOME: path.join(dir, 'state') } });
    return fs.readFileSync(file, 'utf8');
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

const words = (page) => page.$eval('#editor-words', (e) => e.textContent);

async function makeWorld(browser, base, velmora) {
  const page = await openGame(browser, base, true);
  const problems = [];
  await page.evaluate(() => localStorage.removeItem('velmora-world'));
  await page.tap('#make-world');
  await page.waitForFunction(() => document.documentElement.classList.contains('editing'));
  const first = await words(page);
  if (first !== 'world 1 floor 1 x 1 y 1: wall 5, the start. world 1: no goal.')
    problems.push(`the panel first says '${first}'`);
  for (const key of Keys) await page.tap(`#editor-keys button[data-key="${key}"]`);
  const last = await words(page);
  if (last !== 'world 1 floor 1 x 1 y 1: floor, the start. ' +
      'world 1: the chara reaches its goal without help. saved.')
    problems.push(`the panel last says '${last}'`);
  const kept = await page.evaluate(() => localStorage.getItem('velmora-world'));
  if (kept !== desktopWorld(velmora)) problems.push(`the page kept another world file:\n${kept}`);
  const found = await new AxePuppeteer(page).analyze();
  problems.push(...found.violations.map((v) => `axe: ${v.id} (${v.impact})`));
  // A change not saved: the page asks before it is left, and the next
  // visit offers it back.
  await page.tap('#editor-keys button[data-key="32"]');
  const asks = await page.evaluate(() => {
    const event = new Event('beforeunload', { cancelable: true });
    dispatchEvent(event);
    return event.defaultPrevented;
  });
  if (!asks) problems.push('leaving with changes not saved does not ask');
  const next = await browser.newPage();
  next.on('dialog', (dialog) => dialog.accept());
  await next.goto(base);
  await next.waitForFunction('window.velmoraReady');
  await next.click('#make-world');
  await next.waitForFunction(() => document.documentElement.classList.contains('editing'));
  const back = await words(next);
  if (!back.endsWith("the session's changes, not saved."))
    problems.push(`the next visit says '${back}'`);
  await next.close();
  return closeGame(page, problems);
}

const editorState = async (page) => JSON.parse(await state(page)).editor;

async function playAndLink(browser, base, velmora, outDir) {
  const page = await openGame(browser, base, true);
  const problems = [];
  // A kept file the reader refuses is told; the page plays on.
  await page.evaluate(() => {
    localStorage.removeItem('velmora-world-copy');
    localStorage.setItem('velmora-world', 'world 9 floor 1\n');
  });
  await page.tap('#make-world');
  const box = await page.$eval('#box-text', (e) => e.textContent);
  if (box !== 'world file:1:7: world out of range (1 to 5)') problems.push(`a bad kept world: '${box}'`);
  await page.click('#box-ok');
  await page.evaluate(() => localStorage.removeItem('velmora-world'));
  await page.tap('#make-world');
  await page.waitForFunction(() => document.documentElement.classList.contains('editing'));
  // A world without goals has no link yet: the reader says why.
  await page.click('#copy-link');
  const blank = await page.$eval('#game-status', (e) => e.textContent);
  if (!/^This world cannot be played yet: my-world\.worlds:\d+:\d+: /.test(blank))
    problems.push(`Copy link on a blank world says '${blank}'`);
  for (const key of Keys) await page.tap(`#editor-keys button[data-key="${key}"]`);
  const made = await page.evaluate(() => localStorage.getItem('velmora-world'));
  // Enter plays from the title; Escape, or closing that game, comes back.
  for (const [how, leave] of [['Escape', () => page.tap('#editor-keys button[data-key="27"]')],
                              ['Close the game', () => page.click('#close')]]) {
    await page.tap('#editor-keys button[data-key="13"]');
    const playing = await editorState(page);
    const line = await page.$eval('#worlds-line', (e) => e.textContent);
    if (!playing?.playing || line !== 'World file: untitled.')
      problems.push(`Enter does not play the world (${line})`);
    await leave();
    const back = await editorState(page);
    if (back?.playing !== false || back.note !== 'back from the game' || !back.cell.startsWith('world 1 floor 1 x 1 y 1'))
      problems.push(`${how} does not come back to the editor where it was: ${JSON.stringify(back)}`);
  }
  await page.click('#copy-link');
  await page.waitForSelector('#game-link');
  const link = await page.$eval('#game-link', (a) => a.href);
  if (!link.includes('#worlds=')) problems.push(`the editor's link is ${link}`);
  await closeGame(page, problems);

  const file = path.join(outDir, 'made.worlds');
  fs.writeFileSync(file, made ?? '');
  const script = 'key Space\nkey Left\nkey Left\nkey Left\n';
  const context = await browser.createBrowserContext();
  const fresh = await openGame(context, link);
  await fresh.waitForFunction(() => document.getElementById('worlds-line').textContent === 'World file: untitled.');
  await fresh.evaluate((s) => Module.ccall('velmora_run_script', 'number', ['string'], [s]), script);
  if ((await state(fresh)) !== desktop(velmora, `${script}state\n`, ['--headless', '--worlds', file, '-']))
    problems.push('the link\'s world plays apart from the desktop\'s on the saved file');
  await closeGame(fresh, problems);
  await context.close();
  return problems;
}

export const EditorChecks = { 'page: the world editor': makeWorld,
                              'page: the world made, played and linked': playAndLink };
