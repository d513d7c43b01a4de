// The browser edition played in Debian's chromium as a player plays it: games
// by clicks and by keys, every dialog with its zoom, the settings kept and
// read as the game reads its file, offline play, sound, a phone and a
// high-density screen.  Texts and places come from resources.js, the core
// and the C++ sources; nothing of the product is copied here.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import * as L from './lib.mjs';

const ids = L.resourceIds();
let suite;
let strings;
before(async () => {
  suite = await L.startSuite();
  strings = (await L.resources()).strings;
});
after(async () => suite && suite.stop());

/** A page for one test, closed whatever happens; fails on the page's problems. */
async function withPage(name, options, body) {
  const work = L.workFolder(name);
  const p = await L.openPage(suite, work, options);
  try {
    await body(p.page, work, p);
    p.check();
  } finally {
    await p.close();
  }
}

const FAST = { FastDeal: '1' };
// Any second will do; fixed so that every run deals alike.
const SECOND = 1700000000;

/** Plays one round from its coin; hold(page, slot) holds a slot. */
async function playRound(page, hold, slots) {
  const before = await L.table(page);
  await hold.coin();
  let t = await L.table(page);
  assert.equal(L.creditsOf(t), L.creditsOf(before) - 1, 'a coin takes one credit');
  assert.equal(t.message, strings[ids.IDS_ADD_OR_DEAL]);
  assert.ok(t.pictures.every(L.isBack), 'backs until the deal');
  await hold.deal();
  await L.dealt(page);
  t = await L.table(page);
  assert.equal(t.message, strings[ids.IDS_HOLD_OR_DEAL]);
  assert.ok(!t.pictures.some(L.isBack), `five faces after the deal: ${t.pictures}`);
  assert.equal(new Set(t.pictures).size, 5, 'five different cards');
  const dealtCards = t.pictures;
  for (const slot of slots) await hold.hold(slot);
  t = await L.table(page);
  for (let slot = 0; slot < 5; ++slot) {
    assert.equal(t.captions[slot] !== '', slots.includes(slot), `hold caption of slot ${slot}: ${t.captions}`);
  }
  // A second press lets the card go again.
  const extra = [0, 1, 2, 3, 4].find((s) => !slots.includes(s));
  await hold.hold(extra);
  assert.notEqual((await L.table(page)).captions[extra], '', 'held by the first press');
  await (hold.release || hold.hold)(extra);
  assert.equal((await L.table(page)).captions[extra], '', 'let go by the second press');
  const credits = L.creditsOf(t);
  await hold.deal();
  await L.until(page, () => !document.querySelector('.table-button[data-command="1906"][disabled]') ||
    document.querySelector('.window.message-box'), null, { timeout: 10000 });
  await L.dealt(page);
  t = await L.table(page);
  for (let slot = 0; slot < 5; ++slot) {
    if (slots.includes(slot)) assert.equal(t.pictures[slot], dealtCards[slot], `held slot ${slot} kept`);
    else assert.ok(!dealtCards.includes(t.pictures[slot]), `slot ${slot} drew a new card`);
  }
  assert.ok(t.captions.slice(0, 5).every((c) => c === ''), 'the holds are cleared after the draw');
  const won = L.creditsOf(t) - credits;
  if (won > 0) assert.match(t.message, new RegExp(`\\b${won} coins$`), 'the payout message names the win');
  else assert.equal(t.message, strings[ids.IDS_INSERT_COINS]);
  return { won, message: t.message };
}

/** Waits until the message line has been seen inverted by its flash. */
async function flashSeen(page) {
  await L.until(page, () => document.querySelector('.message-line').classList.contains('inverted'),
    null, { timeout: 5000, polling: 20 });
}

