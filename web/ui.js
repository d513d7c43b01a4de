// Small helpers for building the window's pieces: elements placed in game
// pixels, the classic three-dimensional edges, colours and access keys.

/** The classic colour scheme the game's artwork is drawn for. */
export const sys = {
  face: '#c0c0c0',
  shadow: '#808080',
  light: '#ffffff',
  dark: '#000000',
  light3d: '#dfdfdf',
  text: '#000000',
  greyText: '#808080',
  highlight: '#000080',
  highlightText: '#ffffff',
  caption: '#000080',
  captionEnd: '#1084d0',
  inactiveCaption: '#808080',
  inactiveCaptionEnd: '#c0c0c0',
};

/**
 * A colour of the core, 0x00BBGGRR, as CSS.
 * @param {number} c
 */
export function colour(c) {
  const r = c & 0xff;
  const g = (c >> 8) & 0xff;
  const b = (c >> 16) & 0xff;
  return `#${((r << 16) | (g << 8) | b).toString(16).padStart(6, '0')}`;
}

/**
 * @param {string} tag
 * @param {string} [className]
 * @param {HTMLElement} [parent]
 * @returns {HTMLElement}
 */
export function el(tag, className, parent) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (parent) parent.appendChild(e);
  return e;
}

/**
 * Places an element at a rectangle of its parent, right and bottom
 * exclusive.
 * @param {HTMLElement} e
 * @param {number[]} r  left, top, right, bottom
 */
export function place(e, r) {
  e.style.left = `${r[0]}px`;
  e.style.top = `${r[1]}px`;
  e.style.width = `${r[2] - r[0]}px`;
  e.style.height = `${r[3] - r[1]}px`;
}

/**
 * The rings of a three-dimensional edge, outermost first, each as its
 * top-left and bottom-right colours.  Like the window system, each ring's
 * bottom and right lines run its whole length over the top and left ones.
 * @param {[string, string][]} rings
 */
export function edge(rings) {
  /** @type {string[]} */
  const shadows = [];
  rings.forEach(([topLeft, bottomRight], i) => {
    const k = i + 1;
    shadows.push(`inset -${k}px -${k}px 0 0 ${bottomRight}`, `inset ${k}px ${k}px 0 0 ${topLeft}`);
  });
  return shadows.join(', ');
}

/** @type {Record<string, [string, string][]>} */
export const edges = {
  raised: [[sys.light3d, sys.dark], [sys.light, sys.shadow]],
  sunken: [[sys.shadow, sys.light], [sys.dark, sys.light3d]],
  bump: [[sys.light3d, sys.dark], [sys.dark, sys.light3d]],
  etched: [[sys.shadow, sys.light], [sys.light, sys.shadow]],
  // A button: raised, then its pressed look.
  button: [[sys.light, sys.dark], [sys.light3d, sys.shadow]],
  pushed: [[sys.dark, sys.light], [sys.shadow, sys.light3d]],
  // The frame of a dialog or window.
  frame: [[sys.light3d, sys.dark], [sys.light, sys.shadow], [sys.face, sys.face]],
};

/**
 * A text with an access key ("&File"): its letters with the marked one
 * underlined, and the key, lower case, or ''.
 * @param {HTMLElement} e
 * @param {string} text
 */
export function setAccessText(e, text) {
  e.textContent = '';
  let key = '';
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (c === '&' && i + 1 < text.length) {
      const next = text[++i];
      if (next === '&') {
        e.append('&');
        continue;
      }
      const u = document.createElement('u');
      u.textContent = next;
      e.append(u);
      if (!key) key = next.toLowerCase();
      continue;
    }
    e.append(c);
  }
  return key;
}

/** A text without its access-key marks. @param {string} text */
export function plainText(text) {
  return text.replace(/&(.)/g, '$1');
}

/** @param {number} ms */
export function sleep(ms) {
  return new Promise((resolve) => window.setTimeout(resolve, ms));
}
