// The page's games, in headless Chromium against the desktop program: a
// link made by `velmora --link` plays on its own, End takes it to the same
// records as the headless replay and the page shows the same --summary line;
// Enter takes over (and says so), the game saved from the page replays on the desktop to
// the page's records, survives a reload, and its copied link plays it again;
// "New game" starts afresh; a file opened or dropped on the page is watched,
// and damaged links and bad files are told and start nothing. A world file's
// link opens at its title with the desktop's identity, a game's link on it
// plays to the desktop's records, is saved naming its worlds and linked
// again; a world file opened shows its title as text, and refused ones are
// told. Each check returns its problems.
import { AxePuppeteer } from '@axe-core/puppeteer';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { encodeWorldsCode, Messages, WorldsMessages } from '../../web/replay_link.js';
import { closeGame, desktop, openGame, ProgramRun, state } from './page_support.mjs';

const scriptsDir = fileURLToPath(new URL('../scripts/', import.meta.url));
const Winning = path.join(scriptsDir, 'winning_game.txt');
const Spell = path.join(scriptsDir, 'spell.txt');
const Header = '# velmora key recording: replay with velmora --headless FILE\n';
const FirstSteps = fileURLToPath(new URL('../../assets/worlds/first_steps.worlds', import.meta.url));
const FirstStepsKeys = path.join(scriptsDir, 'first_steps.keys');
const LongWay = fileURLToPath(new URL('../../assets/worlds/long_way.worlds', import.meta.url));

const statusText = (page) => page.$eval('#game-status', (e) => e.textContent);
const watchState = (page) => page.evaluate(() => Module._velmora_watch_state());

// Presses End on the screen and waits for the summary of the watched game;
// with `file`, the page's records and summary must be its headless replay's.
async function toTheEnd(page, velmora, file, problems) {
  await page.focus('#screen');
  await page.keyboard.press('End');
  await page.waitForFunction(() => document.getElementById('watch-summary').textContent !== '',
                             { timeout: 20000 });
  if (!file) return;
  if ((await state(page)) !== desktop(velmora, `${fs.readFileSync(file, 'utf8')}\nstate\n`)) {
    problems.push(`${path.basename(file)} ends apart from the headless replay`);
  }
  const [got, want] = [await page.$eval('#watch-summary', (e) => e.textContent),
                       desktop(velmora, '', ['--headless', '--summary', file])];
  if (got !== want) problems.push(`the page sums up '${got}', the desktop '${want}'`);
}

// "Copy link" gives a link that, opened afresh, plays to the records `played`.
async function copiedLinkPlays(browser, page, played, problems) {
  await page.click('#copy-link');
  await page.waitForSelector('#game-link');
  const again = await openGame(browser, await page.$eval('#game-link', (a) => a.href));
  await toTheEnd(again);
  if ((await state(again)) !== played) problems.push('the copied link plays another game');
  await closeGame(again, problems);
}

// The winning game by its link: paced, ended with End, summed up, taken
// over, saved, reloaded, linked again and started afresh.
async function winningLink(browser, base, velmora, outDir) {
  const problems = [];
  const link = desktop(velmora, '', ['--link', Winning, '--page', base]);
  const page = await openGame(browser, link);
  const title = desktop(velmora, 'state\n');
  // The first keys play on their own, at the watch's pace: not all at once.
  await page.waitForFunction(() => !UTF8ToString(Module._velmora_state()).startsWith('{"mode":255,'),
                             { timeout: 5000 }).catch(() => problems.push('the link does not play'));
  if ((await watchState(page)) !== 1) problems.push('the watch is not playing on its own');
  if (await page.evaluate(() => location.hash !== '')) problems.push('the link stays in the address');
  await toTheEnd(page, velmora, Winning, problems);
  // Enter takes over and is not the game's; Left is.
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowLeft');
  const played = await state(page);
  if (played !== desktop(velmora, `${fs.readFileSync(Winning, 'utf8')}\nkey Left\nstate\n`)) {
    problems.push('Enter did not take over');
  }
  if ((await statusText(page)) !== 'The game is yours: play on.') problems.push('the take-over was not told');

  const downloads = fs.mkdtempSync(path.join(outDir, 'downloads-'));
  const session = await page.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click('#save-game');
  const saved = path.join(downloads, 'velmora-game.txt');
  for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
  const text = fs.existsSync(saved) ? fs.readFileSync(saved, 'utf8') : '';
  if (!text.startsWith(Header) || !/^(key [1-9][0-9]*\n)+$/.test(text.slice(Header.length))) {
    problems.push('the saved game is not in the recorder\'s format');
  } else if (desktop(velmora, `${text}state\n`) !== played) {
    problems.push('the saved game replays apart on the desktop');
  }

  await page.reload();
  await page.waitForFunction('window.velmoraReady');
  if ((await state(page)) !== played) problems.push('a reload lost the game');

  await copiedLinkPlays(browser, page, played, problems);

  await page.click('#new-game');
  if ((await state(page)) !== title) problems.push('"New game" is not the title');
  await page.reload();
  await page.waitForFunction('window.velmoraReady');
  if ((await state(page)) !== title) problems.push('a reload after "New game" brought a game back');
  return closeGame(page, problems);
}

