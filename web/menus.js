// The menu bar "QuorvelMenu" as the resources give it, the right-click menu
// the core builds, and the window's system menu, worked by mouse, touch and
// keyboard as the window system works menus: the states set just before a
// menu opens (WM_INITMENU), the highlighted item's help in the status line
// (WM_MENUSELECT), access keys, arrows, Return and Escape.
import { resources } from './resources.js';
import { el, plainText, setAccessText } from './ui.js';

const MF_GRAYED = 0x1;
const MF_POPUP = 0x10;
const MF_HELP = 0x4000;
const MF_SYSMENU = 0x2000;

/**
 * @typedef {object} MenuItem
 * @property {string} text
 * @property {number} command        0 for a separator or a popup
 * @property {boolean} separator
 * @property {boolean} greyed
 * @property {boolean} checked
 * @property {MenuItem[]} [items]    a popup's items
 * @property {boolean} [right]       a popup title set to the right end
 */

/** The main menu, from the compiled resources. @returns {MenuItem[]} */
function mainMenu() {
  /** @param {any} item @returns {MenuItem} */
  const convert = (item) => ({
    text: item.text || '',
    command: item.id || 0,
    separator: !!item.separator,
    greyed: !!((item.flags || 0) & MF_GRAYED),
    checked: false,
    items: item.items ? item.items.map(convert) : undefined,
    right: !!((item.flags || 0) & MF_HELP),
  });
  return resources.menus.QUORVELMENU.map(convert);
}

export class Menus {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {HTMLElement} bar        where the menu bar goes
   * @param {HTMLElement} layer      where popups open, over everything
   * @param {{ command: (id: number) => void, help: (id: number) => void,
   *           scale: () => number, origin: () => {x: number, y: number},
   *           defer: (action: () => void) => void,
   *           pageItem: (command: number) => {greyed: boolean, checked: boolean} | null,
   *           shortcuts: (command: number) => string }} host
   * @param {MenuItem[]} extra   the page's own popups
   */
  constructor(machine, bar, layer, host, extra) {
    this.machine = machine;
    this.host = host;
    this.layer = layer;
    this.menu = mainMenu();
    // The page's own popups go before the one set to the right end.
    const at = this.menu.findIndex((item) => item.right);
    this.menu.splice(at < 0 ? this.menu.length : at, 0, ...extra);
    /** @type {{title: HTMLElement, item: MenuItem, key: string}[]} */
    this.titles = [];
    bar.setAttribute('role', 'menubar');
    for (const item of this.menu) {
      const title = el('div', 'menu-title', bar);
      const key = setAccessText(title, item.text);
      title.setAttribute('role', 'menuitem');
      title.setAttribute('aria-haspopup', 'menu');
      title.setAttribute('aria-expanded', 'false');
      title.tabIndex = -1;
      if (key) title.setAttribute('aria-keyshortcuts', `Alt+${key.toUpperCase()}`);
      if (item.right) title.classList.add('right');
      const index = this.titles.length;
      // A click waits, with the rest of the input, while the game is held.
      title.addEventListener('pointerdown', (e) => {
        e.preventDefault();
        e.stopPropagation();
        this.host.defer(() => {
          if (this.openIndex === index && this.popup) this.close();
          else this.openTitle(index, false);
        });
      });
      // Activated without a pointer: a screen reader's click.
      title.addEventListener('click', (e) => {
        if (e.detail === 0) this.host.defer(() => this.openTitle(index, true));
      });
      title.addEventListener('pointerenter', () => {
        if (this.active && this.openIndex !== index) this.openTitle(index, false);
      });
      this.titles.push({ title, item, key });
    }
    /** @type {HTMLElement | null} */
    this.popup = null;
    /** @type {MenuItem[]} */
    this.popupItems = [];
    /** @type {HTMLElement[]} */
    this.popupRows = [];
    this.openIndex = -1;
    this.highlight = -1;
    /** Menu mode: the bar or a popup has the keyboard. */
    this.active = false;
    /** @type {((command: number) => void) | null} where a popup of its own sends its choice */
    this.chooser = null;
    /** Whether the open popup is the window's system menu. */
    this.system = false;
    /** @type {HTMLElement | null} where the keyboard was before the menu took it */
    this.returnFocus = null;
    this.barIndex = 0;
    layer.addEventListener('pointerdown', (e) => {
      if (this.active && e.target === layer) {
        e.preventDefault();
        this.close();
      }
    });
  }

  // WM_INITMENU: the states of the items the core's rules decide.
  updateStates() {
    const ex = this.machine.exports;
    /** @param {MenuItem[]} items */
    const walk = (items) => {
      for (const item of items) {
        if (item.items) walk(item.items);
        else if (item.command) {
          const own = this.host.pageItem(item.command);
          const state = own ? (own.greyed ? 1 : 0) | (own.checked ? 2 : 0) : ex.quorvel_menu_state(item.command);
          item.greyed = (state & 1) !== 0;
          item.checked = (state & 2) !== 0;
        }
      }
    };
    walk(this.menu);
  }

