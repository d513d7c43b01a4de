// The page: the screen, the game's window on it, and the portable core
// driving both through its imports.  Start-up runs in the order the Windows
// game starts: the core seeds the generator, builds the deck and reads the
// settings; the window is built and shown with its first paint; then the
// New command is posted and runs once everything is idle.
import { Modals } from './boxes.js';
import { Dialogs, blockingDialogImports, dialogImports } from './dialogs.js';
import { Screen } from './effects.js';
import { IDM_NEW, IDS_FIRST_MESSAGE, IDS_STATUS_TITLE, PageMetric, SettingKind } from './ids.js';
import { Machine } from './machine.js';
import { COACH_HEIGHT, Coach } from './coach.js';
import { Menus } from './menus.js';
import { COACH, COACH_MENU, SC, SYSTEM_MENU, VIEW, VIEW_MENU, menuItem, pageMenuHelp } from './page_menus.js';
import { resources } from './resources.js';
import { Sound } from './sound.js';
import { StatusLine } from './status.js';
import { Storage } from './storage.js';
import { Table } from './table.js';
import { MIN_TARGET, coarsePointer, growTargets, menuRowHeight } from './touch.js';
import { el } from './ui.js';
import { FramedWindow } from './windows.js';

const MF_SYSMENU = 0x2000;
const MF_POPUP = 0x10;
const FVIRTKEY = 1;
const FSHIFT = 4;
const FCONTROL = 8;
const FALT = 16;
const DOUBLE_CLICK_MS = 500;
const DOUBLE_CLICK_PIXELS = 4;

/** Virtual-key codes of the keys the accelerators name. @param {KeyboardEvent} e */
function virtualKey(e) {
  if (/^F([1-9]|1[0-2])$/.test(e.key)) return 0x6f + Number(e.key.slice(1));
  if (/^Key[A-Z]$/.test(e.code)) return e.code.charCodeAt(3);
  if (/^Digit[0-9]$/.test(e.code)) return e.code.charCodeAt(5);
  return 0;
}

class Page {
  constructor() {
    this.storage = new Storage();
    this.sound = new Sound();
    // Made in start(), before anything uses them.
    /** @type {Machine} */
    this.machine = /** @type {any} */ (null);
    /** @type {Table} */
    this.table = /** @type {any} */ (null);
    /** @type {StatusLine} */
    this.status = /** @type {any} */ (null);
    /** @type {Menus} */
    this.menus = /** @type {any} */ (null);
    /** @type {Modals} */
    this.modals = /** @type {any} */ (null);
    /** @type {Dialogs} */
    this.dialogs = /** @type {any} */ (null);
    /** @type {Screen} */
    this.screen = /** @type {any} */ (null);
    /** @type {FramedWindow} */
    this.window = /** @type {any} */ (null);
    /** @type {HTMLElement} */
    this.screenElement = /** @type {any} */ (null);
    /** @type {HTMLElement} */
    this.stage = /** @type {any} */ (null);
    /** @type {Coach} */
    this.coach = /** @type {any} */ (null);
    this.scale = 1;
    /** The whole factors that fit the screen now, and the player's fixed one (0: the largest). */
    this.fitting = 1;
    this.fixedFactor = Number(this.storage.read('PageScale')) || 0;
    this.lastPress = { time: -1e9, x: 0, y: 0, double: false };
    this.altAlone = false;
    this.minimised = false;
  }

  /** @param {BufferSource} wasm */
  async start(wasm) {
    const { instance } = await WebAssembly.instantiate(wasm, this.imports());
    this.machine = new Machine(instance);
    this.buildScreen();
    const ex = this.machine.exports;
    ex.quorvel_start();
    this.buildWindow();
    this.listen();
    // The first paint: backs, empty read-outs and the first message.
    ex.quorvel_paint();
    document.body.classList.add('ready');
    // The waves after the first frame, not in its way.
    requestAnimationFrame(() => setTimeout(() => this.sound.load(), 0));
    this.machine.post(() => this.machine.call('quorvel_command', IDM_NEW));
  }

