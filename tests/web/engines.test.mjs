// The suite's main scenarios in Firefox and in WebKit, each engine driven
// through the one interface of engines.mjs: a game by clicks and one by
// keys with the payout read back against the core, a menu's dialog and the
// accelerator's dialog opened and closed, settings kept across a reload, a
// reload with the server gone, and with Sound on a sound at the first click
// and a wave played to its end that lets the game go on.  An engine that is
// not installed skips with the reason.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import * as L from './lib.mjs';
import * as E from './engines.mjs';

const ids = L.resourceIds();
// The page's generated enums, imported by their text (Node 18 reads a bare
// .js in a folder without package.json as CommonJS).
const pageIds = await import(`data:text/javascript;base64,${
  Buffer.from(readFileSync(join(L.pageDir, 'ids.js'), 'utf8')).toString('base64')}`);
const { strings, dialogs } = await L.resources();

const FAST = { FastDeal: '1' };
// A fixed clock, so that every run deals alike; rounds with the best hold
// go on one second later each until one pays.
const SECOND = 1700000000;

/** Fresh storage, `settings` put in before the page starts, and the page started. */
async function fresh(tab, url, settings = {}) {
  await tab.open(url);
  await E.started(tab);
  // Written after the page's own saves as it goes (on pagehide and on
  // becoming hidden).
  await tab.evaluate((entries) => window.addEventListener('unload', () => {
    localStorage.clear();
    for (const [k, v] of entries) localStorage.setItem(k, v);
  }), Object.entries(settings));
  await tab.reload();
  await E.started(tab);
  assert.deepEqual(await stored(tab), Object.fromEntries(Object.entries(settings)), 'the settings put in');
}

/** What the player reads on the table, and what the core holds. */
const table = (tab) => tab.evaluate(() => {
  const text = (s) => document.querySelector(s)?.textContent ?? '';
  const ex = /** @type {any} */ (window).quorvel.machine.exports;
  return {
    credits: Number((text('.readout.credits').match(/\d+/) || ['NaN'])[0]),
    message: text('.message-line .message-text'),
    captions: [...document.querySelectorAll('.client .table-button')].slice(0, 5).map((b) => b.textContent),
    pictures: [...document.querySelectorAll('.client .card')].map((c) => c.getAttribute('data-picture')),
    cards: [0, 1, 2, 3, 4].map((i) => ex.quorvel_slot_card(i)),
    phase: ex.quorvel_round_phase(),
  };
});

const buttonOf = (command) => `.table-button[data-command="${command}"]`;
const COIN = buttonOf(ids.IDM_COIN);
const DEAL = buttonOf(ids.IDM_DEAL);

/** Until a deal or draw has ended: faces everywhere, the machine idle, Coin or Deal enabled. */
const dealt = (tab) => E.until(tab, ([coin, deal]) => {
  const q = /** @type {any} */ (window).quorvel;
  const face = [...document.querySelectorAll('.client .card')].every((c) => !/^Back/.test(c.getAttribute('data-picture') || 'Back'));
  const on = (s) => !document.querySelector(s).hasAttribute('disabled');
  return face && !q.machine.busy && (on(deal) || on(coin));
}, [COIN, DEAL], 15000);

/** Until the core has taken the coins and Deal is enabled. */
const coinsIn = (tab, n) => E.until(tab, ([k, deal]) => /** @type {any} */ (window).quorvel.machine.exports.quorvel_round_coins() === k &&
  !document.querySelector(deal).hasAttribute('disabled'), [n, DEAL]);

/** What a hand pays per coin, by the core's own evaluation (the coach's value of keeping all five). */
const paysPerCoin = (tab) => tab.evaluate(() => {
  const ex = /** @type {any} */ (window).quorvel.machine.exports;
  ex.quorvel_coach_prepare();
  const cards = [0, 1, 2, 3, 4].map((i) => ex.quorvel_slot_card(i));
  if (!ex.quorvel_coach_advise_cards(ex.quorvel_deck_size(), ...cards)) return null;
  return ex.quorvel_coach_value_number(ex.quorvel_coach_place_of_mask(31));
});

