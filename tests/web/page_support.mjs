// What the browser test's checks share: a page at the game, its records, and
// the desktop program's answer to the same keys.
import { execFileSync } from 'node:child_process';
import { forgetKeptGame } from '../../scripts/page_server.mjs';

// The longest any one wait may take: a page or a program that does not
// answer fails its check instead of holding the test up.
export const WaitLimit = 20000;
export const ProgramRun = { timeout: WaitLimit, killSignal: 'SIGKILL' };

// A new page at `address` (with no game kept by an earlier tab), the game
// started and holding the focus; phone: 390 x 844 with touch. page.errors
// gathers the page's uncaught errors, which closeGame adds to the problems.
export async function openGame(browser, address, phone = false) {
  const page = await browser.newPage();
  page.setDefaultTimeout(WaitLimit);
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  if (phone) {
    await page.emulate({ viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
                                     hasTouch: true }, userAgent: await browser.userAgent() });
  }
  await forgetKeptGame(page);
  await page.goto(address);
  await page.waitForFunction('window.velmoraReady && document.activeElement.id === "screen"');
  return page;
}

export async function closeGame(page, problems) {
  problems.push(...page.errors.map((e) => `page error: ${e}`));
  await page.close();
  return problems;
}

export const state = (page) => page.evaluate(() => UTF8ToString(Module._velmora_state()));

// The last line the desktop prints for `args`: by default the last state
// line of the headless game of `script`.
export function desktop(velmora, script, args = ['--headless', '-']) {
  const out = execFileSync(velmora, args, { input: script, encoding: 'utf8', ...ProgramRun }).trim();
  return out.slice(out.lastIndexOf('\n') + 1);
}
