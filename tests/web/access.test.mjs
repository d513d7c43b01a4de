// The page as a screen reader and a keyboard give it: axe-core's checks of
// WCAG 2.2 A/AA and best practice in every state a player meets, and a game
// played by roles and accessible names alone, its cards read back from the
// accessibility tree and compared with the cards the core dealt.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import * as L from './lib.mjs';

const ids = L.resourceIds();
const axeSource = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const AXE_TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'];

let suite;
before(async () => { suite = await L.startSuite(); });
after(async () => suite && suite.stop());

/** The card names as the core words them, from its own source: index -> name. */
function cardNamer() {
  const text = readFileSync(join(L.source, 'engine/card_name.cpp'), 'utf8');
  const list = (name) => [...new RegExp(`${name}\\[\\]\\s*=\\s*\\{([^}]*)\\}`).exec(text)[1].matchAll(/"([^"]+)"/g)]
    .map((m) => m[1]);
  const ranks = list('kRanks');
  const suits = list('kSuits');
  return (c) => (c >= 52 ? 'Joker' : `${ranks[c % 13]} of ${suits[Math.floor(c / 13)]}`);
}

async function withPage(name, options, body) {
  const work = L.workFolder(name);
  const p = await L.openPage(suite, work, { bypassCSP: true, settings: { FastDeal: '1' }, clock: 1700000000, ...options });
  try {
    await body(p.page, work);
    p.check();
  } finally {
    await p.close();
  }
}

