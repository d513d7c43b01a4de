// The five dialogs, built from their templates in the compiled resources
// (dialog units to pixels by the dialog font's 6 x 13 base units), opened
// and closed with the zoom when Zoom is on, and worked by mouse, touch and
// keyboard as the platform's dialog manager works them.  What each one shows
// and decides comes from the core.
import { resources } from './resources.js';
import { showCardPicture } from './table.js';
import { colour, edge, edges, el, place, setAccessText, sys } from './ui.js';
import { FramedWindow, pushButton } from './windows.js';

const BS_TYPE = 0xf;
const BS_PUSHBUTTON = 0;
const BS_DEFPUSHBUTTON = 1;
const BS_AUTOCHECKBOX = 3;
const BS_GROUPBOX = 7;
const SS_TYPE = 0x1f;
const SS_CENTER = 1;
const SS_RIGHT = 2;
const SS_ICON = 3;
const SS_BLACKFRAME = 7;
const SS_BITMAP = 0xe;
const SS_ETCHEDFRAME = 0x12;
const SS_SUNKEN = 0x1000;
const WS_DISABLED = 0x08000000;
const WS_TABSTOP = 0x00010000;
const IDOK = 1;
const IDCANCEL = 2;

/** The dialogs as the command table numbers them, and their templates. */
const TEMPLATES = ['HELPDLG', 'ABOUTDLG', '110', 'PAYOFFDLG', 'STATSDLG'];
export const DIALOG = { help: 0, about: 1, options: 2, payoff: 3, statistics: 4 };

/** The platform colour chooser's basic colours, as its grid shows them. */
const BASIC_COLOURS = [
  0xff8080, 0xffff80, 0x80ff80, 0x00ff80, 0x80ffff, 0x0080ff, 0xff80c0, 0xff80ff,
  0xff0000, 0xffff00, 0x80ff00, 0x00ff40, 0x00ffff, 0x0080c0, 0x8080c0, 0xff00ff,
  0x804040, 0xff8040, 0x00ff00, 0x008080, 0x004080, 0x8080ff, 0x800040, 0xff0080,
  0x800000, 0xff8000, 0x008000, 0x008040, 0x0000ff, 0x0000a0, 0x800080, 0x8000ff,
  0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
  0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xc0c0c0, 0x400040, 0xffffff,
];

/** MulDiv as the platform rounds it: half away from zero. @param {number} a @param {number} b @param {number} c */
function mulDiv(a, b, c) {
  const v = (a * b) / c;
  return v < 0 ? -Math.round(-v) : Math.round(v);
}

/** An RGB number (0xRRGGBB) as the core's 0x00BBGGRR. @param {number} rgb */
function fromRgb(rgb) {
  return ((rgb & 0xff) << 16) | (rgb & 0xff00) | ((rgb >> 16) & 0xff);
}

/**
 * @typedef {object} Control
 * @property {number} id
 * @property {HTMLElement} element
 * @property {string} kind   'button' | 'check' | 'group' | 'static' | 'frame' | 'icon' | 'bitmap' | 'edit' | 'slider'
 * @property {number[]} rect  in the dialog's client pixels
 * @property {boolean} tabStop
 * @property {string} key     its access key, or ''
 */

/**
 * One open dialog: its window, controls and keyboard focus.
 */
