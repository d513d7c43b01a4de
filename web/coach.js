// The coach at the table, an addition of the page: when it is on, the exact
// value of the hold the player has set, beside the best hold's and the
// strategy chart's, the best and the chart's holds marked on the cards, the
// verdict on the hold played after the draw and a tally of the session.  In
// practice, the marks and the best hold stay hidden until the draw.  As a
// trainer it also keeps the session's hands (web/history.js), shows why the
// best hold is best, reviews and drills the mistakes (web/trainer.js) and
// tells the bankroll's risk of going bust.  Every figure is the odds
// analyser's, computed in the page's core.
import { HandHistory } from './history.js';
import { PageMetric, PlaceKind, RoundPhase } from './ids.js';
import { showCardPicture } from './table.js';
import { reviewWindow, whyWindow } from './trainer.js';
import { el, place } from './ui.js';
import { FramedWindow, pushButton } from './windows.js';

/**
 * A push button in the right-hand column of the coach's window.
 * @param {HTMLElement} parent @param {number} w  the window's width
 * @param {string} text @param {number} top @param {() => void} action
 */
function sideButton(parent, w, text, top, action) {
  const b = pushButton(parent, text);
  place(b, [w - 90, top, w - 6, top + 23]);
  b.addEventListener('click', action);
  return b;
}

/** The coach's window: its rows, and the drill's five cards. */
export const COACH_HEIGHT = 150;

const DECIMALS = 6;

export class Coach {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {import('./table.js').Table} table
   * @param {import('./boxes.js').Modals} modals
   * @param {import('./storage.js').Storage} storage
   * @param {() => {w: number, h: number}} screen
   * @param {() => number[]} mainWindow   the main window's rectangle
   */
  constructor(machine, table, modals, storage, screen, mainWindow) {
    this.machine = machine;
    this.table = table;
    this.modals = modals;
    this.storage = storage;
    this.screen = screen;
    this.mainWindow = mainWindow;
    this.on = storage.read('Coach') === '1';
    this.practice = storage.read('CoachPractice') === '1';
    this.deck = 53;
    this.advised = false;
    /** @type {number} */
    this.phase = RoundPhase.Betting;
    this.dealing = false;
    this.mask = -1;
    this.played = 0;
    this.coins = 0;
    this.tally = { hands: 0, best: 0, chart: 0, givenUp: 0 };
    this.history = new HandHistory(storage);
    /** @type {string} */
    this.verdict = this.history.notice;
    /** The advised deal's cards, the credits when its draw began. @type {number[]} */
    this.dealCards = [];
    this.creditsAtDraw = 0;
    /** The risk last shown, by deck, credits and coins, and whether it is to be shown again. */
    this.riskKey = '';
    this.riskQueued = false;
    /** @type {{hands: import('./history.js').Hand[], at: number, mask: number, answer: string} | null} */
    this.drill = null;
    /** Told when the window comes or goes, so the screen is laid out again. */
    this.resized = () => {};
    /** @type {FramedWindow | null} */
    this.window = null;
    /** @type {Record<string, HTMLElement>} */
    this.lines = {};
    /** @type {Record<string, string>} */
    this.labels = {};
    // The marks go in the gap between each card and its hold button.
    /** @type {HTMLElement[]} */
    this.marks = [0, 1, 2, 3, 4].map((i) => {
      const r = table.rect(PlaceKind.Card, i);
      // On the foot of the card, clear of the row's frame, as large as the
      // status line's text.
      const mark = el('div', 'coach-mark', table.felt);
      place(mark, [r[0] + 2, r[3] - 19, r[2] - 2, r[3] - 2]);
      mark.setAttribute('aria-hidden', 'true');
      mark.hidden = true;
      return mark;
    });
    if (this.on) this.show();
  }

  // ---- The switches ---------------------------------------------------------

  toggle() {
    this.on = !this.on;
    this.storage.write('Coach', this.on ? '1' : '0');
    if (this.on) this.show();
    else this.hide();
    this.resized();
  }