  /** @returns {WebAssembly.Imports} */
  imports() {
    const page = this;
    const text = (/** @type {number} */ at) => page.machine.text(at);
    const quorvel = {
      draw_card: (/** @type {number} */ slot, /** @type {number} */ picture) => page.table.drawCard(slot, text(picture)),
      draw_meters: (/** @type {number} */ coins, /** @type {number} */ credits) => page.table.drawMeters(text(coins), text(credits)),
      show_message_id: (/** @type {number} */ id) => page.table.drawMessage(page.string(id, 255)),
      show_message_text: (/** @type {number} */ at) => page.table.drawMessage(text(at)),
      draw_message_line: () => page.table.drawMessage(),
      invert_message_line: () => page.table.invertMessage(),
      enable_button: (/** @type {number} */ b, /** @type {number} */ on) => page.table.enableButton(b, !!on),
      set_caption: (/** @type {number} */ b, /** @type {number} */ at) => page.table.setCaption(b, text(at)),
      start_timer: (/** @type {number} */ ms) => page.machine.startTimer(ms),
      kill_timer: () => page.machine.killTimer(),
      update_menus: () => page.menus.updateStates(),
      post_command: (/** @type {number} */ id) => page.machine.post(() => page.machine.call('quorvel_command', id)),
      play_effect: (/** @type {number} */ at) => page.sound.effect(text(at)),
      stop_sound: () => page.sound.stop(),
      status_text: (/** @type {number} */ at) => page.status.show(text(at)),
      time_seconds: () => Math.floor(Date.now() / 1000),
      profile_read: (/** @type {number} */ key, /** @type {number} */ out, /** @type {number} */ size) => {
        const value = page.storage.read(text(key));
        return value === null ? -1 : page.machine.writeText(value, out, size);
      },
      profile_write: (/** @type {number} */ key, /** @type {number} */ value) => page.storage.write(text(key), text(value)),
      closed: () => page.closed(),
      ...dialogImports(() => page.dialogs),
      message_box: 0,
      dialog: 0,
      dialog_zoom: 0,
      choose_colour: 0,
      jackpot: 0,
      play_sync: 0,
    };
    // Those that hold the core are made once the machine exists.
    const blocking = {
      message_box: (/** @type {number} */ t, /** @type {number} */ id, /** @type {number} */ caption,
        /** @type {number} */ icon, /** @type {number} */ buttons) =>
        page.modals.messageBox(t ? text(t) : page.string(id, 255), text(caption), icon, buttons),
      ...blockingDialogImports(() => page.dialogs),
      jackpot: () => page.screen.jackpot(page.machine.exports.quorvel_setting(SettingKind.Sound) !== 0).then(() => 0),
      play_sync: (/** @type {number} */ at) => page.sound.playToEnd(text(at)),
    };
    for (const [name, start] of Object.entries(blocking)) {
      // The zoom, the jackpot and a sound hold the thread on Windows: nothing
      // else runs meanwhile.  A box, a dialog and the chooser run a modal loop.
      const kind = name === 'jackpot' || name === 'play_sync' || name === 'dialog_zoom' ? 'busy' : 'modal';
      /** @type {any} */ (quorvel)[name] = (/** @type {number[]} */ ...args) =>
        page.machine.blocking(kind, /** @type {any} */ (start))(...args);
    }
    // Nothing of the system interface is used but the clock and the streams
    // the C library names; these answer as having nothing.
    const wasi = {
      clock_time_get: (/** @type {number} */ _id, /** @type {bigint} */ _precision, /** @type {number} */ out) => {
        new BigUint64Array(page.machine.memory.buffer, out, 1)[0] = BigInt(Date.now()) * 1000000n;
        return 0;
      },
      fd_close: () => 8,
      fd_seek: () => 8,
      fd_write: () => 8,
    };
    return { quorvel, wasi_snapshot_preview1: wasi };
  }

