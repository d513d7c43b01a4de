// Windows of the page's screen: a framed window with its caption bar, the
// classic push buttons, check boxes and frames, and the message boxes.  All
// of it the platform's look, drawn here; what is shown in it comes from the
// core and the resources.
import { BoxIcon } from './ids.js';
import { SC, SYSTEM_MENU } from './page_menus.js';
import { edge, edges, el, place, plainText, setAccessText } from './ui.js';

const CAPTION_COMMANDS = { minimise: SC.minimise, maximise: SC.maximise, close: SC.close };

let captionCount = 0;

/**
 * A framed window with a caption, floating on the screen layer; its client
 * area is `client`.
 */
export class FramedWindow {
  /**
   * @param {HTMLElement} layer
   * @param {string} title
   * @param {number} clientWidth @param {number} clientHeight
   * @param {{ close?: () => void, minimise?: () => void, menu?: number, icon?: string,
   *           className?: string, heading?: boolean }} options
   */
  constructor(layer, title, clientWidth, clientHeight, options = {}) {
    const frameWidth = 3;
    const captionHeight = 19;
    /** Drawn this many times its size (for a finger). */
    this.factor = 1;
    /** @type {[number, number, number, number] | null} how it was last centred */
    this.centred = null;
    const menuHeight = options.menu || 0;
    this.frameWidth = frameWidth;
    this.captionHeight = captionHeight;
    this.menuHeight = menuHeight;
    this.width = clientWidth + 2 * frameWidth;
    this.height = clientHeight + 2 * frameWidth + captionHeight + menuHeight;
    const root = el('div', `window ${options.className || ''}`, layer);
    root.style.width = `${this.width}px`;
    root.style.height = `${this.height}px`;
    root.style.boxShadow = edge(edges.frame);
    this.root = root;
    const caption = el('div', 'caption-bar', root);
    place(caption, [frameWidth, frameWidth, this.width - frameWidth, frameWidth + captionHeight - 1]);
    this.caption = caption;
    if (options.icon) {
      const icon = /** @type {HTMLImageElement} */ (el('img', 'caption-icon', caption));
      icon.src = options.icon;
      icon.alt = '';
      icon.draggable = false;
      this.icon = icon;
    }
    // The main window's title is the page's heading; other captions name
    // their windows.
    const text = el(options.heading ? 'h1' : 'span', 'caption-text', caption);
    text.id = `caption-${++captionCount}`;
    text.textContent = title;
    this.titleText = text;
    const buttons = el('div', 'caption-buttons', caption);
    if (options.minimise) {
      this.captionButton(buttons, 'minimise', options.minimise);
      this.captionButton(buttons, 'maximise', null);
    }
    this.closeButton = this.captionButton(buttons, 'close', options.close || null);
    if (menuHeight) {
      this.menuBar = el('div', 'menu-bar', root);
      place(this.menuBar, [frameWidth, frameWidth + captionHeight,
        this.width - frameWidth, frameWidth + captionHeight + menuHeight]);
    }
    // The caption moves the window, as dragging a title bar does.
    caption.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || e.target !== caption && e.target !== text) return;
      const scale = root.getBoundingClientRect().width / this.width || 1;
      const start = { x: e.clientX, y: e.clientY, left: this.x || 0, top: this.y || 0 };
      caption.setPointerCapture(e.pointerId);
      /** @param {PointerEvent} m */
      const move = (m) => this.moveTo(Math.round(start.left + (m.clientX - start.x) / scale),
        Math.round(start.top + (m.clientY - start.y) / scale));
      const up = () => {
        caption.removeEventListener('pointermove', move);
        caption.removeEventListener('pointerup', up);
      };
      caption.addEventListener('pointermove', move);
      caption.addEventListener('pointerup', up);
    });
    const client = el('div', 'window-client', root);
    place(client, [frameWidth, frameWidth + captionHeight + menuHeight,
      frameWidth + clientWidth, frameWidth + captionHeight + menuHeight + clientHeight]);
    this.client = client;
  }

  /**
   * @param {HTMLElement} parent @param {string} kind
   * @param {(() => void) | null} action
   */
  captionButton(parent, kind, action) {
    const b = /** @type {HTMLButtonElement} */ (el('button', `caption-button ${kind}`, parent));
    b.type = 'button';
    b.tabIndex = -1;
    b.style.boxShadow = edge(edges.button);
    // Named as the system menu names the same commands.
    const command = CAPTION_COMMANDS[/** @type {'minimise' | 'maximise' | 'close'} */ (kind)];
    const item = SYSTEM_MENU.find((i) => i.command === command);
    b.setAttribute('aria-label', item ? plainText(item.text.split('\t')[0]) : kind);
    if (action) {
      b.addEventListener('pointerdown', (e) => e.stopPropagation());
      b.addEventListener('click', (e) => {
        e.stopPropagation();
        action();
      });
    } else b.disabled = true;
    return b;
  }

  /** @param {string} title */
  setTitle(title) {
    this.titleText.textContent = title;
  }

  /** Moves the window's top-left corner to (x, y) of its layer. @param {number} x @param {number} y */
  moveTo(x, y) {
    this.x = x;
    this.y = y;
    this.root.style.left = `${x}px`;
    this.root.style.top = `${y}px`;
  }

  /**
   * Centred as the game centres its windows: by half the client area, so a
   * window with a caption sits a little right of and below the middle.
   * @param {number} screenWidth @param {number} screenHeight
   * @param {number} clientWidth @param {number} clientHeight
   */
  centre(screenWidth, screenHeight, clientWidth, clientHeight) {
    this.centred = [screenWidth, screenHeight, clientWidth, clientHeight];
    const k = this.factor;
    const cx = Math.trunc(screenWidth / 2);
    const cy = Math.trunc(screenHeight / 2);
    let x = cx + Math.trunc((-clientWidth * k) / 2);
    let y = cy + Math.trunc((-clientHeight * k) / 2);
    // Drawn larger for a finger, it is kept on the screen.
    if (k !== 1) {
      x = Math.max(0, Math.min(x, Math.floor(screenWidth - this.width * k)));
      y = Math.max(0, Math.min(y, Math.floor(screenHeight - this.height * k)));
    }
    this.moveTo(x, y);
  }

  /** Draws the window `k` times its size, centred again if it was. @param {number} k */
  setFactor(k) {
    this.factor = k;
    this.root.style.transformOrigin = '0 0';
    this.root.style.transform = k === 1 ? '' : `scale(${k})`;
    if (this.centred) this.centre(...this.centred);
  }

  /** The window's rectangle on the screen: left, top, right, bottom. */
  rect() {
    const [x, y] = [this.x || 0, this.y || 0];
    return [x, y, x + Math.round(this.width * this.factor), y + Math.round(this.height * this.factor)];
  }

  remove() {
    this.root.remove();
  }
}