describe('a whole game', () => {
  test('by clicks: Coin, Deal, holds by clicking cards, Deal draws, the payout message', { timeout: 90000 },
    async () => {
      await withPage('game-by-clicks', { settings: FAST, clock: SECOND }, async (page, work) => {
        const clicks = {
          coin: () => L.button(page, L.COMMAND.coin).click(),
          deal: () => L.button(page, L.COMMAND.deal).click(),
          hold: (slot) => L.card(page, slot).click(),
          // A second click on the card so soon would be the second half of a double click.
          release: (slot) => L.holdButton(page, slot).click(),
        };
        // Rounds go on, each dealt at the next second, until one pays.
        let paid = null;
        for (let round = 0; round < 30 && !paid; ++round) {
          await page.clock.setFixedTime((SECOND + round) * 1000);
          const result = await playRound(page, clicks, [0, 1]);
          if (result.won > 0) paid = result;
        }
        assert.ok(paid, 'no paying hand in 30 rounds');
        await flashSeen(page);
        await L.shot(page, work, 'paid');
      });
    });

  test('by keys: c, d, F1..F5, d; the upper-case letters do nothing', { timeout: 60000 }, async () => {
    await withPage('game-by-keys', { settings: FAST, clock: SECOND }, async (page) => {
      const start = await L.table(page);
      // Shift makes the letters upper case: no coin, no deal.
      await page.keyboard.press('Shift+C');
      await page.keyboard.press('Shift+D');
      await L.sleep(400);
      assert.deepEqual(await L.table(page), start, 'C and D with Shift do nothing');
      const keys = {
        coin: () => page.keyboard.press('c'),
        deal: () => page.keyboard.press('d'),
        hold: (slot) => page.keyboard.press(`F${slot + 1}`),
      };
      await playRound(page, keys, [1, 2, 3, 4]);
      // Shift+D in the hold phase does not draw either.
      await keys.coin();
      await keys.deal();
      await L.dealt(page);
      const held = await L.table(page);
      await page.keyboard.press('Shift+D');
      await L.sleep(400);
      assert.deepEqual(await L.table(page), held, 'Shift+D does not draw');
    });
  });
});

// ---- Dialogs and their zoom ----------------------------------------------------

/**
 * Screenshots while the zoom runs, each compared with `before` outside the
 * rectangles `skip` (where the menu or a press changed the page): every
 * pixel changed by more than a rounding is the inverse of the one before,
 * on the dotted grid (x + y even) the outlines are drawn on.  Returns how many outline pixels the
 * shots showed at most.
 */
async function zoomSeen(page, work, name, before, skip) {
  const size = page.viewportSize();
  await page.waitForSelector('.zoom-cover', { timeout: 5000, state: 'attached' });
  // Taken first and looked at afterwards: the trail lasts well under a second.
  const shots = [];
  for (let k = 0; k < 16; ++k) {
    const png = await page.screenshot();
    if (!(await page.$('.zoom-cover'))) break;
    shots.push(png);
  }
  let most = 0;
  for (const png of shots) {
    const now = await L.pixels(png, [0, 0, size.width, size.height]);
    let outline = 0;
    for (const { x, y } of L.differences(before, now)) {
      if (skip.some(([l, t, r, b]) => x >= l && x < r && y >= t && y < b)) continue;
      const i = 3 * (y * size.width + x);
      // A gradient (the caption bars) is not painted alike twice to the last bit.
      if ([0, 1, 2].every((c) => Math.abs(now.data[i + c] - before.data[i + c]) <= 2)) continue;
      const inverse = [0, 1, 2].every((c) => Math.abs(now.data[i + c] - (255 - before.data[i + c])) <= 2);
      if (!inverse || (x + y) % 2 !== 0) {
        await L.savePixels(now, `${work}/${name}-zoom-odd.png`);
        await L.savePixels(before, `${work}/${name}-zoom-before.png`);
        const was = [...before.data.subarray(i, i + 3)];
        const is = [...now.data.subarray(i, i + 3)];
        assert.fail(`${name}: the zoom changed pixel ${x},${y} from ${was} to ${is}, not as a dotted outline`);
      }
      ++outline;
    }
    if (outline > most) {
      most = outline;
      await L.savePixels(now, `${work}/${name}-zoom.png`);
    }
  }
  return most;
}

