// The five dialogs as the core's dialog controllers run them: the core
// opens one, says what its controls show, which are enabled, checked and
// focused, and ends it; the page's dialog manager draws it and hands the
// controller the commands and the trackbar's moves.  Only how each picture
// and swatch is drawn, and the caption's large type, are the page's.
import { chooseColour } from './colour_chooser.js';
import { Dialog } from './dialog_manager.js';
import {
  GameDialog, IDC_DECK_GROUP, IDC_HELP_CAPTION, IDC_HELP_FRAME, IDD_OPTIONS, PageMetric,
} from './ids.js';
import { resources } from './resources.js';
import { showCardPicture } from './table.js';
import { colour, el, place } from './ui.js';

/** The templates of the command table's dialogs. @type {Record<number, string>} */
const TEMPLATES = {
  [GameDialog.Help]: 'HELPDLG',
  [GameDialog.About]: 'ABOUTDLG',
  [GameDialog.Options]: String(IDD_OPTIONS),
  [GameDialog.Payoff]: 'PAYOFFDLG',
  [GameDialog.Statistics]: 'STATSDLG',
};
/** The dialog itself, as the core names it among its controls. */
const DIALOG_WINDOW = 0;

/**
 * The core's requests to the open dialog, for the module's imports.
 * @param {() => Dialogs} dialogs
 */
export function dialogImports(dialogs) {
  /** @typedef {number} N */
  return {
    dialog_create: (/** @type {N} */ which) => dialogs().create(which),
    dialog_text: (/** @type {N} */ id, /** @type {N} */ at) => dialogs().setText(id, at),
    dialog_enable: (/** @type {N} */ id, /** @type {N} */ on) => dialogs().enable(id, !!on),
    dialog_check: (/** @type {N} */ id, /** @type {N} */ on) => dialogs().open?.check(id, !!on),
    dialog_checked: (/** @type {N} */ id) => (dialogs().open?.checked(id) ? 1 : 0),
    dialog_focus: (/** @type {N} */ id) => dialogs().focus(id),
    dialog_picture: (/** @type {N} */ id, /** @type {N} */ k, /** @type {N} */ at) => dialogs().picture(id, k, at),
    dialog_colour: (/** @type {N} */ id, /** @type {N} */ value) => dialogs().swatch(id, value),
    dialog_slider: (/** @type {N} */ id, /** @type {N} */ low, /** @type {N} */ high, /** @type {N} */ at) =>
      dialogs().slider(id, low, high, at),
    dialog_thumb: (/** @type {N} */ id, /** @type {N} */ at) => dialogs().thumb(id, at),
    dialog_centre: () => dialogs().centre(),
    dialog_end: () => dialogs().end(),
    table_colour: () => dialogs().repaintTable(),
  };
}

/**
 * The requests that hold the core until they are over.
 * @param {() => Dialogs} dialogs
 */
export function blockingDialogImports(dialogs) {
  return {
    dialog: () => dialogs().show(),
    dialog_zoom: (/** @type {number} */ closing, /** @type {number} */ steps) => dialogs().zoom(!!closing, steps),
    choose_colour: (/** @type {number} */ initial, /** @type {number} */ zoomSteps) =>
      dialogs().chooseColour(initial, zoomSteps),
  };
}

export class Dialogs {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {import('./boxes.js').Modals} modals
   * @param {import('./effects.js').Screen} screen
   * @param {() => void} repaintTable  the table takes the table colour as it is now
   */
  constructor(machine, modals, screen, repaintTable) {
    this.machine = machine;
    this.modals = modals;
    this.screen = screen;
    this.repaintTable = repaintTable;
    /** @type {Dialog | null} */
    this.open = null;
    /** @type {{ window: import('./windows.js').FramedWindow, key: (e: KeyboardEvent) => void } | null} */
    this.modal = null;
    /** While a zoom or the colour chooser runs, the dialog takes no input. */
    this.held = false;
    /** @type {Map<string, HTMLElement>} pictures by control and position */
    this.pictures = new Map();
    /** @type {(result: number) => void} */
    this.ended = () => {};
    /** @type {Promise<number>} */
    this.done = Promise.resolve(1);
    /**
     * Dialogs set aside under one opened inside them (a command posted
     * before a dialog opened is run by its modal loop), innermost last.
     * @type {{ open: Dialog, modal: any, held: boolean, pictures: Map<string, HTMLElement>,
     *          ended: (result: number) => void, done: Promise<number> }[]}
     */
    this.outer = [];
  }

  /** Whether the open dialog takes the player's input now. */
  takesInput() {
    return !!this.open && !this.open.window.root.hidden && !this.held;
  }

  /** Whether dialog d is the open one and takes input. @param {Dialog} d */
  takesInputFor(d) {
    return this.open === d && this.takesInput();
  }

  /** @param {number} which */
  create(which) {
    const ex = this.machine.exports;
    const d = new Dialog(this.modals.layer, TEMPLATES[which], ex.quorvel_metric(PageMetric.DialogBaseX), ex.quorvel_metric(PageMetric.DialogBaseY),
      (id) => {
        if (this.takesInputFor(d)) this.machine.call('quorvel_dialog_command', id);
      },
      (code, thumb) => {
        if (this.takesInputFor(d)) this.machine.call('quorvel_dialog_slider', code, thumb);
      });
    const caption = d.byId(IDC_HELP_CAPTION);
    if (which === GameDialog.Help && caption) caption.element.classList.add('big-font');
    if (this.open) {
      this.outer.push({ open: this.open, modal: this.modal, held: this.held, pictures: this.pictures,
        ended: this.ended, done: this.done });
    }
    this.open = d;
    this.done = new Promise((resolve) => { this.ended = resolve; });
    this.pictures = new Map();
    this.held = false;
    this.modal = {
      window: d.window,
      key: (/** @type {KeyboardEvent} */ e) => {
        if (this.takesInputFor(d)) d.key(e);
      },
    };
    this.modals.push(this.modal);
  }