/**
 * A classic push button with its caption (access key marked with &).
 * @param {HTMLElement} parent @param {string} text
 * @param {boolean} [isDefault]
 */
export function pushButton(parent, text, isDefault = false) {
  const b = /** @type {HTMLButtonElement} */ (el('button', 'push-button', parent));
  b.type = 'button';
  if (isDefault) b.classList.add('default');
  const label = el('span', 'caption', b);
  b.dataset.key = setAccessText(label, text);
  return b;
}

/**
 * An icon of the message boxes, drawn as the platform draws its own.
 * @param {HTMLElement} parent @param {number} kind  a BoxIcon: Question, Warning or Information
 */
export function boxIcon(parent, kind) {
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', '0 0 32 32');
  svg.setAttribute('class', 'box-icon');
  /** @param {string} name @param {Record<string, string>} attrs */
  const add = (name, attrs) => {
    const node = document.createElementNS(ns, name);
    for (const [k, v] of Object.entries(attrs)) node.setAttribute(k, v);
    svg.appendChild(node);
    return node;
  };
  if (kind === BoxIcon.Warning) {
    add('path', { d: 'M16 2 L31 29 L1 29 Z', fill: '#ffff00', stroke: '#000', 'stroke-width': '1' });
    const t = add('text', { x: '16', y: '26', 'text-anchor': 'middle', 'font-size': '20', 'font-weight': 'bold' });
    t.textContent = '!';
  } else {
    add('circle', { cx: '16', cy: '15', r: '13', fill: '#ffffff', stroke: '#000' });
    const t = add('text', {
      x: '16', y: '22', 'text-anchor': 'middle', 'font-size': '19', 'font-weight': 'bold',
      fill: kind === BoxIcon.Question ? '#000080' : '#0000ff',
    });
    t.textContent = kind === BoxIcon.Question ? '?' : 'i';
  }
  parent.appendChild(svg);
  return svg;
}