  togglePractice() {
    this.practice = !this.practice;
    this.storage.write('CoachPractice', this.practice ? '1' : '0');
    this.render();
  }

  show() {
    this.machine.exports.quorvel_coach_prepare();
    if (!this.window) this.build();
    this.watch(true);
  }

  hide() {
    if (this.drill) this.endDrill();
    if (this.window) this.window.remove();
    this.window = null;
    this.marks.forEach((m) => { m.hidden = true; });
  }

  build() {
    const w = this.machine.exports.quorvel_metric(PageMetric.ClientWidth);
    const h = COACH_HEIGHT;
    const win = new FramedWindow(this.modals.layer, 'Coach', w, h, { close: () => this.toggle(), className: 'coach' });
    win.root.setAttribute('role', 'region');
    win.root.setAttribute('aria-labelledby', win.titleText.id);
    const c = el('div', 'coach-pane', win.client);
    place(c, [0, 0, w, h]);
    this.pane = c;
    const row = (/** @type {string} */ name, /** @type {number} */ top, /** @type {string} */ label,
      /** @type {number} */ right) => {
      const title = el('div', 'coach-label', c);
      title.textContent = label;
      this.labels[name] = label;
      place(title, [6, top, 70, top + 15]);
      const value = el('div', `coach-value ${name}`, c);
      place(value, [70, top, right, top + 15]);
      this.lines[name] = value;
    };
    row('yours', 5, 'Your hold', w - 100);
    row('best', 20, 'Best hold', w - 100);
    row('chart', 35, 'Chart', w - 100);
    row('cost', 50, 'Costs', w - 100);
    row('last', 65, 'Last hand', w - 100);
    row('tally', 80, 'Session', w - 6);
    row('risk', 100, 'Bust risk', w - 6);
    row('riskChart', 115, 'By chart', w - 6);
    row('needs', 130, 'Bankroll', w - 6);
    const button = (/** @type {string} */ text, /** @type {number} */ top, /** @type {() => void} */ action) =>
      sideButton(c, w, text, top, action);
    this.listButton = button('&All Holds...', 5, () => this.list());
    this.whyButton = button('&Why...', 31, () => this.why());
    this.reviewButton = button('&Review...', 57, () => reviewWindow(this));
    this.buildDrill(win.client, w, h);
    this.window = win;
    this.riskKey = '';
    this.placeWindow();
  }

  /**
   * The drill's pane: the deal's five cards, buttons held by a click, a
   * tap or Space, and the answer judged as the analyser's trainer judges it.
   * @param {HTMLElement} parent @param {number} w @param {number} h
   */
  buildDrill(parent, w, h) {
    const d = el('div', 'coach-pane drill', parent);
    place(d, [0, 0, w, h]);
    d.hidden = true;
    d.setAttribute('role', 'group');
    d.setAttribute('aria-label', 'Drill');
    this.drillPane = d;
    this.drillTitle = el('div', 'coach-label', d);
    place(this.drillTitle, [6, 4, w - 100, 19]);
    /** @type {HTMLButtonElement[]} */
    this.drillCards = [0, 1, 2, 3, 4].map((i) => {
      const b = /** @type {HTMLButtonElement} */ (el('button', 'card drill-card', d));
      b.type = 'button';
      place(b, [6 + 77 * i, 22, 77 + 77 * i, 118]);
      b.addEventListener('click', () => this.drillHold(i));
      return b;
    });
    this.drillHolds = [0, 1, 2, 3, 4].map((i) => {
      const mark = el('div', 'drill-hold', d);
      place(mark, [6 + 77 * i, 119, 77 + 77 * i, 132]);
      mark.setAttribute('aria-hidden', 'true');
      return mark;
    });
    this.drillAnswer = el('div', 'coach-value drill-answer', d);
    this.drillAnswer.setAttribute('role', 'status');
    place(this.drillAnswer, [6, 133, w - 6, 148]);
    const button = (/** @type {string} */ text, /** @type {number} */ top, /** @type {() => void} */ action) =>
      sideButton(d, w, text, top, action);
    this.checkButton = button('&Check', 22, () => this.drillCheck());
    this.nextButton = button('&Next', 48, () => this.drillNext());
    button('&End Drill', 74, () => this.endDrill());
  }

