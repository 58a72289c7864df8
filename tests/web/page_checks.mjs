// The page round the game, played in headless Chromium: a phone-sized window
// with touch, the words panel's live region, offline play after one visit,
// the keyboard focus leaving the game and coming back, closing with a
// question first, the guides' links, and axe-core on the title, the field
// and command entry.
// Each check prints one line; runPageChecks returns how many failed.
import { execFileSync } from 'node:child_process';
import { axeViolations, forgetKeptGame } from '../../scripts/page_server.mjs';

const state = (page) => page.evaluate(() => UTF8ToString(Module._velmora_state()));
const active = (page) => page.evaluate(() => document.activeElement.id || document.activeElement.tagName);
const native = (velmora, script) =>
  execFileSync(velmora, ['--headless', '-'], { input: script, encoding: 'utf8' }).trim();

// A new page at the game, started and holding the focus; page.errors gathers
// the page's uncaught errors.
export async function openGame(browser, base, phone) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await forgetKeptGame(page);
  if (phone) {
    await page.emulate({ viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
                                     hasTouch: true }, userAgent: await browser.userAgent() });
  }
  await page.goto(base);
  await page.waitForFunction('window.velmoraReady && document.activeElement.id === "screen"');
  return page;
}

// The touch keys, tapped at 390 x 844, play the game's keys; nothing
// overflows and the whole screen is in view.
async function phone(browser, base, velmora) {
  const page = await openGame(browser, base, true);
  const fits = await page.evaluate(() => {
    const screen = document.getElementById('screen');
    const r = screen.getBoundingClientRect();
    return { overflow: document.documentElement.scrollWidth - innerWidth,
             inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
             width: r.width, view: screen.width,
             aspect: (r.width / r.height) / (screen.width / screen.height) };
  });
  const names = { Space: 32, Up: 38, Down: 40, Left: 37, Right: 39, Enter: 13, Tab: 9 };
  const keys = ['Space', 'Right', 'Down', 'Left', 'Enter', 'Right', 'Right', 'Space', 'Tab', 'Up'];
  for (const key of keys) await page.tap(`#touch-keys button[data-key="${names[key]}"]`);
  const problems = [];
  if (fits.overflow > 0) problems.push(`the page is ${fits.overflow} px wider than the window`);
  if (!fits.inside) problems.push('the screen is not wholly in the window');
  if (fits.width >= fits.view) problems.push(`the screen did not shrink (${fits.width} px)`);
  if (Math.abs(fits.aspect - 1) > 0.01) problems.push('the screen is stretched');
  const want = native(velmora, `key ${keys.join(' ')}\nstate\n`);
  if ((await state(page)) !== want) problems.push('the touch keys gave other records than the desktop');
  if ((await active(page)) !== 'screen') problems.push('tapping took the focus from the screen');
  await page.close();
  return problems;
}

// The help box (\h) at 390 x 844: wholly in the window, its text the help
// text with line breaks added where the box's font needs them, no line
// wrapped again by the browser; Enter closes it and the game has the focus.
async function helpBox(browser, base) {
  const page = await openGame(browser, base, true);
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  await page.evaluate(() => Module.ccall('velmora_run_script', 'number', ['string'],
                                         ['type \\h\nsubmit\n']));
  const box = await page.evaluate(() => {
    const element = document.getElementById('box');
    const text = document.getElementById('box-text');
    const r = element.getBoundingClientRect();
    return { shown: getComputedStyle(element).display !== 'none', text: text.textContent,
             inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
             overflow: element.scrollWidth - element.clientWidth,
             rows: Math.round(text.getBoundingClientRect().height /
                              parseFloat(getComputedStyle(text).lineHeight)) };
  });
  const problems = [];
  if (!box.shown) return ['\\h showed no box'];
  const help = '付属のReadMe_J.txtや、players-guide.htmlを参考にして下さい';
  if (box.text.replace(/\s/g, '') !== help) problems.push(`the box says '${box.text}'`);
  if (!box.inside) problems.push('the box is not wholly in the window');
  if (box.overflow > 0) problems.push(`the box's text is ${box.overflow} px too wide`);
  const lines = box.text.split('\n').length;
  if (box.rows !== lines) problems.push(`${lines} lines show as ${box.rows} rows`);
  if (process.env.VELMORA_BOX_SHOT) await page.screenshot({ path: process.env.VELMORA_BOX_SHOT });
  await page.keyboard.press('Enter');
  const after = await page.evaluate(() => getComputedStyle(document.getElementById('box')).display);
  if (after !== 'none') problems.push('Enter did not close the box');
  if ((await active(page)) !== 'screen') problems.push('the screen lost the focus');
  await page.close();
  return problems;
}

// A large window enlarges the screen by whole pixels (twice the view here).
async function enlarged(browser, base) {
  const page = await openGame(browser, base, false);
  await page.setViewport({ width: 1500, height: 1200 });
  await page.waitForFunction(() => {
    const screen = document.getElementById('screen');
    return screen.getBoundingClientRect().width !== screen.width;
  });
  const [size, view] = await page.evaluate(() => {
    const screen = document.getElementById('screen');
    const r = screen.getBoundingClientRect();
    return [[r.width, r.height], [screen.width, screen.height]];
  });
  await page.close();
  const want = view.map((side) => 2 * side);
  return size[0] === want[0] && size[1] === want[1] ? []
    : [`the screen is ${size.join(' x ')}, not ${want.join(' x ')}`];
}

