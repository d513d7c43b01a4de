// The game's eight waves played through Web Audio: the very files the
// Windows game carries.  One effect is held at a time, and a new one cuts it
// off; a sound played to its end holds the game until it has ended.  Audio
// starts with the player's first click or key, as browsers require.
import { resources } from './resources.js';

export class Sound {
  constructor() {
    /** @type {AudioContext | null} */
    this.context = null;
    /** @type {Map<string, AudioBuffer>} */
    this.buffers = new Map();
    /** @type {AudioBufferSourceNode | null} */
    this.playing = null;
    /** @type {(() => void) | null} ends a sound played to its end early */
    this.endSync = null;
    /** @type {Map<string, {rate: number, channels: Float32Array<ArrayBuffer>[]}>} */
    this.waves = new Map();
  }

  /**
   * Fetched and read as soon as the table is up, so that the first
   * gesture's own sound has its buffer then: the browser's decoder would
   * answer only after it.
   */
  load() {
    for (const [name, file] of Object.entries(resources.sounds)) {
      fetch(file).then((r) => r.arrayBuffer()).then((bytes) => {
        const wave = readWave(bytes);
        if (!wave) return;
        this.waves.set(name, wave);
        if (this.context) this.bufferOf(name, wave);
      }).catch(() => {});
    }
  }

  /** @param {string} name @param {{rate: number, channels: Float32Array<ArrayBuffer>[]}} wave */
  bufferOf(name, wave) {
    if (!this.context) return;
    const buffer = this.context.createBuffer(wave.channels.length, wave.channels[0].length, wave.rate);
    wave.channels.forEach((samples, i) => buffer.copyToChannel(samples, i));
    this.buffers.set(name, buffer);
  }

  /** Called on the player's first gesture: the context, with the waves read by then. */
  unlock() {
    if (this.context) {
      if (this.context.state === 'suspended') this.context.resume();
      return;
    }
    const Context = window.AudioContext;
    if (!Context) return;
    this.context = new Context();
    for (const [name, wave] of this.waves) this.bufferOf(name, wave);
  }

  /** Resource names compare without regard to case. @param {string} name */
  buffer(name) {
    return this.buffers.get(name.toUpperCase()) || null;
  }

  stop() {
    if (this.playing) {
      try {
        this.playing.stop();
      } catch {
        // already ended
      }
      this.playing = null;
    }
    if (this.endSync) this.endSync();
  }

  /** @param {string} name @returns {AudioBufferSourceNode | null} */
  start(name) {
    this.stop();
    const buffer = this.buffer(name);
    // A context made by this very gesture may still be starting: what it is
    // given now plays as it runs.
    if (!this.context || !buffer || this.context.state === 'closed') return null;
    const source = this.context.createBufferSource();
    source.buffer = buffer;
    source.connect(this.context.destination);
    source.start();
    this.playing = source;
    source.onended = () => {
      if (this.playing === source) this.playing = null;
    };
    return source;
  }

  /** An effect: started, and the game goes on. @param {string} name */
  effect(name) {
    this.start(name);
  }

  /**
   * A sound played to its end; a missing wave or no audio returns at once,
   * as a sound that cannot play does on Windows.  A context that never runs
   * (Firefox keeps it suspended where there is no audio output) never ends
   * the sound: the wave's own length ends it then.
   * @param {string} name @returns {Promise<number>}
   */
  playToEnd(name) {
    const source = this.start(name);
    if (!source) return Promise.resolve(0);
    const length = /** @type {AudioBuffer} */ (source.buffer).duration;
    return new Promise((resolve) => {
      let timer = 0;
      const end = () => {
        window.clearTimeout(timer);
        if (this.endSync === end) this.endSync = null;
        resolve(0);
      };
      this.endSync = end;
      source.addEventListener('ended', end);
      timer = window.setTimeout(() => {
        if (this.context?.state !== 'running') end();
      }, length * 1000 + 500);
    });
  }
}

/**
 * A PCM wave file's samples, channel by channel, or null for any other file.
 * @param {ArrayBuffer} bytes @returns {{rate: number, channels: Float32Array<ArrayBuffer>[]} | null}
 */
export function readWave(bytes) {
  const view = new DataView(bytes);
  const tag = (/** @type {number} */ at) => String.fromCharCode(...new Uint8Array(bytes, at, 4));
  if (bytes.byteLength < 12 || tag(0) !== 'RIFF' || tag(8) !== 'WAVE') return null;
  let format = null;
  for (let at = 12; at + 8 <= bytes.byteLength;) {
    const size = view.getUint32(at + 4, true);
    const body = at + 8;
    if (body + size > bytes.byteLength) return null;
    if (tag(at) === 'fmt ' && size >= 16) {
      format = {
        code: view.getUint16(body, true), count: view.getUint16(body + 2, true),
        rate: view.getUint32(body + 4, true), bits: view.getUint16(body + 14, true),
      };
    } else if (tag(at) === 'data' && format) {
      const { code, count, rate, bits } = format;
      if (code !== 1 || count < 1 || (bits !== 8 && bits !== 16) || rate < 3000) return null;
      const step = (bits / 8) * count;
      const frames = Math.floor(size / step);
      if (frames === 0) return null;
      const channels = Array.from({ length: count }, () => new Float32Array(frames));
      for (let f = 0; f < frames; f++) {
        for (let c = 0; c < count; c++) {
          const p = body + f * step + c * (bits / 8);
          channels[c][f] = bits === 8 ? (view.getUint8(p) - 128) / 128 : view.getInt16(p, true) / 32768;
        }
      }
      return { rate, channels };
    }
    at = body + size + (size & 1);
  }
  return null;
}
