// The coach at the page's table: its figures are the odds analyser's own
// (quorvel-odds hold --json, the native program, on the same five cards),
// and what the player sees of them on a deal where the chart's hold is the
// best, on one where it is not, and on one with a tie for the best.
import { execFile } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import * as L from './lib.mjs';

const odds = process.env.QUORVEL_ODDS || `${L.source}/build/odds/quorvel-odds`;
let suite;
before(async () => { suite = await L.startSuite(); });
after(async () => suite && suite.stop());

/** `count` deals of the deck: five different cards, the joker (52) in a third of the 53-card ones. */
function deals(deck, count, random) {
  const all = [];
  for (let k = 0; k < count; ++k) {
    const cards = deck === 53 && k % 3 === 0 ? [52] : [];
    while (cards.length < 5) {
      const c = random(deck);
      if (!cards.includes(c)) cards.push(c);
    }
    // The joker anywhere in the deal, not only first.
    cards.push(cards.splice(random(5), 1)[0]);
    all.push(cards);
  }
  return all;
}

/** What the page's core advises on each deal: every hold and the chart's line. */
function adviseInPage(page, deck, list) {
  return page.evaluate(({ deck, list }) => {
    const q = /** @type {any} */ (window).quorvel;
    const ex = q.machine.exports;
    const text = (at) => q.machine.text(at);
    ex.quorvel_coach_prepare();
    return list.map((cards) => {
      if (!ex.quorvel_coach_advise_cards(deck, ...cards)) return null;
      const holds = [];
      for (let p = 0; p < 32; ++p) {
        holds.push({ mask: ex.quorvel_coach_mask(p), cards: text(ex.quorvel_coach_cards(p)),
          value: ex.quorvel_coach_value_number(p), exact: text(ex.quorvel_coach_exact(p)),
          paying: Number(text(ex.quorvel_coach_paying(p, 12))) / 100 });
      }
      const chart = ex.quorvel_coach_chart_place();
      return { deal: text(ex.quorvel_coach_cards(ex.quorvel_coach_place_of_mask(31))), holds,
        chart: { line: ex.quorvel_coach_chart_line(), text: text(ex.quorvel_coach_chart_text()),
          cards: text(ex.quorvel_coach_cards(chart)), loss: Number(text(ex.quorvel_coach_cost(0, chart, 15))) } };
    });
  }, { deck, list });
}

function analyser(deck, deal) {
  return new Promise((resolve, reject) => {
    execFile(odds, ['--deck', String(deck), '--json', 'hold', ...deal.split(' ')], { timeout: 30000 },
      (error, stdout) => (error ? reject(error) : resolve(JSON.parse(stdout))));
  });
}

/** Runs fn over items, two at a time (the machine's two cores). */
async function twoAtATime(items, fn) {
  const results = new Array(items.length);
  let next = 0;
  const worker = async () => {
    while (next < items.length) {
      const k = next++;
      results[k] = await fn(items[k], k);
    }
  };
  await Promise.all([worker(), worker()]);
  return results;
}

const gcd = (a, b) => (b ? gcd(b, a % b) : a);
const close = (a, b) => Math.abs(a - b) <= 1e-12 * Math.max(1, Math.abs(b));

test('the coach\'s figures are the analyser\'s for 300 seeded deals of both decks', { timeout: 480000 }, async () => {
  const work = L.workFolder('coach-figures');
  const p = await L.openPage(suite, work);
  try {
    const random = L.generator(20261209);
    for (const deck of [53, 52]) {
      const list = deals(deck, 150, random);
      const page = await adviseInPage(p.page, deck, list);
      await twoAtATime(page, async (advice, k) => {
        const where = `deck ${deck}, deal ${list[k]}`;
        assert.ok(advice, `the page advised on ${where}`);
        const json = await analyser(deck, advice.deal);
        assert.equal(json.deal.join(' '), advice.deal, where);
        assert.equal(json.holds.length, 32, where);
        json.holds.forEach((h, i) => {
          const mine = advice.holds[i];
          const at = `${where}, hold ${i + 1}`;
          assert.equal(mine.mask === 0 ? '' : mine.cards, h.held.join(' '), at);
          assert.equal(mine.value, h.return, at);
          const d = gcd(h.pay, h.draws) || 1;
          assert.equal(mine.exact, `${h.pay / d}/${h.draws / d}`, at);
          assert.ok(close(mine.paying, h.hit_probability), `${at}: paying ${mine.paying} against ${h.hit_probability}`);
        });
        assert.equal(advice.chart.line, json.chart.line, where);
        assert.equal(advice.chart.text, json.chart.text, where);
        assert.equal(advice.chart.cards, json.chart.hold, where);
        assert.ok(close(advice.chart.loss, json.chart.loss), `${where}: loss ${advice.chart.loss} against ${json.chart.loss}`);
      });
    }
    p.check();
  } finally {
    await p.close();
  }
});

