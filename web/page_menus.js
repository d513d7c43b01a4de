// The page's own menus beside the game's: the Coach and View menus on the menu bar
// and the stand-in for the window's system menu.  Their texts, commands and
// status-line help are kept here, one table each.

/** The Coach menu's commands, outside the game's range of ids. */
export const COACH = { toggle: 0xc001, practice: 0xc002, list: 0xc003 };

/**
 * @typedef {object} PageMenuItem
 * @property {string} text      empty on a separator
 * @property {number} command   0 on a separator
 * @property {string} [help]    the status line's text while the item is selected
 * @property {boolean} [greyed]
 */

/** @type {{ title: string, items: PageMenuItem[] }} */
export const COACH_MENU = {
  title: '&Coach',
  items: [
    { text: 'Coach &On', command: COACH.toggle, help: 'Show the exact value of every hold.' },
    { text: '&Practice', command: COACH.practice, help: 'Hide the best hold until the draw.' },
    { text: '', command: 0 },
    { text: '&All Holds...', command: COACH.list, help: 'List all 32 holds of the deal with their values.' },
  ],
};

/** The View menu's commands: the largest size that fits, or a fixed whole factor. */
export const VIEW = { fit: 0xc010, factors: [1, 2, 3, 4], factor: (/** @type {number} */ k) => 0xc010 + k };

/** @type {{ title: string, items: PageMenuItem[] }} */
export const VIEW_MENU = {
  title: '&View',
  items: [
    { text: '&Fit the Screen', command: VIEW.fit, help: 'Draw the window as large as the screen allows.' },
    { text: '', command: 0 },
    ...VIEW.factors.map((k) => ({
      text: `&${k} \u00d7`, command: VIEW.factor(k), help: `Draw the window at ${k} times its size.`,
    })),
  ],
};

/** The system menu's commands, as the window system numbers them (SC_SIZE ...). */
export const SC = { size: 61440, move: 61456, minimise: 61472, maximise: 61488, close: 61536, restore: 61728 };

/** The window's system menu: the window can be minimised and closed, nothing else. @type {PageMenuItem[]} */
export const SYSTEM_MENU = [
  { text: '&Restore', command: SC.restore, greyed: true },
  { text: '&Move', command: SC.move, greyed: true },
  { text: '&Size', command: SC.size, greyed: true },
  { text: 'Mi&nimize', command: SC.minimise },
  { text: 'Ma&ximize', command: SC.maximise, greyed: true },
  { text: '', command: 0 },
  { text: '&Close\tAlt+F4', command: SC.close },
];

/**
 * A table's item as the menus take it.
 * @param {PageMenuItem} item
 */
export function menuItem(item) {
  return { text: item.text, command: item.command, separator: !item.command, greyed: !!item.greyed, checked: false };
}

/** The help of a page's own item, or null for the game's. @param {number} command */
export function pageMenuHelp(command) {
  const item = [...COACH_MENU.items, ...VIEW_MENU.items].find((i) => i.command && i.command === command);
  return item && item.help !== undefined ? item.help : null;
}