/** The page's rectangle of an element: left, top, right, bottom, in CSS pixels. */
async function rectOf(locator) {
  const b = await locator.boundingBox();
  return [Math.floor(b.x), Math.floor(b.y), Math.ceil(b.x + b.width), Math.ceil(b.y + b.height)];
}

/** Opens a dialog by its menu command and sees its opening zoom; returns its caption. */
async function openWithZoom(page, work, command, name) {
  const row = await L.openMenuFor(page, command);
  await row.hover();
  const size = page.viewportSize();
  const before = await L.pixels(await page.screenshot(), [0, 0, size.width, size.height]);
  // The menu, its title and its help go; the main window's caption goes inactive.
  const skip = [await rectOf(page.locator('.menu-popup')), await rectOf(page.locator('.menu-bar')),
    await rectOf(page.locator('.status-line .pane').first()), await rectOf(page.locator('.main-window .caption-bar'))];
  await row.click();
  const seen = await zoomSeen(page, work, `${name}-open`, before, skip);
  assert.ok(seen >= 50, `${name}: no dotted outlines seen while it opened (${seen} pixels)`);
  return L.topModal(page);
}

/** Closes the topmost dialog by Escape (Cancel) and sees its closing zoom. */
async function closeWithZoom(page, work, name) {
  const size = page.viewportSize();
  const before = await L.pixels(await page.screenshot(), [0, 0, size.width, size.height]);
  await page.keyboard.press('Escape');
  const seen = await zoomSeen(page, work, `${name}-close`, before, [await rectOf(page.locator('.main-window .caption-bar'))]);
  assert.ok(seen >= 50, `${name}: no dotted outlines seen while it closed (${seen} pixels)`);
  await L.noModal(page);
}

const dialog = (page) => page.locator('.window.dialog').last();
// A longer trail than the 18 steps of a new player (a hand-added ZoomSteps,
// which the game reads and keeps), so that a loaded machine still takes
// several screenshots while it runs.
const LONG_ZOOM = { ZoomSteps: '60' };
const control = (page, id) => dialog(page).locator(`[data-id="${id}"]`);