  /** Shown, with the platform's first focus; resolves when it has ended. */
  show() {
    const d = this.open;
    if (d) {
      d.window.root.hidden = false;
      d.focusFirst();
    }
    return this.done;
  }

  end() {
    if (this.modal) this.modals.remove(this.modal);
    const ended = this.ended;
    const outer = this.outer.pop();
    this.open = outer ? outer.open : null;
    this.modal = outer ? outer.modal : null;
    this.held = outer ? outer.held : false;
    this.pictures = outer ? outer.pictures : new Map();
    this.ended = outer ? outer.ended : () => {};
    this.done = outer ? outer.done : Promise.resolve(1);
    ended(1);
  }

  centre() {
    const d = /** @type {Dialog} */ (this.open);
    const { w, h } = this.screen.size();
    d.window.centre(w, h, d.width, d.height);
  }

  /** @param {boolean} closing @param {number} steps */
  async zoom(closing, steps) {
    const d = /** @type {Dialog} */ (this.open);
    this.held = true;
    await this.screen.zoom(closing, d.rect(), steps);
    this.held = false;
    return 0;
  }

  /** @param {number} initial @param {number} zoomSteps */
  async chooseColour(initial, zoomSteps) {
    const ex = this.machine.exports;
    const presets = Array.from({ length: 16 }, (_, i) => ex.quorvel_preset_colour(i));
    this.held = true;
    const chosen = await chooseColour(this.modals, this.screen, initial, presets, zoomSteps);
    this.held = false;
    return chosen;
  }

  /** @param {number} id @param {number} at */
  setText(id, at) {
    const d = /** @type {Dialog} */ (this.open);
    const text = this.machine.text(at);
    if (id === DIALOG_WINDOW) {
      d.window.setTitle(text);
      d.client.setAttribute('aria-label', text);
      return;
    }
    const c = d.byId(id);
    if (!c) return;
    if (c.kind === 'edit') {
      // A text box shows its text from the top.
      const inside = /** @type {HTMLElement} */ (c.element.firstChild);
      inside.textContent = text.replace(/\r\n/g, '\n');
      c.element.scrollTop = 0;
    } else c.element.textContent = text;
  }

  /** @param {number} id @param {boolean} on */
  enable(id, on) {
    const c = this.open?.byId(id);
    if (c) this.open?.enable(c, on);
  }

  /** @param {number} id */
  focus(id) {
    const c = this.open?.byId(id);
    if (c) this.open?.setFocusTo(c);
  }

  /**
   * A picture of the dialog: a help card under the frame, the card-back
   * preview in its group box, or one centred in the dialog under its
   * controls.
   * @param {number} id @param {number} k @param {number} at
   */
  picture(id, k, at) {
    const d = /** @type {Dialog} */ (this.open);
    const ex = this.machine.exports;
    const name = this.machine.text(at);
    const key = `${id}/${k}`;
    let e = this.pictures.get(key);
    if (id === DIALOG_WINDOW) {
      if (e) return;
      const picture = resources.art.pictures[name];
      const img = /** @type {HTMLImageElement} */ (el('img', 'picture', d.client));
      img.src = picture.file;
      img.alt = '';
      const x = Math.trunc(d.width / 2) - Math.trunc(picture.width / 2);
      const y = Math.trunc(d.height / 2) - Math.trunc(picture.height / 2);
      place(img, [x, y, x + picture.width, y + picture.height]);
      // The OK button stands over the picture's empty bottom middle.
      d.client.insertBefore(img, d.controls[0].element);
      this.pictures.set(key, img);
      return;
    }
    if (!e) {
      const r = /** @type {import('./dialog_manager.js').Control} */ (d.byId(id)).rect;
      const at2 = id === IDC_HELP_FRAME ? ex.quorvel_help_card_at(r[0], r[2], r[3], k)
        : id === IDC_DECK_GROUP ? ex.quorvel_preview_at(r[0], r[1], r[2]) : 0;
      const [x, y] = at2 ? this.machine.ints(at2, 2) : [r[0], r[1]];
      e = el('div', 'card', d.client);
      place(e, [x, y, x + resources.art.cardWidth, y + resources.art.cardHeight]);
      this.pictures.set(key, e);
    }
    showCardPicture(e, name);
    e.dataset.picture = name;
  }

  /** @param {number} id @param {number} value */
  swatch(id, value) {
    const d = /** @type {Dialog} */ (this.open);
    const key = `${id}/swatch`;
    let e = this.pictures.get(key);
    if (!e) {
      const r = /** @type {import('./dialog_manager.js').Control} */ (d.byId(id)).rect;
      e = el('div', 'swatch-fill', d.client);
      place(e, [r[0] + 1, r[1] + 1, r[2] - 1, r[3] - 1]);
      this.pictures.set(key, e);
    }
    e.style.backgroundColor = colour(value);
  }

  /** @param {number} id @param {number} low @param {number} high @param {number} at */
  slider(id, low, high, at) {
    const c = this.open?.byId(id);
    if (!c) return;
    this.open?.setRange(c, low, high);
    this.open?.moveThumb(c, at);
  }

  /** @param {number} id @param {number} at */
  thumb(id, at) {
    const c = this.open?.byId(id);
    if (c) this.open?.moveThumb(c, at);
  }
}