class Dialog {
  /**
   * @param {Dialogs} owner @param {string} name
   * @param {(id: number, control: Control) => void} command
   */
  constructor(owner, name, command) {
    const machine = owner.machine;
    const t = resources.dialogs[name];
    const bx = machine.exports.quorvel_metric(9);
    const by = machine.exports.quorvel_metric(10);
    /** @param {number} x @param {number} y @param {number} cx @param {number} cy */
    this.map = (x, y, cx, cy) => {
      const l = mulDiv(x, bx, 4);
      const tp = mulDiv(y, by, 8);
      return [l, tp, l + mulDiv(cx, bx, 4), tp + mulDiv(cy, by, 8)];
    };
    this.owner = owner;
    this.width = mulDiv(t.cx, bx, 4);
    this.height = mulDiv(t.cy, by, 8);
    this.window = new FramedWindow(owner.modals.layer, t.title, this.width, this.height, {
      close: () => command(IDCANCEL, /** @type {Control} */ (this.byId(IDCANCEL) || this.controls[0])),
      className: 'dialog',
    });
    this.window.root.hidden = true;
    this.client = this.window.client;
    this.client.setAttribute('role', 'dialog');
    this.client.setAttribute('aria-label', t.title);
    this.frame();
    /** @type {Control[]} */
    this.controls = t.controls.map((c) => this.control(c, command));
    /** The default push button, whose outline a focused push button takes. */
    this.defaultButton = this.controls.find((c) => c.kind === 'button' && c.element.classList.contains('default'));
    this.focus = -1;
    this.command = command;
  }

  // The raised two-pixel frame inside the client area: light on the left
  // and top, grey on the right and bottom, each side drawn as its line.
  frame() {
    const canvas = /** @type {HTMLCanvasElement} */ (el('canvas', 'dialog-frame', this.client));
    canvas.width = this.width;
    canvas.height = this.height;
    const ctx = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
    const r = this.width - 1;
    const b = this.height - 1;
    for (let i = 0; i < 2; ++i) {
      ctx.fillStyle = '#ffffff';
      ctx.fillRect(i, i + 1, 1, b - 2 * i);        // left, bottom up, not its top end
      ctx.fillRect(i, i, r - 2 * i, 1);            // top, to the right, not its end
      ctx.fillStyle = '#7f7f7f';
      ctx.fillRect(r - i, i, 1, b - 2 * i);        // right, top down
      ctx.fillRect(i + 1, b - i, r - 2 * i, 1);    // bottom, right to left
    }
  }

  /**
   * @param {import('./resources-types.js').DialogControl} c
   * @param {(id: number, control: Control) => void} command
   * @returns {Control}
   */
  control(c, command) {
    const cls = String(c.className).toLowerCase();
    const rect = this.map(c.x, c.y, c.cx, c.cy);
    const text = typeof c.text === 'string' ? c.text : '';
    /** @type {Control} */
    const control = { id: c.id, element: this.client, kind: 'static', rect, tabStop: !!(c.style & WS_TABSTOP), key: '' };
    let e;
    if (cls === 'button') {
      const type = c.style & BS_TYPE;
      if (type === BS_GROUPBOX) {
        e = el('fieldset', 'group-box', this.client);
        const legend = el('legend', '', e);
        control.key = setAccessText(legend, text);
        control.kind = 'group';
      } else if (type === BS_AUTOCHECKBOX) {
        e = el('label', 'check-box', this.client);
        const box = /** @type {HTMLInputElement} */ (el('input', '', e));
        box.type = 'checkbox';
        box.tabIndex = -1;
        const label = el('span', '', e);
        control.key = setAccessText(label, text);
        control.kind = 'check';
        box.addEventListener('click', () => this.setFocusTo(control));
      } else {
        e = pushButton(this.client, text, type === BS_DEFPUSHBUTTON);
        control.key = e.dataset.key || '';
        control.kind = 'button';
        e.addEventListener('click', () => command(c.id, control));
        control.tabStop = true;
      }
    } else if (cls === 'static') {
      const type = c.style & SS_TYPE;
      if (type === SS_ICON) {
        const img = /** @type {HTMLImageElement} */ (el('img', 'icon', this.client));
        const icons = Object.entries(resources.icons).find(([n]) => n.toLowerCase() === text.toLowerCase());
        const files = icons ? icons[1] : [];
        const big = files.find((f) => f.width === 32) || files[files.length - 1];
        if (big) img.src = big.file;
        img.alt = '';
        e = img;
        rect[2] = rect[0] + 32;
        rect[3] = rect[1] + 32;
        control.kind = 'icon';
      } else if (type === SS_BITMAP) {
        const picture = resources.art.pictures[text];
        const img = /** @type {HTMLImageElement} */ (el('img', 'picture', this.client));
        if (picture) {
          img.src = picture.file;
          rect[2] = rect[0] + picture.width;
          rect[3] = rect[1] + picture.height;
        }
        img.alt = '';
        e = img;
        control.kind = 'bitmap';
      } else if (type === SS_ETCHEDFRAME) {
        e = el('div', 'etched-frame', this.client);
        e.style.boxShadow = edge(edges.etched);
        control.kind = 'frame';
      } else if (type === SS_BLACKFRAME) {
        e = el('div', 'black-frame', this.client);
        if (c.style & SS_SUNKEN) e.style.boxShadow = `inset 1px 1px 0 0 ${sys.shadow}, 1px 1px 0 0 ${sys.light}`;
        control.kind = 'frame';
      } else {
        e = el('div', 'static-text', this.client);
        const type2 = c.style & 3;
        e.style.textAlign = type2 === SS_CENTER ? 'center' : type2 === SS_RIGHT ? 'right' : 'left';
        setAccessText(e, text);
      }
    } else if (cls === 'edit') {
      e = el('div', 'text-view', this.client);
      e.style.boxShadow = edge(edges.sunken);
      el('div', 'text-view-inside', e);
      control.kind = 'edit';
      control.tabStop = false;
    } else {
      e = el('div', 'slider', this.client);
      control.kind = 'slider';
      control.tabStop = true;
    }
    place(e, rect);
    e.dataset.id = String(c.id);
    if (c.style & WS_DISABLED) this.enable(control, false, e);
    control.element = e;
    return control;
  }