// A file opened on the page is watched like a link; bad ones, opened or
// dropped, are told and leave the game as it was. (The game's refusals of
// scripts: the transcripts.)
async function openedFiles(browser, base, velmora, outDir) {
  const problems = [];
  const page = await openGame(browser, base);
  const chooser = await page.$('#open-file');
  await chooser.uploadFile(Spell);
  await page.waitForFunction(() => Module._velmora_watch_state() === 1);
  await toTheEnd(page, velmora, Spell, problems);
  await page.keyboard.press('Enter');
  await page.keyboard.press('ArrowUp');
  const before = await state(page);
  const bad = path.join(outDir, 'bad-game.txt');
  const files = [
    { content: 'key Space\njump\n', told: "bad-game.txt is not a game to watch: script:2: unknown command 'jump'" },
    { content: 'x'.repeat(4 * 1024 * 1024 + 1), told: 'bad-game.txt is too large to be a game' },
    { content: 'key Space\njump\n', told: 'dropped.txt is not a game to watch', dropped: true },
  ];
  for (const { content, told, dropped } of files) {
    if (dropped) {
      await page.evaluate((text) => {
        const data = new DataTransfer();
        data.items.add(new File([text], 'dropped.txt'));
        dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
      }, content);
    } else {
      fs.writeFileSync(bad, content);
      await chooser.uploadFile(bad);
    }
    await page.waitForFunction((t) => document.getElementById('game-status').textContent.includes(t),
                               { timeout: 5000 }, told)
      .catch(async () => problems.push(`'${told}' not told: '${await statusText(page)}'`));
    if ((await state(page)) !== before) problems.push(`a refused file changed the game (${told})`);
  }
  return closeGame(page, problems);
}

// Damaged links: the decoder's message on the page, and no game. (Every
// message of the decoder: replay_link_test.mjs.)
async function damagedLinks(browser, base, velmora) {
  const problems = [];
  const title = desktop(velmora, 'state\n');
  for (const [code, message] of [['', Messages.empty], ['sQAA', Messages.damaged]]) {
    const page = await openGame(browser, `${base}#replay=${code}`);
    await page.waitForFunction((m) => document.getElementById('game-status').textContent === m,
                               { timeout: 5000 }, message)
      .catch(async () => problems.push(`#replay=${code}: '${await statusText(page)}'`));
    if ((await state(page)) !== title || (await watchState(page))) {
      problems.push(`#replay=${code} started something`);
    }
    await closeGame(page, problems);
  }
  return problems;
}

const worldsLine = (page) => page.$eval('#worlds-line', (e) => e.textContent);
const told = (page, text) => page.waitForFunction(
  (t) => document.getElementById('game-status').textContent.includes(t), { timeout: 5000 }, text);

async function download(page, outDir, id, name) {
  const downloads = fs.mkdtempSync(path.join(outDir, 'downloads-'));
  const session = await page.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await page.click(id);
  const saved = path.join(downloads, name);
  for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise((r) => setTimeout(r, 50));
  return fs.existsSync(saved) ? fs.readFileSync(saved, 'utf8') : '';
}

