// The page's table against the Windows game under Wine in the same state:
// the backs before a game, then the same deal with the same holds.  The deal
// follows the second the Deal key was pressed (the card generator is seeded
// with the time), so the page, its clock fixed, is tried at the seconds
// around that press until it deals the Windows cards, recognised by their
// pixels.  The card, back, logo and badge areas must then be identical pixel
// for pixel; the read-outs', message line's and buttons' texts, read from
// Wine's traces of text drawing and window creation, must be the page's in
// the same boxes.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, existsSync, readFileSync, writeFileSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import * as L from './lib.mjs';

const build = join(L.source, 'build');
const exe = process.env.QUORVEL_WIN32_EXE || join(build, 'win32/shell/quorvel.exe');
const wineRun = process.env.QUORVEL_WINE_RUN || join(build, 'win32/wine-run');
const missing = [exe, wineRun].filter((f) => !existsSync(f));
// A kernel that runs no 32-bit programs cannot run Wine's 32-bit game.
const wineHere = spawnSync('bash', [join(L.source, 'tools/wine-runs-here.sh')], { encoding: 'utf8' });
if (wineHere.status !== 0) missing.push(wineHere.stderr.trim());

let suite;
before(async () => {
  if (!missing.length) suite = await L.startSuite();
});
after(async () => suite && suite.stop());

// The settings of both sides: fast deals, no sound; the rest as a new player has them.
const SETTINGS = { FastDeal: '1', Sound: '0' };

/** The Windows game's screen, in a private X server. */
async function windowsGame(work) {
  writeFileSync(join(work, 'quorvel.ini'),
    `[Settings]\r\n${Object.entries(SETTINGS).map(([k, v]) => `${k}=${v}\r\n`).join('')}`);
  copyFileSync(exe, join(work, 'quorvel.exe'));
  const x = await L.startXvfb();
  const env = { ...process.env, DISPLAY: x.display, QUORVEL_WINE_TIMEOUT: '120', WINEDEBUG: '+text,+win' };
  // The pointer out of the way, as the page's is: over the table it would set the status line.
  await L.runProgram('xdotool', ['mousemove', '1', '1'], { env });
  const { openSync } = await import('node:fs');
  const log = openSync(join(work, 'wine.log'), 'w');
  const game = L.startGroup(wineRun, [join(work, 'quorvel.exe')], { env, stdio: ['ignore', log, log] });
  const xdo = (...args) => L.runProgram('xdotool', args, { env });
  return {
    x,
    env,
    log: join(work, 'wine.log'),
    xdo,
    async window(title) {
      const end = Date.now() + 60000;
      for (;;) {
        const found = await xdo('search', '--name', `^${title.replace(/\./g, '\\.')}$`).catch(() => '');
        if (found.trim()) return found.trim().split('\n')[0];
        assert.ok(game.child.exitCode === null, `the game ended at start (see ${work}/wine.log)`);
        assert.ok(Date.now() < end, 'the Windows window never appeared');
        await L.sleep(250);
      }
    },
    async shot(file) {
      await L.runProgram('import', ['-window', 'root', file], { env });
      return file;
    },
    async stop() {
      await game.stop();
      await x.stop();
    },
  };
}

/**
 * What Wine's traces say was drawn last: texts by client rectangle in the
 * main window's DC, and each button's command, place and caption.
 */
function wineTexts(file) {
  const lines = readFileSync(file, 'utf8').split('\n');
  const pending = new Map();    // thread -> windows being created, innermost last
  const windows = new Map();    // hwnd -> { command, rect }
  const dcOf = new Map();       // thread -> hwnd of its last DC
  const atRect = new Map();     // "l,t,r,b" -> text, last drawn
  const byWindow = new Map();   // hwnd -> text, last drawn
  const unquote = (s) => JSON.parse(`"${s.replace(/\\x([0-9a-f]{2})/gi, '\\u00$1')}"`);
  for (const line of lines) {
    const thread = line.slice(0, 4);
    let m = /trace:win:WIN_CreateWindowEx .* L"(\w+)" ex=\w+ style=\w+ (-?\d+),(-?\d+) (\d+)x(\d+) parent=\w+ menu=(\w+)/.exec(line);
    if (m) {
      const [, cls, x, y, w, h, menu] = m;
      const stack = pending.get(thread) || [];
      stack.push({ cls, rect: [+x, +y, +x + +w, +y + +h], command: parseInt(menu, 16) });
      pending.set(thread, stack);
      continue;
    }
    m = /trace:win:NtUserCreateWindowEx created window (0x\w+)/.exec(line);
    if (m) {
      const made = (pending.get(thread) || []).pop();
      if (made) windows.set(Number(m[1]), made);
      continue;
    }
    m = /trace:win:NtUserGetDCEx \((0x\w+|\(nil\)),/.exec(line);
    if (m) {
      dcOf.set(thread, Number(m[1]) || 0);
      continue;
    }
    m = /trace:text:DrawTextExW L"((?:[^"\\]|\\.)*)", -?\d+, \[\((-?\d+),(-?\d+)\)-\((-?\d+),(-?\d+)\)\] (\w+)/.exec(line);
    if (m) {
      const flags = parseInt(m[6], 16);
      if (flags & 0x400) continue;            // DT_CALCRECT measures, draws nothing
      const text = unquote(m[1]);
      atRect.set(m.slice(2, 6).join(','), text);
      const hwnd = dcOf.get(thread);
      if (hwnd) byWindow.set(hwnd, text);
    }
  }
  const buttons = [...windows.entries()].filter(([, w]) => w.cls.toUpperCase() === 'BUTTON')
    .map(([hwnd, w]) => ({ command: w.command, rect: w.rect, caption: byWindow.get(hwnd) ?? '' }));
  return { atRect, buttons };
}