  /** @param {number} id */
  byId(id) {
    return this.controls.find((c) => c.id === id);
  }

  /** @param {Control} control @param {boolean} on @param {HTMLElement} [e] */
  enable(control, on, e = control.element) {
    e.classList.toggle('disabled', !on);
    const input = e instanceof HTMLButtonElement ? e : e.querySelector('input');
    if (input) /** @type {HTMLButtonElement | HTMLInputElement} */ (input).disabled = !on;
  }

  /** @param {Control} control */
  enabled(control) {
    return !control.element.classList.contains('disabled');
  }

  /** @param {Control} control */
  setFocusTo(control) {
    this.controls.forEach((c) => c.element.classList.remove('focused'));
    this.focus = this.controls.indexOf(control);
    control.element.classList.add('focused');
    const target = control.element.querySelector('input') || control.element;
    if (target instanceof HTMLElement) target.focus({ preventScroll: true });
    // The default button's outline follows the focus among push buttons.
    const outlined = control.kind === 'button' ? control : this.defaultButton;
    this.controls.forEach((c) => {
      if (c.kind === 'button') c.element.classList.toggle('default', c === outlined);
    });
  }

  /** The first tab stop, the platform's first focus. */
  focusFirst() {
    const first = this.controls.find((c) => c.tabStop && this.enabled(c) && c.kind !== 'group');
    if (first) this.setFocusTo(first);
  }

  /** @param {number} step */
  tab(step) {
    const stops = this.controls.filter((c) => (c.tabStop || c.kind === 'check') && this.enabled(c));
    if (!stops.length) return;
    const at = stops.indexOf(this.controls[this.focus]);
    this.setFocusTo(stops[(at + step + stops.length) % stops.length]);
  }