  // Under the main window where the screen has room, else beside it, else
  // over the bottom of the screen.
  placeWindow() {
    if (!this.window) return;
    const { w: sw, h: sh } = this.screen();
    const [l, t, r, b] = this.mainWindow();
    const { width: w, height: h } = this.window;
    if (b + 4 + h <= sh) this.window.moveTo(l, b + 4);
    else if (r + 4 + w <= sw) this.window.moveTo(r + 4, t);
    else this.window.moveTo(Math.max(0, l), Math.max(0, sh - h));
  }

  // ---- Following the round ------------------------------------------------

  /**
   * After every call into the core: the deal, each hold, the draw and the
   * end of the round, as the round's state shows them.
   * @param {boolean} [force]
   */
  watch(force = false) {
    if (!this.on) return;
    const ex = this.machine.exports;
    const phase = ex.quorvel_round_phase();
    const dealing = ex.quorvel_round_dealing() !== 0;
    const mask = ex.quorvel_held_mask();
    const was = { phase: this.phase, dealing: this.dealing };
    this.phase = phase;
    this.dealing = dealing;
    // The cards turned face down for the next game: the advice is over.
    if (phase === RoundPhase.Betting && this.advised && ex.quorvel_slot_card(0) < 0) {
      this.advised = false;
      force = true;
    }
    if (phase === RoundPhase.Dealt && dealing && was.phase === RoundPhase.Betting) {
      // The five cards were decided in this same call, from this deck.
      this.deck = ex.quorvel_deck_size();
      this.advised = false;
      this.verdict = '';
    }
    if (phase === RoundPhase.Dealt && !dealing && (!this.advised || force)) {
      this.advised = ex.quorvel_coach_advise(this.deck) !== 0;
      if (this.advised) this.dealCards = [0, 1, 2, 3, 4].map((i) => ex.quorvel_slot_card(i));
    }
    if (phase === RoundPhase.Drawn && was.phase === RoundPhase.Dealt) {
      this.played = mask;
      this.coins = ex.quorvel_round_coins();
      this.creditsAtDraw = ex.quorvel_credits();
    }
    if (phase === RoundPhase.Betting && was.phase === RoundPhase.Drawn && this.advised) this.judge();
    if (force || mask !== this.mask || phase !== was.phase || dealing !== was.dealing) {
      this.mask = mask;
      this.render();
    }
  }

  // The hold played, as the core judges it against the best and the
  // chart's, into the tally.
  /** The advice a screen reader hears once a deal has ended, or '': the best hold by its cards' names. */
  spokenAdvice() {
    if (!this.on || !this.window || !this.advised || this.dealing || this.phase !== RoundPhase.Dealt) return '';
    if (this.practice) return '';
    const ex = this.machine.exports;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    return `${this.labels.best}: ${text(ex.quorvel_spoken_held_cards(ex.quorvel_coach_mask(0)))}, ` +
      `${text(ex.quorvel_coach_value(0, DECIMALS))} per coin.`;
  }