  /** A string-table entry, cut as LoadString cuts it. @param {number} id @param {number} max */
  string(id, max) {
    return (resources.strings[String(id)] || '').slice(0, max);
  }

  // ---- The screen and the window ------------------------------------------

  buildScreen() {
    this.screenElement = el('main', 'screen', document.body);
    this.stage = el('div', 'stage', this.screenElement);
    this.modals = new Modals(this.stage, () => this.screenSize());
    this.modals.scale = () => this.scale;
    this.screen = new Screen(this.machine, this.stage, () => 1, (name) => this.sound.playToEnd(name).then(() => {}));
    this.fit();
  }

  /** The screen in game pixels. */
  screenSize() {
    return { w: this.stage.clientWidth, h: this.stage.clientHeight };
  }

  // The window at the largest whole factor that fits the screen, or at the
  // player's own factor while that fits; where not even one fits (a phone),
  // a whole number of device pixels for each game pixel, as many as still
  // fit, and where not even that does, scaled to the room there is.
  fit() {
    const dpr = window.devicePixelRatio || 1;
    const vw = document.documentElement.clientWidth;
    const vh = document.documentElement.clientHeight;
    const [needW, needH] = this.groupSize(vw, vh);
    const room = Math.min(vw / needW, vh / needH);
    let scale;
    if (room >= 1) {
      this.fitting = Math.floor(room);
      scale = this.fixedFactor ? Math.min(this.fixedFactor, this.fitting) : this.fitting;
    } else {
      this.fitting = 0;
      let device = Math.max(1, Math.floor(dpr));
      while (device > 1 && device / dpr > room) --device;
      scale = Math.min(device / dpr, room);
    }
    this.scale = scale;
    this.stage.style.transform = `scale(${scale})`;
    this.stage.style.width = `${Math.floor(vw / scale)}px`;
    this.stage.style.height = `${Math.max(Math.floor(vh / scale), needH)}px`;
    document.body.classList.toggle('pixelated', Number.isInteger(scale) || Number.isInteger(scale * dpr));
    document.body.classList.toggle('touch', coarsePointer());
    document.body.style.setProperty('--menu-row', `${menuRowHeight(scale)}px`);
    document.body.style.setProperty('--finger', `${Math.ceil(MIN_TARGET / scale)}px`);
    if (this.window) {
      this.placeWindow();
      this.reachOut();
    }
  }

  // The table's buttons, the menu titles and the caption buttons, each
  // within what holds it: the table, the window's bar, and the screen
  // above the caption's foot.
  reachOut() {
    const stage = this.stage.getBoundingClientRect();
    const caption = this.window.caption.getBoundingClientRect();
    const above = { getBoundingClientRect: () => new DOMRect(stage.left, stage.top, stage.width, caption.bottom - stage.top) };
    const felt = this.table.felt;
    const targets = [
      ...this.table.buttons.map((element) => ({ element, within: felt })),
      ...this.menus.titles.map((t) => ({ element: t.title, within: this.stage })),
      ...[...this.window.caption.querySelectorAll('button:not([disabled])')]
        .map((element) => ({ element: /** @type {HTMLElement} */ (element), within: /** @type {any} */ (above) })),
    ];
    const greyed = /** @type {HTMLElement[]} */ ([...this.window.caption.querySelectorAll('button[disabled]')]);
    growTargets(targets, greyed, this.scale);
  }

  /**
   * The main window, with the coach's window under it or beside it,
   * whichever lets them be drawn the larger: width and height in game pixels.
   * @param {number} vw @param {number} vh  the screen in CSS pixels
   */
  groupSize(vw, vh) {
    const ex = this.machine.exports;
    const W = ex.quorvel_metric(PageMetric.WindowWidth);
    const H = ex.quorvel_metric(PageMetric.WindowHeight);
    if (!this.coach || !this.coach.on) return [W, H];
    const frame = 2 * ex.quorvel_metric(PageMetric.FrameWidth) + ex.quorvel_metric(PageMetric.CaptionHeight);
    const cw = ex.quorvel_metric(PageMetric.ClientWidth) + 2 * ex.quorvel_metric(PageMetric.FrameWidth);
    const ch = COACH_HEIGHT + frame;
    const below = [Math.max(W, cw), H + 4 + ch];
    const beside = [W + 4 + cw, Math.max(H, ch)];
    const room = (/** @type {number[]} */ [w, h]) => Math.min(vw / w, vh / h);
    return room(beside) > room(below) ? beside : below;
  }

