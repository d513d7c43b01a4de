// The session's hands as the coach judged them, kept in the browser apart
// from the game's settings: the deal, the hold played, the best and the
// chart's holds, the draw, the payoff and what the hold cost.  Bounded, the
// oldest going first; a stored history that cannot be read (broken, or
// edited by hand) is dropped with a notice, and nothing else is touched.

/** Where the hands are kept: a key of their own beside the settings'. */
export const HISTORY_KEY = 'CoachHistory';
/** The most hands kept; the oldest go first. */
export const HISTORY_LIMIT = 1000;

/**
 * @typedef {object} Hand
 * @property {number} time       seconds since 1970, when it was drawn
 * @property {number} deck       52 or 53
 * @property {number[]} deal     the five cards dealt, the core's indices
 * @property {number} held       the hold played, bit i for place i
 * @property {number} best       the best hold's mask (a tie counts as best)
 * @property {number} chart      the chart's hold
 * @property {number} coins      coins played
 * @property {number[]} draw     the five cards after the draw
 * @property {number} won        credits paid
 * @property {string} cost       what the hold cost in coins, exact decimals
 * @property {number} grade      0 best, 1 minor, 2 major
 */

/** @param {any} h @returns {h is Hand} */
function isHand(h) {
  const cards = (/** @type {any} */ c, /** @type {number} */ deck) => Array.isArray(c) && c.length === 5 &&
    c.every((x) => Number.isInteger(x) && x >= 0 && x < deck) && new Set(c).size === 5;
  const mask = (/** @type {any} */ m) => Number.isInteger(m) && m >= 0 && m < 32;
  return !!h && typeof h === 'object' && (h.deck === 52 || h.deck === 53) && cards(h.deal, h.deck) &&
    cards(h.draw, h.deck) && mask(h.held) && mask(h.best) && mask(h.chart) &&
    Number.isInteger(h.coins) && h.coins >= 1 && h.coins <= 5 && Number.isInteger(h.won) && h.won >= 0 &&
    typeof h.cost === 'string' && /^\d+(\.\d+)?$/.test(h.cost) && [0, 1, 2].includes(h.grade) &&
    Number.isFinite(h.time);
}

export class HandHistory {
  /** @param {import('./storage.js').Storage} storage */
  constructor(storage) {
    this.storage = storage;
    /** @type {Hand[]} */
    this.hands = [];
    /** Told once, when a stored history had to be dropped. */
    this.notice = '';
    const text = storage.read(HISTORY_KEY);
    if (text === null) return;
    try {
      const stored = JSON.parse(text);
      if (!stored || stored.version !== 1 || !Array.isArray(stored.hands) || !stored.hands.every(isHand)) {
        throw new Error('not a hand history');
      }
      this.hands = stored.hands.slice(-HISTORY_LIMIT);
    } catch {
      this.notice = 'The stored hand history could not be read, so it was cleared.';
      storage.write(HISTORY_KEY, JSON.stringify({ version: 1, hands: [] }));
    }
  }

  /** @param {Hand} hand */
  add(hand) {
    this.hands.push(hand);
    if (this.hands.length > HISTORY_LIMIT) this.hands.splice(0, this.hands.length - HISTORY_LIMIT);
    this.save();
  }

  clear() {
    this.hands = [];
    this.save();
  }

  save() {
    this.storage.write(HISTORY_KEY, JSON.stringify({ version: 1, hands: this.hands }));
  }

  /** The hands whose hold cost something, dearest first. */
  mistakes() {
    return this.hands.filter((h) => h.grade > 0).sort((a, b) => Number(b.cost) - Number(a.cost) || b.time - a.time);
  }

  /** The whole history as JSON, for keeping elsewhere. */
  json() {
    return JSON.stringify({ version: 1, hands: this.hands }, null, 1);
  }

  /**
   * The whole history as CSV, a hand a row, cards by the names given.
   * @param {(card: number) => string} cardText @param {(grade: number) => string} gradeName
   */
  csv(cardText, gradeName) {
    const cards = (/** @type {number[]} */ c) => c.map(cardText).join(' ');
    const held = (/** @type {Hand} */ h, /** @type {number} */ mask) =>
      h.deal.filter((_, i) => mask & (1 << i)).map(cardText).join(' ');
    const rows = [['time', 'deck', 'deal', 'held', 'best', 'chart', 'coins', 'draw', 'won', 'cost', 'grade']];
    for (const h of this.hands) {
      rows.push([new Date(h.time * 1000).toISOString(), String(h.deck), cards(h.deal), held(h, h.held),
        held(h, h.best), held(h, h.chart), String(h.coins), cards(h.draw), String(h.won), h.cost, gradeName(h.grade)]);
    }
    return rows.map((r) => r.map((f) => (/[",\n]/.test(f) ? `"${f.replace(/"/g, '""')}"` : f)).join(',')).join('\n') + '\n';
  }
}
