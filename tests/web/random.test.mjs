// A minute of seeded random input on the page: clicks and taps on the table,
// its buttons and cards, the accelerator keys, the menus by mouse and by
// key, and Escape, Return, Tab, arrows and space into whatever is open.
// Only what ends the game is left out.  Afterwards the game must still play
// (a coin and a deal show five faces) and the console must show no error.
//   QUORVEL_SEED=N            replays one run's input
//   QUORVEL_MONKEY_SECONDS=S  how long the input lasts (default 60)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import * as L from './lib.mjs';

const seconds = Number(process.env.QUORVEL_MONKEY_SECONDS || 60);
const seed = Number(process.env.QUORVEL_SEED || Math.floor(Math.random() * 2 ** 31));

let suite;
before(async () => {
  suite = await L.startSuite();
});
after(async () => suite && suite.stop());

test(`a minute of random input, seed ${seed}`, { timeout: (seconds + 90) * 1000 }, async () => {
  console.log(`# random input: seed ${seed} (QUORVEL_SEED=${seed} replays it)`);
  const work = L.workFolder('random-input');
  const ids = L.resourceIds();
  const r = await L.resources();
  // Every way out of the game: the Exit item of the menus and its key.
  const exitText = L.plain((await L.menuPath(ids.IDM_EXIT))[1]);
  const exitKeys = (r.accelerators.KEYACCELTABLE || []).filter((a) => a.command === ids.IDM_EXIT)
    .map((a) => String.fromCharCode(a.key).toLowerCase());
  const keys = ['c', 'd', 'n', 'o', 'C', 'D', 'F1', 'F2', 'F3', 'F4', 'F5', 'Escape', 'Enter', 'Tab', 'Shift+Tab',
    'Space', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Alt', 'F10', 'Alt+g', 'Alt+o', 'Alt+h', 'y',
    's', 'a', 'PageDown', 'Home', 'End'].filter((k) => !exitKeys.includes(k.toLowerCase()));
  const random = L.generator(seed);
  // A menu or row may go before it is clicked (keys queued while the game was
  // held are delivered later): the input goes on, noting it.
  const tryClick = (locator, step, options = {}) => locator.click({ timeout: 2000, ...options }).catch((e) => {
    if (e.name !== 'TimeoutError') throw e;
    step.missed = true;
  });
  const p = await L.openPage(suite, work, { hasTouch: true, settings: { FastDeal: String(seed % 2), Sound: String((seed >> 1) % 2), ZoomSteps: '3' } });
  const { page } = p;
  const done = [];
  /** One row of the open popup but Exit, or Escape. */
  const chooseRow = async (item, step) => {
    const rows = page.locator('.menu-popup .menu-item');
    const count = await rows.count();
    const row = rows.nth(item % Math.max(count, 1));
    const text = count ? await row.locator('.label').textContent({ timeout: 2000 }).catch(() => exitText) : exitText;
    if (text !== exitText) await tryClick(row, step);
    else await page.keyboard.press('Escape');
  };
  try {
    const end = Date.now() + seconds * 1000;
    while (Date.now() < end) {
      const what = random(10);
      const state = await page.evaluate(() => ({
        menu: !!document.querySelector('.menu-popup'),
        bar: !!document.querySelector('.menu-title.selected'),
        modal: !!document.querySelector('.window.dialog, .window.message-box'),
      }));
      const step = { what, ...state };
      if (what < 3) {
        // A click or tap somewhere on the main window's client area.
        const box = await page.locator('.main-window .client').boundingBox();
        const x = box.x + random(Math.floor(box.width));
        const y = box.y + random(Math.floor(box.height));
        step.at = [x, y];
        if (what === 2) await page.touchscreen.tap(x, y);
        else await page.mouse.click(x, y);
      } else if (what < 5) {
        // A table button or card (any, enabled or not).
        const targets = page.locator('.main-window .table-button, .main-window .card');
        const i = random(13);
        step.target = i;
        const box = await targets.nth(i).boundingBox();
        if (box) await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
      } else if (what < 8) {
        // A key; while a menu has the keyboard only those that cannot choose Exit.
        let key = keys[random(keys.length)];
        if ((state.menu || state.bar) && !['Escape', 'ArrowLeft', 'ArrowRight', 'Alt', 'F10'].includes(key)) key = 'Escape';
        step.key = key;
        await page.keyboard.press(key);
      } else if (what === 8) {
        // A menu by the mouse: a title, then one of its items but Exit.
        const titles = page.locator('.main-window .menu-title');
        const t = random(await titles.count());
        const item = random(8);
        step.menu = [t, item];
        if (!state.modal) {
          await tryClick(titles.nth(t), step);
          await chooseRow(item, step);
        }
      } else {
        // The right-click menu, and one of its items but Exit.
        const box = await page.locator('.main-window .client').boundingBox();
        const item = random(11);
        step.tableMenu = item;
        if (!state.modal) {
          await page.mouse.click(box.x + 200, box.y + 250, { button: 'right' });
          await chooseRow(item, step);
        }
      }
      done.push(step);
      await L.sleep(random(120));
      assert.ok(!(await page.evaluate(() => document.body.classList.contains('closed'))),
        `the game closed (seed ${seed}; steps in ${work}/steps.json)`);
    }
    L.record(work, 'steps.json', done);
    await L.shot(page, work, 'after-input');

    // Everything open is closed: menus by Escape, boxes by No or OK, dialogs by Escape.
    for (let i = 0; i < 40; ++i) {
      const open = await page.evaluate(() => {
        const boxes = document.querySelectorAll('.window.message-box');
        return { menu: !!document.querySelector('.menu-popup, .menu-title.selected'),
          box: boxes.length ? boxes[boxes.length - 1].querySelectorAll('.push-button').length : 0,
          dialog: !!document.querySelector('.window.dialog'), busy: /** @type {any} */ (window).quorvel.machine.busy };
      });
      if (!open.menu && !open.box && !open.dialog && !open.busy) break;
      if (open.busy) await L.sleep(200);
      else if (open.box === 2) await page.keyboard.press('n');
      else await page.keyboard.press(open.box ? 'Enter' : 'Escape');
      await L.sleep(150);
    }
    await L.noModal(page, 15000);
    // A round in progress is played out (Deal draws), and a busted machine hits the bank.
    for (let i = 0; i < 4; ++i) {
      await L.until(page, () => !(/** @type {any} */ (window).quorvel.machine.busy) &&
        !(/** @type {any} */ (window).quorvel.machine.timer && document.querySelector('.message-line .message-text').textContent.endsWith('...')),
      null, { timeout: 15000 });
      const t = await L.table(page);
      if (t.enabled[5]) break;                            // Coin
      if (t.enabled[7]) await L.button(page, L.COMMAND.deal).click();
      else if (L.creditsOf(t) === 0) {
        // A round drawn with no coins in (the statistics cleared under it)
        // ends bust: its box comes a moment after the draw, so it is
        // answered first, and the bank hit if the machine is still empty.
        if (await L.until(page, () => !!document.querySelector('.window.message-box'), null, { timeout: 2000 })
          .then(() => true, () => false)) {
          await page.keyboard.press('Enter');
          await L.noModal(page, 15000);
          continue;
        }
        await L.menu(page, ids.IDM_BANK);
        await L.topModal(page);
        await page.keyboard.press('Enter');
      }
      await L.sleep(500);
      await L.noModal(page, 15000).catch(async () => {
        await page.keyboard.press('Enter');
        await L.noModal(page, 15000);
      });
    }
    await L.button(page, L.COMMAND.coin).click();
    await L.button(page, L.COMMAND.deal).click();
    await L.sleep(100);
    await L.dealt(page, 15000);
    const faces = await L.pictures(page);
    await L.shot(page, work, 'played');
    assert.ok(!faces.some(L.isBack), `a coin and a deal show five faces (seed ${seed}): ${faces}`);
    p.check();
  } catch (e) {
    L.record(work, 'steps.json', done);
    await L.shot(page, work, 'failed').catch(() => {});
    e.message = `${e.message || e.name || String(e)} (seed ${seed}; replay with QUORVEL_SEED=${seed}; steps in ${work})`;
    throw e;
  } finally {
    await p.close();
  }
});
