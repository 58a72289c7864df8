// The page's games, in headless Chromium against the desktop program: a
// link made by `velmora --link` plays on its own, End takes it to the same
// records as the headless replay and the page shows the same --summary line;
// Enter takes over, the game saved from the page replays on the desktop to
// the page's records, survives a reload, and its copied link plays it again;
// "New game" starts afresh; a file opened or dropped on the page is watched,
// and damaged links and bad files are told and start nothing.
// Each check prints one line; runReplayChecks returns how many failed.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Messages } from '../../web/replay_link.js';
import { forgetKeptGame } from '../../scripts/page_server.mjs';

const scriptsDir = fileURLToPath(new URL('../scripts/', import.meta.url));
const Winning = path.join(scriptsDir, 'winning_game.txt');
const Spell = path.join(scriptsDir, 'spell.txt');
const Header = '# velmora key recording: replay with velmora --headless FILE\n';

const state = (page) => page.evaluate(() => UTF8ToString(Module._velmora_state()));
const statusText = (page) => page.$eval('#game-status', (e) => e.textContent);
const summaryText = (page) => page.$eval('#watch-summary', (e) => e.textContent);
const run = (velmora, args, input = '') =>
  execFileSync(velmora, args, { input, encoding: 'utf8' }).trim();
// The last line a replay prints: its final state, or its summary.
const lastLine = (text) => text.slice(text.lastIndexOf('\n') + 1);
const nativeState = (velmora, script) =>
  lastLine(run(velmora, ['--headless', '-'], `${script}\nstate\n`));
const nativeSummary = (velmora, file) => lastLine(run(velmora, ['--headless', '--summary', file]));

async function open(browser, address) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await forgetKeptGame(page);
  await page.goto(address);
  await page.waitForFunction('window.velmoraReady && document.activeElement.id === "screen"');
  return page;
}

// Presses End on the screen and waits for the summary of the watched game.
async function toTheEnd(page) {
  await page.focus('#screen');
  await page.keyboard.press('End');
  await page.waitForFunction(() => document.getElementById('watch-summary').textContent !== '',
                             { timeout: 20000 });
}

async function watchUploaded(page, file) {
  const chooser = await page.$('#open-file');
  await chooser.uploadFile(file);
}

// The winning game by its link: paced, ended with End, summed up, taken
// over, saved, reloaded, linked again and started afresh.
async function winningLink(browser, base, velmora, outDir) {
  const problems = [];
  const link = run(velmora, ['--link', Winning, '--page', base]);
  const page = await open(browser, link);
  const title = nativeState(velmora, '');
  // The first keys play on their own, at the watch's pace: not all at once.
  await page.waitForFunction(() => !UTF8ToString(Module._velmora_state()).startsWith('{"mode":255,'),
                             { timeout: 5000 }).catch(() => problems.push('the link does not play'));
  if ((await page.evaluate(() => Module._velmora_watch_state())) !== 1) {
    problems.push('the watch is not playing on its own');
  }
  if (await page.evaluate(() => location.hash !== '')) problems.push('the link stays in the address');
  await toTheEnd(page);
  const winning = fs.readFileSync(Winning, 'utf8');
  if ((await state(page)) !== nativeState(velmora, winning)) {
    problems.push('the link ends apart from the headless replay');
  }
  const summary = nativeSummary(velmora, Winning);
  if ((await summaryText(page)) !== summary) {
    problems.push(`the page sums up '${await summaryText(page)}', the desktop '${summary}'`);
  }
  // Enter takes over and is not the game's; Left is.
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowLeft');
  const played = await state(page);
  if (played !== nativeState(velmora, `${winning}\nkey Left`)) problems.push('Enter did not take over');

  const downloads = fs.mkdtempSync(path.join(outDir, 'downloads-'));
  const session = await page.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#save-game');
  const saved = path.join(downloads, 'velmora-game.txt');
  for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
  const text = fs.existsSync(saved) ? fs.readFileSync(saved, 'utf8') : '';
  if (!text.startsWith(Header) || !/^(key [1-9][0-9]*\n)+$/.test(text.slice(Header.length))) {
    problems.push('the saved game is not in the recorder\'s format');
  } else if (nativeState(velmora, text) !== played) {
    problems.push('the saved game replays apart on the desktop');
  }

  await page.reload();
  await page.waitForFunction('window.velmoraReady');
  if ((await state(page)) !== played) problems.push('a reload lost the game');

  await page.click('#copy-link');
  await page.waitForSelector('#game-link');
  const copied = await page.$eval('#game-link', (a) => a.href);
  const again = await open(browser, copied);
  await toTheEnd(again);
  if ((await state(again)) !== played) problems.push('the copied link plays another game');
  problems.push(...again.errors);
  await again.close();

  await page.click('#new-game');
  if ((await state(page)) !== title) problems.push('"New game" is not the title');
  await page.reload();
  await page.waitForFunction('window.velmoraReady');
  if ((await state(page)) !== title) problems.push('a reload after "New game" brought a game back');
  problems.push(...page.errors);
  await page.close();
  return problems;
}

