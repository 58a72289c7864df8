// The page round the game, played in headless Chromium: a phone-sized window
// with touch keys and the help box, then a large one, typing and the words
// panel's live region, offline play after one visit, the keyboard focus
// leaving the game and coming back, closing with a question first, the
// guides' links, and axe-core on the title, the field and command entry.
// Each check returns its problems.
import { axeViolations } from '../../scripts/page_server.mjs';
import { closeGame, desktop, openGame, state } from './page_support.mjs';

const active = (page) => page.evaluate(() => document.activeElement.id || document.activeElement.tagName);
const shown = (page, id) => page.$eval(id, (e) => getComputedStyle(e).display !== 'none');

// At 390 x 844 with touch nothing overflows and the screen is wholly in view,
// shrunk, unstretched. The help box (\h) is wholly in the window, its text the
// help text with line breaks added where the box's font needs them and no line
// wrapped again by the browser; the touch keys leave it open but Space, which
// closes it. Then the touch keys play the game's keys, the screen keeping the
// focus. Last, the window grows large.
async function windowSizes(browser, base, velmora) {
  const page = await openGame(browser, base, true);
  const problems = [];
  const fits = await page.evaluate(() => {
    const screen = document.getElementById('screen');
    const r = screen.getBoundingClientRect();
    return { overflow: document.documentElement.scrollWidth - innerWidth,
             inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
             width: r.width, view: screen.width,
             aspect: (r.width / r.height) / (screen.width / screen.height) };
  });
  if (fits.overflow > 0) problems.push(`the page is ${fits.overflow} px wider than the window`);
  if (!fits.inside) problems.push('the screen is not wholly in the window');
  if (fits.width >= fits.view) problems.push(`the screen did not shrink (${fits.width} px)`);
  if (Math.abs(fits.aspect - 1) > 0.01) problems.push('the screen is stretched');

  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  await page.keyboard.type('\\h', { delay: 5 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.getElementById('box').style.display === 'block',
                             { timeout: 5000 }).catch(() => { throw new Error('\\h showed no box'); });
  const box = await page.evaluate(() => {
    const element = document.getElementById('box');
    const text = document.getElementById('box-text');
    const r = element.getBoundingClientRect();
    return { text: text.textContent,
             inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
             overflow: element.scrollWidth - element.clientWidth,
             rows: Math.round(text.getBoundingClientRect().height /
                              parseFloat(getComputedStyle(text).lineHeight)) };
  });
  const help = '付属のReadMe_J.txtや、players-guide.htmlを参考にして下さい';
  if (box.text.replace(/\s/g, '') !== help) problems.push(`the box says '${box.text}'`);
  if (!box.inside) problems.push('the box is not wholly in the window');
  if (box.overflow > 0) problems.push(`the box's text is ${box.overflow} px too wide`);
  const lines = box.text.split('\n').length;
  if (box.rows !== lines) problems.push(`${lines} lines show as ${box.rows} rows`);
  if (process.env.VELMORA_BOX_SHOT) await page.screenshot({ path: process.env.VELMORA_BOX_SHOT });
  // The box holds the touch keys but Enter and Space, which close it.
  const names = { Space: 32, Up: 38, Down: 40, Left: 37, Right: 39, Enter: 13, Tab: 9 };
  await page.tap('#touch-keys button[data-key="39"]');
  if (!(await shown(page, '#box'))) problems.push('a touch key other than Space closed the box');
  await page.tap('#touch-keys button[data-key="32"]');
  if (await shown(page, '#box')) problems.push('the Space touch key did not close the box');

  const keys = ['Space', 'Right', 'Down', 'Left', 'Enter', 'Right', 'Right', 'Space', 'Tab', 'Up'];
  for (const key of keys) await page.tap(`#touch-keys button[data-key="${names[key]}"]`);
  const want = desktop(velmora, `key Space Enter\ntype \\h\nsubmit\nkey ${keys.join(' ')}\nstate\n`);
  if ((await state(page)) !== want) problems.push('the touch keys gave other records than the desktop');
  if ((await active(page)) !== 'screen') problems.push('tapping took the focus from the screen');

  // A large window enlarges the screen by whole pixels (twice the view here).
  await page.setViewport({ width: 1500, height: 1200 });
  await page.waitForFunction(() => {
    const screen = document.getElementById('screen');
    const r = screen.getBoundingClientRect();
    return r.width === 2 * screen.width && r.height === 2 * screen.height;
  }, { timeout: 5000 }).catch(async () => problems.push(
    `at 1500 x 1200 the screen is ${await page.$eval('#screen', (s) => s.getBoundingClientRect().width)} px wide`));
  return closeGame(page, problems);
}

// Typed on the keyboard, a statement walks the grid: while composing the
// panel names the statement and the cell under the cursor; sent, it leaves
// the records of the desktop's `type` and `submit`, and the live region's
// newest line is the strip's answer; Enter closes the box \h shows. With the
// page's switch off, letters do nothing and Enter is the grid's no-op again.
async function typing(browser, base, velmora) {
  const page = await openGame(browser, base);
  const problems = [];
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  await page.keyboard.type('SELECT * FROM p', { delay: 5 });
  const composing = 'Statement: SELECT * FROM p. The cursor is on "p".';
  await page.waitForFunction((t) => document.getElementById('statement').textContent === t,
                             { timeout: 5000 }, composing).catch(async () => problems.push(
    `while composing the panel says '${await page.$eval('#statement', (e) => e.textContent)}'`));
  await page.keyboard.type('arty', { delay: 5 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => JSON.parse(UTF8ToString(Module._velmora_state())).mode === 0);
  const want = desktop(velmora, 'key Space Enter\ntype SELECT * FROM party\nsubmit\nstate\n');
  if ((await state(page)) !== want) problems.push('a typed statement gave other records than type');
  const said = await page.$$eval('[aria-live="polite"] p', (lines) => lines.at(-1)?.textContent);
  const status = JSON.parse(want).status;
  if (said !== status || status === '') problems.push(`the live region says '${said}', the strip '${status}'`);
  await page.keyboard.press('Enter');
  await page.keyboard.type('\\h', { delay: 5 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.getElementById('box').style.display === 'block',
                             { timeout: 5000 }).catch(() => problems.push('\\h showed no box'));
  await page.keyboard.press('Enter');
  if (await shown(page, '#box')) problems.push('Enter did not close the box');
  await page.click('#typing');
  await page.click('#screen');
  await page.keyboard.press('Enter');
  await page.keyboard.type('S');
  await page.keyboard.press('Enter');
  const off = JSON.parse(await state(page));
  if (off.mode !== 1 || off.command !== '') problems.push('with typing off, letters or Enter acted');
  return closeGame(page, problems);
}

// One visit, then offline (the page and its service worker): a reload still
// starts the game.
async function offline(browser, base) {
  const page = await openGame(browser, base);
  await page.waitForFunction('navigator.serviceWorker.controller !== null', { timeout: 10000 });
  const worker = await browser.waitForTarget((t) => t.type() === 'service_worker');
  const workerSession = await worker.createCDPSession();
  await workerSession.send('Network.enable');
  await workerSession.send('Network.emulateNetworkConditions',
                           { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForFunction('window.velmoraReady', { timeout: 10000 });
  await page.keyboard.press('Space');
  const problems = [];
  if (JSON.parse(await state(page)).mode !== 0) problems.push('the game offline took no key');
  const network = await page.evaluate(() => fetch('never-there.txt').then(() => 'up', () => 'down'));
  if (network !== 'down') problems.push('the page was not offline');
  await workerSession.detach();
  return closeGame(page, problems);
}

// Escape leaves the game; Tab and Enter on the page's buttons stay the page's;
// Enter on "Back to the game" and Shift+Tab both come back; "Close the game"
// asks first, "Keep playing" gives the focus back, "End the game" ends it.
async function focus(browser, base) {
  const page = await openGame(browser, base);
  const before = await state(page);
  const problems = [];
  for (const [key, want] of [['Escape', 'play'], ['Tab', 'close'], ['Shift+Tab', 'play'],
                             ['Enter', 'screen'], ['Escape', 'play'], ['Shift+Tab', 'screen']]) {
    const shift = key.startsWith('Shift+');
    if (shift) await page.keyboard.down('Shift');
    await page.keyboard.press(key.replace('Shift+', ''));
    if (shift) await page.keyboard.up('Shift');
    const got = await active(page);
    if (got !== want) problems.push(`${key}: the focus is on ${got}, not ${want}`);
  }
  if ((await state(page)) !== before) problems.push('a key for the page reached the game');
  await page.click('#close');
  if (!(await page.$eval('#confirm-close', (d) => d.open))) problems.push('"Close the game" did not ask');
  await page.click('#confirm-keep');
  if ((await active(page)) !== 'screen') problems.push('"Keep playing" did not give the focus back');
  await page.click('#close');
  await page.click('#confirm-end');
  if (!(await shown(page, '#closed'))) problems.push('"End the game" did not end it');
  return closeGame(page, problems);
}

// The guides are UTF-8 HTML whose pictures, links and sections all exist.
async function guides(browser, base) {
  const page = await browser.newPage();
  const problems = [];
  for (const guide of ['players-guide.html', 'replays.html']) {
    await page.goto(base + guide);
    const found = await page.evaluate(async () => {
      const local = [...document.querySelectorAll('a[href], img[src]')]
        .map((e) => e.href || e.src).filter((u) => u.startsWith(location.origin));
      const broken = [];
      for (const url of new Set(local)) {
        const hash = new URL(url).hash;
        const response = await fetch(url);
        if (!response.ok) broken.push(url);
        else if (hash && url.split('#')[0] === location.href.split('#')[0] &&
                 !document.getElementById(decodeURIComponent(hash.slice(1)))) broken.push(url);
      }
      return { charset: document.characterSet, broken, erase: document.body.textContent.includes('\u232b') };
    });
    if (found.charset !== 'UTF-8') problems.push(`${guide} is read as ${found.charset}`);
    if (guide === 'players-guide.html' && !found.erase) problems.push(`${guide} lost the erase sign`);
    for (const url of found.broken) problems.push(`${guide} links ${url}, which is not there`);
  }
  await page.close();
  return problems;
}

async function axe(browser, base) {
  const page = await openGame(browser, base);
  const found = await axeViolations(page);
  return closeGame(page, Object.entries(found).flatMap(([place, list]) => list.map((v) => `${place}: ${v}`)));
}

export const PageChecks = {
  'page: a phone with touch keys and the help box, then a large window': windowSizes,
  'page: typing and the live region': typing, 'page: offline': offline,
  'page: focus leaves and returns': focus, 'page: guides': guides, 'page: axe-core': axe,
};
