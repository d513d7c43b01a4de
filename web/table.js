// The main window's client area: the felt, the furniture, the two badges,
// the five cards, the eight push buttons, the two read-outs and the message
// line, every place and look taken from the core.
import { LookKind, PageMetric, PlaceKind, SettingKind, TableButton } from './ids.js';
import { resources } from './resources.js';
import { colour, edge, edges, el, place } from './ui.js';

/**
 * The picture named `name` of the card sheet, as a background of `e`.
 * @param {HTMLElement} e @param {string} name
 */
export function showCardPicture(e, name) {
  const at = resources.art.cards[name];
  if (!at) {
    e.style.backgroundImage = 'none';
    return;
  }
  e.style.backgroundImage = `url(${resources.art.sheet.file})`;
  e.style.backgroundPosition = `-${at[0]}px -${at[1]}px`;
}

export class Table {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {HTMLElement} parent
   * @param {HTMLElement} speech  where the news is told: outside the window,
   *   which goes inert under a box, so the box does not silence it
   */
  constructor(machine, parent, speech) {
    this.machine = machine;
    const ex = machine.exports;
    /** @param {number} kind @param {number} [i] */
    this.rect = (kind, i = 0) => machine.ints(ex.quorvel_place(kind, i), 4);
    this.width = ex.quorvel_metric(PageMetric.ClientWidth);
    this.height = ex.quorvel_metric(PageMetric.ClientHeight);

    const felt = el('div', 'client', parent);
    felt.style.width = `${this.width}px`;
    felt.style.height = `${this.height}px`;
    this.felt = felt;

    // A one-pixel black line under the menu bar.
    const line = el('div', 'separator', felt);
    place(line, [0, 0, this.width, 1]);

    const frame = el('div', 'row-frame', felt);
    place(frame, this.rect(PlaceKind.RowFrame));
    frame.style.boxShadow = edge(edges.bump);

    const title = el('div', 'title-box', felt);
    const box = this.rect(PlaceKind.Title);
    place(title, box);
    // The logo centred as the game centres it, halves truncated.
    const picture = resources.art.pictures.Logo;
    const logo = /** @type {HTMLImageElement} */ (el('img', 'picture', title));
    logo.src = picture.file;
    logo.alt = '';
    logo.draggable = false;
    const x = Math.trunc((box[0] + box[2]) / 2) - Math.trunc(picture.width / 2) - box[0];
    const y = Math.trunc((box[1] + box[3]) / 2) - Math.trunc(picture.height / 2) - box[1];
    place(logo, [x, y, x + picture.width, y + picture.height]);

    /** @type {HTMLElement[]} */
    this.badges = [0, 1].map((i) => {
      const badge = /** @type {HTMLImageElement} */ (el('img', 'picture badge', felt));
      badge.src = resources.art.pictures.Amount.file;
      badge.alt = '';
      badge.draggable = false;
      place(badge, this.rect(PlaceKind.Badge, i));
      return badge;
    });

    this.coins = this.readout(PlaceKind.CoinsBox, ex.quorvel_look(LookKind.CoinsText), 'coins');
    this.credits = this.readout(PlaceKind.CreditsBox, ex.quorvel_look(LookKind.CreditsText), 'credits');

    /** @type {HTMLElement[]} */
    this.cards = [0, 1, 2, 3, 4].map((i) => {
      const card = el('div', 'card', felt);
      place(card, this.rect(PlaceKind.Card, i));
      card.dataset.slot = String(i);
      card.setAttribute('role', 'img');
      return card;
    });

    /** @type {HTMLButtonElement[]} */
    // Numbered as the engine numbers them: the five hold buttons, Coin, Max and Deal.
    this.buttons = [...Array(TableButton.DealButton + 1).keys()].map((i) => {
      const b = /** @type {HTMLButtonElement} */ (el('button', 'table-button', felt));
      place(b, machine.ints(ex.quorvel_button_place(i), 4));
      b.type = 'button';
      b.disabled = true;
      b.dataset.command = String(ex.quorvel_button_command(i));
      b.tabIndex = -1;
      const caption = el('span', 'caption', b);
      caption.textContent = machine.text(ex.quorvel_first_caption(i));
      return b;
    });

    const message = el('div', 'message-line', felt);
    place(message, this.rect(PlaceKind.Message));
    // What the machine says is heard when it changes.
    message.setAttribute('role', 'status');
    message.style.color = colour(ex.quorvel_look(LookKind.MessageText));
    this.message = message;
    this.messageText = el('span', 'message-text', message);

    // The deal's and the draw's news, heard but not seen.
    this.news = el('div', 'spoken', speech);
    this.news.setAttribute('role', 'log');
    this.news.setAttribute('aria-live', 'polite');

    this.setBackColour(ex.quorvel_setting(SettingKind.BackColor));
    this.speak();
  }

  /**
   * The places and hold buttons named as the core words them, and its news
   * of a deal or draw that has just ended, with `more` after it.
   * @param {string} [more]
   */
  speak(more = '') {
    const ex = this.machine.exports;
    this.cards.forEach((card, i) => {
      const words = this.machine.text(ex.quorvel_spoken_card(i));
      if (card.getAttribute('aria-label') !== words) card.setAttribute('aria-label', words);
      const b = this.buttons[TableButton.HoldButton0 + i];
      b.setAttribute('aria-label', this.machine.text(ex.quorvel_spoken_hold(i)));
      b.setAttribute('aria-pressed', ex.quorvel_hold_pressed(i) ? 'true' : 'false');
    });
    const news = this.machine.text(ex.quorvel_table_news());
    if (news) this.say(more ? `${news} ${more}` : news);
  }

  /** A line for the screen reader; the last few are kept. @param {string} words */
  say(words) {
    el('p', '', this.news).textContent = words;
    while (this.news.childElementCount > 4) this.news.firstElementChild?.remove();
  }

  /**
   * @param {number} kind @param {number} textColour @param {string} name
   */
  readout(kind, textColour, name) {
    const box = el('div', `readout ${name}`, this.felt);
    place(box, this.rect(kind));
    box.style.color = colour(textColour);
    box.style.backgroundColor = colour(this.machine.exports.quorvel_look(LookKind.ReadoutGround));
    return el('span', 'readout-text', box);
  }

  /** The felt, the card corners and the badges' ground. @param {number} c */
  setBackColour(c) {
    this.felt.style.backgroundColor = colour(c);
  }

  /** @param {number} slot @param {string} picture */
  drawCard(slot, picture) {
    const card = this.cards[slot];
    if (!card) return;
    card.dataset.picture = picture;
    showCardPicture(card, picture);
  }

  /** @param {string} coins @param {string} credits */
  drawMeters(coins, credits) {
    this.coins.textContent = coins;
    this.credits.textContent = credits;
  }

  /** The message line, plain. @param {string} [text] */
  drawMessage(text) {
    if (text !== undefined) this.messageText.textContent = text;
    this.message.classList.remove('inverted');
  }

  invertMessage() {
    this.message.classList.toggle('inverted');
  }

  /** @param {number} button @param {boolean} enable */
  enableButton(button, enable) {
    const b = this.buttons[button];
    if (!b) return;
    b.disabled = !enable;
  }

  /** @param {number} button @param {string} caption */
  setCaption(button, caption) {
    const b = this.buttons[button];
    if (b) /** @type {HTMLElement} */ (b.firstChild).textContent = caption;
  }
}

