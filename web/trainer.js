// The coach as a trainer: why the best hold is best, final hand by final
// hand beside the hold set; the session's mistakes, dearest first, to
// review, drill again and export.  Every figure and grade is the core's;
// this only lays them out, as tables a screen reader reads row by row.
import { el, place } from './ui.js';
import { FramedWindow, pushButton } from './windows.js';

/**
 * A modal window of the coach's with an OK button, closed by Enter or
 * Escape; `fill` lays out its client area above the button.
 * @param {import('./boxes.js').Modals} modals @param {() => {w: number, h: number}} screen
 * @param {string} title @param {number} w @param {number} h
 * @param {(client: HTMLElement, close: () => void) => void} fill
 */
function coachBox(modals, screen, title, w, h, fill) {
  const win = new FramedWindow(modals.layer, title, w, h, { close: () => done(), className: 'dialog trainer' });
  let closed = false;
  const done = () => {
    if (closed) return;
    closed = true;
    modals.remove(modal);
  };
  const modal = {
    window: win,
    scrolls: true,
    key: (/** @type {KeyboardEvent} */ e) => {
      if (e.type !== 'keydown') return;
      const focused = document.activeElement;
      const control = focused instanceof HTMLButtonElement || focused instanceof HTMLInputElement ? focused : null;
      if (e.key === 'Escape') done();
      else if ((e.key === 'Enter' || e.key === ' ') && control && control !== ok && win.client.contains(control)) control.click();
      else if (e.key === 'Enter') done();
      else if (e.key === 'Tab') {
        const stops = /** @type {HTMLElement[]} */ ([...win.client.querySelectorAll('button:not(:disabled), input, [tabindex="0"]')]);
        const at = stops.indexOf(/** @type {HTMLElement} */ (focused));
        const next = stops[(at + (e.shiftKey ? stops.length - 1 : 1) + stops.length) % stops.length];
        if (next) next.focus({ preventScroll: true });
      } else if (e.key.length === 1) {
        // A button's underlined letter presses it.
        const hit = /** @type {HTMLButtonElement[]} */ ([...win.client.querySelectorAll('button:not(:disabled)')])
          .find((b) => b.dataset.key === e.key.toLowerCase());
        if (hit) hit.click();
      }
    },
  };
  const ok = pushButton(win.client, 'OK', true);
  place(ok, [w - 81, h - 29, w - 6, h - 6]);
  ok.addEventListener('click', done);
  fill(win.client, done);
  const { w: sw, h: sh } = screen();
  win.centre(sw, sh, w, h);
  modals.push(modal);
  const first = /** @type {HTMLElement | null} */ (win.client.querySelector('[tabindex="0"]')) || ok;
  first.focus({ preventScroll: true });
  return win;
}

/**
 * A table of rows under a header, in a scrolling list.
 * @param {HTMLElement} parent @param {number[]} at @param {string} caption
 * @param {string[]} head @param {string[][]} rows @param {(i: number) => string} [rowClass]
 */
function listTable(parent, at, caption, head, rows, rowClass) {
  const body = el('div', 'coach-list', parent);
  place(body, at);
  body.tabIndex = 0;
  body.setAttribute('role', 'region');
  body.setAttribute('aria-label', caption);
  const table = /** @type {HTMLTableElement} */ (el('table', '', body));
  el('caption', 'coach-caption', table).textContent = caption;
  const tr = el('tr', '', table);
  for (const t of head) el('th', '', tr).textContent = t;
  rows.forEach((cells, i) => {
    const row = el('tr', rowClass ? rowClass(i) : '', table);
    for (const c of cells) el('td', '', row).textContent = c;
  });
  return body;
}

/**
 * Why the best hold: its final hands beside those of the hold of `mask`,
 * percentages or exact fractions, the expected coins for the coins played,
 * and the hands where the difference lies.
 * @param {import('./coach.js').Coach} coach @param {number} mask @param {number} coins
 */
