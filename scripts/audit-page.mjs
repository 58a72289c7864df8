// The page's public audits: serves a built page on 127.0.0.1 and runs
// Lighthouse on its mobile and desktop presets and axe-core on the title,
// the field and command entry, in Debian's Chromium. Prints the scores and
// the violations, writes the Lighthouse reports (JSON) to OUTDIR, and ends
// with status 1 when a goal is missed: 1.00 for accessibility, best practices
// and SEO, 0.95 for performance, no axe-core violation.
// Usage: node scripts/audit-page.mjs PAGE_DIR OUTDIR
import fs from 'node:fs';
import path from 'node:path';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import puppeteer from 'puppeteer-core';
import { axeViolations, ChromiumArgs, serve } from './page_server.mjs';

const [pageDir, outDir] = process.argv.slice(2);
if (!pageDir || !outDir) {
  console.error('usage: node scripts/audit-page.mjs PAGE_DIR OUTDIR');
  process.exit(2);
}
const Goals = { performance: 0.95, accessibility: 1, 'best-practices': 1, seo: 1 };

async function withBrowser(work) {
  const userDataDir = fs.mkdtempSync(path.join(outDir, 'chromium-'));
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', userDataDir,
                                           headless: true, args: ChromiumArgs });
  try {
    return await work(browser);
  } finally {
    await browser.close();
    fs.rmSync(userDataDir, { recursive: true, force: true });
  }
}

// One Lighthouse run in a browser of its own, so no cache or service worker
// of an earlier run helps it.
async function audit(url, preset) {
  return withBrowser(async (browser) => {
    const port = Number(new URL(browser.wsEndpoint()).port);
    const flags = { port, output: 'json', logLevel: 'error', onlyCategories: Object.keys(Goals) };
    const result = await lighthouse(url, flags, preset === 'desktop' ? desktopConfig : undefined);
    fs.writeFileSync(path.join(outDir, `lighthouse-${preset}.json`), result.report);
    const lhr = result.lhr;
    const failing = Object.values(lhr.audits)
      .filter((a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === 'binary')
      .map((a) => a.id);
    const metrics = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
                     'cumulative-layout-shift', 'speed-index']
      .map((id) => `${id} ${lhr.audits[id]?.displayValue ?? '-'}`);
    return { scores: Object.fromEntries(Object.keys(Goals).map((c) => [c, lhr.categories[c].score])),
             failing, metrics };
  });
}

fs.mkdirSync(outDir, { recursive: true });
const server = await serve(path.resolve(pageDir));
const url = `http://127.0.0.1:${server.address().port}/`;
let missed = 0;
try {
  for (const preset of ['mobile', 'desktop']) {
    const { scores, failing, metrics } = await audit(url, preset);
    for (const [category, score] of Object.entries(scores)) {
      const ok = score >= Goals[category];
      missed += ok ? 0 : 1;
      console.log(`${ok ? 'ok  ' : 'MISS'} lighthouse ${preset} ${category} ${score.toFixed(2)}`);
    }
    console.log(`     ${preset}: ${metrics.join(', ')}`);
    if (failing.length) console.log(`     ${preset} audits below 1: ${failing.join(', ')}`);
  }
  const found = await withBrowser(async (browser) => {
    const page = await browser.newPage();
    await page.goto(url);
    return axeViolations(page);
  });
  for (const [place, list] of Object.entries(found)) {
    missed += list.length ? 1 : 0;
    console.log(`${list.length ? 'MISS' : 'ok  '} axe-core ${place}: ${list.length} violations`);
    for (const v of list) console.log(`     ${v}`);
  }
} finally {
  server.close();
}
process.exit(missed ? 1 : 0);
