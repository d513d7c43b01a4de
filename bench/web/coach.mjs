// Measures the coach in the page (measured, never asserted): the time its
// tables take when the player switches it on, and one deal's 32 holds with
// the chart's line for each deck, in headless chromium, with the native
// analyser's time for the same entry beside it (bench_odds, AdviseDeal).
// Goal, reported only: one deal within 50 ms in the page.
//   node bench/web/coach.mjs [DEALS]   (QUORVEL_WEB_PAGE: build/web,
//                                       QUORVEL_BENCH_ODDS: build/bench/odds/bench_odds)
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import * as L from '../../tests/web/lib.mjs';

const count = Number(process.argv[2] || 2000);
const benchOdds = process.env.QUORVEL_BENCH_ODDS || join(L.source, 'build/bench/odds/bench_odds');
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const suite = await L.startSuite();
let page;
try {
  const p = await L.openPage(suite, L.workFolder('bench-coach'));
  page = await p.page.evaluate((count) => {
    const ex = /** @type {any} */ (window).quorvel.machine.exports;
    const t0 = performance.now();
    ex.quorvel_coach_prepare();
    const tables = performance.now() - t0;
    // The same deals every run: a fixed linear congruential walk.
    let s = 12345;
    const next = (n) => {
      s = (Math.imul(s, 1103515245) + 12345) >>> 0;
      return (s >>> 8) % n;
    };
    const decks = {};
    for (const deck of [53, 52]) {
      const times = [];
      for (let k = 0; k < count; ++k) {
        const cards = [];
        while (cards.length < 5) {
          const c = next(deck);
          if (!cards.includes(c)) cards.push(c);
        }
        const t = performance.now();
        ex.quorvel_coach_advise_cards(deck, ...cards);
        times.push(performance.now() - t);
      }
      decks[deck] = { total: times.reduce((a, b) => a + b, 0), max: Math.max(...times) };
    }
    return { tables, decks };
  }, count);
  p.check();
  await p.close();
} finally {
  await suite.stop();
}

// The native entry, as bench_odds times it (one thread).
let native = {};
try {
  const out = execFileSync(benchOdds, ['--benchmark_filter=^BM_AdviseDeal/', '--benchmark_format=json'],
    { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  for (const b of JSON.parse(out).benchmarks) {
    const deck = b.name.match(/deck:(\d+)/)[1];
    const scale = { ns: 1e-3, us: 1, ms: 1e3 }[b.time_unit];
    native[deck] = b.real_time * scale;
  }
} catch (e) {
  native = null;
  console.log(`native: ${benchOdds} did not run (${e.message.split('\n')[0]})`);
}

console.log(`coach in chromium headless, ${count} deals a deck`);
console.log(`count tables when the coach is switched on: ${page.tables.toFixed(0)} ms`);
for (const deck of ['53', '52']) {
  const d = page.decks[deck];
  const mean = (d.total / count) * 1000;
  const beside = native ? `, native ${native[deck].toFixed(1)} µs` : '';
  console.log(`one deal, ${deck} cards: ${mean.toFixed(1)} µs on average, slowest ${d.max.toFixed(2)} ms${beside}  ` +
    `goal within 50 ms: ${d.max <= 50 ? 'met' : 'missed'}`);
}