export function whyWindow(coach, mask, coins) {
  const ex = coach.machine.exports;
  const text = coach.machine.text(ex.quorvel_coach_why(mask, coins));
  if (!text) return;
  const why = JSON.parse(text);
  const w = 460;
  const h = 380;
  coachBox(coach.modals, coach.screen, 'Why This Hold', w, h, (c) => {
    const held = why.held_hold;
    const best = why.best_hold;
    let fractions = false;
    /** @type {HTMLElement | null} */
    let list = null;
    const draw = () => {
      if (list) list.remove();
      const figure = (/** @type {any} */ hand) => (fractions ? hand.fraction : hand.percent);
      const rows = best.hands.map((/** @type {any} */ b, /** @type {number} */ i) => [b.name, figure(held.hands[i]), figure(b)]);
      rows.push(['Expected coins', held.expected_coins_text, best.expected_coins_text]);
      list = listTable(c, [6, 6, w - 6, 214], `Final hands for ${why.coins} coin${why.coins === 1 ? '' : 's'}`,
        ['Final hand', `Yours: ${held.cards}`, `Best: ${best.cards}`], rows,
        (i) => (i === rows.length - 1 ? 'total' : ''));
      c.insertBefore(list, c.firstChild);
    };
    draw();
    const exact = /** @type {HTMLLabelElement} */ (el('label', 'check-box', c));
    const box = /** @type {HTMLInputElement} */ (el('input', '', exact));
    box.type = 'checkbox';
    el('span', '', exact).textContent = 'Exact fractions';
    place(exact, [6, 220, 200, 236]);
    box.addEventListener('change', () => {
      fractions = box.checked;
      draw();
    });
    const diff = why.difference;
    const rows = diff.hands.filter((/** @type {any} */ d) => d.count !== 0)
      .map((/** @type {any} */ d) => [d.name, d.share_text, d.coins_text]);
    const summary = el('div', 'coach-summary', c);
    summary.textContent = why.grade === 'none' ? 'Your hold is as good as the best.'
      : `Your hold gives up ${diff.expected_coins_text.replace(/^\+/, '')} coins: a ${why.grade} mistake.`;
    place(summary, [6, 240, w - 6, 256]);
    listTable(c, [6, 260, w - 6, h - 36], 'Where they differ', ['Final hand', 'Share of draws', 'Coins'], rows);
  });
}

/**
 * The session's mistakes, dearest first, each graded; the drill and the
 * exports start here.
 * @param {import('./coach.js').Coach} coach
 */
export function reviewWindow(coach) {
  const ex = coach.machine.exports;
  const history = coach.history;
  const short = (/** @type {number} */ card) => coach.machine.text(ex.quorvel_card_short(card));
  const grade = (/** @type {number} */ g) => coach.machine.text(ex.quorvel_coach_grade_name(g));
  const held = (/** @type {import('./history.js').Hand} */ h, /** @type {number} */ mask) =>
    h.deal.filter((_, i) => mask & (1 << i)).map(short).join(' ') || '(none)';
  const w = 520;
  const h = 360;
  coachBox(coach.modals, coach.screen, 'Review', w, h, (c, close) => {
    const mistakes = history.mistakes();
    const hands = history.hands.length;
    const line = el('div', 'coach-summary', c);
    line.textContent = `${hands} hand${hands === 1 ? '' : 's'} kept, ${mistakes.length} mistake${mistakes.length === 1 ? '' : 's'}; ` +
      'major: a tenth or more of the best hold\'s worth given up.';
    place(line, [6, 6, w - 6, 22]);
    listTable(c, [6, 26, w - 6, h - 66], 'Mistakes, dearest first',
      ['Deal', 'Held', 'Best', 'Coins', 'Cost', 'Grade'],
      mistakes.map((m) => [m.deal.map(short).join(' '), held(m, m.held), held(m, m.best), String(m.coins), m.cost, grade(m.grade)]));
    const buttons = [
      ['&Drill', () => { close(); coach.startDrill(mistakes); }, !mistakes.length],
      ['Export &CSV', () => download('quorvel-hands.csv', 'text/csv', history.csv(short, grade)), !hands],
      ['Export &JSON', () => download('quorvel-hands.json', 'application/json', history.json()), !hands],
      ['C&lear', () => { history.clear(); close(); coach.render(); }, !hands],
    ];
    buttons.forEach(([label, action, off], i) => {
      const b = pushButton(c, /** @type {string} */ (label));
      place(b, [6 + 90 * i, h - 58, 90 + 90 * i, h - 35]);
      b.disabled = /** @type {boolean} */ (off);
      b.addEventListener('click', /** @type {() => void} */ (action));
    });
  });
}

/** Hands a text to the browser as a file to keep. @param {string} name @param {string} type @param {string} text */
function download(name, type, text) {
  const url = URL.createObjectURL(new Blob([text], { type }));
  const a = /** @type {HTMLAnchorElement} */ (el('a', '', document.body));
  a.href = url;
  a.download = name;
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}