describe('dialogs, each opened and closed, with the zoom', () => {
  test('Help and its pages, Payout, About', { timeout: 90000 }, async () => {
    const r = await L.resources();
    await withPage('dialogs-help', { settings: LONG_ZOOM }, async (page, work) => {
      assert.equal(await openWithZoom(page, work, ids.IDM_HELP, 'help'), r.dialogs.HELPDLG.title);
      const q = await page.evaluate(() => {
        const ex = /** @type {any} */ (window).quorvel.machine.exports;
        return { last: ex.quorvel_help_last_page() };
      });
      const captions = [];
      const counter = () => control(page, 700).textContent();
      for (let p = 1; p <= q.last; ++p) {
        captions.push(await control(page, 703).textContent());
        await L.shot(page, work, `help-page-${p}`);
        if (p < q.last) {
          const was = await counter();
          await control(page, 702).click();
          assert.notEqual(await counter(), was, 'Next turns the page');
        }
      }
      assert.ok(await control(page, 702).evaluate((b) => b.disabled), 'Next is off on the last page');
      assert.equal(new Set(captions).size, q.last, `every page has its own caption: ${captions}`);
      await control(page, 701).click();
      assert.equal(await control(page, 703).textContent(), captions[q.last - 2], 'Previous turns back');
      await closeWithZoom(page, work, 'help');

      assert.equal(await openWithZoom(page, work, ids.IDM_PAYOFF, 'payout'), r.dialogs.PAYOFFDLG.title);
      const picture = dialog(page).locator('img.picture');
      assert.ok(await picture.evaluate((i) => i.complete && i.naturalWidth > 0), 'the payout picture shows');
      await L.shot(page, work, 'payout');
      await control(page, 1).click();
      await L.noModal(page);

      assert.equal(await openWithZoom(page, work, ids.IDM_ABOUT, 'about'), r.dialogs.ABOUTDLG.title);
      await L.shot(page, work, 'about');
      await control(page, 1).click();
      await L.noModal(page);
    });
  });

  test('Statistics: a box before any game, the figures after one', { timeout: 60000 }, async () => {
    await withPage('dialogs-statistics', { settings: { ...FAST, ...LONG_ZOOM }, clock: SECOND }, async (page, work) => {
      await L.menu(page, ids.IDM_STATS);
      await L.topModal(page);
      const box = page.locator('.window.message-box');
      assert.equal(await box.locator('.box-text').textContent(), L.boxText('kNoGamesBox'));
      await L.shot(page, work, 'no-games');
      await box.locator('.push-button').click();
      await L.noModal(page);

      await L.button(page, L.COMMAND.coin).click();
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await L.button(page, L.COMMAND.deal).click();
      await L.sleep(100);
      await L.dealt(page);
      const title = await openWithZoom(page, work, ids.IDM_STATS, 'statistics');
      const net = await page.evaluate(() => {
        const m = /** @type {any} */ (window).quorvel.machine;
        return m.text(m.exports.quorvel_statistics_text(0));
      });
      assert.ok(net, 'the core names the net winnings');
      assert.equal(title, net, 'the title is the net winnings');
      assert.equal((await control(page, ids.IDC_STAT_GAMES).textContent()).trim(), '1', 'one game played');
      await L.shot(page, work, 'statistics');
      await control(page, 1).click();
      await L.noModal(page);
    });
  });

  test('Options: Cancel keeps the settings, OK stores them', { timeout: 60000 }, async () => {
    await withPage('dialogs-options', { settings: LONG_ZOOM }, async (page, work) => {
      const r = await L.resources();
      const setting = (n) => page.evaluate((k) => /** @type {any} */ (window).quorvel.machine.exports.quorvel_setting(k), n);
      const sound = await setting(3);
      assert.equal(await openWithZoom(page, work, ids.IDM_OPTIONS, 'options'), r.dialogs['110'].title);
      await control(page, ids.IDC_OPT_SOUND).locator('input').click();
      await L.shot(page, work, 'options-changed');
      await control(page, 2).click();
      await L.noModal(page);
      assert.equal(await setting(3), sound, 'Cancel leaves Sound as it was');
      assert.equal(await page.evaluate(() => localStorage.getItem('Sound')), null, 'Cancel writes nothing');

      await page.keyboard.press('o');     // the accelerator of Game Options
      await L.topModal(page);
      await control(page, ids.IDC_OPT_SOUND).locator('input').click();
      await control(page, 1).click();
      await L.noModal(page);
      assert.equal(await setting(3), sound ? 0 : 1, 'OK turns Sound over');
    });
  });
});

// ---- Settings --------------------------------------------------------------------

const stored = (page) => page.evaluate(() => Object.fromEntries(Object.keys(localStorage).map((k) => [k, localStorage.getItem(k)])));

