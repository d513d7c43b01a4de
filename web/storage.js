// The settings in the browser's local storage, under the keys of the game's
// file: each value kept as the text the game would write, and read by the
// core with the same rules as the file (a hand-edited value included).
export class Storage {
  constructor() {
    /** @type {globalThis.Storage | null} */
    this.store = null;
    try {
      this.store = window.localStorage;
    } catch {
      // No storage (a locked-down browser): the defaults, nothing kept.
    }
  }

  /** @param {string} key @returns {string | null} */
  read(key) {
    try {
      return this.store ? this.store.getItem(key) : null;
    } catch {
      return null;
    }
  }

  /** @param {string} key @param {string} value */
  write(key, value) {
    try {
      if (this.store) this.store.setItem(key, value);
    } catch {
      // Full or refused: the settings of this visit are not kept.
    }
  }
}