  judge() {
    const ex = this.machine.exports;
    if (!ex.quorvel_coach_judge(this.played)) return;
    const best = ex.quorvel_coach_verdict_best() !== 0;
    this.tally.hands += 1;
    if (best) this.tally.best += 1;
    if (ex.quorvel_coach_verdict_chart()) this.tally.chart += 1;
    this.tally.givenUp += ex.quorvel_coach_verdict_loss() * this.coins;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    const grade = ex.quorvel_coach_verdict_grade(this.coins);
    this.verdict = best
      ? `You played the best hold, ${text(ex.quorvel_coach_cards(ex.quorvel_coach_verdict_place()))}.`
      : `Your hold cost ${text(ex.quorvel_coach_verdict_cost(DECIMALS))} per coin (${text(ex.quorvel_coach_grade_name(grade))}); ` +
        `best: ${text(ex.quorvel_coach_cards(0))}.`;
    // A tie with the best is the best: its own mask is then the best hold.
    this.history.add({
      time: Math.floor(Date.now() / 1000), deck: this.deck, deal: this.dealCards, held: this.played,
      best: best ? this.played : ex.quorvel_coach_mask(0), chart: ex.quorvel_coach_mask(ex.quorvel_coach_chart_place()),
      coins: this.coins, draw: [0, 1, 2, 3, 4].map((i) => ex.quorvel_slot_card(i)),
      won: Math.max(0, ex.quorvel_credits() - this.creditsAtDraw),
      cost: text(ex.quorvel_coach_verdict_coins(this.coins, DECIMALS)), grade,
    });
  }

  /** Why the best hold: beside the hold set, or after the draw the hold played. */
  why() {
    if (!this.advised) return;
    const mask = this.phase === RoundPhase.Dealt ? this.mask : this.played;
    whyWindow(this, mask, this.coinsPerHand());
  }

  /** The coins a hand is being played for: those put in, else the last hand's. */
  coinsPerHand() {
    const now = this.machine.exports.quorvel_round_coins();
    return now > 0 ? now : this.coins || 1;
  }

  // The bankroll's risk of going bust with the credits in hand, from the
  // core, shown again only when the deck, the credits or the coins change.
  renderRisk() {
    const ex = this.machine.exports;
    const deck = ex.quorvel_deck_size();
    const credits = ex.quorvel_credits();
    const coins = this.coinsPerHand();
    const key = `${deck} ${credits} ${coins}`;
    if (key === this.riskKey) return;
    this.riskKey = key;
    const text = this.machine.text(ex.quorvel_coach_risk(deck, credits, coins));
    if (!text) return;
    const risk = JSON.parse(text);
    /** @param {any} play */
    const line = (play) => `${play.bust_within.map((/** @type {any} */ b, /** @type {number} */ i) =>
      `${b.text} within ${b.hands.toLocaleString('en')}${i ? '' : ' hands'}`).join(', ')}; ${play.expected_hands_text} hands on average`;
    const [optimal, chart] = risk.plays;
    this.lines.risk.textContent = line(optimal);
    this.lines.riskChart.textContent = line(chart);
    this.lines.needs.textContent = `${credits} credits at ${coins} a hand; ${risk.target_percent} % bust within ` +
      `${risk.target_hands.toLocaleString('en')} needs ${optimal.credits_for_target.toLocaleString('en')} ` +
      `(${chart.credits_for_target.toLocaleString('en')} by chart)`;
  }

