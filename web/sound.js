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
    this.loading = null;
  }

  /** Called on the player's first gesture: the context and the waves. */
  unlock() {
    if (this.context) {
      if (this.context.state === 'suspended') this.context.resume();
      return;
    }
    const Context = window.AudioContext;
    if (!Context) return;
    this.context = new Context();
    const context = this.context;
    this.loading = Promise.all(Object.entries(resources.sounds).map(async ([name, file]) => {
      const bytes = await (await fetch(file)).arrayBuffer();
      this.buffers.set(name, await context.decodeAudioData(bytes));
    })).catch(() => {});
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
    if (!this.context || !buffer || this.context.state !== 'running') return null;
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
   * as a sound that cannot play does on Windows.
   * @param {string} name @returns {Promise<number>}
   */
  playToEnd(name) {
    const source = this.start(name);
    if (!source) return Promise.resolve(0);
    return new Promise((resolve) => {
      const end = () => {
        this.endSync = null;
        resolve(0);
      };
      this.endSync = end;
      source.addEventListener('ended', end);
    });
  }
}