  /** The state of a main-menu item by command, for the accelerators. @param {number} command */
  itemGreyed(command) {
    /** @param {MenuItem[]} items @returns {MenuItem | undefined} */
    const find = (items) => {
      for (const item of items) {
        if (item.items) {
          const found = find(item.items);
          if (found) return found;
        } else if (item.command === command) return item;
      }
      return undefined;
    };
    const item = find(this.menu);
    if (!item) return null;
    this.updateStates();
    return item.greyed;
  }

  /** WM_MENUSELECT. @param {number} item @param {number} flags @param {boolean} closed */
  select(item, flags, closed) {
    const id = this.machine.exports.quorvel_menu_help(item, flags, closed ? 1 : 0);
    this.host.help(id);
  }

  /** Menu mode on the bar, from the keyboard (Alt or F10). */
  enterBar() {
    if (!this.active) this.updateStates();
    this.takeFocus();
    this.active = true;
    this.chooser = null;
    this.barIndex = 0;
    this.markTitle(0);
    this.select(0, MF_POPUP, false);
  }

  /** @param {number} index */
  markTitle(index) {
    this.titles.forEach((t, i) => {
      t.title.classList.toggle('selected', i === index);
      t.title.setAttribute('aria-expanded', String(i === index && this.openIndex === i));
    });
    if (index >= 0 && !this.popup) this.titles[index].title.focus({ preventScroll: true });
  }

  // The keyboard follows the highlight while a menu is open, so that a
  // screen reader reads what is highlighted; it goes back on closing.
  takeFocus() {
    if (this.active) return;
    const active = document.activeElement;
    this.returnFocus = active instanceof HTMLElement && active !== document.body ? active : null;
  }

  /**
   * Opens the popup of a menu-bar title.
   * @param {number} index @param {boolean} fromKeyboard
   */
  openTitle(index, fromKeyboard) {
    if (!this.active) this.updateStates();
    this.takeFocus();
    this.active = true;
    this.chooser = null;
    this.closePopup();
    this.openIndex = index;
    this.barIndex = index;
    this.markTitle(index);
    const { title, item } = this.titles[index];
    title.setAttribute('aria-expanded', 'true');
    this.select(0, MF_POPUP, false);
    const origin = this.host.origin();
    const scale = this.host.scale();
    const r = title.getBoundingClientRect();
    this.showPopup(/** @type {MenuItem[]} */ (item.items),
      (r.left - origin.x) / scale, (r.bottom - origin.y) / scale, fromKeyboard);
  }

  /**
   * A popup of its own (the right-click menu, the system menu) at a point
   * of the layer, its choice going to `choose`.
   * @param {MenuItem[]} items @param {number} x @param {number} y
   * @param {(command: number) => void} choose
   * @param {boolean} [system]  the system menu, whose help ids are its own
   */
  track(items, x, y, choose, system = false) {
    this.close();
    this.takeFocus();
    this.active = true;
    this.chooser = choose;
    this.system = system;
    this.showPopup(items, x, y, false);
  }

  /**
   * @param {MenuItem[]} items @param {number} x @param {number} y
   * @param {boolean} highlightFirst
   */
  showPopup(items, x, y, highlightFirst) {
    const popup = el('div', 'menu-popup', this.layer);
    popup.setAttribute('role', 'menu');
    popup.tabIndex = -1;
    if (this.openIndex >= 0) popup.setAttribute('aria-label', plainText(this.titles[this.openIndex].item.text));
    this.popup = popup;
    this.popupItems = items;
    this.popupRows = items.map((item, i) => {
      const row = el('div', item.separator ? 'menu-separator' : 'menu-item', popup);
      if (item.separator) {
        row.setAttribute('role', 'separator');
        return row;
      }
      // The core's rules decide greying and checks; they are told as well
      // as drawn.
      row.setAttribute('role', item.checked ? 'menuitemcheckbox' : 'menuitem');
      if (item.checked) row.setAttribute('aria-checked', 'true');
      if (item.greyed) row.setAttribute('aria-disabled', 'true');
      const keys = item.command ? this.host.shortcuts(item.command) : '';
      if (keys) row.setAttribute('aria-keyshortcuts', keys);
      row.tabIndex = -1;
      const check = el('span', 'check', row);
      check.textContent = item.checked ? '\u2713' : '';
      check.setAttribute('aria-hidden', 'true');
      const label = el('span', 'label', row);
      setAccessText(label, item.text.split('\t')[0]);
      if (item.greyed) row.classList.add('greyed');
      row.addEventListener('click', (e) => {
        if (e.detail === 0) this.choose(i);
      });
      row.addEventListener('pointerenter', () => this.setHighlight(i));
      row.addEventListener('pointerup', (e) => {
        e.preventDefault();
        this.choose(i);
      });
      return row;
    });
    // Kept inside the layer, as a menu stays on the screen.
    const w = popup.offsetWidth;
    const h = popup.offsetHeight;
    const maxX = this.layer.clientWidth / this.host.scale() - w;
    const maxY = this.layer.clientHeight / this.host.scale() - h;
    popup.style.left = `${Math.max(0, Math.min(x, maxX))}px`;
    popup.style.top = `${Math.max(0, Math.min(y, maxY))}px`;
    this.highlight = -1;
    if (highlightFirst) this.move(1);
    else popup.focus({ preventScroll: true });
  }

