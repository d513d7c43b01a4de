// The shape of resources.js, which tools/generators/webgen writes from the
// game's compiled resources.  Numbers are stored as the resources hold them;
// file paths are relative to the page's folder.  Names of menus, dialogs,
// accelerator tables and sounds are as the resource file stores them (upper
// case, or a number in decimal); names of pictures as the .rc spells them.

/**
 * @typedef {object} MenuItem
 * @property {number} flags      the item's flags word: MF_POPUP 0x10, MF_END 0x80 on the last item
 *                               of its level, MF_HELP 0x4000, MF_GRAYED 0x1, MF_CHECKED 0x8 ...
 * @property {string} [text]     absent on a separator
 * @property {number} [id]       the command, on items that are neither popup nor separator
 * @property {true} [separator]
 * @property {MenuItem[]} [items] a popup's items
 */

/**
 * @typedef {object} Accelerator
 * @property {number} flags      fVirt: FVIRTKEY 1, FNOINVERT 2, FSHIFT 4, FCONTROL 8, FALT 16,
 *                               0x80 on the last entry
 * @property {number} key        a virtual-key code with FVIRTKEY, else a character code
 * @property {number} command
 */

/**
 * @typedef {object} DialogControl
 * @property {number} id         16 bits: IDOK 1, IDCANCEL 2, -1 stored as 65535
 * @property {string|number} className "button", "edit", "static", "listbox", "scrollbar",
 *                               "combobox" for the predefined classes, else the class name as
 *                               stored: windres upper-cases a CONTROL's class ("STATIC",
 *                               "MSCTLS_TRACKBAR32"), and Windows compares them without case
 * @property {number} style
 * @property {number} exStyle
 * @property {number} x          dialog units, like y, cx and cy
 * @property {number} y
 * @property {number} cx
 * @property {number} cy
 * @property {string|number} text a number where the text names a resource by number; an
 *                               ICON control's resource name is stored in upper case
 */

/**
 * @typedef {object} Dialog
 * @property {number} style
 * @property {number} exStyle
 * @property {number} x
 * @property {number} y
 * @property {number} cx
 * @property {number} cy
 * @property {string|number|null} menu      null: none
 * @property {string|number|null} className null: the standard dialog class
 * @property {string} title
 * @property {{points: number, face: string} | null} font  null without DS_SETFONT
 * @property {DialogControl[]} controls
 */

/**
 * @typedef {object} PictureFile
 * @property {string} file
 * @property {number} width
 * @property {number} height
 */

/**
 * @typedef {object} Resources
 * @property {Object<string, string>} strings   string-table entries by id; empty ones absent
 * @property {Object<string, MenuItem[]>} menus
 * @property {Object<string, Accelerator[]>} accelerators
 * @property {Object<string, Dialog>} dialogs   the Options dialog is "110"
 * @property {{
 *   sheet: PictureFile,
 *   cardWidth: number,
 *   cardHeight: number,
 *   cards: Object<string, [number, number]>,
 *   pictures: Object<string, PictureFile>
 * }} art  cards: each card picture's top-left corner in the sheet, 2 clear pixels
 *         between neighbours, its twelve outside corner pixels clear; pictures: the other
 *         bitmaps, opaque but for the Amount badge's ground, which is clear
 * @property {PictureFile & {hotSpot: [number, number]}} cursor
 * @property {Object<string, PictureFile[]>} icons  each icon's images, smallest first,
 *                                                clear where the icon's mask is set
 * @property {Object<string, string>} sounds       each WAVE resource's file
 * @property {{regular: string, bold: string}} fonts  Liberation Sans, printable ASCII
 */

export {};