  /** The player's factor, 0 for the largest that fits; kept with the page's settings. @param {number} k */
  setFactor(k) {
    this.fixedFactor = k;
    this.storage.write('PageScale', String(k));
    this.fit();
  }

  placeWindow() {
    const { w, h } = this.screenSize();
    if (this.coach) queueMicrotask(() => this.coach.placeWindow());
    const W = this.machine.exports.quorvel_metric(PageMetric.ClientWidth);
    const H = this.machine.exports.quorvel_metric(PageMetric.ClientHeight);
    this.window.centre(w, h, W, H);
    if (this.coach && this.coach.on) {
      // With the coach, the two windows are centred together.
      const r = this.stage.getBoundingClientRect();
      const [gw, gh] = this.groupSize(r.width, r.height);
      this.window.moveTo(Math.trunc((w - gw) / 2), Math.trunc((h - gh) / 2));
    }
    if ((this.window.x || 0) < 0 || (this.window.y || 0) < 0) {
      this.window.moveTo(Math.max(0, this.window.x || 0), Math.max(0, this.window.y || 0));
    }
  }

  buildWindow() {
    const ex = this.machine.exports;
    const W = ex.quorvel_metric(PageMetric.ClientWidth);
    const H = ex.quorvel_metric(PageMetric.ClientHeight);
    const icons = resources.icons.QuorvelIcon || Object.values(resources.icons)[0];
    document.title = this.machine.text(ex.quorvel_caption());
    this.window = new FramedWindow(this.stage, document.title, W, H, {
      menu: ex.quorvel_metric(PageMetric.MenuHeight),
      icon: icons[0].file,
      close: () => this.machine.post(() => this.machine.call('quorvel_close')),
      minimise: () => this.minimise(),
      className: 'main-window',
      heading: true,
    });
    this.modals.owner = this.window.root;
    this.table = new Table(this.machine, this.window.client, this.stage);
    // The keyboard rests on the table when no box or menu has it.
    this.table.felt.tabIndex = -1;
    this.table.felt.setAttribute('role', 'group');
    this.table.felt.setAttribute('aria-labelledby', this.window.titleText.id);
    this.modals.home = this.table.felt;
    for (const b of this.table.buttons) {
      const keys = this.shortcuts(Number(b.dataset.command));
      if (keys) b.setAttribute('aria-keyshortcuts', keys);
    }
    this.status = new StatusLine(this.machine, this.table.felt);
    const popup = (/** @type {typeof COACH_MENU} */ menu) => ({
      text: menu.title, command: 0, separator: false, greyed: false, checked: false, items: menu.items.map(menuItem),
    });
    this.menus = new Menus(this.machine, /** @type {HTMLElement} */ (this.window.menuBar), this.stage, {
      command: (id) => this.command(id),
      help: (id) => this.status.show(pageMenuHelp(id) ?? (id ? this.string(id, 254) : '')),
      pageItem: (id) => this.pageItem(id),
      shortcuts: (id) => this.shortcuts(id),
      scale: () => this.scale,
      defer: (action) => this.whenIdle(action),
      origin: () => {
        const r = this.stage.getBoundingClientRect();
        return { x: r.left, y: r.top };
      },
    }, [popup(COACH_MENU), popup(VIEW_MENU)]);
    this.dialogs = new Dialogs(this.machine, this.modals, this.screen, () => this.repaintTable());
    this.coach = new Coach(this.machine, this.table, this.modals, this.storage, () => this.screenSize(),
      () => this.window.rect());
    this.coach.resized = () => this.fit();
    if (this.coach.on) this.fit();
    this.machine.settled = () => {
      this.coach.watch();
      this.table.speak(this.coach.spokenAdvice());
    };
    // Start-up: the first message and the status line's title.
    this.table.drawMessage(this.string(IDS_FIRST_MESSAGE, 255));
    this.status.show(this.string(IDS_STATUS_TITLE, 255));
    this.placeWindow();
    this.reachOut();
  }