  /** The dialog manager's keys. @param {KeyboardEvent} e @param {(e: KeyboardEvent, c: Control | undefined) => boolean} [own] */
  key(e, own) {
    if (e.type !== 'keydown') return;
    const focused = this.controls[this.focus];
    if (own && own(e, focused)) return;
    if (e.key === 'Tab') this.tab(e.shiftKey ? -1 : 1);
    else if (e.key === 'Escape') this.command(IDCANCEL, /** @type {Control} */ (focused));
    else if (e.key === 'Enter') {
      const target = focused && focused.kind === 'button' ? focused : this.byId(IDOK);
      if (target && this.enabled(target)) this.command(target.id, target);
    } else if (e.key === ' ' && focused) this.activate(focused);
    else if (e.key.length === 1) {
      // The first control with this access key after the focus, round.
      const k = e.key.toLowerCase();
      const n = this.controls.length;
      let index = -1;
      for (let step = 1; step <= n && index < 0; ++step) {
        const i = (this.focus + step + n) % n;
        if (this.controls[i].key === k) index = i;
      }
      if (index < 0) return;
      let hit = this.controls[index];
      // A group box's access key goes to the control after it.
      if (hit.kind === 'group') hit = this.controls[index + 1] || hit;
      if (!this.enabled(hit)) return;
      this.setFocusTo(hit);
      this.activate(hit);
    }
  }

  /** @param {Control} c */
  activate(c) {
    if (!this.enabled(c)) return;
    if (c.kind === 'button') this.command(c.id, c);
    else if (c.kind === 'check') {
      const box = /** @type {HTMLInputElement} */ (c.element.querySelector('input'));
      box.checked = !box.checked;
    }
  }

  /** @param {number} id */
  checked(id) {
    const c = this.byId(id);
    const box = c && c.element.querySelector('input');
    return box ? box.checked : false;
  }

  /** @param {number} id @param {boolean} on */
  check(id, on) {
    const c = this.byId(id);
    const box = c && c.element.querySelector('input');
    if (box) box.checked = on;
  }

  /** The dialog's window rectangle on the screen. */
  rect() {
    return this.window.rect();
  }
}

export class Dialogs {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {import('./boxes.js').Modals} modals
   * @param {import('./effects.js').Screen} screen
   * @param {{ applyTableColour: () => void, repaintTable: () => void }} host
   */
  constructor(machine, modals, screen, host) {
    this.machine = machine;
    this.modals = modals;
    this.screen = screen;
    this.host = host;
  }

  /** @param {number} setting */
  setting(setting) {
    return this.machine.exports.quorvel_setting(setting);
  }

  /**
   * Opens a dialog modally; resolves when it has closed.
   * @param {number} which
   * @returns {Promise<number>}
   */
  show(which) {
    const name = TEMPLATES[which];
    return new Promise((resolve) => {
      /** @type {(id: number, control: Control) => void} */
      let onCommand = () => {};
      const dialog = new Dialog(this, name, (id, control) => onCommand(id, control));
      /** @type {(e: KeyboardEvent, c: Control | undefined) => boolean} */
      let ownKeys = () => false;
      const modal = { window: dialog.window, key: (/** @type {KeyboardEvent} */ e) => dialog.key(e, ownKeys) };
      let closing = false;
      /** @param {boolean} zoom */
      const close = async (zoom) => {
        if (closing) return;
        closing = true;
        if (zoom && this.setting(0)) await this.screen.zoom(true, dialog.rect(), this.setting(1));
        this.modals.remove(modal);
        resolve(1);
      };
      /** @type {Record<number, (dialog: Dialog, close: (zoom: boolean) => Promise<void>) => {command?: (id: number, c: Control) => void, keys?: (e: KeyboardEvent, c: Control | undefined) => boolean}>} */
      const kinds = {
        [DIALOG.help]: (d, c) => this.help(d, c),
        [DIALOG.statistics]: (d) => this.statistics(d),
        [DIALOG.payoff]: (d) => this.payoff(d),
        [DIALOG.options]: (d, c) => this.options(d, c),
        [DIALOG.about]: () => ({}),
      };
      const parts = kinds[which](dialog, close);
      onCommand = (id, control) => {
        if (parts.command) parts.command(id, control);
        else if (id === IDOK || id === IDCANCEL) close(true);
      };
      if (parts.keys) ownKeys = parts.keys;
      const { w, h } = this.screen.size();
      dialog.window.centre(w, h, dialog.width, dialog.height);
      this.modals.push(modal);
      const open = async () => {
        if (this.setting(0)) await this.screen.zoom(false, dialog.rect(), this.setting(1));
        dialog.window.root.hidden = false;
        dialog.focusFirst();
      };
      open();
    });
  }