/**
 * One round: `coins` coins, the deal, the slots held (`hold`: a list, or
 * what a function of the tab gives after the deal), one more slot held and
 * let go, the draw; every step checked against the core.  Returns what it paid.
 */
async function playRound(tab, act, coins, hold) {
  const start = await table(tab);
  for (let k = 0; k < coins; ++k) await act.coin();
  await coinsIn(tab, coins);
  let t = await table(tab);
  assert.equal(t.credits, start.credits - coins, 'each coin takes one credit');
  assert.equal(t.message, strings[ids.IDS_ADD_OR_DEAL]);
  assert.ok(t.pictures.every((p) => /^Back/.test(p)), `backs until the deal: ${t.pictures}`);
  await act.deal();
  await dealt(tab);
  t = await table(tab);
  assert.equal(t.phase, pageIds.RoundPhase.Dealt);
  assert.equal(t.message, strings[ids.IDS_HOLD_OR_DEAL]);
  assert.equal(new Set(t.pictures).size, 5, `five different faces: ${t.pictures}`);
  const deal = t;
  const slots = typeof hold === 'function' ? await hold(tab) : hold;
  const held = (list) => E.until(tab, (k) => /** @type {any} */ (window).quorvel.machine.exports.quorvel_held_mask() === k,
    list.reduce((m, s) => m | (1 << s), 0));
  for (const slot of slots) await act.hold(slot);
  const extra = [0, 1, 2, 3, 4].find((s) => !slots.includes(s));
  if (extra !== undefined) {
    await act.hold(extra);
    await held([...slots, extra]);
    await (act.release || act.hold)(extra);
  }
  await held(slots);
  t = await table(tab);
  for (let slot = 0; slot < 5; ++slot) {
    assert.equal(t.captions[slot] !== '', slots.includes(slot), `hold captions: ${t.captions}`);
  }
  await act.deal();
  await E.until(tab, (k) => /** @type {any} */ (window).quorvel.machine.exports.quorvel_round_phase() !== k,
    pageIds.RoundPhase.Dealt);
  await dealt(tab);
  t = await table(tab);
  for (let slot = 0; slot < 5; ++slot) {
    if (slots.includes(slot)) assert.equal(t.pictures[slot], deal.pictures[slot], `held slot ${slot} kept`);
    else assert.notEqual(t.cards[slot], deal.cards[slot], `slot ${slot} drew a new card`);
  }
  assert.ok(t.captions.every((c) => c === ''), 'the holds are cleared after the draw');
  const won = t.credits - deal.credits;
  const perCoin = await paysPerCoin(tab);
  assert.equal(won, coins * perCoin, `the credits grow by what the core says ${t.cards} pays`);
  if (won > 0) assert.match(t.message, new RegExp(`\\b${won} coins$`), 'the payout message names the win');
  else assert.equal(t.message, strings[ids.IDS_INSERT_COINS]);
  return won;
}

/** The slots of the best hold on the table, as the core's coach finds it. */
const bestHold = (tab) => tab.evaluate(() => {
  const ex = /** @type {any} */ (window).quorvel.machine.exports;
  ex.quorvel_coach_prepare();
  if (!ex.quorvel_coach_advise(ex.quorvel_deck_size())) return null;
  const mask = ex.quorvel_coach_mask(0);
  return [0, 1, 2, 3, 4].filter((i) => mask & (1 << i));
});

/** Rounds with the best hold, each dealt one second later, until one pays (at most 10). */
async function playUntilPaid(tab, act, coins) {
  for (let round = 0; round < 10; ++round) {
    await tab.evaluate((ms) => { Date.now = () => ms; }, (SECOND + round) * 1000);
    if (await playRound(tab, act, coins, bestHold) > 0) return;
  }
  assert.fail('no paying hand in 10 rounds');
}

