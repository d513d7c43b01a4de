// Measures the browser edition in headless chromium (measured, never
// asserted): the bytes the page loads before its first frame and the whole
// page's size, the time to the first frame and to the first deal, and the
// intervals between the deal's ticks with normal and with fast dealing.
// Goals, reported only: the whole page at most 400 KB, the first frame
// within 300 ms.
//   node bench/web/page_load.mjs [RUNS]      (QUORVEL_WEB_PAGE: build/web)
import { readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';
import * as L from '../../tests/web/lib.mjs';

const runs = Number(process.argv[2] || 5);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;

function folderBytes(dir) {
  let sum = 0;
  for (const name of readdirSync(dir)) {
    const f = join(dir, name);
    const s = statSync(f);
    sum += s.isDirectory() ? folderBytes(f) : s.size;
  }
  return sum;
}

// In the page: when the body is marked ready (the first paint is done) and
// when each card's picture changes.
function watch() {
  const w = /** @type {any} */ (window);
  w.benchCards = [];
  new MutationObserver((records) => {
    for (const r of records) {
      if (r.attributeName === 'class' && document.body.classList.contains('ready') && !w.benchReady) {
        w.benchReady = performance.now();
        requestAnimationFrame(() => { w.benchFrame = performance.now(); });
      }
      if (r.attributeName === 'data-picture') w.benchCards.push([performance.now(), r.target.getAttribute('data-picture')]);
    }
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['class', 'data-picture'] });
}

const suite = await L.startSuite();
const work = L.workFolder('bench-web');
const result = { frame: [], ready: [], deal: [], bytes: [], requests: [], ticks: { normal: [], fast: [] } };
try {
  for (let i = 0; i < runs; ++i) {
    for (const fast of ['0', '1']) {
      const p = await L.openPage(suite, work, { init: watch, settings: { FastDeal: fast }, wait: false });
      const loaded = [];
      p.page.on('requestfinished', async (request) => {
        const at = request.timing().responseEnd + request.timing().startTime;
        const sizes = await request.sizes().catch(() => null);
        loaded.push({ at, url: request.url(), bytes: sizes ? sizes.responseBodySize + sizes.responseHeadersSize : 0 });
      });
      await L.goto(p.page, suite.server.url);
      const marks = await p.page.evaluate(() => {
        const w = /** @type {any} */ (window);
        return { ready: w.benchReady, frame: w.benchFrame, start: performance.timeOrigin };
      });
      // The first deal: a coin and a deal as soon as the game takes them.
      const asked = await p.page.evaluate(() => performance.now());
      await p.page.keyboard.press('c');
      await p.page.keyboard.press('d');
      await L.dealt(p.page, 20000);
      const cards = await p.page.evaluate(() => /** @type {any} */ (window).benchCards);
      const faces = cards.filter(([, name]) => !/^Back/.test(name)).map(([t]) => t);
      const ticks = faces.slice(1).map((t, k) => t - faces[k]);
      result.ticks[fast === '1' ? 'fast' : 'normal'].push(...ticks);
      if (fast === '0') {
        result.ready.push(marks.ready);
        result.frame.push(marks.frame);
        result.deal.push(faces[faces.length - 1] - asked);
        const firstFrameAt = marks.start + marks.frame;
        await L.sleep(200);
        const before = loaded.filter((l) => l.at <= firstFrameAt);
        result.bytes.push(before.reduce((s, l) => s + l.bytes, 0));
        result.requests.push(before.length);
      }
      p.check();
      await p.close();
    }
  }
} finally {
  await suite.stop();
}
const whole = folderBytes(L.pageDir);
const frame = median(result.frame);
console.log(`runs: ${runs} (medians; chromium headless, one device pixel a CSS pixel)`);
console.log(`whole page (every file the service worker keeps): ${kb(whole)}  goal at most 400 KB: ${whole <= 400 * 1024 ? 'met' : 'missed'}`);
console.log(`loaded before the first frame: ${kb(median(result.bytes))} in ${median(result.requests)} requests`);
console.log(`first frame: ${frame.toFixed(0)} ms after navigation (first paint done ${median(result.ready).toFixed(0)} ms)  goal within 300 ms: ${frame <= 300 ? 'met' : 'missed'}`);
console.log(`first deal: the five faces ${median(result.deal).toFixed(0)} ms after the coin and deal keys (normal dealing)`);
const tickLine = (xs) => `median ${median(xs).toFixed(1)} ms, min ${Math.min(...xs).toFixed(1)}, max ${Math.max(...xs).toFixed(1)} (${xs.length} intervals)`;
console.log(`deal ticks, normal (timer 6 at 320 ms): ${tickLine(result.ticks.normal)}`);
console.log(`deal ticks, FastDeal (timer 6 at 80 ms): ${tickLine(result.ticks.fast)}`);
