// A static web server for the built page on 127.0.0.1, with the types a
// browser needs to compile the program while it downloads, and the page's
// accessibility check (axe-core) on the title, the field and command entry,
// shared by scripts/audit-page.mjs and the browser test (tests/web/).
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { AxePuppeteer } from '@axe-core/puppeteer';

const Types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
                '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm',
                '.webmanifest': 'application/manifest+json', '.png': 'image/png',
                '.md': 'text/plain; charset=utf-8', '.txt': 'text/plain; charset=utf-8' };

export function serve(root) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(root, name.endsWith('/') ? `${name}index.html` : name);
    if (!file.startsWith(root) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
      return;
    }
    res.writeHead(200, { 'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
                         'Cache-Control': 'no-cache' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// Chromium as the tests and audits start it: Debian's, never a download.
export const ChromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Returns axe-core's violations in each of the game's three places, as
// { place: [ 'rule-id: nodes' ] }. `page` is a fresh page at the game.
export async function axeViolations(page) {
  const found = {};
  const look = async (place) => {
    const result = await new AxePuppeteer(page).analyze();
    found[place] = result.violations.map((v) =>
      `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  };
  await page.waitForFunction('window.velmoraReady');
  await look('title');
  await page.focus('#screen');
  await page.keyboard.press('Space');
  await look('field');
  await page.keyboard.press('Enter');
  await look('command entry');
  return found;
}

// Makes the first page `page` opens start with no kept game (an earlier
// tab's game stays in the browser's storage); a reload keeps its own.
export function forgetKeptGame(page) {
  return page.evaluateOnNewDocument(() => {
    if (sessionStorage.getItem('velmora-test-tab')) return;
    sessionStorage.setItem('velmora-test-tab', '1');
    localStorage.removeItem('velmora-keys');
    localStorage.removeItem('velmora-worlds');
    localStorage.removeItem('velmora-worlds-copies');
  });
}