// A file opened on the page is watched like a link; bad ones are told and
// leave the game as it was.
async function openedFiles(browser, base, velmora, outDir) {
  const problems = [];
  const page = await open(browser, base);
  await watchUploaded(page, Spell);
  await page.waitForFunction(() => Module._velmora_watch_state() === 1);
  await toTheEnd(page);
  if ((await state(page)) !== nativeState(velmora, fs.readFileSync(Spell, 'utf8'))) {
    problems.push('an opened script ends apart from the headless replay');
  }
  if ((await summaryText(page)) !== nativeSummary(velmora, Spell)) problems.push('no summary');
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowUp');
  const before = await state(page);
  const bad = path.join(outDir, 'bad-game.txt');
  const files = [
    { content: 'key Space\njump\n', told: "bad-game.txt is not a game to watch: script:2: unknown command 'jump'" },
    { content: 'key Space\nscreenshot x.png\n', told: 'script:2: a replay holds only keys' },
    { content: 'x'.repeat(4 * 1024 * 1024 + 1), told: 'bad-game.txt is too large to be a game' },
  ];
  for (const { content, told } of files) {
    fs.writeFileSync(bad, content);
    await watchUploaded(page, bad);
    await page.waitForFunction((t) => document.getElementById('game-status').textContent.includes(t),
                               { timeout: 5000 }, told)
      .catch(async () => problems.push(`'${told}' not told: '${await statusText(page)}'`));
    if ((await state(page)) !== before) problems.push(`a refused file changed the game (${told})`);
  }
  // Dropped on the page: the same as opened.
  await page.evaluate(() => {
    const data = new DataTransfer();
    data.items.add(new File(['key Space\njump\n'], 'dropped.txt'));
    dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
  });
  await page.waitForFunction(() => document.getElementById('game-status').textContent
    .startsWith('dropped.txt is not a game')).catch(() => problems.push('a dropped file is not read'));
  problems.push(...page.errors);
  await page.close();
  return problems;
}

// Damaged and foreign links: their message on the page, and no game.
async function damagedLinks(browser, base, velmora) {
  const problems = [];
  const title = nativeState(velmora, '');
  const codes = [
    ['', Messages.empty],
    ['AAAA', Messages.foreign],
    ['sQ%%%', Messages.notText],
    ['sQ'.repeat(40000), Messages.tooLong],
    ['sQAA', Messages.damaged],
  ];
  for (const [code, message] of codes) {
    const page = await open(browser, `${base}#replay=${code}`);
    await page.waitForFunction((m) => document.getElementById('game-status').textContent === m,
                               { timeout: 5000 }, message)
      .catch(async () => problems.push(`#replay=${code.slice(0, 12)}: '${await statusText(page)}'`));
    if ((await state(page)) !== title || (await page.evaluate(() => Module._velmora_watch_state()))) {
      problems.push(`#replay=${code.slice(0, 12)} started something`);
    }
    problems.push(...page.errors);
    await page.close();
  }
  return problems;
}

export async function runReplayChecks(browser, base, velmora, outDir) {
  const checks = { 'a link plays, is saved, kept and linked again': winningLink,
                   'opened and dropped files': openedFiles, 'damaged links': damagedLinks };
  let failed = 0;
  for (const [name, check] of Object.entries(checks)) {
    let problems;
    try {
      problems = await check(browser, base, velmora, outDir);
    } catch (e) {
      problems = [e.message];
    }
    console.log(`${problems.length ? 'FAIL' : 'ok  '} replay: ${name}`);
    for (const p of problems) console.log(`  ${p}`);
    failed += problems.length ? 1 : 0;
  }
  return { passed: Object.keys(checks).length - failed, failed };
}