  render() {
    if (!this.on || !this.window) return;
    if (this.drill) return;
    const ex = this.machine.exports;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    // The advice stands from the end of the deal until the cards go face
    // down; the marks only while the dealt cards lie there to hold.
    const holding = this.advised;
    const hidden = this.practice && this.phase === RoundPhase.Dealt;
    const marking = holding && !hidden && this.phase === RoundPhase.Dealt && !this.dealing;
    const chart = ex.quorvel_coach_chart_place();
    const place = holding ? ex.quorvel_coach_place_of_mask(this.mask) : -1;
    const value = (/** @type {number} */ p) => `${text(ex.quorvel_coach_value(p, DECIMALS))} per coin`;
    const set = (/** @type {string} */ name, /** @type {string} */ words) => { this.lines[name].textContent = words; };
    if (holding) {
      set('yours', `${value(place)}: ${text(ex.quorvel_coach_cards(place))}`);
      set('best', hidden ? 'after the draw' : `${value(0)}: ${text(ex.quorvel_coach_cards(0))}`);
      set('chart', hidden ? 'after the draw'
        : `line ${ex.quorvel_coach_chart_line()} "${text(ex.quorvel_coach_chart_text())}": ${text(ex.quorvel_coach_cards(chart))}`);
      ex.quorvel_coach_judge(this.mask);
      set('cost', hidden ? '' : ex.quorvel_coach_verdict_best() ? 'nothing: your hold is the best'
        : `${text(ex.quorvel_coach_verdict_cost(DECIMALS))} per coin against the best hold`);
    } else {
      for (const name of ['yours', 'best', 'chart', 'cost']) set(name, '');
    }
    set('last', this.verdict);
    const t = this.tally;
    set('tally', `${t.hands} hands, best hold ${t.best}, chart's hold ${t.chart}, given up ${t.givenUp.toFixed(4)} coins`);
    if (this.listButton) this.listButton.disabled = !holding;
    if (this.whyButton) this.whyButton.disabled = !holding || hidden;
    if (this.reviewButton) this.reviewButton.disabled = !this.history.hands.length;
    // After the table's own paint: the first risk for a number of coins is
    // counted then (tens of milliseconds), later ones are looked up.
    if (!this.riskQueued) {
      this.riskQueued = true;
      setTimeout(() => {
        this.riskQueued = false;
        if (this.on && this.window && !this.drill) this.renderRisk();
      }, 0);
    }
    // Marks: the best hold and the chart's, on the cards they keep.
    const best = marking ? ex.quorvel_coach_mask(0) : 0;
    const chartMask = marking ? ex.quorvel_coach_mask(chart) : 0;
    this.marks.forEach((mark, i) => {
      const words = [];
      if (best & (1 << i)) words.push('best');
      if (chartMask & (1 << i)) words.push('chart');
      mark.textContent = words.join(' ');
      mark.className = `coach-mark ${words.join(' ')}`;
      mark.hidden = !words.length;
    });
  }

  // ---- All 32 holds ---------------------------------------------------------

  // ---- The drill --------------------------------------------------------------

  /** Deals the session's mistakes again, one by one, in the coach's window. @param {import('./history.js').Hand[]} hands */
  startDrill(hands) {
    if (!hands.length || !this.window) return;
    this.drill = { hands: hands.slice(), at: 0, mask: 0, answer: '' };
    /** @type {HTMLElement} */ (this.pane).hidden = true;
    /** @type {HTMLElement} */ (this.drillPane).hidden = false;
    this.marks.forEach((m) => { m.hidden = true; });
    this.renderDrill();
    /** @type {HTMLButtonElement[]} */ (this.drillCards)[0].focus({ preventScroll: true });
  }

  endDrill() {
    if (!this.drill) return;
    this.drill = null;
    /** @type {HTMLElement} */ (this.pane).hidden = false;
    /** @type {HTMLElement} */ (this.drillPane).hidden = true;
    this.restoreAdvice();
    this.render();
  }

  // The core's advice is the table's again, for the deal the table had.
  restoreAdvice() {
    if (!this.advised) return;
    const ex = this.machine.exports;
    this.advised = ex.quorvel_coach_advise_cards(this.deck, ...this.dealCards) !== 0;
  }

  /** @param {number} i */
  drillHold(i) {
    const drill = this.drill;
    if (!drill || drill.answer) return;
    drill.mask ^= 1 << i;
    this.renderDrill();
  }

  // The answer judged as the trainer judges it: a hold worth the best
  // hold's is the best; else what it costs for the hand's coins, graded.
  drillCheck() {
    const drill = this.drill;
    if (!drill || drill.answer) return;
    const ex = this.machine.exports;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    const hand = drill.hands[drill.at];
    if (!ex.quorvel_coach_advise_cards(hand.deck, ...hand.deal) || !ex.quorvel_coach_judge(drill.mask)) return;
    const grade = ex.quorvel_coach_verdict_grade(hand.coins);
    drill.answer = ex.quorvel_coach_verdict_best()
      ? `Right: the best hold, ${text(ex.quorvel_coach_cards(ex.quorvel_coach_verdict_place()))}.`
      : `${text(ex.quorvel_coach_verdict_coins(hand.coins, DECIMALS))} coins given up ` +
        `(${text(ex.quorvel_coach_grade_name(grade))}); best: ${text(ex.quorvel_coach_cards(0))}.`;
    this.restoreAdvice();
    this.renderDrill();
    /** @type {HTMLButtonElement} */ (this.nextButton).focus({ preventScroll: true });
  }

