// The main window's client area: the felt, the furniture, the two badges,
// the five cards, the eight push buttons, the two read-outs and the message
// line, every place and look taken from the core.
import { resources } from './resources.js';
import { colour, edge, edges, el, place } from './ui.js';

/** Places, numbered as the core's quorvel_place takes them. */
export const PLACE = {
  card: 0, hold: 1, coin: 2, max: 3, deal: 4, rowFrame: 5, title: 6, coinsBox: 7,
  creditsBox: 8, badge: 9, message: 10, status: 11,
};

/** The table buttons, numbered as the engine names them. */
export const BUTTON = { coin: 5, max: 6, deal: 7 };

/** Commands of the buttons: the hold toggles and Coin, Max, Deal. */
const BUTTON_COMMANDS = [850, 851, 852, 853, 854, 1906, 1910, 1904];

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
   */
  constructor(machine, parent) {
    this.machine = machine;
    const ex = machine.exports;
    /** @param {number} kind @param {number} [i] */
    this.rect = (kind, i = 0) => machine.ints(ex.quorvel_place(kind, i), 4);
    this.width = ex.quorvel_metric(0);
    this.height = ex.quorvel_metric(1);

    const felt = el('div', 'client', parent);
    felt.style.width = `${this.width}px`;
    felt.style.height = `${this.height}px`;
    this.felt = felt;

    // A one-pixel black line under the menu bar.
    const line = el('div', 'separator', felt);
    place(line, [0, 0, this.width, 1]);

    const frame = el('div', 'row-frame', felt);
    place(frame, this.rect(PLACE.rowFrame));
    frame.style.boxShadow = edge(edges.bump);

    const title = el('div', 'title-box', felt);
    const box = this.rect(PLACE.title);
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
      place(badge, this.rect(PLACE.badge, i));
      return badge;
    });

    this.coins = this.readout(PLACE.coinsBox, ex.quorvel_look(0), 'coins');
    this.credits = this.readout(PLACE.creditsBox, ex.quorvel_look(1), 'credits');

    /** @type {HTMLElement[]} */
    this.cards = [0, 1, 2, 3, 4].map((i) => {
      const card = el('div', 'card', felt);
      place(card, this.rect(PLACE.card, i));
      card.dataset.slot = String(i);
      return card;
    });

    /** @type {HTMLButtonElement[]} */
    this.buttons = BUTTON_COMMANDS.map((command, i) => {
      const b = /** @type {HTMLButtonElement} */ (el('button', 'table-button', felt));
      const kind = i < 5 ? PLACE.hold : [PLACE.coin, PLACE.max, PLACE.deal][i - 5];
      place(b, this.rect(kind, i < 5 ? i : 0));
      b.type = 'button';
      b.disabled = true;
      b.dataset.command = String(command);
      b.tabIndex = -1;
      const caption = el('span', 'caption', b);
      caption.textContent = i < 5 ? '' : machine.text(ex.quorvel_first_caption(i));
      return b;
    });

    const message = el('div', 'message-line', felt);
    place(message, this.rect(PLACE.message));
    message.style.color = colour(ex.quorvel_look(3));
    this.message = message;
    this.messageText = el('span', 'message-text', message);

    this.setBackColour(ex.quorvel_setting(2));
  }

  /**
   * @param {number} kind @param {number} textColour @param {string} name
   */
  readout(kind, textColour, name) {
    const box = el('div', `readout ${name}`, this.felt);
    place(box, this.rect(kind));
    box.style.color = colour(textColour);
    box.style.backgroundColor = colour(this.machine.exports.quorvel_look(2));
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