/** The coach's window and marks as the player sees them. */
function coachSeen(page) {
  return page.evaluate(() => {
    const win = document.querySelector('.window.coach');
    const line = (name) => win.querySelector(`.coach-value.${name}`).textContent;
    return {
      lines: Object.fromEntries(['yours', 'best', 'chart', 'cost', 'last', 'tally'].map((n) => [n, line(n)])),
      marks: [...document.querySelectorAll('.coach-mark')].map((m) => (/** @type {HTMLElement} */ (m).hidden ? [] :
        [...m.classList].filter((c) => c !== 'coach-mark'))),
    };
  });
}

/** The core's advice on the table's deal: masks, figures and texts. */
function tableAdvice(page) {
  return page.evaluate(() => {
    const q = /** @type {any} */ (window).quorvel;
    const ex = q.machine.exports;
    const text = (at) => q.machine.text(at);
    const chart = ex.quorvel_coach_chart_place();
    return { chart, best: ex.quorvel_coach_mask(0), chartMask: ex.quorvel_coach_mask(chart),
      values: [...Array(32).keys()].map((p) => text(ex.quorvel_coach_value(p, 6))),
      cards: [...Array(32).keys()].map((p) => text(ex.quorvel_coach_cards(p))),
      cost: text(ex.quorvel_coach_cost(0, chart, 6)), placeOfMask: [...Array(32).keys()].map((m) => ex.quorvel_coach_place_of_mask(m)) };
  });
}

const bitsOf = (mask) => [0, 1, 2, 3, 4].filter((i) => mask & (1 << i));

/**
 * Deals with the coach on; checks the marks and the lines, then sets the
 * hold pick(advice) names card by card, each shown at once, and draws.
 */
async function dealAndFollow(page, work, name, pick, practice = false) {
  await L.button(page, L.COMMAND.coin).click();
  await L.button(page, L.COMMAND.deal).click();
  await L.dealt(page);
  const advice = await tableAdvice(page);
  let seen = await coachSeen(page);
  await L.shot(page, work, `${name}-dealt`);
  seen.marks.forEach((classes, i) => {
    assert.equal(classes.includes('best'), !practice && !!(advice.best & (1 << i)), `best mark on card ${i + 1}`);
    assert.equal(classes.includes('chart'), !practice && !!(advice.chartMask & (1 << i)), `chart mark on card ${i + 1}`);
  });
  assert.equal(seen.lines.best.includes(advice.values[0]), !practice, seen.lines.best);
  assert.equal(seen.lines.chart.includes(advice.cards[advice.chart]), !practice, seen.lines.chart);
  // Each hold set shows its value at once, to more than four decimals.
  let mask = 0;
  for (const slot of bitsOf(pick(advice))) {
    await L.card(page, slot).click();
    mask |= 1 << slot;
    seen = await coachSeen(page);
    const value = advice.values[advice.placeOfMask[mask]];
    assert.match(value, /\.\d{4,}$/);
    assert.ok(seen.lines.yours.startsWith(value), `after holding card ${slot + 1}: ${seen.lines.yours} shows ${value}`);
  }
  await L.shot(page, work, `${name}-held`);
  await L.button(page, L.COMMAND.deal).click();
  await L.dealt(page);
  await L.until(page, () => document.querySelector('.coach-value.last').textContent !== '');
  seen = await coachSeen(page);
  await L.shot(page, work, `${name}-drawn`);
  assert.ok(seen.marks.every((m) => m.length === 0), 'no marks once the cards are drawn');
  return { advice, seen };
}