  /** A menu command: the page's own, or the game's. @param {number} id */
  command(id) {
    if (id === COACH.toggle) this.coach.toggle();
    else if (id === COACH.practice) this.coach.togglePractice();
    else if (id === COACH.list) this.coach.list();
    else if (id === VIEW.fit) this.setFactor(0);
    else if (VIEW.factors.some((k) => VIEW.factor(k) === id)) this.setFactor(id - VIEW.factor(0));
    else this.machine.post(() => this.machine.call('quorvel_command', id));
  }

  /** The state of the page's own menu items (Coach, View); null for the game's. @param {number} id */
  pageItem(id) {
    if (id === COACH.toggle) return { greyed: false, checked: this.coach.on };
    if (id === COACH.practice) return { greyed: !this.coach.on, checked: this.coach.practice };
    if (id === COACH.list) return { greyed: !this.coach.on || !this.coach.advised, checked: false };
    if (id === VIEW.fit) return { greyed: false, checked: this.fixedFactor === 0 };
    const k = id - VIEW.factor(0);
    if (VIEW.factors.includes(k)) return { greyed: k > Math.max(1, this.fitting), checked: this.fixedFactor === k };
    return null;
  }

  // The table's colour changed: the felt, and with it the card corners and
  // the badges' ground, which show the felt through.
  repaintTable() {
    this.table.setBackColour(this.machine.exports.quorvel_setting(SettingKind.BackColor));
  }

  minimise() {
    this.minimised = true;
    this.window.root.hidden = true;
    const chip = el('button', 'restore-chip', this.stage);
    chip.textContent = document.title;
    chip.addEventListener('click', () => {
      chip.remove();
      this.window.root.hidden = false;
      this.minimised = false;
    });
  }

  closed() {
    this.machine.killTimer();
    this.sound.stop();
    this.screenElement.remove();
    const page = el('main', 'closed-screen', document.body);
    const words = el('h1', 'closed-title', page);
    words.textContent = `${document.title}`;
    const again = /** @type {HTMLButtonElement} */ (el('button', 'push-button', page));
    again.textContent = 'Play again';
    again.addEventListener('click', () => window.location.reload());
    again.focus();
    document.body.classList.add('closed');
  }

  // ---- Input ------------------------------------------------------------------

  /** A point of the client area from a pointer event. @param {MouseEvent} e */
  clientPoint(e) {
    const r = this.table.felt.getBoundingClientRect();
    const s = r.width / this.table.width;
    return { x: Math.floor((e.clientX - r.left) / s), y: Math.floor((e.clientY - r.top) / s) };
  }