/** axe-core's findings in the page now, as "state: rule (impact) at targets". */
async function axe(page, state) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ path: axeSource });
  const found = await page.evaluate(async (tags) => {
    const result = await /** @type {any} */ (window).axe.run(document, { runOnly: { type: 'tag', values: tags } });
    return result.violations.map((v) => `${v.id} (${v.impact}) at ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  }, AXE_TAGS);
  return found.map((f) => `${state}: ${f}`);
}

test('axe-core finds nothing in any state: the table, each menu, each box and dialog, the coach, the closing screen',
  { timeout: 240000 }, async () => {
    await withPage('access-axe', {}, async (page, work) => {
      const found = [];
      const look = async (state) => {
        found.push(...await axe(page, state));
        await L.shot(page, work, state);
      };
      await look('table before a deal');
      await L.button(page, L.COMMAND.coin).click();
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await look('table after a deal');
      await L.holdButton(page, 0).click();
      await L.holdButton(page, 3).click();
      await look('table with holds');
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await look('table after the draw');

      // Each menu of the bar, opened by the keyboard and by a click.
      const titles = await page.locator('.menu-title').count();
      for (let i = 0; i < titles; ++i) {
        await page.locator('.menu-title').nth(i).click();
        await page.locator('.menu-popup').waitFor();
        await look(`menu ${i + 1} open`);
        await page.keyboard.press('Escape');
        await page.keyboard.press('Escape');
      }
      await page.locator('.client').click({ button: 'right', position: { x: 200, y: 300 } });
      await page.locator('.menu-popup').waitFor();
      await look('right-click menu open');
      await page.keyboard.press('Escape');

      // Each dialog, and the boxes a player meets.
      // (A Yes/No box takes no Escape.)
      for (const [command, name, close] of [[ids.IDM_HELP, 'help'], [ids.IDM_PAYOFF, 'payoff'], [ids.IDM_ABOUT, 'about'],
        [ids.IDM_STATS, 'statistics'], [ids.IDM_OPTIONS, 'options'], [ids.IDM_CLEARSTATS, 'clear-statistics box', 'n']]) {
        await L.menu(page, command);
        await L.topModal(page);
        await look(`${name} open`);
        if (command === ids.IDM_OPTIONS) {
          // Its colour chooser, opened by the Set button's key.
          await page.keyboard.press('s');
          await L.until(page, () => document.querySelectorAll('.window.dialog:not([hidden])').length === 2);
          await L.settled(page);
          await look('colour chooser open');
          // A colour is chosen by keys alone: Tab to the grid, an arrow.
          const checked = () => page.evaluate(() => document.querySelector('[role=radio][aria-checked=true]')?.getAttribute('aria-label'));
          const before = await checked();
          for (let i = 0; i < 4 && await page.evaluate(() => document.activeElement?.getAttribute('role') !== 'radio'); ++i) {
            await page.keyboard.press('Tab');
          }
          await page.keyboard.press('ArrowDown');
          assert.notEqual(await checked(), before, 'the arrow moved the choice');
          assert.equal(await page.evaluate(() => document.activeElement?.getAttribute('aria-checked')), 'true');
          await page.keyboard.press('Escape');
          await L.until(page, () => document.querySelectorAll('.window.dialog:not([hidden])').length === 1);
        }
        await page.keyboard.press(close || 'Escape');
        await L.noModal(page);
      }

      // The coach's window and its list of every hold.
      await page.locator('.menu-title', { hasText: /^Coach$/ }).click();
      await L.menuRow(page, 'Coach On').click();
      await L.button(page, L.COMMAND.coin).click();
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await page.locator('.window.coach').waitFor();
      await look('coach after a deal');
      // Its windows: every hold, why this hold, and after the draw the review and the drill.
      const coachWindow = async (button, state) => {
        await page.locator('.window.coach .push-button', { hasText: button }).click();
        await L.topModal(page);
        await look(state);
        await page.keyboard.press('Escape');
        await L.noModal(page);
      };
      await coachWindow('All Holds', 'coach list open');
      await coachWindow('Why', 'why window open');
      await L.button(page, L.COMMAND.deal).click();
      await L.dealt(page);
      await coachWindow('Review', 'review open');
      await page.evaluate(() => /** @type {any} */ (window).quorvel.coach.startDrill(
        /** @type {any} */ (window).quorvel.coach.history.hands));
      await look('drill');
      await page.locator('.window.coach .push-button', { hasText: 'End Drill' }).click();

      // Exit: the closing screen.
      await L.menu(page, ids.IDM_EXIT);
      await L.until(page, () => document.body.classList.contains('closed') || !!document.querySelector('.window.message-box'));
      while (await page.evaluate(() => !document.body.classList.contains('closed'))) {
        await page.keyboard.press('Enter');
        await L.sleep(200);
      }
      await look('closing screen');
      L.record(work, 'violations.json', found);
      assert.deepEqual(found, [], 'no violation anywhere');
    });
  });

test('a whole game by roles and names alone, the dealt cards read from the accessibility tree', { timeout: 90000 },
  async () => {
    const name = cardNamer();
    await withPage('access-roles', {}, async (page, work) => {
      const strings = (await L.resources()).strings;
      const coin = page.getByRole('button', { name: 'Coin' });
      const deal = page.getByRole('button', { name: /^(Deal|Hit|Stand)$/ });
      await coin.click();
      await coin.click();
      await deal.click();
      // The deal is told once it has ended; the cards are then read back.
      const log = page.getByRole('log');
      await log.getByText(/^Dealt: /).waitFor();
      const tree = await page.locator('body').ariaSnapshot();
      const seen = [...tree.matchAll(/- img "([^"]+)"/g)].map((m) => m[1]);
      const dealt = await page.evaluate(() => [0, 1, 2, 3, 4].map((i) => /** @type {any} */ (window).quorvel
        .machine.exports.quorvel_slot_card(i)));
      assert.deepEqual(seen, dealt.map(name), `the five places read as the core's cards:\n${tree}`);
      assert.match(await log.textContent(), new RegExp(`Dealt: ${dealt.map(name).join(', ')}\\.`));
      assert.equal(await page.getByRole('status').first().textContent(), strings[ids.IDS_HOLD_OR_DEAL]);

      // Hold the first two by their buttons: pressed, and the places say so.
      for (const slot of [0, 1]) {
        const hold = page.getByRole('button', { name: `Hold ${name(dealt[slot])}` });
        await hold.click();
        assert.equal(await hold.getAttribute('aria-pressed'), 'true');
        await page.getByRole('img', { name: `${name(dealt[slot])}, held` }).waitFor();
      }
      await deal.click();
      await log.getByText(/^Drawn: /).waitFor();
      const drawn = await page.evaluate(() => [0, 1, 2, 3, 4].map((i) => /** @type {any} */ (window).quorvel
        .machine.exports.quorvel_slot_card(i)));
      assert.deepEqual(drawn.slice(0, 2), dealt.slice(0, 2), 'the held cards stay');
      const told = await log.getByText(/^Drawn: /).textContent();
      assert.match(told, new RegExp(`Drawn: ${drawn.map(name).join(', ')}\\. CREDITS = \\d+`));
      const credits = await page.getByText(/^CREDITS = \d+$/).textContent();
      assert.ok(told.endsWith(credits), `the payoff read back: ${told} / ${credits}`);

      // A dialog by the menu bar's roles: opened, labelled, modal, closed,
      // and the keyboard back on the table.
      await page.getByRole('menubar').getByRole('menuitem', { name: 'Help' }).click();
      await page.getByRole('menu').getByRole('menuitem', { name: /^About/ }).click();
      const about = page.getByRole('dialog', { name: /About/ });
      await about.waitFor();
      assert.equal(await about.getAttribute('aria-modal'), 'true');
      await about.getByRole('button', { name: 'OK' }).click();
      await about.waitFor({ state: 'detached' });
      const table = page.getByRole('group', { name: await page.getByRole('heading', { level: 1 }).textContent() });
      assert.ok(await table.evaluate((e) => e.contains(document.activeElement)), 'the keyboard back on the table');
      await L.shot(page, work, 'after');
    });
  });