describe('settings in local storage, as the game keeps its file', () => {
  test('a new card back and Sound on survive a reload, written under the file\'s keys in decimal', { timeout: 60000 },
    async () => {
      await withPage('settings-kept', {}, async (page, work) => {
        const before = await L.pictures(page);
        await page.keyboard.press('o');
        await L.topModal(page);
        const preview = dialog(page).locator('.card');
        const first = await preview.getAttribute('data-picture');
        assert.equal(first, before[0], 'the preview shows the backs in play');
        // A click on the track right of the thumb moves a page on.
        const track = await control(page, ids.IDC_BACK_SLIDER).boundingBox();
        await page.mouse.click(track.x + track.width - 3, track.y + track.height / 2);
        const chosen = await preview.getAttribute('data-picture');
        assert.notEqual(chosen, first, 'the slider changes the design');
        await control(page, ids.IDC_OPT_SOUND).locator('input').check();
        await control(page, 1).click();
        await L.noModal(page);
        assert.deepEqual(await L.pictures(page), Array(5).fill(chosen), 'the table shows the new backs');

        const keys = L.savedSettingKeys();
        const file = await stored(page);
        assert.deepEqual(Object.keys(file).sort(), [...keys].sort(), 'the keys the game writes, and only those');
        for (const k of keys) assert.match(file[k], /^-?\d+$/, `${k} is written in decimal`);
        assert.equal(file.CardBack, chosen.replace(/^Back/, ''));
        assert.equal(file.Sound, '1');

        await page.reload();
        await L.started(page);
        assert.deepEqual(await L.pictures(page), Array(5).fill(chosen), 'the new backs after the reload');
        await L.shot(page, work, 'reloaded');
        await page.keyboard.press('o');
        await L.topModal(page);
        assert.ok(await control(page, ids.IDC_OPT_SOUND).locator('input').isChecked(), 'Sound is still on');
        await control(page, 2).click();
        await L.noModal(page);
      });
    });

  test('hand-edited values get the game\'s treatment', { timeout: 60000 }, async () => {
    const wild = (page) => control(page, ids.IDC_OPT_WILD).locator('input').isChecked();
    // Out of range: brought into 1..16.  A lower-case 0x prefix is hex, as
    // the game's private-profile reader takes it.  Blanks before a value.
    await withPage('settings-edited-high', { settings: { CardBack: '40', WildCards: '0x0', Zoom: ' 0' } },
      async (page, work) => {
        assert.deepEqual(await L.pictures(page), Array(5).fill('Back16'), 'CardBack=40 shows design 16');
        await page.keyboard.press('o');
        // Zoom=" 0" is 0: the dialog opens without outlines.
        await page.waitForSelector('.window.dialog:not([hidden])', { timeout: 5000 });
        assert.equal(await page.$('.zoom-cover'), null, 'no zoom with Zoom= 0');
        assert.equal(await wild(page), false, 'WildCards=0x0: no wild card');
        await L.shot(page, work, 'options');
        await control(page, 1).click();
        await L.noModal(page);
        const file = await stored(page);
        assert.equal(file.CardBack, '16', 'written back as the game uses it');
        assert.equal(file.WildCards, '0');
        assert.equal(file.Zoom, '0');
      });
    await withPage('settings-edited-low', { settings: { CardBack: '-3', WildCards: '0x1' } }, async (page) => {
      assert.deepEqual(await L.pictures(page), Array(5).fill('Back1'), 'CardBack=-3 shows design 1');
      await page.keyboard.press('o');
      await L.topModal(page);
      assert.equal(await wild(page), true, 'WildCards=0x1 is 1: the wild card in play');
      await control(page, 2).click();
      await L.noModal(page);
    });
  });
});

// ---- Offline ---------------------------------------------------------------------

test('a reload while offline after the first visit plays from the service worker', { timeout: 60000 }, async () => {
  await withPage('offline', { settings: FAST }, async (page, work, p) => {
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    await p.context.setOffline(true);
    try {
      await page.reload();
      await L.started(page);
      assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller), 'the worker serves the page');
      await L.button(page, L.COMMAND.coin).click();
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      assert.ok(!(await L.pictures(page)).some(L.isBack), 'five faces offline');
      await L.shot(page, work, 'offline');
    } finally {
      await p.context.setOffline(false);
    }
  });
});

// ---- Sound ----------------------------------------------------------------------

// Counts the sounds started on the Web Audio graph.
function countStarts() {
  const starts = [];
  /** @type {any} */ (window).quorvelStarts = starts;
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    starts.push(performance.now());
    return start.apply(this, args);
  };
}
const starts = (page) => page.evaluate(() => /** @type {any} */ (window).quorvelStarts.length);

describe('sound', () => {
  test('Sound on: the first click starts a sound', { timeout: 30000 }, async () => {
    await withPage('sound-on', { settings: { Sound: '1' }, init: countStarts }, async (page) => {
      await L.button(page, L.COMMAND.coin).click();
      await L.until(page, () => /** @type {any} */ (window).quorvelStarts.length > 0, null, { timeout: 3000 })
        .catch(() => {});
      assert.ok(await starts(page) > 0, 'the coin of the first click was heard');
    });
  });

  test('Sound on: each later coin starts a sound', { timeout: 30000 }, async () => {
    await withPage('sound-later', { settings: { Sound: '1' }, init: countStarts }, async (page) => {
      await L.button(page, L.COMMAND.coin).click();
      await L.sleep(1500);    // the waves are fetched at the first gesture
      const n = await starts(page);
      await L.button(page, L.COMMAND.coin).click();
      await L.until(page, (k) => /** @type {any} */ (window).quorvelStarts.length > k, n, { timeout: 3000 });
    });
  });

  test('Sound off: nothing starts', { timeout: 30000 }, async () => {
    await withPage('sound-off', { settings: { Sound: '0', FastDeal: '1' }, init: countStarts }, async (page) => {
      await L.button(page, L.COMMAND.coin).click();
      await L.sleep(1000);
      await L.button(page, L.COMMAND.coin).click();
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await L.card(page, 0).click();
      await L.sleep(300);
      assert.equal(await starts(page), 0, 'no sound with Sound off');
    });
  });
});

