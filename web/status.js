// The status line along the bottom of the client area: the bands of its
// three sunken boxes as the core lays them out, the message pane's text and
// the CAPS and NUM panes, which follow the lock keys as the browser reports
// them.
import { StatusPane } from './ids.js';
import { el, place, sys } from './ui.js';

const BAND_COLOURS = [sys.face, sys.shadow, sys.light, sys.dark];

export class StatusLine {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {HTMLElement} client
   */
  constructor(machine, client) {
    const ex = machine.exports;
    this.machine = machine;
    const count = ex.quorvel_status_band_count();
    const bands = machine.ints(ex.quorvel_status_bands(), count * 5);
    const strip = el('div', 'status-line', client);
    for (let i = 0; i < count; ++i) {
      const band = el('div', 'band', strip);
      place(band, bands.slice(5 * i + 1, 5 * i + 5));
      band.style.backgroundColor = BAND_COLOURS[bands[5 * i]];
    }
    /** @param {number} pane */
    const pane = (pane) => {
      const box = el('div', 'pane', strip);
      place(box, machine.ints(ex.quorvel_status_pane(pane), 4));
      return el('span', 'pane-text', box);
    };
    this.message = pane(StatusPane.Message);
    // Its notices ("Sound is on.", a menu item's help) are heard as well.
    this.message.setAttribute('role', 'status');
    this.caps = pane(StatusPane.Caps);
    this.num = pane(StatusPane.Num);
    this.capsWord = machine.text(ex.quorvel_lock_word(StatusPane.Caps));
    this.numWord = machine.text(ex.quorvel_lock_word(StatusPane.Num));
  }

  /** @param {string} text */
  show(text) {
    this.message.textContent = text;
  }

  get text() {
    return this.message.textContent || '';
  }

  /**
   * A key pressed in the window: a lock key's pane is looked at, but only
   * while no other key is held (the core keeps the latch).
   * @param {KeyboardEvent} event
   */
  keyDown(event) {
    if (!this.machine.exports.quorvel_key_press_looks()) return;
    if (event.key === 'CapsLock') this.refresh(StatusPane.Caps, event.getModifierState('CapsLock'));
    else if (event.key === 'NumLock') this.refresh(StatusPane.Num, event.getModifierState('NumLock'));
  }

  keyUp() {
    this.machine.exports.quorvel_key_release();
  }

  /**
   * A paint or the focus coming back brings both panes up to the lock
   * states, where the browser can tell them (any key or pointer event).
   * @param {KeyboardEvent | MouseEvent} event
   */
  follow(event) {
    if (typeof event.getModifierState !== 'function') return;
    this.refresh(StatusPane.Caps, event.getModifierState('CapsLock'));
    this.refresh(StatusPane.Num, event.getModifierState('NumLock'));
  }

  /** @param {number} pane @param {boolean} on */
  refresh(pane, on) {
    if (!this.machine.exports.quorvel_lock_pane_changes(pane, on ? 1 : 0)) return;
    const box = pane === StatusPane.Caps ? this.caps : this.num;
    box.textContent = on ? (pane === StatusPane.Caps ? this.capsWord : this.numWord) : '';
  }
}