// "First steps" by its links: the world file alone opens at its title with
// the identity --check-worlds prints; its winning game's link plays to the
// desktop's records on it, is saved naming the worlds and copied again.
async function worldsLinks(browser, base, velmora, outDir) {
  const problems = [];
  const checked = execFileSync(velmora, ['--check-worlds', FirstSteps], { encoding: 'utf8', ...ProgramRun });
  const identity = /identity: ([0-9a-f]{64})/.exec(checked)?.[1];
  const title = desktop(velmora, 'state\n', ['--headless', '--worlds', FirstSteps, '-']);
  const alone = await openGame(browser, desktop(velmora, '', ['--link-worlds', FirstSteps, '--page', base]));
  await alone.waitForFunction(() => document.getElementById('worlds-line').textContent !==
                              'The game\'s own worlds.');
  const line = await worldsLine(alone);
  if (line !== 'World file: "First steps" by the Velmora Keep 03 studio.') problems.push(`beside the screen: '${line}'`);
  if ((await state(alone)) !== title) problems.push('the world file\'s link is not at its title');
  const got = await alone.evaluate(() => velmoraPage.playedIdentity());
  if (got !== identity) problems.push(`the page's identity ${got}, the desktop's ${identity}`);
  await closeGame(alone, problems);

  const page = await openGame(browser, desktop(velmora, '', ['--link', FirstStepsKeys, '--worlds',
                                                             FirstSteps, '--page', base]));
  await page.focus('#screen');
  await page.keyboard.press('End');
  await page.waitForFunction(() => document.getElementById('watch-summary').textContent !== '');
  const played = await state(page);
  const keys = fs.readFileSync(FirstStepsKeys, 'utf8');
  if (played !== desktop(velmora, `${keys}\nstate\n`, ['--headless', '--worlds', FirstSteps, '-']))
    problems.push('the link\'s game ends apart from the desktop\'s on its worlds');
  const saved = await download(page, outDir, '#save-game', 'velmora-game.txt');
  if (!saved.startsWith(`${Header}# worlds: First steps\nworlds ${identity}\nkey `)) {
    problems.push(`the saved game does not name its worlds:\n${saved.slice(0, 300)}`);
  } else if (desktop(velmora, `${saved}state\n`, ['--headless', '--worlds', FirstSteps, '-']) !== played) {
    problems.push('the saved game replays apart on the desktop');
  }
  await page.reload();
  await page.waitForFunction('window.velmoraReady');
  if ((await state(page)) !== played || !(await worldsLine(page)).includes('First steps'))
    problems.push('a reload lost the game or its worlds');
  // The saved game, naming the worlds played, is watched on them.
  const file = path.join(outDir, 'saved-game.txt');
  fs.writeFileSync(file, saved);
  await (await page.$('#open-file')).uploadFile(file);
  await page.waitForFunction(() => Module._velmora_watch_state() === 1).catch(() => {});
  await toTheEnd(page);
  if ((await state(page)) !== played) problems.push(`the saved game watched on the page: '${await statusText(page)}'`);
  await copiedLinkPlays(browser, page, played, problems);
  return closeGame(page, problems);
}

