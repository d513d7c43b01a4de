// A finger needs a target of 24 x 24 CSS pixels at least.  On a touch
// screen where the window is drawn too small for that, the window's buttons,
// menu titles and caption buttons reach out, unseen, into the room around
// them that no other target uses; menu rows grow; and dialogs and boxes are
// drawn larger, as far as the screen allows.  With a mouse nothing changes.

/** The least target a finger is given, in CSS pixels. */
export const MIN_TARGET = 24;

// The closest small targets of a dialog: check boxes a row (11 dialog units,
// under 18 pixels) apart; a pixel to spare.
const DIALOG_PITCH = 17;

/** Whether the main pointer is a finger. */
export function coarsePointer() {
  return typeof window.matchMedia === 'function' && window.matchMedia('(pointer: coarse)').matches;
}

/**
 * The factor a modal window is drawn at, so that its rows are a finger
 * apart, as far as it fits the screen.
 * @param {number} scale  CSS pixels a game pixel
 * @param {number} w @param {number} h  the window, in game pixels
 * @param {{w: number, h: number}} screen  in game pixels
 */
export function modalFactor(scale, w, h, screen) {
  if (!coarsePointer()) return 1;
  const wanted = MIN_TARGET / DIALOG_PITCH / scale;
  return Math.max(1, Math.min(wanted, screen.w / w, screen.h / h));
}

/** The rows of menus, in game pixels: their own height, or a finger's. @param {number} scale */
export function menuRowHeight(scale) {
  return coarsePointer() ? Math.max(17, Math.ceil(MIN_TARGET / scale)) : 17;
}

/**
 * Grows the hit area of each target short of a finger's size: first up and
 * down, then to the sides, each way as far as the room there allows (up to
 * the next target or obstacle, or the edge of what holds it), the rest of
 * the growth going the other way.  The growth is set as --hit-left ...
 * --hit-bottom in game pixels, which CSS draws as an unseen ::after.
 * @param {{element: HTMLElement, within: {getBoundingClientRect: () => DOMRect}}[]} targets
 * @param {HTMLElement[]} obstacles  what else takes a tap there (a greyed button)
 * @param {number} scale
 */
export function growTargets(targets, obstacles, scale) {
  const touch = coarsePointer();
  /** @param {DOMRect} r @returns {number[]} */
  const box = (r) => [r.left, r.top, r.right, r.bottom];
  const rects = targets.map((t) => box(t.element.getBoundingClientRect()));
  const blocks = obstacles.map((e) => box(e.getBoundingClientRect()));
  /** @type {number[][]} */
  const grown = [];
  /**
   * Grows g along one axis (0: across, 1: up and down) by `need` in all.
   * @param {number[]} g @param {number} axis @param {number} need @param {number[][]} others @param {number[]} w
   */
  const grow = (g, axis, need, others, w) => {
    if (need <= 0) return;
    const lo = axis;          // left or top
    const hi = axis + 2;      // right or bottom
    const across = 1 - axis;
    let roomLo = g[lo] - w[lo];
    let roomHi = w[hi] - g[hi];
    for (const o of others) {
      if (!(o[across] < g[across + 2] && g[across] < o[across + 2])) continue;
      if (o[hi] <= g[lo]) roomLo = Math.min(roomLo, g[lo] - o[hi]);
      else if (o[lo] >= g[hi]) roomHi = Math.min(roomHi, o[lo] - g[hi]);
    }
    roomLo = Math.max(0, roomLo);
    roomHi = Math.max(0, roomHi);
    let down = Math.min(roomLo, need / 2);
    const up = Math.min(roomHi, need - down);
    down = Math.min(roomLo, need - up);
    g[lo] -= down;
    g[hi] += up;
  };
  targets.forEach((t, i) => {
    const r = rects[i];
    const g = [...r];
    if (touch) {
      const w = box(t.within.getBoundingClientRect());
      const others = [...rects.filter((_, k) => k !== i), ...blocks, ...grown];
      // Half a pixel more, for the rounding of fractions of a pixel.
      grow(g, 1, MIN_TARGET + 0.5 - (r[3] - r[1]), others, w);
      grow(g, 0, MIN_TARGET + 0.5 - (r[2] - r[0]), others, w);
    }
    grown.push(g);
    const s = t.element.style;
    s.setProperty('--hit-left', `${(r[0] - g[0]) / scale}px`);
    s.setProperty('--hit-top', `${(r[1] - g[1]) / scale}px`);
    s.setProperty('--hit-right', `${(g[2] - r[2]) / scale}px`);
    s.setProperty('--hit-bottom', `${(g[3] - r[3]) / scale}px`);
    t.element.classList.add('hit');
  });
}