  drillNext() {
    const drill = this.drill;
    if (!drill) return;
    if (drill.at + 1 >= drill.hands.length) {
      this.endDrill();
      return;
    }
    drill.at += 1;
    drill.mask = 0;
    drill.answer = '';
    this.renderDrill();
    /** @type {HTMLButtonElement[]} */ (this.drillCards)[0].focus({ preventScroll: true });
  }

  renderDrill() {
    const drill = this.drill;
    if (!drill) return;
    const ex = this.machine.exports;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    const hand = drill.hands[drill.at];
    /** @type {HTMLElement} */ (this.drillTitle).textContent =
      `Drill: mistake ${drill.at + 1} of ${drill.hands.length}, ${hand.coins} coin${hand.coins === 1 ? '' : 's'}. Hold, then Check.`;
    hand.deal.forEach((card, i) => {
      const b = /** @type {HTMLButtonElement[]} */ (this.drillCards)[i];
      const held = !!(drill.mask & (1 << i));
      showCardPicture(b, text(ex.quorvel_card_picture(card)));
      b.setAttribute('aria-label', `Hold ${text(ex.quorvel_card_name(card))}`);
      b.setAttribute('aria-pressed', String(held));
      b.disabled = !!drill.answer;
      /** @type {HTMLElement[]} */ (this.drillHolds)[i].textContent = held ? 'HOLD' : '';
    });
    /** @type {HTMLElement} */ (this.drillAnswer).textContent = drill.answer;
    /** @type {HTMLButtonElement} */ (this.checkButton).disabled = !!drill.answer;
    /** @type {HTMLButtonElement} */ (this.nextButton).disabled = !drill.answer;
  }

  list() {
    if (!this.advised) return;
    const ex = this.machine.exports;
    const text = (/** @type {number} */ at) => this.machine.text(at);
    const hidden = this.practice && this.phase === RoundPhase.Dealt;
    const w = 420;
    const h = 400;
    const win = new FramedWindow(this.modals.layer, 'All Holds', w, h, { close: () => done(), className: 'dialog' });
    const body = el('div', 'coach-list', win.client);
    place(body, [6, 6, w - 6, h - 36]);
    // The keyboard scrolls the list; a screen reader starts in it.
    body.tabIndex = 0;
    const table = /** @type {HTMLTableElement} */ (el('table', '', body));
    const head = el('tr', '', table);
    for (const t of ['rank', 'hold', 'per coin', 'exact', 'pays']) el('th', '', head).textContent = t;
    for (let p = 0; p < 32; ++p) {
      const tr = el('tr', p === ex.quorvel_coach_place_of_mask(this.mask) ? 'yours' : '', table);
      const cells = hidden ? [String(p + 1), '', '', '', '']
        : [String(p + 1), text(ex.quorvel_coach_cards(p)), text(ex.quorvel_coach_value(p, 9)),
          text(ex.quorvel_coach_exact(p)), `${text(ex.quorvel_coach_paying(p, 2))}%`];
      for (const c of cells) el('td', '', tr).textContent = c;
    }
    const ok = pushButton(win.client, 'OK', true);
    place(ok, [w / 2 - 37, h - 30, w / 2 + 38, h - 7]);
    const modal = {
      window: win,
      scrolls: true,
      key: (/** @type {KeyboardEvent} */ e) => {
        if (e.type === 'keydown' && (e.key === 'Enter' || e.key === 'Escape')) done();
      },
    };
    let closed = false;
    const done = () => {
      if (closed) return;
      closed = true;
      this.modals.remove(modal);
    };
    ok.addEventListener('click', done);
    const { w: sw, h: sh } = this.screen();
    win.centre(sw, sh, w, h);
    this.modals.push(modal);
    body.focus({ preventScroll: true });
  }
}