// World files opened and dropped: the title shown as text whatever it
// holds; refused files and damaged codes told, the game left as it was.
async function openedWorlds(browser, base, velmora, outDir) {
  const problems = [];
  const page = await openGame(browser, base, true);
  await page.click('button[data-worlds$="long_way.worlds"]');
  await told(page, 'A new game on "The long way round"').catch(async () => problems.push(`the offered world file: '${await statusText(page)}'`));
  const text = fs.readFileSync(FirstSteps, 'utf8');
  const marked = path.join(outDir, 'marked.worlds');
  fs.writeFileSync(marked, text.replace('title: First steps', 'title: <b>bold</b><img src=x onerror=alert(1)>'));
  await (await page.$('#open-worlds-file')).uploadFile(marked);
  // The status still says the game on the offered file until this one is read.
  await told(page, 'A new game on "<b>bold').catch(() => {});
  const line = await worldsLine(page);
  if (line !== 'World file: "<b>bold</b><img src=x onerror=alert(1)>" by the Velmora Keep 03 studio.' ||
      (await page.$$('#panel b, #panel img, #game-status img')).length) {
    problems.push(`the title is not shown as text: '${line}'`);
  }
  const found = await new AxePuppeteer(page).analyze();
  problems.push(...found.violations.map((v) => `axe: ${v.id} (${v.impact})`));
  const wider = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
  if (wider > 0) problems.push(`with a world file the page is ${wider} px wider than the window`);
  await page.keyboard.press('Enter');
  const before = await state(page);
  const refusals = [
    ['short.worlds', text.replace(/^(world 1 floor 1\n[^\n]*\n)[^\n]*\n/m, '$1'), /short\.worlds:\d+:1: /],
    ['dropped.worlds', 'title: x\nworld 9 floor 1\n', /dropped\.worlds:2:7: world out of range/],
    // The file's own bytes reach the reader: Latin-1 is no UTF-8.
    ['latin.worlds', [...Buffer.from('title: caf'), 0xe9, 10], /latin\.worlds:1:11: not UTF-8/],
  ];
  for (const [name, content, message] of refusals) {
    await page.evaluate((n, c) => {
      const data = new DataTransfer();
      data.items.add(new File([typeof c === 'string' ? c : new Uint8Array(c)], n));
      dispatchEvent(new DragEvent('drop', { dataTransfer: data, cancelable: true }));
    }, name, content);
    await told(page, 'The world file is not played: ').catch(() => {});
    const said = await page.$eval('#game-status', (e) => e.textContent);
    if (!message.test(said)) problems.push(`${name}: '${said}'`);
    if ((await state(page)) !== before) problems.push(`${name} changed the game`);
    await page.evaluate(() => { document.getElementById('game-status').textContent = ''; });
  }
  // A game played on worlds the page has no copy of is not watched on these;
  // one on "The long way round", played above, is watched on its copy.
  const unknown = 'ab'.repeat(32);
  const elsewhere = path.join(outDir, 'elsewhere.txt');
  fs.writeFileSync(elsewhere, `${Header}worlds ${unknown}\nkey 32\n`);
  await (await page.$('#open-file')).uploadFile(elsewhere);
  await told(page, `elsewhere.txt was played on other worlds (${unknown})`)
    .catch(async () => problems.push(`a game on other worlds: '${await statusText(page)}'`));
  if ((await state(page)) !== before) problems.push('a game on other worlds changed the game');
  const longWay = /identity: (\w+)/.exec(execFileSync(velmora, ['--check-worlds', LongWay],
                                                        { encoding: 'utf8', ...ProgramRun }))[1];
  fs.writeFileSync(elsewhere, `${Header}worlds ${longWay}\nkey 32\n`);
  await (await page.$('#open-file')).uploadFile(elsewhere);
  await page.waitForFunction(() => Module._velmora_watch_state() === 1, { timeout: 5000 })
    .catch(async () => problems.push(`a game on a kept copy's worlds: '${await statusText(page)}'`));
  if (!(await worldsLine(page)).includes('"The long way round"')) problems.push('the kept copy is not played');
  await closeGame(page, problems);
  // Links: a damaged code, and a sound code of a file the reader refuses.
  const badFile = await encodeWorldsCode('world 9 floor 1\n');
  for (const [code, message] of [['sQAA', WorldsMessages.foreign],
                                 [badFile, 'The world file is not played: link:1:7: world out of range']]) {
    const linked = await openGame(browser, `${base}#worlds=${code}`);
    await told(linked, message).catch(() => problems.push(`#worlds=${code} is not told`));
    if ((await worldsLine(linked)) !== 'The game\'s own worlds.') problems.push(`#worlds=${code} changed the worlds`);
    await closeGame(linked, problems);
  }
  return problems;
}