  // ---- Statistics -------------------------------------------------------

  /** @param {Dialog} d */
  statistics(d) {
    const text = (/** @type {number} */ id) => this.machine.text(this.machine.exports.quorvel_statistics_text(id));
    for (const c of d.controls) {
      if (c.id >= 820 && c.id <= 834 && c.id !== 824) c.element.textContent = text(c.id);
    }
    d.window.setTitle(text(0));
    d.client.setAttribute('aria-label', text(0));
    return {};
  }

  // ---- Payout picture ---------------------------------------------------

  /** @param {Dialog} d */
  payoff(d) {
    const picture = resources.art.pictures.OddsBmp;
    const img = /** @type {HTMLImageElement} */ (el('img', 'picture', d.client));
    img.src = picture.file;
    img.alt = '';
    const x = Math.trunc(d.width / 2) - Math.trunc(picture.width / 2);
    const y = Math.trunc(d.height / 2) - Math.trunc(picture.height / 2);
    place(img, [x, y, x + picture.width, y + picture.height]);
    // The OK button stands over the picture's empty bottom middle.
    d.client.insertBefore(img, d.controls[0].element);
    return {};
  }

  // ---- Help -----------------------------------------------------------------

  /** @param {Dialog} d @param {(zoom: boolean) => Promise<void>} close */
  help(d, close) {
    const ex = this.machine.exports;
    const m = this.machine;
    const last = ex.quorvel_help_last_page();
    const prev = /** @type {Control} */ (d.byId(701));
    const next = /** @type {Control} */ (d.byId(702));
    const caption = /** @type {Control} */ (d.byId(703));
    const counter = /** @type {Control} */ (d.byId(700));
    const frame = /** @type {Control} */ (d.byId(705));
    const textBox = /** @type {Control} */ (d.byId(704));
    caption.element.classList.add('big-font');
    const cards = [0, 1, 2, 3, 4].map((k) => {
      const card = el('div', 'card', d.client);
      const [x, y] = m.ints(ex.quorvel_help_card_at(frame.rect[0], frame.rect[2], frame.rect[3], k), 2);
      place(card, [x, y, x + resources.art.cardWidth, y + resources.art.cardHeight]);
      return card;
    });
    let page = 1;
    const fill = () => {
      counter.element.textContent = m.text(ex.quorvel_help_counter(page));
      ex.quorvel_help_page(page);
      caption.element.textContent = m.text(ex.quorvel_help_caption());
      const inside = /** @type {HTMLElement} */ (textBox.element.firstChild);
      inside.textContent = m.text(ex.quorvel_help_text()).replace(/\r\n/g, '\n');
      textBox.element.scrollTop = 0;
      cards.forEach((card, k) => {
        const name = m.text(ex.quorvel_help_card(k));
        showCardPicture(card, name || 'Blank');
        card.dataset.picture = name || 'Blank';
      });
    };
    d.enable(prev, false);
    fill();
    return {
      command: (/** @type {number} */ id) => {
        if (id === IDOK || id === IDCANCEL) {
          close(true);
        } else if (id === 701) {
          if (page > 1) --page;
          d.enable(next, true);
          if (page === 1) {
            d.setFocusTo(next);
            d.enable(prev, false);
          }
          fill();
        } else if (id === 702) {
          if (page < last) ++page;
          d.enable(prev, true);
          if (page === last) {
            d.setFocusTo(prev);
            d.enable(next, false);
          }
          fill();
        }
      },
    };
  }

  // ---- Options --------------------------------------------------------------

