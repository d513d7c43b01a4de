// The two screen effects over the whole page: the dialogs' zoom of dotted
// outlines and the jackpot screen.  Where each outline lies, which are drawn
// before each pause, how long a pause is, and the jackpot's course all come
// from the core; here they are only drawn.
import { resources } from './resources.js';
import { el, sleep } from './ui.js';

export class Screen {
  /**
   * @param {import('./machine.js').Machine} machine
   * @param {HTMLElement} layer   the page's screen, covering the viewport
   * @param {() => number} scale  device-independent pixels per game pixel
   * @param {(name: string) => Promise<void>} playSync
   */
  constructor(machine, layer, scale, playSync) {
    this.machine = machine;
    this.layer = layer;
    this.scale = scale;
    this.playSync = playSync;
  }

  /** The screen's size in game pixels. */
  size() {
    const s = this.scale();
    return { w: Math.floor(this.layer.clientWidth / s), h: Math.floor(this.layer.clientHeight / s) };
  }

  /** A canvas over the whole screen, one pixel a game pixel. */
  cover(className = 'screen-cover') {
    const { w, h } = this.size();
    const canvas = /** @type {HTMLCanvasElement} */ (el('canvas', className, this.layer));
    canvas.width = w;
    canvas.height = h;
    canvas.style.width = `${w * this.scale()}px`;
    canvas.style.height = `${h * this.scale()}px`;
    return canvas;
  }

  /**
   * The trail of dotted outlines between the screen's centre (opening) or
   * the rectangle's middle (closing) and the rectangle, in game pixels of
   * the screen; resolves when it has passed.  Each outline is drawn by
   * exclusive-or, so drawing it again takes it away.
   * @param {boolean} closing @param {number[]} target  left, top, right, bottom
   * @param {number} steps
   */
  async zoom(closing, target, steps) {
    const ex = this.machine.exports;
    const canvas = this.cover('zoom-cover');
    const w = canvas.width;
    const h = canvas.height;
    const ctx = /** @type {CanvasRenderingContext2D} */ (canvas.getContext('2d'));
    const image = ctx.createImageData(w, h);
    const [left, top, right, bottom] = target;
    const origin = closing
      ? this.machine.ints(ex.quorvel_zoom_close_origin(left, top, right, bottom), 2)
      : [Math.trunc(w / 2), Math.trunc(h / 2)];
    const pauseMs = ex.quorvel_zoom_pause_ms();
    const pauses = ex.quorvel_zoom_pauses(steps);
    /** @param {number} x @param {number} y */
    const flip = (x, y) => {
      if (x < 0 || y < 0 || x >= w || y >= h || (x + y) % 2 !== 0) return;
      const at = 4 * (y * w + x);
      const on = image.data[at + 3] === 0;
      image.data[at] = image.data[at + 1] = image.data[at + 2] = on ? 255 : 0;
      image.data[at + 3] = on ? 255 : 0;
    };
    // A focus rectangle: the dotted one-pixel outline inside the rectangle.
    /** @param {number[]} r */
    const outline = (r) => {
      const [l, t, rr, b] = r;
      if (rr <= l || b <= t) return;
      for (let x = l; x < rr; ++x) {
        flip(x, t);
        if (b - 1 > t) flip(x, b - 1);
      }
      for (let y = t + 1; y < b - 1; ++y) {
        flip(l, y);
        if (rr - 1 > l) flip(rr - 1, y);
      }
    };
    let next = performance.now();
    for (let n = 0; n < pauses; ++n) {
      const at = ex.quorvel_zoom_draws(closing ? 1 : 0, steps, n);
      const [first, second, count] = this.machine.ints(at, 3);
      const draws = [first, second].slice(0, count);
      for (const i of draws) {
        outline(this.machine.ints(ex.quorvel_zoom_rect(origin[0], origin[1], left, top, right, bottom, i, steps), 4));
      }
      ctx.putImageData(image, 0, 0);
      next += pauseMs;
      await sleep(Math.max(0, next - performance.now()));
    }
    canvas.remove();
  }

  /**
   * The jackpot screen: the picture in the middle of a black screen, held
   * for the fanfare or a second of silence, then the whole screen inverted,
   * three times, and the screen as it was.
   * @param {boolean} sound
   */
  async jackpot(sound) {
    const ex = this.machine.exports;
    const { w, h } = this.size();
    const s = this.scale();
    const screen = el('div', 'jackpot-screen', this.layer);
    // Heard as the hand it celebrates.
    screen.setAttribute('role', 'alert');
    screen.setAttribute('aria-label', this.machine.text(ex.quorvel_hand_name()));
    const picture = resources.art.pictures[this.machine.text(ex.quorvel_jackpot_picture())];
    const [x, y] = this.machine.ints(ex.quorvel_jackpot_at(w, h, picture.width, picture.height), 2);
    const img = /** @type {HTMLImageElement} */ (el('img', 'picture', screen));
    img.src = picture.file;
    img.alt = '';
    img.style.left = `${x * s}px`;
    img.style.top = `${y * s}px`;
    img.style.width = `${picture.width * s}px`;
    img.style.height = `${picture.height * s}px`;
    const fanfare = this.machine.text(ex.quorvel_jackpot_fanfare());
    const silentMs = ex.quorvel_jackpot_silent_ms();
    const flashes = ex.quorvel_jackpot_flashes();
    for (let flash = 0; flash < flashes; ++flash) {
      const start = performance.now();
      if (sound) await this.playSync(fanfare);
      // A fanfare that cannot play still leaves the picture its second.
      const left = silentMs - (performance.now() - start);
      if (left > 0) await sleep(left);
      screen.classList.toggle('inverted');
    }
    screen.remove();
  }
}