/** The page's table: its client area's picture and what its boxes say. */
async function pageTable(page) {
  const client = await page.locator('.client').boundingBox();
  const png = await page.screenshot({ clip: client });
  const picture = await L.pixels(png, [0, 0, client.width, client.height]);
  const boxes = await page.evaluate(() => {
    const origin = document.querySelector('.client').getBoundingClientRect();
    const rect = (e) => {
      const r = e.getBoundingClientRect();
      return [r.left - origin.left, r.top - origin.top, r.right - origin.left, r.bottom - origin.top].map(Math.round);
    };
    const one = (s) => ({ rect: rect(document.querySelector(s)), text: document.querySelector(s).textContent });
    return {
      coins: one('.readout.coins'),
      credits: one('.readout.credits'),
      message: { rect: rect(document.querySelector('.message-line')), text: document.querySelector('.message-text').textContent },
      buttons: [...document.querySelectorAll('.client .table-button')].map((b) => ({
        command: Number(b.dataset.command), rect: rect(b), caption: b.textContent })),
      cards: [...document.querySelectorAll('.client .card')].map(rect),
      title: rect(document.querySelector('.title-box')),
      badges: [...document.querySelectorAll('.client .badge')].map(rect),
      pictures: [...document.querySelectorAll('.client .card')].map((c) => c.getAttribute('data-picture')),
    };
  });
  return { picture, boxes };
}

/** A rectangle (left, top, right, bottom) of a picture. */
function crop(p, [l, t, r, b]) {
  const w = r - l;
  const h = b - t;
  const data = Buffer.alloc(w * h * 3);
  for (let y = 0; y < h; ++y) p.data.copy(data, 3 * y * w, 3 * ((t + y) * p.w + l), 3 * ((t + y) * p.w + r));
  return { w, h, data };
}

const same = (a, b) => a.w === b.w && a.h === b.h && a.data.equals(b.data);

/**
 * The Windows client area in a screenshot: where the page's logo box, which
 * never changes, lies pixel for pixel.  Searched near the window's origin
 * (Wine's own frame, caption and menu bar are above and left of it).
 */
function findClient(screen, windowAt, pageLogo, logoRect) {
  for (let dy = 0; dy <= 80; ++dy) {
    for (let dx = 0; dx <= 12; ++dx) {
      const x = windowAt[0] + dx;
      const y = windowAt[1] + dy;
      const r = [x + logoRect[0], y + logoRect[1], x + logoRect[2], y + logoRect[3]];
      if (r[2] > screen.w || r[3] > screen.h) continue;
      if (same(crop(screen, r), pageLogo)) return [x, y];
    }
  }
  return null;
}

/** The Windows client area's rectangle r (client coordinates) of a screenshot. */
const wineCrop = (screen, at, r) => crop(screen, [at[0] + r[0], at[1] + r[1], at[0] + r[2], at[1] + r[3]]);