describe('the coach seen at the table', () => {
  test('a deal whose chart hold is the best: one mark of both, played, and the tally counts it twice', { timeout: 60000 }, async () => {
    const work = L.workFolder('coach-same');
    // This second deals a hand whose chart hold is the best.
    const p = await L.openPage(suite, work, { clock: 1700000000, settings: { FastDeal: '1', Coach: '1' } });
    try {
      const { advice, seen } = await dealAndFollow(p.page, work, 'same', (a) => a.best);
      assert.equal(advice.chart, 0, 'the chart\'s hold is the best on this deal');
      assert.ok(seen.lines.last.includes(advice.cards[0]), seen.lines.last);
      assert.match(seen.lines.tally, /^1 hands, best hold 1, chart's hold 1, given up 0\.0000 coins$/);
      p.check();
    } finally {
      await p.close();
    }
  });

  test('a deal whose chart hold is not the best: the marks apart, the chart\'s hold played costs what the line said', { timeout: 60000 }, async () => {
    const work = L.workFolder('coach-differs');
    // This second deals a hand whose chart hold falls short of the best.
    const p = await L.openPage(suite, work, { clock: 1700000016, settings: { FastDeal: '1', Coach: '1' } });
    try {
      const { advice, seen } = await dealAndFollow(p.page, work, 'differs', (a) => a.chartMask);
      assert.notEqual(advice.chart, 0, 'the chart\'s hold is not the best on this deal');
      assert.notEqual(advice.best, advice.chartMask);
      assert.ok(seen.lines.last.includes(advice.cost) && seen.lines.last.includes(advice.cards[0]), seen.lines.last);
      assert.match(seen.lines.tally, /^1 hands, best hold 0, chart's hold 1, given up 0\.\d{4} coins$/);
      assert.equal(Number(seen.lines.tally.match(/given up ([\d.]+)/)[1]), Number(Number(advice.cost).toFixed(4)));
      p.check();
    } finally {
      await p.close();
    }
  });

  test('a hold exactly as good as the best but not the first: told and counted as a best hold', { timeout: 60000 }, async () => {
    const work = L.workFolder('coach-tie');
    // This second deals 6S 7S 9C 7C 8D: the straight draw kept with either seven is worth the same.
    const p = await L.openPage(suite, work, { clock: 1700000159, settings: { FastDeal: '1', Coach: '1' } });
    try {
      const second = (a) => a.placeOfMask.indexOf(1);
      const { advice, seen } = await dealAndFollow(p.page, work, 'tie', second);
      assert.equal(advice.values[1], advice.values[0], 'the second hold is worth the best\'s');
      assert.equal(seen.lines.last, `You played the best hold, ${advice.cards[1]}.`);
      assert.match(seen.lines.tally, /^1 hands, best hold 1, chart's hold 0, given up 0\.0000 coins$/);
      p.check();
    } finally {
      await p.close();
    }
  });

  test('practice: no marks and no best hold until the draw, then the best hold named', { timeout: 60000 }, async () => {
    const work = L.workFolder('coach-practice');
    const p = await L.openPage(suite, work, { clock: 1700000016, settings: { FastDeal: '1', Coach: '1', CoachPractice: '1' } });
    try {
      const { advice, seen } = await dealAndFollow(p.page, work, 'practice', () => 0, true);
      assert.ok(seen.lines.last.includes(advice.cards[0]), seen.lines.last);
      p.check();
    } finally {
      await p.close();
    }
  });
});

/** The native analyser's answer, parsed. */
function oddsJson(args) {
  return new Promise((ok, fail) => execFile(odds, args, { timeout: 60000 }, (err, out) => (err ? fail(err) : ok(JSON.parse(out)))));
}

test('a session with a mistake: why, the review, the drill, the exports, kept across a reload; a broken history dropped',
  { timeout: 120000 }, async () => {
    const work = L.workFolder('coach-trainer');
    // This second deals a hand whose chart hold falls short of the best: played, it is a mistake.
    const p = await L.openPage(suite, work, { clock: 1700000016, acceptDownloads: true,
      settings: { FastDeal: '1', Coach: '1', CardBack: '7' } });
    const page = p.page;
    const ex = (name, ...args) => page.evaluate(([n, a]) => {
      const q = /** @type {any} */ (window).quorvel;
      const v = q.machine.exports[n](...a);
      return /^quorvel_(card_short|coach_grade_name)/.test(n) ? q.machine.text(v) : v;
    }, [name, args]);
    const coachButton = (name) => page.locator('.window.coach .push-button', { hasText: name });
    try {
      await dealAndFollow(page, work, 'trainer', (a) => a.chartMask);
      const stored = () => page.evaluate(() => JSON.parse(localStorage.getItem('CoachHistory') || 'null'));
      const [hand] = (await stored()).hands;
      assert.notEqual(hand.grade, 0, 'the chart\'s hold here is a mistake');
      const grade = await ex('quorvel_coach_grade_name', hand.grade);
      assert.match((await coachSeen(page)).lines.last, new RegExp(`\\(${grade}\\)`));
      const short = [];
      for (const c of hand.deal) short.push(await ex('quorvel_card_short', c));

      // The bankroll's risk shown is the native analyser's for these credits and coins.
      const credits = L.creditsOf(await L.table(page));
      const [session] = (await oddsJson(['--deck', String(hand.deck), '--credits', String(credits), '--coins',
        String(hand.coins), '--hands', '100,1000', '--json', 'risk'])).sessions;
      const risk = await page.evaluate(() => ['risk', 'riskChart', 'needs'].map((n) =>
        document.querySelector(`.window.coach .coach-value.${n}`).textContent));
      session.plays.forEach((play, i) => {
        for (const b of play.bust_within) assert.ok(risk[i].includes(b.text), `${risk[i]} shows ${b.text}`);
        assert.ok(risk[i].includes(play.expected_hands_text), `${risk[i]} shows ${play.expected_hands_text}`);
        assert.ok(risk[2].includes(play.credits_for_target.toLocaleString('en')), risk[2]);
      });

      // Why: every final hand's count is the native analyser's, for both holds.
      await coachButton('Why').click();
      await L.topModal(page);
      await page.getByRole('checkbox', { name: 'Exact fractions' }).check();
      const rows = await page.locator('.trainer .coach-list').first().locator('tr')
        .evaluateAll((trs) => trs.map((tr) => [...tr.children].map((c) => c.textContent)));
      const held = short.filter((_, i) => hand.held & (1 << i)).join(',');
      const native = await oddsJson(['--deck', String(hand.deck), '--held', held, '--coins', String(hand.coins), '--json', 'hold', ...short]);
      native.best_hold.hands.forEach((b, i) => {
        const row = rows.find((r) => r[0] === b.name);
        assert.deepEqual(row, [b.name, native.held_hold.hands[i].fraction, b.fraction]);
      });
      await L.shot(page, work, 'why');
      await page.keyboard.press('Escape');
      await L.noModal(page);

      // The review: the one mistake, its cost and grade; both exports.
      await coachButton('Review').click();
      await L.topModal(page);
      const listed = await page.locator('.trainer .coach-list tr').allTextContents();
      assert.equal(listed.length, 2, `a header and the mistake: ${listed}`);
      assert.ok(listed[1].includes(hand.cost) && listed[1].endsWith(grade), listed[1]);
      await L.shot(page, work, 'review');
      const saved = async (key) => {
        const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press(key)]);
        return readFileSync(await download.path(), 'utf8');
      };
      const csv = (await saved('c')).trim().split('\n');
      assert.equal(csv.length, 2, 'a header and one hand');
      assert.ok(csv[1].includes(short.join(' ')) && csv[1].endsWith(`,${hand.cost},${grade}`), csv[1]);
      assert.deepEqual(JSON.parse(await saved('j')).hands, [hand]);

      // The drill: the same hold given again costs the same, graded alike,
      // and the machine's credits and cards stay as they were.
      const before = await L.table(page);
      await page.keyboard.press('d');
      for (let i = 0; i < 5; ++i) if (hand.held & (1 << i)) await page.locator('.drill-card').nth(i).click();
      await coachButton('Check').click();
      const answer = await page.locator('.drill-answer').textContent();
      assert.ok(answer.includes(`${hand.cost} coins given up (${grade})`), answer);
      await L.shot(page, work, 'drill');
      await coachButton('End Drill').click();
      assert.deepEqual(await L.table(page), before, 'the machine untouched by the drill');

      // Kept across a reload; a broken history is dropped with a notice, the settings kept.
      await L.goto(page, page.url());
      assert.deepEqual((await stored()).hands, [hand]);
      await page.evaluate(() => localStorage.setItem('CoachHistory', '{"version":1,"hands":[{"deal":"edited"}]}'));
      await L.goto(page, page.url());
      assert.match((await coachSeen(page)).lines.last, /could not be read/);
      assert.deepEqual((await stored()).hands, []);
      assert.equal(await page.evaluate(() => localStorage.getItem('CardBack')), '7');
      p.check();
    } finally {
      await p.close();
    }
  });