  listen() {
    const felt = this.table.felt;
    const ex = this.machine.exports;
    const unlock = () => this.sound.unlock();
    window.addEventListener('pointerdown', unlock, true);
    window.addEventListener('keydown', unlock, true);

    felt.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || this.modals.top) return;
      const target = /** @type {HTMLElement} */ (e.target);
      if (target.closest('button')) return;
      const p = this.clientPoint(e);
      // The second press of a double click is no press (the window class
      // takes double clicks and does not handle them).
      const last = this.lastPress;
      const now = e.timeStamp;
      const double = !last.double && now - last.time <= DOUBLE_CLICK_MS &&
        Math.abs(p.x - last.x) <= DOUBLE_CLICK_PIXELS / 2 && Math.abs(p.y - last.y) <= DOUBLE_CLICK_PIXELS / 2;
      this.lastPress = { time: now, x: p.x, y: p.y, double };
      if (double) return;
      this.machine.postInput(() => this.machine.call('quorvel_press', p.x, p.y));
    });
    felt.addEventListener('pointermove', (e) => {
      const p = this.clientPoint(e);
      felt.classList.toggle('over-card', ex.quorvel_card_under(p.x, p.y) >= 0);
      this.machine.postInput(() => this.machine.call('quorvel_pointer_moved', p.x, p.y));
    });
    for (const b of this.table.buttons) {
      b.addEventListener('click', () => {
        const command = Number(b.dataset.command);
        this.machine.postInput(() => this.machine.call('quorvel_command', command));
      });
    }
    this.window.root.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      if (this.modals.top) return;
      const r = this.stage.getBoundingClientRect();
      const x = (e.clientX - r.left) / this.scale;
      const y = (e.clientY - r.top) / this.scale;
      this.whenIdle(() => this.tableMenu(x, y));
    });
    if (this.window.icon) {
      this.window.icon.addEventListener('pointerdown', (e) => {
        e.stopPropagation();
        this.systemMenu();
      });
    }
    window.addEventListener('keydown', (e) => this.keyDown(e));
    window.addEventListener('keyup', (e) => this.keyUp(e));
    window.addEventListener('resize', () => this.fit());
    // The lock panes catch up when the window gets the keyboard back, at the
    // first event that tells the lock states.
    let follow = true;
    window.addEventListener('focus', () => { follow = true; });
    /** @param {KeyboardEvent | MouseEvent} e */
    const catchUp = (e) => {
      if (!follow) return;
      follow = false;
      this.status.follow(e);
    };
    window.addEventListener('keydown', catchUp, true);
    window.addEventListener('pointerdown', catchUp, true);
    window.addEventListener('pointermove', catchUp, true);
    const save = () => {
      if (!document.body.classList.contains('closed')) ex.quorvel_save_settings();
    };
    window.addEventListener('pagehide', save);
    document.addEventListener('visibilitychange', () => {
      if (document.visibilityState === 'hidden') save();
    });
  }

  /**
   * Input that opens something of the page's own (a menu): at once, or in
   * its turn among the input waiting while the game is held.
   * @param {() => void} action
   */
  whenIdle(action) {
    if (this.machine.busy || this.machine.queue.length) this.machine.postInput(action);
    else action();
  }

  /** The right-click menu, built afresh. @param {number} x @param {number} y */
  tableMenu(x, y) {
    const ex = this.machine.exports;
    const items = [];
    for (let i = 0; i < ex.quorvel_table_menu_count(); ++i) {
      const at = ex.quorvel_table_menu_text(i);
      items.push({ text: at ? this.machine.text(at) : '', command: ex.quorvel_table_menu_command(i),
        separator: !at, greyed: false, checked: false });
    }
    this.menus.track(items, x, y, (id) => this.machine.post(() => this.machine.call('quorvel_command', id)));
  }

  systemMenu() {
    const items = SYSTEM_MENU.map(menuItem);
    const [x, y] = [this.window.x || 0, (this.window.y || 0) + 22];
    this.menus.track(items, x, y, (id) => {
      if (id === SC.minimise) this.minimise();
      else if (id === SC.close) this.machine.post(() => this.machine.call('quorvel_close'));
    }, true);
    this.menus.select(0, MF_SYSMENU | MF_POPUP, false);
  }

  /** @param {KeyboardEvent} e */
  keyDown(e) {
    if (document.body.classList.contains('closed')) return;
    if (this.menus.active) {
      e.preventDefault();
      this.menus.key(e);
      return;
    }
    if (this.modals.top) {
      if (!(this.modals.top.scrolls && /^(Arrow|Page|Home$|End$)/.test(e.key))) e.preventDefault();
      this.modals.key(e);
      return;
    }
    if (this.machine.busy) {
      // Queued as the thread's input; keys stay in order.
      e.preventDefault();
      this.machine.postInput(() => this.keyDown(e));
      return;
    }
    this.status.keyDown(e);
    this.altAlone = e.key === 'Alt';
    if (e.key === 'F4' && e.altKey) {
      e.preventDefault();
      this.machine.post(() => this.machine.call('quorvel_close'));
      return;
    }
    if ((e.key === 'F10' && e.shiftKey) || e.key === 'ContextMenu') {
      e.preventDefault();
      this.tableMenu(0, 0);
      return;
    }
    if (e.key === 'F10' && !e.shiftKey) {
      e.preventDefault();
      this.menus.enterBar();
      return;
    }
    if (e.altKey && e.key === ' ') {
      e.preventDefault();
      this.systemMenu();
      return;
    }
    if (e.altKey && !e.ctrlKey && e.key.length === 1 && this.menus.altKey(e.key)) {
      e.preventDefault();
      return;
    }
    const command = this.accelerator(e);
    if (command) {
      e.preventDefault();
      this.machine.post(() => this.machine.call('quorvel_command', command));
    } else if (e.key.startsWith('F') && e.key.length <= 3) e.preventDefault();
  }

  /** @param {KeyboardEvent} e */
  keyUp(e) {
    if (this.modals.top || this.menus.active) {
      if (e.key === 'Alt') e.preventDefault();
      return;
    }
    this.status.keyUp();
    if (e.key === 'Alt' && this.altAlone) {
      e.preventDefault();
      this.menus.enterBar();
    }
    this.altAlone = false;
  }

  /**
   * The keys that give a command, as aria-keyshortcuts writes them ("F2",
   * "Alt+F4", "c"), from the accelerator table. @param {number} command
   */
  shortcuts(command) {
    const table = resources.accelerators.KEYACCELTABLE || [];
    /** @type {string[]} */
    const keys = [];
    for (const entry of table) {
      if (entry.command !== command) continue;
      if (!(entry.flags & FVIRTKEY)) {
        keys.push(String.fromCharCode(entry.key));
        continue;
      }
      let name = '';
      if (entry.key >= 0x70 && entry.key <= 0x7b) name = `F${entry.key - 0x6f}`;
      else if ((entry.key >= 0x41 && entry.key <= 0x5a) || (entry.key >= 0x30 && entry.key <= 0x39)) {
        // A letter key without Shift types its lower case.
        name = String.fromCharCode(entry.key);
        if (!(entry.flags & FSHIFT)) name = name.toLowerCase();
      }
      if (!name) continue;
      const mods = [entry.flags & FCONTROL ? 'Control' : '', entry.flags & FALT ? 'Alt' : '',
        entry.flags & FSHIFT ? 'Shift' : ''].filter(Boolean);
      keys.push([...mods, name].join('+'));
    }
    return keys.join(' ');
  }

  /**
   * The accelerator table "KeyAccelTable": a virtual-key entry matches its
   * key with exactly its modifiers; a character entry matches the character
   * typed, so the letters act in lower case only.  A command that is an item
   * of the main menu is given only while that item is not greyed.
   * @param {KeyboardEvent} e
   */
  accelerator(e) {
    const table = resources.accelerators.KEYACCELTABLE || [];
    const vk = virtualKey(e);
    for (const entry of table) {
      let match;
      if (entry.flags & FVIRTKEY) {
        match = vk === entry.key && !!(entry.flags & FSHIFT) === e.shiftKey &&
          !!(entry.flags & FCONTROL) === e.ctrlKey && !!(entry.flags & FALT) === e.altKey;
      } else {
        match = e.key.length === 1 && !e.ctrlKey && !e.altKey && e.key.charCodeAt(0) === entry.key;
      }
      if (!match) continue;
      const greyed = this.menus.itemGreyed(entry.command);
      return greyed ? 0 : entry.command;
    }
    return 0;
  }
}

async function boot() {
  if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
  const response = await fetch('quorvel.wasm');
  const page = new Page();
  await page.start(await response.arrayBuffer());
  /** @type {any} */ (window).quorvel = page;
}

boot();