  /** @param {number} i */
  setHighlight(i) {
    this.highlight = i;
    this.popupRows.forEach((row, k) => row.classList.toggle('selected', k === i));
    if (this.popupRows[i]) this.popupRows[i].focus({ preventScroll: true });
    const item = this.popupItems[i];
    if (item) this.select(item.separator ? 0 : item.command, this.system ? MF_SYSMENU : 0, false);
  }

  /** @param {number} step */
  move(step) {
    const n = this.popupItems.length;
    if (!n) return;
    let i = this.highlight;
    for (let k = 0; k < n; ++k) {
      i = (i + step + n) % n;
      if (i < 0) i = n - 1;
      if (!this.popupItems[i].separator) break;
    }
    this.setHighlight(i);
  }

  /** @param {number} i */
  choose(i) {
    const item = this.popupItems[i];
    if (!item || item.separator || item.greyed) return;
    const chooser = this.chooser;
    this.close();
    if (chooser) chooser(item.command);
    else this.host.command(item.command);
  }

  closePopup() {
    if (this.popup) this.popup.remove();
    this.popup = null;
    this.popupItems = [];
    this.popupRows = [];
    this.highlight = -1;
    this.openIndex = -1;
  }

  close() {
    const was = this.active;
    this.closePopup();
    this.markTitle(-1);
    this.active = false;
    if (was) {
      const back = this.returnFocus && this.returnFocus.isConnected ? this.returnFocus : null;
      this.returnFocus = null;
      if (back) back.focus({ preventScroll: true });
      else if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
    }
    this.chooser = null;
    this.system = false;
    if (was) this.select(0, 0xffff, true);
  }

  /**
   * Keys while a menu has the keyboard; true when the key was the menu's.
   * @param {KeyboardEvent} e
   */
  key(e) {
    if (!this.active) return false;
    const onBar = this.chooser === null;
    switch (e.key) {
      case 'Escape':
        if (this.popup && onBar) {
          this.closePopup();
          this.markTitle(this.barIndex);
          this.select(0, MF_POPUP, false);
        } else this.close();
        return true;
      case 'ArrowDown':
        if (this.popup) this.move(1);
        else if (onBar) this.openTitle(this.barIndex, true);
        return true;
      case 'ArrowUp':
        if (this.popup) this.move(-1);
        return true;
      case 'ArrowLeft':
      case 'ArrowRight':
        if (onBar) {
          const n = this.titles.length;
          const next = (this.barIndex + (e.key === 'ArrowRight' ? 1 : n - 1)) % n;
          if (this.popup) this.openTitle(next, true);
          else {
            this.barIndex = next;
            this.markTitle(next);
          }
        }
        return true;
      case 'Enter':
        if (this.popup && this.highlight >= 0) this.choose(this.highlight);
        else if (onBar) this.openTitle(this.barIndex, true);
        return true;
      case 'Alt':
      case 'F10':
        this.close();
        return true;
      default:
        break;
    }
    const letter = e.key.length === 1 ? e.key.toLowerCase() : '';
    if (!letter) return true;
    if (this.popup) {
      const i = this.popupItems.findIndex((item) => !item.separator && accessKey(item.text) === letter);
      if (i >= 0) this.choose(i);
    } else if (onBar) {
      const t = this.titles.findIndex((title) => title.key === letter);
      if (t >= 0) this.openTitle(t, true);
    }
    return true;
  }

  /**
   * Alt with a letter opens that menu of the bar; true when one opened.
   * @param {string} letter
   */
  altKey(letter) {
    const t = this.titles.findIndex((title) => title.key === letter.toLowerCase());
    if (t < 0) return false;
    this.openTitle(t, true);
    return true;
  }
}

/** @param {string} text */
function accessKey(text) {
  const m = /&([^&])/.exec(text);
  return m ? m[1].toLowerCase() : '';
}
