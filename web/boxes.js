// Modal windows of the page: while one is open the main window takes no
// input, and the keys go to the topmost one.  The message boxes are drawn
// here: the text beside the platform's icon, the buttons under them.
import { BoxButtons, BoxIcon } from './ids.js';
import { modalFactor } from './touch.js';
import { el } from './ui.js';
import { FramedWindow, boxIcon, pushButton } from './windows.js';

/**
 * @typedef {object} Modal
 * @property {FramedWindow} window
 * @property {(e: KeyboardEvent) => void} key
 * @property {boolean} [scrolls]   its arrows and page keys scroll it
 */

export class Modals {
  /**
   * @param {HTMLElement} layer   the screen's layer the windows float on
   * @param {() => {w: number, h: number}} screen
   */
  constructor(layer, screen) {
    this.layer = layer;
    this.screen = screen;
    /** @type {Modal[]} */
    this.open = [];
    /** @type {HTMLElement | null} the main window, inactive while one is open */
    this.owner = null;
    /** @type {HTMLElement | null} where the keyboard rests when nothing else has it */
    this.home = null;
    /** @type {HTMLElement | null} */
    this.returnFocus = null;
    /** CSS pixels a game pixel, told by the page. */
    this.scale = () => 1;
    // Clicks outside the topmost window reach nothing.
    this.blocker = el('div', 'modal-blocker', layer);
    this.blocker.hidden = true;
  }

  /** @param {Modal} modal */
  push(modal) {
    // To assistive technology a modal dialog named by its caption; the
    // focus goes back where it was when the last one closes.
    const root = modal.window.root;
    if (!root.getAttribute('role')) root.setAttribute('role', 'dialog');
    root.setAttribute('aria-modal', 'true');
    root.setAttribute('aria-labelledby', modal.window.titleText.id);
    if (!this.open.length) {
      const active = document.activeElement;
      this.returnFocus = active instanceof HTMLElement && active !== document.body ? active : null;
    }
    if (this.owner) this.owner.inert = true;
    const win = modal.window;
    win.setFactor(modalFactor(this.scale(), win.width, win.height, this.screen()));
    this.open.push(modal);
    this.blocker.hidden = false;
    this.layer.appendChild(this.blocker);
    this.layer.appendChild(modal.window.root);
    this.mark();
  }

  /** @param {Modal} modal */
  remove(modal) {
    this.open = this.open.filter((m) => m !== modal);
    modal.window.remove();
    if (!this.open.length) {
      this.blocker.hidden = true;
      if (this.owner) this.owner.inert = false;
      const back = this.returnFocus && this.returnFocus.isConnected ? this.returnFocus : this.home;
      if (back) back.focus({ preventScroll: true });
    } else {
      this.layer.appendChild(this.blocker);
      this.layer.appendChild(this.open[this.open.length - 1].window.root);
    }
    this.mark();
  }

  // The topmost window has the active caption.
  mark() {
    this.open.forEach((m, i) => m.window.root.classList.toggle('inactive', i !== this.open.length - 1));
    if (this.owner) this.owner.classList.toggle('inactive', this.open.length > 0);
  }

  get top() {
    return this.open[this.open.length - 1] || null;
  }

  /** @param {KeyboardEvent} e */
  key(e) {
    const top = this.top;
    if (!top) return false;
    top.key(e);
    return true;
  }

  /**
   * A message box; resolves 1 for Yes or OK, 0 for No.
   * @param {string} text @param {string} caption
   * @param {number} icon  a BoxIcon
   * @param {number} buttons  a BoxButtons: Yes and No, or OK
   * @returns {Promise<number>}
   */
  messageBox(text, caption, icon, buttons) {
    return new Promise((resolve) => {
      const body = el('div', 'box-body');
      if (icon !== BoxIcon.None) boxIcon(body, icon);
      const words = el('div', 'box-text', body);
      words.textContent = text;
      const row = el('div', 'box-buttons');
      const choices = buttons === BoxButtons.YesNo ? [['&Yes', 1], ['&No', 0]] : [['OK', 1]];
      // Measured off-screen first, so the window fits its text.
      const probe = el('div', 'box-probe', this.layer);
      probe.append(body, row);
      /** @type {HTMLButtonElement[]} */
      const list = choices.map(([label, value], i) => {
        const b = pushButton(row, String(label), i === 0);
        b.dataset.value = String(value);
        b.addEventListener('click', () => done(Number(value)));
        return b;
      });
      const w = Math.max(probe.offsetWidth, 120);
      const h = probe.offsetHeight;
      probe.remove();
      const { w: sw, h: sh } = this.screen();
      const win = new FramedWindow(this.layer, caption, w, h, {
        close: buttons === BoxButtons.Ok ? () => done(1) : undefined, className: 'message-box',
      });
      if (buttons === BoxButtons.YesNo) win.closeButton.disabled = true;
      win.client.append(body, row);
      win.root.setAttribute('role', 'alertdialog');
      words.id = `${win.titleText.id}-text`;
      win.root.setAttribute('aria-describedby', words.id);
      win.centre(sw, sh, w, h);
      let focus = 0;
      const setFocus = (/** @type {number} */ i) => {
        focus = (i + list.length) % list.length;
        list.forEach((b, k) => b.classList.toggle('focused', k === focus));
        list[focus].focus({ preventScroll: true });
      };
      /** @type {Modal} */
      const modal = {
        window: win,
        key: (e) => {
          if (e.type !== 'keydown') return;
          const k = e.key.toLowerCase();
          if (e.key === 'Enter' || e.key === ' ') done(Number(list[focus].dataset.value));
          else if (e.key === 'Escape') { if (buttons === BoxButtons.Ok) done(1); }
          else if (e.key === 'Tab' || e.key.startsWith('Arrow')) {
            setFocus(focus + (e.shiftKey || e.key === 'ArrowLeft' || e.key === 'ArrowUp' ? -1 : 1));
          } else {
            const hit = list.find((b) => b.dataset.key && b.dataset.key === k);
            if (hit) done(Number(hit.dataset.value));
          }
        },
      };
      let closed = false;
      /** @param {number} value */
      const done = (value) => {
        if (closed) return;
        closed = true;
        this.remove(modal);
        resolve(value);
      };
      this.push(modal);
      setFocus(0);
    });
  }
}