// Today's world: the page makes each day of the desktop's identity table
// (tests/daily_world_test.cpp) with the same identity; a won day's share
// link plays to the desktop's records and shows the desktop's share line and
// the margin over waiting, as the page's own win of it does; a link whose
// identity is altered plays nothing.
async function dayLinks(browser, base, velmora, outDir) {
  const problems = [];
  const table = fs.readFileSync(new URL('../daily_world_test.cpp', import.meta.url), 'utf8');
  const days = [...table.matchAll(/\{"(\d{4}-\d{2}-\d{2})", \d+, \d+, "([0-9a-f]{64})"\}/g)];
  if (days.length < 5) problems.push(`the identity table has ${days.length} days`);
  const page = await openGame(browser, base);
  for (const [, date, identity] of days) {
    const got = await page.evaluate(async (d) => {
      const played = await (await import('./daily_page.js')).playDay(d, 1);
      return played.identity ?? played.refused;
    }, date);
    if (got !== identity) problems.push(`the page's ${date} is ${got}, the desktop's ${identity}`);
  }
  await closeGame(page, problems);

  const Date8 = '2026-12-08';
  const keys = path.join(outDir, 'day.keys');
  fs.rmSync(keys, { force: true });
  execFileSync(velmora, ['--daily', Date8, '--check-worlds', '--solve', keys], ProgramRun);
  const checked = execFileSync(velmora, ['--daily', Date8, '--check-worlds'], { encoding: 'utf8', ...ProgramRun });
  const waiting = Number(/waiting: won on turn \d+, score (\d+)/.exec(checked)?.[1]);
  const [line, link] = execFileSync(velmora, ['--headless', '--share', keys, '--page', base], {
    encoding: 'utf8', ...ProgramRun, env: { ...process.env, XDG_STATE_HOME: path.join(outDir, 'state') },
  }).trimEnd().split('\n');
  const score = Number(/score (\d+)/.exec(line)?.[1]);
  const played = desktop(velmora, `${fs.readFileSync(keys, 'utf8')}state\n`, ['--headless', '--daily', Date8, '-']);
  const shown = async (p) => p.evaluate(() => ['daily-date', 'daily-share', 'daily-par']
    .map((id) => document.getElementById(id).textContent).join('\n'));
  const want = `Today's world: ${Date8}\n${line}\n${score - waiting} better than waiting (${waiting})`;
  const linked = await openGame(browser, link);
  await linked.focus('#screen');
  await linked.keyboard.press('End');
  await linked.waitForFunction(() => document.getElementById('daily-share').textContent !== '')
    .catch(() => problems.push('the day\'s link shows no share line'));
  if ((await state(linked)) !== played) problems.push('the day\'s link ends apart from the desktop');
  if ((await shown(linked)) !== want) problems.push(`the day's link shows '${await shown(linked)}', not '${want}'`);
  await linked.click('#copy-link');
  await linked.waitForSelector('#game-link');
  const copied = await linked.$eval('#game-link', (a) => a.href);
  if (copied.slice(copied.indexOf('&')) !== link.slice(link.indexOf('&'))) problems.push(`Copy link gives ${copied}`);
  await closeGame(linked, problems);

  // Won on the page itself: the keys pressed one by one, the line the same.
  const own = await openGame(browser, base);
  await own.evaluate(async (d) => (await import('./daily_page.js')).playDay(d, 1), Date8);
  const codes = [...fs.readFileSync(keys, 'utf8').matchAll(/^key (\d+)$/gm)].map((m) => Number(m[1]));
  await own.evaluate((list) => list.forEach((key) => Module._velmora_key(key)), codes);
  await own.evaluate(() => dispatchEvent(new KeyboardEvent('keydown')));
  await own.waitForFunction(() => document.getElementById('daily-share').textContent !== '')
    .catch(() => problems.push('the page\'s own win shows no share line'));
  if ((await state(own)) !== played) problems.push('the tally moved the page\'s own game');
  if ((await shown(own)) !== want) problems.push(`the page's own win shows '${await shown(own)}'`);
  await own.reload();
  await own.waitForFunction(() => document.getElementById('daily-share').textContent !== '')
    .catch(() => problems.push('a reload forgot the day'));
  if ((await shown(own)) !== want) problems.push(`the reloaded win shows '${await shown(own)}'`);
  const found = await new AxePuppeteer(own).analyze();
  problems.push(...found.violations.map((v) => `axe with the share line shown: ${v.id} (${v.impact})`));
  await own.click('#todays-world');
  const today = new Date().toISOString().slice(0, 10);
  await own.waitForFunction((d) => document.getElementById('worlds-line').textContent.includes(d), {}, today)
    .catch(() => problems.push('"Today\'s world" does not play today'));
  if ((await shown(own)) !== `Today's world: ${today}\n\n`) problems.push(`today shows '${await shown(own)}'`);
  await closeGame(own, problems);

  const altered = await openGame(browser, link.replace(/.$/, (c) => (c === '0' ? '1' : '0')));
  await told(altered, 'This link\'s day is not played: ')
    .catch(async () => problems.push(`an altered identity: '${await statusText(altered)}'`));
  if ((await state(altered)) !== desktop(velmora, 'state\n') || (await worldsLine(altered)) !== 'The game\'s own worlds.')
    problems.push('a link of an altered identity played something');
  return closeGame(altered, problems);
}

export const ReplayChecks = {
  'replay: today\'s world and its links': dayLinks,
  'replay: a world file\'s links': worldsLinks, 'replay: world files opened': openedWorlds,
  'replay: a link plays, is saved, kept and linked again': winningLink,
  'replay: opened and dropped files': openedFiles, 'replay: damaged links': damagedLinks,
};