// ---- Screens ---------------------------------------------------------------------

/**
 * True when every game pixel of a rectangle (CSS pixels `rect` of a
 * screenshot taken at `dpr` device pixels per CSS pixel) is a whole block of
 * `k` x `k` device pixels of one colour, starting on the block grid.
 */
/**
 * The targets matching `selector` a finger would miss: each hit area (the
 * element and its unseen reach) is 24 x 24 CSS pixels, or else a circle of
 * 24 on its middle touches no other target nor another such circle; and
 * each point of it reaches that target.
 */
async function fingerMisses(page, selector) {
  return page.evaluate((sel) => {
    const px = (v) => parseFloat(v) || 0;
    const all = [...document.querySelectorAll(sel)]
      .filter((e) => e.getClientRects().length && !e.matches(':disabled') && !e.closest('[hidden]'));
    const targets = all.map((e) => {
      const r = e.getBoundingClientRect();
      const k = r.width / (e.offsetWidth || r.width);
      const a = getComputedStyle(e, '::after');
      const reach = a.content === 'none' || a.position !== 'absolute' ? [0, 0, 0, 0]
        : [a.left, a.top, a.right, a.bottom].map((v) => Math.max(0, -px(v)) * k);
      const box = [r.left - reach[0], r.top - reach[1], r.right + reach[2], r.bottom + reach[3]];
      const name = `${e.className} "${(e.getAttribute('aria-label') || e.textContent || '').trim().slice(0, 16)}"`;
      return { e, box, name, small: box[2] - box[0] < 23.9 || box[3] - box[1] < 23.9,
        c: [(box[0] + box[2]) / 2, (box[1] + box[3]) / 2] };
    });
    const misses = [];
    const gap = (p, b) => Math.hypot(Math.max(b[0] - p[0], 0, p[0] - b[2]), Math.max(b[1] - p[1], 0, p[1] - b[3]));
    for (const t of targets) {
      const [l, tp, r, b] = t.box;
      for (const [x, y] of [[l + 1, tp + 1], [r - 1, tp + 1], [l + 1, b - 1], [r - 1, b - 1], t.c]) {
        const at = document.elementFromPoint(x, y);
        if (!at || !(at === t.e || t.e.contains(at))) misses.push(`${t.name}: (${x.toFixed(1)}, ${y.toFixed(1)}) reaches ${at && at.className}`);
      }
      if (!t.small) continue;
      for (const o of targets) {
        if (o === t) continue;
        if (gap(t.c, o.box) < 11.99 || (o.small && Math.hypot(t.c[0] - o.c[0], t.c[1] - o.c[1]) < 23.99)) {
          misses.push(`${t.name} ${(r - l).toFixed(1)} x ${(b - tp).toFixed(1)} too close to ${o.name}`);
        }
      }
    }
    return misses;
  }, selector);
}

async function wholeBlocks(png, box, dpr, k) {
  const [l, t, r, b] = [box.x, box.y, box.x + box.width, box.y + box.height].map((v) => Math.round(v * dpr));
  const p = await L.pixels(png, [l, t, r - l, b - t]);
  for (let y = 0; y < p.h; ++y) {
    for (let x = 0; x < p.w; ++x) {
      const ox = x - (x % k);
      const oy = y - (y % k);
      const i = 3 * (y * p.w + x);
      const o = 3 * (oy * p.w + ox);
      if (p.data[i] !== p.data[o] || p.data[i + 1] !== p.data[o + 1] || p.data[i + 2] !== p.data[o + 2]) {
        return { ok: false, x, y };
      }
    }
  }
  return { ok: true, picture: p };
}

