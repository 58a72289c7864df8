// Figures of the web page in headless Chromium: page load to the title on
// screen (median of LOADS fresh loads), one key press to its presented frame
// (median of 500 arrow keys in the field, timed in the page around the
// key-down's dispatch, which draws and puts the frame synchronously), and the
// sizes of the three files, plain and gzipped.
// Usage: node bench/web/measure_page.mjs PAGE_DIR
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const root = path.resolve(process.argv[2]);
const Loads = 15;
const Keys = 500;
const Types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.css': 'text/css' };

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const percentile = (xs, p) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length * p)];

const server = http.createServer((req, res) => {
  const file = path.join(root, req.url === '/' ? 'index.html' : path.normalize(req.url));
  if (!file.startsWith(root) || !fs.existsSync(file)) return res.writeHead(404).end();
  res.writeHead(200, { 'Content-Type': Types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(res);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}/`;
const userDataDir = fs.mkdtempSync('/tmp/velmora-bench-');
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', userDataDir, headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
try {
  const loads = [];
  for (let i = 0; i < Loads; ++i) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(base);
    loads.push(await page.waitForFunction('window.velmoraReady').then((h) => h.jsonValue()));
    await page.close();
  }
  const page = await browser.newPage();
  await page.goto(base);
  await page.waitForFunction('window.velmoraReady');
  await page.keyboard.press('Space'); // title -> field
  const keys = await page.evaluate((count) => {
    const codes = ['ArrowRight', 'ArrowLeft', 'ArrowDown', 'ArrowUp'];
    const screen = document.getElementById('screen'); // the game takes keys from there alone
    const times = [];
    for (let i = 0; i < count; ++i) {
      const code = codes[i % 4];
      const t0 = performance.now();
      screen.dispatchEvent(new KeyboardEvent('keydown', { code, key: code, bubbles: true }));
      times.push(performance.now() - t0);
    }
    return times;
  }, Keys);
  console.log(`page load to title: median ${median(loads).toFixed(0)} ms (min ${Math.min(...loads).toFixed(0)}, max ${Math.max(...loads).toFixed(0)}, ${Loads} loads)`);
  console.log(`key press to presented frame: median ${median(keys).toFixed(3)} ms, 95th percentile ${percentile(keys, 0.95).toFixed(3)} ms (${Keys} keys)`);
  let plain = 0;
  let gzip = 0;
  for (const name of ['index.html', 'velmora.js', 'velmora.wasm']) {
    const bytes = fs.readFileSync(path.join(root, name));
    const packed = zlib.gzipSync(bytes, { level: 9 }).length;
    plain += bytes.length;
    gzip += packed;
    console.log(`${name}: ${bytes.length} bytes, gzip -9 ${packed} bytes`);
  }
  console.log(`the three files: ${plain} bytes, gzip -9 ${gzip} bytes`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(userDataDir, { recursive: true, force: true });
}
