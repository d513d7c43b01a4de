// The page's stand-in for the platform's colour chooser, as the Options
// dialog's "&Set" opens it.
import { colour, edge, edges, el, place, setAccessText } from './ui.js';
import { FramedWindow, pushButton } from './windows.js';

/** The platform colour chooser's basic colours, as its grid shows them. */
const BASIC_COLOURS = [
  0xff8080, 0xffff80, 0x80ff80, 0x00ff80, 0x80ffff, 0x0080ff, 0xff80c0, 0xff80ff,
  0xff0000, 0xffff00, 0x80ff00, 0x00ff40, 0x00ffff, 0x0080c0, 0x8080c0, 0xff00ff,
  0x804040, 0xff8040, 0x00ff00, 0x008080, 0x004080, 0x8080ff, 0x800040, 0xff0080,
  0x800000, 0xff8000, 0x008000, 0x008040, 0x0000ff, 0x0000a0, 0x800080, 0x8000ff,
  0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
  0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xc0c0c0, 0x400040, 0xffffff,
];

/** An RGB number (0xRRGGBB) as the core's 0x00BBGGRR. @param {number} rgb */
function fromRgb(rgb) {
  return ((rgb & 0xff) << 16) | (rgb & 0xff00) | ((rgb >> 16) & 0xff);
}

/**
 * The platform's colour chooser, titled "Background Color", its custom
 * colours the game's sixteen presets; the basic colours' grid and the custom
 * part that cannot be opened are the platform's.  Resolves to the colour
 * chosen, or -1 when it was cancelled.
 * @param {import('./boxes.js').Modals} modals @param {import('./effects.js').Screen} screen
 * @param {number} initial  0x00BBGGRR @param {number[]} presets
 * @param {number} zoomSteps  the opening trail's steps, 0 for none
 * @returns {Promise<number>}
 */
export async function chooseColour(modals, screen, initial, presets, zoomSteps) {
  const w = 222;
  const h = 297;
  const win = new FramedWindow(modals.layer, 'Background Color', w, h, { className: 'dialog chooser' });
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
    // A choice among the grid's colours, named by its parts.
    e.setAttribute('role', 'radio');
    e.setAttribute('aria-label', `red ${value & 0xff}, green ${(value >> 8) & 0xff}, blue ${(value >> 16) & 0xff}`);
    e.tabIndex = -1;
    e.addEventListener('pointerdown', () => pick(value, e));
    e.addEventListener('dblclick', () => finish(true));
    wells.push(e);
    return e;
  };
  /** @param {number} value @param {HTMLElement} e */
  const pick = (value, e) => {
    chosen = value;
    wells.forEach((x) => {
      x.classList.toggle('selected', x === e);
      x.setAttribute('aria-checked', String(x === e));
    });
  };
  /** A grid of wells under its label, a group to a screen reader. @param {string} label */
  const grid = (label) => {
    const g = el('div', 'colour-grid', c);
    g.setAttribute('role', 'radiogroup');
    g.setAttribute('aria-label', label.replace(/[&:]/g, ''));
    return g;
  };
  const basicLabel = el('div', 'static-text', c);
  setAccessText(basicLabel, '&Basic Colors:');
  place(basicLabel, [6, 4, 200, 18]);
  const basic = grid('&Basic Colors:');
  BASIC_COLOURS.forEach((rgb, i) => well(basic, fromRgb(rgb), 6 + 26 * (i % 8), 21 + 23 * Math.floor(i / 8)));
  const customLabel = el('div', 'static-text', c);
  setAccessText(customLabel, '&Custom Colors:');
  place(customLabel, [6, 169, 200, 183]);
  const custom = grid('&Custom Colors:');
  presets.forEach((value, i) => well(custom, value, 6 + 26 * (i % 8), 186 + 23 * Math.floor(i / 8)));
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
  /** @type {Promise<number>} */
  const done = new Promise((resolve) => {
    finish = (accept) => {
      modals.remove(modal);
      resolve(accept ? chosen : -1);
    };
  });
  ok.addEventListener('click', () => finish(true));
  cancel.addEventListener('click', () => finish(false));
  win.closeButton.addEventListener('click', () => finish(false));
  // The keyboard: the arrows move the choice within its grid, Tab goes
  // from a grid's choice to the other grid and the buttons and round.
  /** @type {HTMLElement[]} */
  const stops = [basic, custom, ok, cancel];
  let at = 0;
  const focusStop = () => {
    const stop = stops[at];
    if (stop === basic || stop === custom) {
      const inGrid = wells.filter((x) => x.parentElement === stop);
      const target = inGrid.find((x) => x.classList.contains('selected')) || inGrid[0];
      if (target) target.focus({ preventScroll: true });
    } else stop.focus({ preventScroll: true });
  };
  /** @param {number} dx @param {number} dy */
  const move = (dx, dy) => {
    const stop = stops[at];
    const inGrid = wells.filter((x) => x.parentElement === stop);
    if (!inGrid.length) return;
    const now = Math.max(0, inGrid.findIndex((x) => x.classList.contains('selected')));
    const next = Math.min(inGrid.length - 1, Math.max(0, now + dx + 8 * dy));
    pick(Number(inGrid[next].dataset.colour), inGrid[next]);
    inGrid[next].focus({ preventScroll: true });
  };
  const modal = {
    window: win,
    key: (/** @type {KeyboardEvent} */ e) => {
      if (e.type !== 'keydown') return;
      if (e.key === 'Enter') finish(stops[at] !== cancel);
      else if (e.key === 'Escape') finish(false);
      else if (e.key === 'Tab') {
        at = (at + (e.shiftKey ? stops.length - 1 : 1)) % stops.length;
        focusStop();
      } else if (e.key === ' ' && stops[at] === cancel) finish(false);
      else if (e.key === ' ' && stops[at] === ok) finish(true);
      else if (e.key.startsWith('Arrow')) {
        move(e.key === 'ArrowLeft' ? -1 : e.key === 'ArrowRight' ? 1 : 0,
          e.key === 'ArrowUp' ? -1 : e.key === 'ArrowDown' ? 1 : 0);
      }
    },
  };
  const { w: sw, h: sh } = screen.size();
  win.centre(sw, sh, w, h);
  modals.push(modal);
  if (zoomSteps) await screen.zoom(false, win.rect(), zoomSteps);
  win.root.hidden = false;
  at = stops.indexOf(ok);
  ok.focus({ preventScroll: true });
  return done;
}