// While composing the panel names the statement and the cell under the
// cursor; after a statement the live region's newest line is the strip's answer.
async function liveRegion(browser, base, velmora) {
  const page = await openGame(browser, base, false);
  await page.keyboard.press('Space');
  await page.keyboard.press('Enter');
  const run = (s) => page.evaluate((l) => Module.ccall('velmora_run_script', 'number', ['string'], [l]), s);
  // Typing walks the cursor to each character it picks.
  await run('type SELECT * FROM p\n');
  const composing = await page.evaluate(() => document.getElementById('statement').textContent);
  const script = 'type SELECT * FROM party\nsubmit\n';
  await run('type arty\nsubmit\n');
  const status = JSON.parse(native(velmora, `key Space Enter\n${script}state\n`)).status;
  const said = await page.evaluate(() => {
    const lines = document.querySelectorAll('[aria-live="polite"] p');
    return lines.length ? lines[lines.length - 1].textContent : '';
  });
  await page.close();
  const problems = [];
  if (composing !== 'Statement: SELECT * FROM p. The cursor is on "p".')
    problems.push(`while composing the panel says '${composing}'`);
  if (said !== status || status === '') problems.push(`the live region says '${said}', the strip '${status}'`);
  return problems;
}

// One visit, then offline: a reload still starts the game.
async function offline(browser, base) {
  const page = await openGame(browser, base, false);
  await page.waitForFunction('navigator.serviceWorker.controller !== null', { timeout: 10000 });
  // The page and its service worker both lose the network.
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
  await page.close();
  return problems;
}

// Escape leaves the game; the page's buttons keep Enter; Enter on "Back to
// the game" and Shift+Tab both come back; "Close the game" asks first.
async function focus(browser, base) {
  const page = await openGame(browser, base, false);
  const before = await state(page);
  const problems = [];
  const step = async (what, key, want) => {
    await page.keyboard.press(key);
    const got = await active(page);
    if (got !== want) problems.push(`${what}: the focus is on ${got}, not ${want}`);
  };
  await step('Escape', 'Escape', 'play');
  await step('Tab', 'Tab', 'close');
  await page.keyboard.down('Shift');
  await step('Shift+Tab', 'Tab', 'play');
  await page.keyboard.up('Shift');
  await step('Enter on "Back to the game"', 'Enter', 'screen');
  if ((await state(page)) !== before) problems.push('a key for the page reached the game');
  await step('Escape again', 'Escape', 'play');
  await page.keyboard.down('Shift');
  await step('Shift+Tab to the screen', 'Tab', 'screen');
  await page.keyboard.up('Shift');
  await page.click('#close');
  const asked = await page.evaluate(() => document.getElementById('confirm-close').open);
  if (!asked) problems.push('"Close the game" did not ask');
  await page.click('#confirm-keep');
  if ((await active(page)) !== 'screen') problems.push('"Keep playing" did not give the focus back');
  await page.click('#close');
  await page.click('#confirm-end');
  const closed = await page.evaluate(() => getComputedStyle(document.getElementById('closed')).display);
  if (closed === 'none') problems.push('"End the game" did not end it');
  await page.close();
  return problems;
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

// Typed on the keyboard, a statement walks the grid: the same records as
// the desktop's `type` and `submit`; with the page's switch off, letters do
// nothing and Enter is the grid's no-op again.
async function typing(browser, base, velmora) {
  const page = await openGame(browser, base, false);
  const problems = [];
  await page.keyboard.press('KeyA');
  await page.keyboard.press('Enter');
  await page.keyboard.type('SELECT * FROM party', { delay: 5 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => JSON.parse(UTF8ToString(Module._velmora_state())).mode === 0);
  const want = native(velmora, 'key 65 Enter\ntype SELECT * FROM party\nsubmit\nstate\n');
  if ((await state(page)) !== want) problems.push('a typed statement gave other records than type');
  await page.click('#typing');
  await page.click('#screen');
  await page.keyboard.press('Enter');
  await page.keyboard.type('S');
  await page.keyboard.press('Enter');
  const off = JSON.parse(await state(page));
  if (off.mode !== 1 || off.command !== '') problems.push('with typing off, letters or Enter acted');
  await page.close();
  return problems;
}

async function axe(browser, base) {
  const page = await openGame(browser, base, false);
  const found = await axeViolations(page);
  await page.close();
  return Object.entries(found).flatMap(([place, list]) => list.map((v) => `${place}: ${v}`));
}

export async function runPageChecks(browser, base, velmora) {
  const checks = { 'phone with touch keys': phone, 'help box fits': helpBox, 'whole pixels': enlarged,
                   'live region': liveRegion, offline,
                   'focus leaves and returns': focus, guides, typing, 'axe-core': axe };
  let failed = 0;
  for (const [name, check] of Object.entries(checks)) {
    let problems;
    try {
      problems = await check(browser, base, velmora);
    } catch (e) {
      problems = [e.message];
    }
    console.log(`${problems.length ? 'FAIL' : 'ok  '} page: ${name}`);
    for (const p of problems) console.log(`  ${p}`);
    failed += problems.length ? 1 : 0;
  }
  return { passed: Object.keys(checks).length - failed, failed };
}
