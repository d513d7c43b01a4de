// Times the coach in the page's WebAssembly under Node, with no install:
// the probe module (coach_probe.cpp) instantiated with a stub for every
// import (none is called), then the tables built once and one deal's 32
// holds advised, for deals of both decks; the memory the module holds
// before and after the tables.  Measured, never asserted.
//   node bench/odds/coach_wasm.mjs coach_probe.wasm [page.wasm]
import { readFileSync, statSync } from 'node:fs';
import { performance } from 'node:perf_hooks';

const [probePath, pagePath] = process.argv.slice(2);
const module = await WebAssembly.compile(readFileSync(probePath));
const imports = {};
for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
  if (kind !== 'function') throw new Error(`import ${from}.${name} is a ${kind}`);
  (imports[from] ??= {})[name] = () => { throw new Error(`${from}.${name} called`); };
}
const { exports } = await WebAssembly.instantiate(module, imports);
const memory = () => exports.memory.buffer.byteLength;
const mib = (bytes) => (bytes / 1048576).toFixed(1);

if (pagePath) {
  const probe = statSync(probePath).size;
  const page = statSync(pagePath).size;
  console.log(`size: ${probe} bytes with the coach, ${page} without: ${probe - page} bytes added`);
}

// Processor time beside the time on the clock: a loaded machine stretches
// the one and not the other.
const cpuMs = (since) => {
  const { user, system } = process.cpuUsage(since);
  return (user + system) / 1000;
};
const before = memory();
let start = performance.now();
let cpu = process.cpuUsage();
exports.coach_build_tables();
console.log(`tables: ${(performance.now() - start).toFixed(0)} ms (${cpuMs(cpu).toFixed(0)} ms of ` +
            `processor time); memory ${mib(before)} MiB before, ${mib(memory())} MiB after`);

// Deals of the generator the game uses, distinct cards of each deck.
let state = 12345;
const next = () => {
  state = (Math.imul(state, 214013) + 2531011) >>> 0;
  return (state >>> 16) & 0x7fff;
};
const text = (at) => {
  const bytes = new Uint8Array(exports.memory.buffer, at);
  return new TextDecoder().decode(bytes.subarray(0, bytes.indexOf(0)));
};
const dealsOf = (deck) => {
  const deals = [];
  for (let d = 0; d < 1000; ++d) {
    const cards = [];
    while (cards.length < 5) {
      const card = next() % deck;
      if (!cards.includes(card)) cards.push(card);
    }
    deals.push(cards);
  }
  return deals;
};
const decks = { 53: dealsOf(53), 52: dealsOf(52) };
const us = (ms) => `${(ms * 1000).toFixed(0)} us`;
// The very first deal pays for compiling the code on its way; then one
// round of both decks to warm up, and one timed.
start = performance.now();
exports.coach_advise(53, ...decks[53][0]);
console.log(`the first deal after the tables: ${us(performance.now() - start)}`);
for (const round of ['warm-up', 'timed']) {
  for (const deck of [53, 52]) {
    const times = [];
    cpu = process.cpuUsage();
    for (const cards of decks[deck]) {
      start = performance.now();
      if (exports.coach_advise(deck, ...cards) < 1) throw new Error(`refused ${cards}`);
      times.push(performance.now() - start);
    }
    const cpuEach = cpuMs(cpu) / times.length;
    if (round !== 'timed') continue;
    times.sort((a, b) => a - b);
    console.log(`one deal's 32 holds, ${deck} cards, ${times.length} deals: ` +
                `median ${us(times[times.length >> 1])}, 99th ${us(times[times.length * 0.99 | 0])}, ` +
                `slowest ${us(times[times.length - 1])}; processor time ${us(cpuEach)} a deal`);
  }
}

// One deal read out whole, to check against quorvel-odds --deck 53 hold 4D KH 10C 8S 6C.
const line = exports.coach_advise(53, 16, 38, 9, 46, 5);
const best = new Float64Array(exports.memory.buffer, exports.coach_hold(0), 4);
const [bestPay, bestDraws] = [best[1], best[2]];
const chart = new Float64Array(exports.memory.buffer, exports.coach_chart(), 3);
console.log(`4D KH 10C 8S 6C: best ${bestPay}/${bestDraws}; chart line ${line} "${text(exports.coach_chart_text())}", ` +
            `place ${chart[0]}, costs ${chart[1]}/${chart[2]} = ${(chart[1] / chart[2]).toFixed(9)} per coin`);
