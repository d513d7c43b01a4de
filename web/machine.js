// The portable core running in the page, as the Windows game runs on its one
// thread: each call into the core runs to its end, and where the core blocks
// (a message box, a dialog, the jackpot screen, a sound played to its end)
// it is suspended (binaryen's Asyncify) and resumed once that is over.
//
// What Windows does meanwhile is done here too.  While a box or dialog is
// open its modal loop still delivers the table timer, so a deal goes on; a
// box opened from such a tick is nested inside, and the outer one returns
// only after the inner one has (the calls stack as on the one thread).
// While a sound or the jackpot screen holds the thread nothing is
// delivered: the timer's ticks wait (as WM_TIMER, at most one) and the
// player's input is queued, both handled once the hold is over.

const UNWINDING = 1;
const REWINDING = 2;

/** @typedef {'modal' | 'busy'} HoldKind */

/**
 * @typedef {object} Frame   one call into the core, possibly suspended
 * @property {string} name
 * @property {number[]} args
 * @property {number} data          its Asyncify buffer in the core's memory
 * @property {HoldKind} [kind]
 * @property {Promise<number>} [promise]
 * @property {boolean} ready
 * @property {number} value
 */

export class Machine {
  /** @param {WebAssembly.Instance} instance */
  constructor(instance) {
    this.exports = /** @type {any} */ (instance.exports);
    /** @type {WebAssembly.Memory} */
    this.memory = this.exports.memory;
    /** @type {Frame[]} suspended calls, innermost last */
    this.suspended = [];
    /** @type {Frame | null} the call running now */
    this.current = null;
    this.rewindValue = 0;
    /** @type {number[]} */
    this.freeBuffers = [];
    const count = this.exports.quorvel_async_buffer_count();
    for (let i = count - 1; i >= 0; --i) this.freeBuffers.push(this.exports.quorvel_async_buffer(i));
    this.bufferSize = this.exports.quorvel_async_buffer_size();
    /** @type {{action: () => void, input: boolean}[]} input and posted commands waiting for the thread */
    this.queue = [];
    this.tickWaiting = false;
    this.timer = 0;
    this.timerMs = 0;
    this.decoder = new TextDecoder();
    this.encoder = new TextEncoder();
  }

  /** True while a sound or the jackpot screen holds the thread. */
  get busy() {
    return this.suspended.some((f) => f.kind === 'busy');
  }

  /** True while a box or dialog is open. */
  get modal() {
    return this.suspended.some((f) => f.kind === 'modal');
  }

  /**
   * Calls an export of the core; returns its result, or undefined when it
   * was suspended (it then finishes later).
   * @param {string} name
   * @param {...number} args
   */
  call(name, ...args) {
    const data = this.freeBuffers.pop();
    if (data === undefined) throw new Error('too many nested holds');
    /** @type {Frame} */
    const frame = { name, args, data, ready: false, value: 0 };
    return this.run(frame, false);
  }

  /**
   * @param {Frame} frame
   * @param {boolean} rewinding
   */
  run(frame, rewinding) {
    const outer = this.current;
    this.current = frame;
    if (rewinding) {
      this.rewindValue = frame.value;
      this.exports.asyncify_start_rewind(frame.data);
    }
    const result = this.exports[frame.name](...frame.args);
    this.current = outer;
    if (this.exports.asyncify_get_state() === UNWINDING) {
      this.exports.asyncify_stop_unwind();
      frame.ready = false;
      this.suspended.push(frame);
      const promise = /** @type {Promise<number>} */ (frame.promise);
      promise.then((value) => {
        frame.value = value;
        frame.ready = true;
        this.resumeReady();
      });
      return undefined;
    }
    this.freeBuffers.push(frame.data);
    return result;
  }

  // The innermost suspended call resumes first; an outer one whose hold
  // ended earlier waits for the ones inside it.
  resumeReady() {
    for (;;) {
      const top = this.suspended[this.suspended.length - 1];
      if (!top || !top.ready) break;
      this.suspended.pop();
      this.run(top, true);
    }
    if (!this.busy) this.drain();
  }

  /**
   * An import that holds the core: `start` opens what holds it and returns a
   * promise of the value the import returns.
   * @param {HoldKind} kind
   * @param {(...args: number[]) => Promise<number>} start
   * @returns {(...args: number[]) => number}
   */
  blocking(kind, start) {
    return (...args) => {
      if (this.exports.asyncify_get_state() === REWINDING) {
        this.exports.asyncify_stop_rewind();
        return this.rewindValue;
      }
      const frame = /** @type {Frame} */ (this.current);
      frame.kind = kind;
      frame.promise = start(...args);
      const view = new Int32Array(this.memory.buffer, frame.data, 2);
      view[0] = frame.data + 8;
      view[1] = frame.data + this.bufferSize;
      this.exports.asyncify_start_unwind(frame.data);
      return 0;
    };
  }

  /**
   * A posted command: handled now, or once a hold is over (a box's or
   * dialog's loop delivers it too).
   * @param {() => void} action
   */
  post(action) {
    this.queue.push({ action, input: false });
    if (!this.busy) queueMicrotask(() => this.drain());
  }

  /**
   * The player's input to the main window: handled now, or once a hold is
   * over; dropped while a box or dialog is open, since the window then takes
   * no input.
   * @param {() => void} action
   */
  postInput(action) {
    this.queue.push({ action, input: true });
    if (!this.busy) queueMicrotask(() => this.drain());
  }

  drain() {
    while (this.queue.length && !this.busy) {
      const { action, input } = /** @type {{action: () => void, input: boolean}} */ (this.queue.shift());
      if (!input || !this.modal) action();
    }
    if (this.tickWaiting && !this.busy) {
      this.tickWaiting = false;
      this.tick();
    }
  }

  /** Timer 6: one interval, replaced by the next start. @param {number} ms */
  startTimer(ms) {
    this.killTimer();
    this.timerMs = ms;
    this.timer = window.setInterval(() => this.tick(), ms);
  }

  killTimer() {
    if (this.timer) window.clearInterval(this.timer);
    this.timer = 0;
    this.tickWaiting = false;
  }

  tick() {
    if (!this.timer) return;
    if (this.busy) {
      this.tickWaiting = true;
      return;
    }
    this.call('quorvel_timer');
  }

  /** A zero-terminated text of the core's memory. @param {number} at */
  text(at) {
    if (!at) return '';
    const bytes = new Uint8Array(this.memory.buffer, at);
    const end = bytes.indexOf(0);
    return this.decoder.decode(bytes.subarray(0, end < 0 ? 0 : end));
  }

  /** `count` numbers of an array the core returned. @param {number} at @param {number} count */
  ints(at, count) {
    return Array.from(new Int32Array(this.memory.buffer, at, count));
  }

  /**
   * Writes a text zero-terminated into the core's buffer `at` of `size`
   * bytes; returns its length, cut to fit.
   * @param {string} text @param {number} at @param {number} size
   */
  writeText(text, at, size) {
    const bytes = this.encoder.encode(text).subarray(0, size - 1);
    new Uint8Array(this.memory.buffer, at, size).set(bytes);
    new Uint8Array(this.memory.buffer)[at + bytes.length] = 0;
    return bytes.length;
  }
}