/** Every k x k block's first pixel: the picture at one device pixel a game pixel. */
function reduce(p, k) {
  const w = p.w / k;
  const h = p.h / k;
  const data = Buffer.alloc(w * h * 3);
  for (let y = 0; y < h; ++y) {
    for (let x = 0; x < w; ++x) p.data.copy(data, 3 * (y * w + x), 3 * (y * k * p.w + x * k), 3 * (y * k * p.w + x * k) + 3);
  }
  return { w, h, data };
}

describe('screens', () => {
  test('a phone: no sideways scrolling, every card and button can be tapped, every target a finger\'s size', { timeout: 90000 }, async () => {
    const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
      settings: FAST, clock: SECOND };
    await withPage('phone', phone, async (page, work) => {
      const fits = await page.evaluate(() => {
        window.scrollTo(200, 0);
        return { scrollWidth: document.documentElement.scrollWidth, width: window.innerWidth, x: window.scrollX,
          right: document.querySelector('.main-window').getBoundingClientRect().right };
      });
      assert.ok(fits.scrollWidth <= fits.width && fits.x === 0, `no sideways scrolling: ${JSON.stringify(fits)}`);
      assert.ok(fits.right <= fits.width, `the window fits the width: ${JSON.stringify(fits)}`);
      await page.touchscreen.tap(195, 10);   // a swipe's worth of nothing: still no scrolling
      assert.equal(await page.evaluate(() => window.scrollX), 0);
      await L.shot(page, work, 'phone');

      // Each one is on the screen and uppermost at its middle.
      const targets = page.locator('.client .card, .client .table-button');
      assert.equal(await targets.count(), 13, 'five cards and eight buttons');
      for (let i = 0; i < 13; ++i) {
        const hit = await targets.nth(i).evaluate((e) => {
          const r = e.getBoundingClientRect();
          const at = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);
          return { inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight,
            top: !!at && (at === e || e.contains(at)), size: Math.min(r.width, r.height) };
        });
        assert.ok(hit.inside && hit.top, `target ${i} can be tapped: ${JSON.stringify(hit)}`);
      }
      assert.deepEqual(await fingerMisses(page, '.client .card, .table-button, .menu-title, .caption-button'), [],
        'every target of the window is a finger\'s size, or a finger apart');
      await page.locator('.menu-title').nth(1).tap();
      await page.locator('.menu-popup').waitFor();
      assert.deepEqual(await fingerMisses(page, '.menu-item'), [], 'menu rows a finger high');
      await page.locator('.menu-title').nth(1).tap();
      await L.menu(page, ids.IDM_OPTIONS);
      await L.topModal(page);
      await L.shot(page, work, 'phone-options');
      assert.deepEqual(await fingerMisses(page, '.dialog .push-button, .dialog .check-box, .dialog [role=slider]'), [],
        'a dialog drawn large enough for a finger');
      await page.keyboard.press('Escape');
      await L.noModal(page);
      await L.button(page, L.COMMAND.coin).tap();
      assert.match((await L.table(page)).coins, /1/, 'a tap on Coin');
      await L.button(page, L.COMMAND.deal).tap();
      await L.dealt(page);
      for (let slot = 0; slot < 5; ++slot) await L.card(page, slot).tap();
      assert.ok((await L.table(page)).captions.slice(0, 5).every((c) => c !== ''), 'a tap on each card holds it');
      for (let slot = 0; slot < 5; ++slot) await L.holdButton(page, slot).tap();
      assert.ok((await L.table(page)).captions.slice(0, 5).every((c) => c === ''), 'a tap on each hold button lets go');
      await L.button(page, L.COMMAND.deal).tap();
      await L.sleep(100);
      await L.dealt(page);
      await L.button(page, L.COMMAND.max).tap();
      await L.sleep(100);
      await L.dealt(page);
      assert.ok(!(await L.pictures(page)).some(L.isBack), 'Max bets and deals');
      const png = await page.screenshot();
      // Two device pixels a game pixel fit the phone's width.
      const blocks = await wholeBlocks(png, await L.card(page, 0).boundingBox(), 3, 2);
      assert.ok(blocks.ok, `the card is drawn in whole 2 x 2 blocks: ${JSON.stringify(blocks)}`);
      await L.shot(page, work, 'phone-played');
    });
  });

  test('a high-density desktop and a large one: whole factors without blur, and the player\'s own factor kept', { timeout: 90000 }, async () => {
    let plainCard;
    await withPage('density-1', { settings: { CardBack: '7' } }, async (page) => {
      plainCard = await L.pixels(await page.screenshot(), await rectOf(L.card(page, 0)).then(([l, t, r, b]) => [l, t, r - l, b - t]));
    });
    await withPage('density-2', { deviceScaleFactor: 2, settings: { CardBack: '7' } }, async (page, work) => {
      const png = await page.screenshot();
      const file = await L.shot(page, work, 'density-2');
      const blocks = await wholeBlocks(png, await L.card(page, 0).boundingBox(), 2, 2);
      assert.ok(blocks.ok, `the card's pixels come in whole 2 x 2 blocks (${file}): ${JSON.stringify(blocks)}`);
      const reduced = reduce(blocks.picture, 2);
      assert.equal(L.differences(reduced, plainCard).length, 0, 'the same picture as at one device pixel');
    });
    // A large screen: the window at the largest whole factor that fits, until
    // the player fixes one, which a reload keeps.
    await withPage('desktop-1920', { viewport: { width: 1920, height: 1080 }, settings: { CardBack: '7' } }, async (page, work) => {
      const factor = () => page.evaluate(() => {
        const w = /** @type {HTMLElement} */ (document.querySelector('.main-window'));
        return w.getBoundingClientRect().width / w.offsetWidth;
      });
      assert.equal(await factor(), 2, 'twice the size on 1920 x 1080');
      const blocks = await wholeBlocks(await page.screenshot(), await L.card(page, 0).boundingBox(), 1, 2);
      assert.ok(blocks.ok, `whole 2 x 2 blocks (${await L.shot(page, work, 'desktop-2x')}): ${JSON.stringify(blocks)}`);
      assert.equal(L.differences(reduce(blocks.picture, 2), plainCard).length, 0, 'the same picture, twice the size');
      await page.locator('.menu-title', { hasText: /^View$/ }).click();
      await L.menuRow(page, '1 \u00d7').click();
      assert.equal(await factor(), 1, 'the player\'s factor');
      await L.goto(page, page.url());
      assert.equal(await factor(), 1, 'kept across a reload');
    });
  });
});