  /**
   * @param {Dialog} d @param {(zoom: boolean) => Promise<void>} close
   */
  options(d, close) {
    const ex = this.machine.exports;
    const m = this.machine;
    d.check(803, !!ex.quorvel_switch_on(this.setting(4)));
    d.check(1903, !!ex.quorvel_switch_on(this.setting(3)));
    d.check(5806, !!ex.quorvel_switch_on(this.setting(6)));
    d.check(6004, !!ex.quorvel_switch_on(this.setting(7)));
    let back = ex.quorvel_clamp_back(this.setting(5));
    const savedColour = this.setting(2);
    const group = /** @type {Control} */ (d.byId(804));
    const [px, py] = m.ints(ex.quorvel_preview_at(group.rect[0], group.rect[1], group.rect[2]), 2);
    const preview = el('div', 'card', d.client);
    place(preview, [px, py, px + resources.art.cardWidth, py + resources.art.cardHeight]);
    const swatch = /** @type {Control} */ (d.byId(705));
    const fill = el('div', 'swatch-fill', d.client);
    place(fill, [swatch.rect[0] + 1, swatch.rect[1] + 1, swatch.rect[2] - 1, swatch.rect[3] - 1]);
    const slider = /** @type {Control} */ (d.byId(805));
    const track = el('div', 'slider-track', slider.element);
    track.style.boxShadow = edge(edges.sunken);
    const thumb = el('div', 'slider-thumb', slider.element);
    thumb.style.boxShadow = edge(edges.button);
    const trackLeft = 8;
    const trackRight = slider.rect[2] - slider.rect[0] - 8;
    const show = () => {
      showCardPicture(preview, `Back${back}`);
      preview.dataset.picture = `Back${back}`;
      fill.style.backgroundColor = colour(this.setting(2));
      const x = trackLeft + ((trackRight - trackLeft) * (back - 1)) / 15;
      thumb.style.left = `${Math.round(x) - 5}px`;
      slider.element.setAttribute('aria-valuenow', String(back));
    };
    slider.element.setAttribute('role', 'slider');
    slider.element.setAttribute('aria-valuemin', '1');
    slider.element.setAttribute('aria-valuemax', '16');
    slider.element.tabIndex = -1;
    /** @param {number} code @param {number} [at] */
    const notify = (code, at = 0) => {
      back = ex.quorvel_next_back(back, code, at);
      show();
    };
    /** The design under a point of the slider. @param {PointerEvent} e */
    const designAt = (e) => {
      const r = slider.element.getBoundingClientRect();
      const scale = r.width / (slider.rect[2] - slider.rect[0]);
      const x = (e.clientX - r.left) / scale;
      return Math.round(1 + ((x - trackLeft) * 15) / (trackRight - trackLeft));
    };
    let dragging = false;
    slider.element.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      d.setFocusTo(slider);
      const t = thumb.getBoundingClientRect();
      if (e.clientX >= t.left && e.clientX < t.right) {
        dragging = true;
        slider.element.setPointerCapture(e.pointerId);
      } else notify(e.clientX < t.left ? 2 : 3);
    });
    slider.element.addEventListener('pointermove', (e) => {
      if (dragging) notify(5, designAt(e));
    });
    slider.element.addEventListener('pointerup', (e) => {
      if (!dragging) return;
      dragging = false;
      notify(4, designAt(e));
      notify(8);
    });
    show();
    const store = () => {
      ex.quorvel_store_options(d.checked(803) ? 1 : 0, d.checked(1903) ? 1 : 0, d.checked(5806) ? 1 : 0,
        d.checked(6004) ? 1 : 0, back);
      ex.quorvel_save_settings();
    };
    let busy = false;
    return {
      command: async (/** @type {number} */ id) => {
        if (busy) return;
        if (id === IDOK) {
          busy = true;
          store();
          if (this.setting(2) !== savedColour) this.host.applyTableColour();
          await close(true);
        } else if (id === IDCANCEL) {
          busy = true;
          await close(true);
          const changed = this.setting(2) !== savedColour;
          ex.quorvel_set_back_color(savedColour);
          if (changed) this.host.repaintTable();
        } else if (id === 707) {
          busy = true;
          await this.chooseColour();
          busy = false;
          show();
        }
      },
      keys: (/** @type {KeyboardEvent} */ e, /** @type {Control | undefined} */ focused) => {
        if (focused !== slider) return false;
        /** @type {Record<string, number>} */
        const codes = { ArrowLeft: 0, ArrowUp: 0, ArrowRight: 1, ArrowDown: 1, PageUp: 2, PageDown: 3, Home: 6, End: 7 };
        if (!(e.key in codes)) return false;
        notify(codes[e.key]);
        return true;
      },
    };
  }

  // The platform's colour chooser, its custom colours the game's sixteen
  // presets, titled "Background Color"; OK stores the choice in BackColor.
  async chooseColour() {
    const ex = this.machine.exports;
    const initial = this.setting(2);
    const w = 222;
    const h = 297;
    const win = new FramedWindow(this.modals.layer, 'Background Color', w, h, { className: 'dialog chooser' });
    win.root.hidden = true;
    const c = win.client;
    /** @type {HTMLElement[]} */
    const wells = [];
    let chosen = initial;
    /** @param {HTMLElement} parent @param {number} value @param {number} x @param {number} y */
    const well = (parent, value, x, y) => {
      const e = el('div', 'colour-well', parent);
      place(e, [x, y, x + 20, y + 17]);
      e.style.backgroundColor = colour(value);
      e.style.boxShadow = edge(edges.sunken);
      e.dataset.colour = String(value);
      e.addEventListener('pointerdown', () => pick(value, e));
      e.addEventListener('dblclick', () => finish(true));
      wells.push(e);
      return e;
    };
    /** @param {number} value @param {HTMLElement} e */
    const pick = (value, e) => {
      chosen = value;
      wells.forEach((x) => x.classList.toggle('selected', x === e));
    };
    const basicLabel = el('div', 'static-text', c);
    setAccessText(basicLabel, '&Basic Colors:');
    place(basicLabel, [6, 4, 200, 18]);
    BASIC_COLOURS.forEach((rgb, i) => well(c, fromRgb(rgb), 6 + 26 * (i % 8), 21 + 23 * Math.floor(i / 8)));
    const customLabel = el('div', 'static-text', c);
    setAccessText(customLabel, '&Custom Colors:');
    place(customLabel, [6, 169, 200, 183]);
    for (let i = 0; i < 16; ++i) well(c, ex.quorvel_preset_colour(i), 6 + 26 * (i % 8), 186 + 23 * Math.floor(i / 8));
    const define = pushButton(c, '&Define Custom Colors >>');
    place(define, [6, 232, 218, 254]);
    define.disabled = true;
    const ok = pushButton(c, 'OK', true);
    place(ok, [6, 262, 80, 285]);
    const cancel = pushButton(c, 'Cancel');
    place(cancel, [86, 262, 160, 285]);
    const start = wells.find((x) => Number(x.dataset.colour) === initial);
    if (start) pick(initial, start);
    /** @type {(ok: boolean) => void} */
    let finish = () => {};
    const done = new Promise((resolve) => {
      finish = (accept) => {
        if (accept) ex.quorvel_set_back_color(chosen);
        this.modals.remove(modal);
        resolve(0);
      };
    });
    ok.addEventListener('click', () => finish(true));
    cancel.addEventListener('click', () => finish(false));
    win.closeButton.addEventListener('click', () => finish(false));
    const modal = {
      window: win,
      key: (/** @type {KeyboardEvent} */ e) => {
        if (e.type !== 'keydown') return;
        if (e.key === 'Enter') finish(true);
        else if (e.key === 'Escape') finish(false);
      },
    };
    const { w: sw, h: sh } = this.screen.size();
    win.centre(sw, sh, w, h);
    this.modals.push(modal);
    if (this.setting(0)) await this.screen.zoom(false, win.rect(), this.setting(1));
    win.root.hidden = false;
    ok.focus({ preventScroll: true });
    await done;
  }
}
