// The platform's dialog manager as the page has it: a dialog built from its
// template in the compiled resources (dialog units to pixels by the dialog
// font's base units), its controls drawn in the platform's look, and worked
// by mouse, touch and keyboard as the platform works them: the focus and
// Tab, access keys, Enter and Escape, check boxes that toggle themselves and
// a trackbar that notifies its moves.  What a dialog shows and decides is
// not here: see dialogs.js.
import { resources } from './resources.js';
import { edge, edges, el, place, plainText, setAccessText, sys } from './ui.js';
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
/** The trackbar's notifications, numbered as the platform sends them. */
const TB = Object.freeze({
  lineUp: 0, lineDown: 1, pageUp: 2, pageDown: 3, thumbPosition: 4, thumbTrack: 5, top: 6, bottom: 7, endTrack: 8,
});
/** The trackbar's keys. @type {Record<string, number>} */
const TRACKBAR_KEYS = {
  ArrowLeft: TB.lineUp, ArrowUp: TB.lineUp, ArrowRight: TB.lineDown, ArrowDown: TB.lineDown,
  PageUp: TB.pageUp, PageDown: TB.pageDown, Home: TB.top, End: TB.bottom,
};
// The thumb's travel inside the trackbar, from its ends.
const TRACK_INSET = 8;

/** MulDiv as the platform rounds it: half away from zero. @param {number} a @param {number} b @param {number} c */
function mulDiv(a, b, c) {
  const v = (a * b) / c;
  return v < 0 ? -Math.round(-v) : Math.round(v);
}

/**
 * @typedef {object} Control
 * @property {number} id
 * @property {HTMLElement} element
 * @property {string} kind   'button' | 'check' | 'group' | 'static' | 'frame' | 'icon' | 'bitmap' | 'edit' | 'slider'
 * @property {number[]} rect  in the dialog's client pixels
 * @property {boolean} tabStop
 * @property {string} key     its access key, or ''
 * @property {number[]} range   a trackbar's lowest and highest position
 */

/**
 * One open dialog: its window, controls and keyboard focus.
 */
export class Dialog {
  /**
   * @param {HTMLElement} layer @param {string} name  its template
   * @param {number} bx @param {number} by  the dialog font's base units
   * @param {(id: number, control: Control) => void} command
   * @param {(code: number, thumb: number) => void} scroll  the trackbar's notifications
   */
  constructor(layer, name, bx, by, command, scroll) {
    const t = resources.dialogs[name];
    /** @param {number} x @param {number} y @param {number} cx @param {number} cy */
    this.map = (x, y, cx, cy) => {
      const l = mulDiv(x, bx, 4);
      const tp = mulDiv(y, by, 8);
      return [l, tp, l + mulDiv(cx, bx, 4), tp + mulDiv(cy, by, 8)];
    };
    this.width = mulDiv(t.cx, bx, 4);
    this.height = mulDiv(t.cy, by, 8);
    this.scroll = scroll;
    this.window = new FramedWindow(layer, t.title, this.width, this.height, {
      close: () => command(IDCANCEL, /** @type {Control} */ (this.byId(IDCANCEL) || this.controls[0])),
      className: 'dialog',
    });
    this.window.root.hidden = true;
    this.client = this.window.client;
    this.frame();
    /** @type {Control[]} */
    this.controls = t.controls.map((c) => this.control(c, command));
    // A trackbar is named by the group box around it, as a reader of the
    // dialog takes it.
    for (const slider of this.controls.filter((c) => c.kind === 'slider')) {
      const [l, tp, r, b] = slider.rect;
      const group = this.controls.find((c) => c.kind === 'group' &&
        c.rect[0] <= l && c.rect[1] <= tp && c.rect[2] >= r && c.rect[3] >= b);
      const legend = group && group.element.querySelector('legend');
      if (legend) slider.element.setAttribute('aria-label', plainText(legend.textContent || '').replace(/:$/, ''));
    }
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
    const control = {
      id: c.id, element: this.client, kind: 'static', rect, tabStop: !!(c.style & WS_TABSTOP), key: '', range: [0, 0],
    };
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
      e = this.trackbar(control);
    }
    place(e, rect);
    e.dataset.id = String(c.id);
    if (c.style & WS_DISABLED) this.enable(control, false, e);
    control.element = e;
    return control;
  }

  /**
   * A trackbar: a click beside the thumb pages, a drag tracks, and each
   * move is notified; the thumb stands where it is told.
   * @param {Control} control
   */
  trackbar(control) {
    const e = el('div', 'slider', this.client);
    control.kind = 'slider';
    control.tabStop = true;
    const track = el('div', 'slider-track', e);
    track.style.boxShadow = edge(edges.sunken);
    const thumb = el('div', 'slider-thumb', e);
    thumb.style.boxShadow = edge(edges.button);
    e.setAttribute('role', 'slider');
    e.tabIndex = -1;
    const width = control.rect[2] - control.rect[0];
    /** The position under a point of the trackbar. @param {PointerEvent} p */
    const at = (p) => {
      const r = e.getBoundingClientRect();
      const x = (p.clientX - r.left) / (r.width / width);
      const [low, high] = control.range;
      return Math.round(low + ((x - TRACK_INSET) * (high - low)) / (width - 2 * TRACK_INSET));
    };
    let dragging = false;
    e.addEventListener('pointerdown', (p) => {
      p.preventDefault();
      this.setFocusTo(control);
      const t = thumb.getBoundingClientRect();
      if (p.clientX >= t.left && p.clientX < t.right) {
        dragging = true;
        e.setPointerCapture(p.pointerId);
      } else this.scroll(p.clientX < t.left ? TB.pageUp : TB.pageDown, 0);
    });
    e.addEventListener('pointermove', (p) => {
      if (dragging) this.scroll(TB.thumbTrack, at(p));
    });
    e.addEventListener('pointerup', (p) => {
      if (!dragging) return;
      dragging = false;
      this.scroll(TB.thumbPosition, at(p));
      this.scroll(TB.endTrack, 0);
    });
    return e;
  }

  /** @param {Control} control @param {number} low @param {number} high */
  setRange(control, low, high) {
    control.range = [low, high];
    control.element.setAttribute('aria-valuemin', String(low));
    control.element.setAttribute('aria-valuemax', String(high));
  }

  /** @param {Control} control @param {number} position */
  moveThumb(control, position) {
    const [low, high] = control.range;
    const right = control.rect[2] - control.rect[0] - TRACK_INSET;
    const x = TRACK_INSET + ((right - TRACK_INSET) * (position - low)) / (high - low || 1);
    const thumb = /** @type {HTMLElement} */ (control.element.querySelector('.slider-thumb'));
    thumb.style.left = `${Math.round(x) - 5}px`;
    control.element.setAttribute('aria-valuenow', String(position));
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

  /** The dialog manager's keys, and a focused trackbar's. @param {KeyboardEvent} e */
  key(e) {
    if (e.type !== 'keydown') return;
    const focused = this.controls[this.focus];
    if (focused && focused.kind === 'slider' && e.key in TRACKBAR_KEYS) this.scroll(TRACKBAR_KEYS[e.key], 0);
    else if (e.key === 'Tab') this.tab(e.shiftKey ? -1 : 1);
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