test('the page\'s table against the Windows game under Wine, in the same state', {
  timeout: 150000,
  skip: missing.length ? `not run: ${missing.join(', ')}` : false,
}, async () => {
  const work = L.workFolder('against-wine');
  const k = L.tableLayout();
  const game = await windowsGame(work);
  const pages = [];
  const open = async (name, options) => {
    const p = await L.openPage(suite, L.workFolder(`against-wine-${name}`), { settings: SETTINGS, ...options });
    pages.push(p);
    return p;
  };
  try {
    // The page at its start: the backs, and the title the Windows window has.
    const first = await open('start', {});
    const title = await first.page.title();
    const start = await pageTable(first.page);
    await L.savePixels(start.picture, join(work, 'page-start.png'));
    // The page's places are TableLayout's.
    for (let i = 0; i < 5; ++i) {
      const x = k.kCardLeft + k.kCardPitch * i;
      assert.deepEqual(start.boxes.cards[i], [x, k.kCardTop, x + k.kCardWidth, k.kCardTop + k.kCardHeight],
        `card place ${i}`);
    }

    const window = await game.window(title);
    const geometry = await game.xdo('getwindowgeometry', '--shell', window);
    const windowAt = ['X', 'Y'].map((c) => Number(new RegExp(`^${c}=(\\d+)`, 'm').exec(geometry)[1]));
    await L.sleep(1500);
    const screenA = await L.pixels(await game.shot(join(work, 'windows-start.png')), [0, 0, 1024, 768]);
    const at = findClient(screenA, windowAt, crop(start.picture, start.boxes.title), start.boxes.title);
    assert.ok(at, `the page's logo box is nowhere in the Windows window (see ${work}/windows-start.png)`);

    /** Compares the picture areas of the two tables. */
    const compareAreas = async (screen, table, when) => {
      const areas = [...table.boxes.cards.map((r, i) => [`card ${i}`, r]), ['logo', table.boxes.title],
        ...table.boxes.badges.map((r, i) => [`badge ${i}`, r])];
      const unlike = [];
      for (const [name, r] of areas) {
        if (!same(wineCrop(screen, at, r), crop(table.picture, r))) unlike.push(name);
      }
      await L.savePixels(wineCrop(screen, at, [0, 0, table.picture.w, table.picture.h]), join(work, `windows-client-${when}.png`));
      await L.savePixels(table.picture, join(work, `page-client-${when}.png`));
      assert.deepEqual(unlike, [], `${when}: areas that differ (see ${work})`);
    };
    await compareAreas(screenA, start, 'start');

    // The Windows game: a coin, the deal, holds of the first and third card.
    await game.xdo('key', 'c');
    await L.sleep(300);
    const pressed = Math.floor(Date.now() / 1000);
    await game.xdo('key', 'd');
    const released = Math.floor(Date.now() / 1000);
    await L.sleep(1500);
    await game.xdo('key', 'F1');
    await game.xdo('key', 'F3');
    await L.sleep(800);
    const screenB = await L.pixels(await game.shot(join(work, 'windows-held.png')), [0, 0, 1024, 768]);
    const windowsCards = start.boxes.cards.map((r) => wineCrop(screenB, at, r));

    // The page at each second around the press until it deals those cards.
    const seconds = [];
    for (let d = 0; d <= 4; ++d) for (const s of new Set([pressed - d, released + d])) seconds.push(s);
    let match = null;
    for (const second of [...new Set(seconds)]) {
      const p = await open(`second-${second}`, { clock: second });
      await p.page.keyboard.press('c');
      await p.page.keyboard.press('d');
      await L.dealt(p.page);
      const table = await pageTable(p.page);
      if (table.boxes.cards.every((r, i) => same(crop(table.picture, r), windowsCards[i]))) {
        match = { second, page: p };
        break;
      }
      await p.close();
    }
    assert.ok(match, `no second from ${pressed - 4} to ${released + 4} deals the Windows cards (see ${work}/windows-held.png)`);
    const page = match.page.page;
    await page.keyboard.press('F1');
    await page.keyboard.press('F3');
    await L.sleep(200);
    const held = await pageTable(page);
    L.record(work, 'deal.json', { second: match.second, cards: held.boxes.pictures });
    console.log(`# the Windows game dealt ${held.boxes.pictures.join(' ')} at second ${match.second}`);
    await compareAreas(screenB, held, 'held');

    // The texts, in the same boxes.
    await L.sleep(500);
    const wine = wineTexts(game.log);
    L.record(work, "wine-texts.json", { at, rects: Object.fromEntries(wine.atRect), buttons: wine.buttons, page: held.boxes });
    // The page has Wine 8's metrics (client area 484 x 399); where this Wine's
    // caption is taller, the lines anchored to the client's bottom move up with it.
    const windowH = Number(/^HEIGHT=(\d+)/m.exec(geometry)[1]);
    const frame = at[0] - windowAt[0];
    const lower = windowH - (at[1] - windowAt[1]) - frame - start.picture.h;
    if (lower) console.log(`# the Windows client area is ${start.picture.h + lower} high here; the message line compared ${-lower} higher`);
    for (const name of ['coins', 'credits', 'message']) {
      const box = held.boxes[name];
      const rect = name === 'message' ? [box.rect[0], box.rect[1] + lower, box.rect[2], box.rect[3] + lower] : box.rect;
      assert.equal(wine.atRect.get(rect.join(',')), box.text, `the ${name} text in ${rect}`);
    }
    const windowsButtons = new Map(wine.buttons.map((b) => [b.command, b]));
    for (const b of held.boxes.buttons) {
      const w = windowsButtons.get(b.command);
      assert.ok(w, `the Windows game has a button for command ${b.command}`);
      assert.deepEqual(b.rect, w.rect, `the place of button ${b.command}`);
      assert.equal(b.caption, w.caption, `the caption of button ${b.command}`);
    }
    for (const p of pages) p.check();
  } finally {
    for (const p of pages) await p.close();
    await game.stop();
  }
});