const noModal = (tab) => E.until(tab, () => !document.querySelector('.window.dialog, .window.message-box, .zoom-cover') &&
  !(/** @type {any} */ (window).quorvel.machine.modal));

/** The topmost dialog's caption once it shows and no zoom runs. */
async function topModal(tab) {
  await E.until(tab, () => {
    const all = [...document.querySelectorAll('.window.dialog, .window.message-box')];
    const top = all[all.length - 1];
    return !!top && !top.hidden && !document.querySelector('.zoom-cover');
  });
  return tab.evaluate(() => [...document.querySelectorAll('.window.dialog, .window.message-box')].pop()
    .querySelector('.caption-text').textContent);
}

const control = (id) => `.window.dialog [data-id="${id}"]`;
const stored = (tab) => tab.evaluate(() => Object.fromEntries(Object.keys(localStorage).map((k) => [k, localStorage.getItem(k)])));
const pictures = (tab) => tab.evaluate(() => [...document.querySelectorAll('.client .card')].map((c) => c.getAttribute('data-picture')));

// Counts the sounds started on the Web Audio graph.
function countStarts() {
  const w = /** @type {any} */ (window);
  w.quorvelStarts = 0;
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    w.quorvelStarts += 1;
    return start.apply(this, args);
  };
}

for (const engine of /** @type {const} */ (['firefox', 'webkit'])) {
  const skip = E.missing(engine);
  describe(engine, { skip: skip || undefined }, () => {
    let server;
    let tab;
    let work;
    before(async () => {
      work = L.workFolder(`engine-${engine}`);
      server = await L.startServer();
      tab = await E.launch(engine, work, new URL(server.url).hostname).catch(async (e) => {
        await server.stop();
        throw e;
      });
    });
    after(async () => {
      if (tab) await tab.close();
      if (server) await server.stop();
    });
    const shot = async (name) => {
      shot.count = (shot.count || 0) + 1;
      await tab.screenshot(join(work, `${String(shot.count).padStart(2, '0')}-${name}.png`));
    };
    const clean = async () => assert.deepEqual(await tab.problems(), [], `the page reported problems (see ${work})`);

    test('a whole game by clicks and one by keys, paid as the core says', { timeout: 150000 }, async () => {
      await fresh(tab, server.url, FAST);
      await playUntilPaid(tab, {
        coin: () => E.clickOn(tab, COIN),
        deal: () => E.clickOn(tab, DEAL),
        hold: (slot) => E.clickOn(tab, `.card[data-slot="${slot}"]`),
        // A second click on the card so soon would be a double click.
        release: (slot) => E.clickOn(tab, buttonOf(ids[`IDC_HOLD${slot}`])),
      }, 1);
      await shot('paid-by-clicks');
      await playRound(tab, {
        coin: () => tab.press('c'),
        deal: () => tab.press('d'),
        hold: (slot) => tab.press(`F${slot + 1}`),
      }, 2, [1, 2, 3, 4]);
      // The table after a deal, to look at.
      await tab.press('c');
      await tab.press('d');
      await dealt(tab);
      await shot('dealt');
      await clean();
    });

    test('a dialog by its menu and one by its key, each opened and closed', { timeout: 60000 }, async () => {
      await fresh(tab, server.url);
      const [title, item] = await L.menuPath(ids.IDM_ABOUT);
      await E.clickOn(tab, '.menu-title', title);
      await E.until(tab, () => !!document.querySelector('.menu-popup .menu-item'));
      await E.clickOn(tab, '.menu-popup .menu-item', item);
      assert.equal(await topModal(tab), dialogs.ABOUTDLG.title);
      await shot('about');
      await E.clickOn(tab, control(1));
      await noModal(tab);
      await tab.press('o');          // the accelerator of Game Options
      assert.equal(await topModal(tab), dialogs['110'].title);
      await tab.press('Escape');
      await noModal(tab);
      await clean();
    });

    test('a new card back and Sound on are kept across a reload', { timeout: 60000 }, async () => {
      await fresh(tab, server.url);
      const first = (await pictures(tab))[0];
      await tab.press('o');
      await topModal(tab);
      // A click on the slider's track right of the thumb moves a page on.
      const track = await tab.evaluate((s) => {
        const all = document.querySelectorAll(s);
        const b = all[all.length - 1].getBoundingClientRect();
        return { x: b.right - 3, y: b.top + b.height / 2 };
      }, control(ids.IDC_BACK_SLIDER));
      await tab.click(track.x, track.y);
      const chosen = await tab.evaluate(() => [...document.querySelectorAll('.window.dialog .card')].pop().getAttribute('data-picture'));
      assert.notEqual(chosen, first, 'the slider changes the design');
      await E.clickOn(tab, `${control(ids.IDC_OPT_SOUND)} input`);
      await E.clickOn(tab, control(1));
      await noModal(tab);
      assert.deepEqual(await pictures(tab), Array(5).fill(chosen), 'the table shows the new backs');
      const file = await stored(tab);
      assert.deepEqual(Object.keys(file).sort(), [...L.savedSettingKeys()].sort(), 'the keys the game writes');
      assert.equal(file.CardBack, chosen.replace(/^Back/, ''));
      assert.equal(file.Sound, '1');

      await tab.reload();
      await E.started(tab);
      assert.deepEqual(await pictures(tab), Array(5).fill(chosen), 'the new backs after the reload');
      assert.equal(await tab.evaluate((k) => /** @type {any} */ (window).quorvel.machine.exports.quorvel_setting(k),
        pageIds.SettingKind.Sound), 1, 'Sound is still on');
      await shot('settings-reloaded');
      await clean();
    });

    test('a reload with the server gone plays from the service worker', { timeout: 60000 }, async () => {
      // A server of its own, stopped under the page.
      const own = await L.startServer();
      try {
        await fresh(tab, own.url, FAST);
        assert.ok(await tab.evaluate(() => navigator.serviceWorker.ready.then(() => true)), 'the worker is ready');
      } finally {
        await own.stop();
      }
      await tab.reload();
      await E.started(tab);
      assert.ok(await tab.evaluate(() => !!navigator.serviceWorker.controller), 'the worker serves the page');
      await tab.press('c');
      await tab.press('d');
      await dealt(tab);
      await shot('offline');
      await clean();
    });

    test('Sound on: the first click starts a sound, and the bank\'s wave, played to its end, lets the game go on',
      { timeout: 60000 }, async () => {
        await fresh(tab, server.url, { Sound: '1' });
        await tab.evaluate(countStarts);
        await E.clickOn(tab, COIN);
        await E.until(tab, () => /** @type {any} */ (window).quorvelStarts > 0, null, 5000);
        const credits = (await table(tab)).credits;
        const [title, item] = await L.menuPath(ids.IDM_BANK);
        await E.clickOn(tab, '.menu-title', title);
        await E.until(tab, () => !!document.querySelector('.menu-popup .menu-item'));
        await E.clickOn(tab, '.menu-popup .menu-item', item);
        await topModal(tab);
        await tab.press('Enter');
        // Held while the wave plays (where audio runs at all), and no longer.
        await E.until(tab, (k) => /** @type {any} */ (window).quorvel.machine.busy || k < Number(
          (document.querySelector('.readout.credits').textContent.match(/\d+/) || ['0'])[0]), credits, 5000);
        await E.until(tab, () => !(/** @type {any} */ (window).quorvel.machine.busy), null, 15000);
        assert.ok((await table(tab)).credits > credits, 'the bank pays out once the wave has played');
        await tab.press('c');
        await coinsIn(tab, 2);
        await clean();
      });
  });
}