// ---- Input while the game is held -------------------------------------------------

// The page once opened the menu at once, and the Escape typed before it,
// queued while the game was held, closed it afterwards.
test('input while a sound holds the game keeps its order: a key typed before a right-click', {
  timeout: 30000,
}, async () => {
  await withPage('held-input-order', { settings: { Sound: '1' } }, async (page) => {
    await L.button(page, L.COMMAND.coin).click();
    await L.sleep(1500);                              // the waves are fetched at the first gesture
    await L.menu(page, ids.IDM_BANK);
    await L.topModal(page);
    await page.keyboard.press('Enter');               // the bank's wave then plays to its end
    await L.until(page, () => /** @type {any} */ (window).quorvel.machine.busy, null, { timeout: 3000 });
    await page.keyboard.press('Escape');              // nothing to close yet
    const box = await page.locator('.main-window .client').boundingBox();
    await page.mouse.click(box.x + 200, box.y + 250, { button: 'right' });
    await L.until(page, () => !(/** @type {any} */ (window).quorvel.machine.busy), null, { timeout: 10000 });
    await L.sleep(300);
    const open = !!(await page.$('.menu-popup'));
    await page.keyboard.press('Escape');
    assert.ok(open, 'the right-click menu, opened after the Escape, is still open');
  });
});
