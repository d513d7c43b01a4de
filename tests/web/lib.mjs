// Shared helpers of the browser suite: the page's server, Debian's chromium
// driven by playwright-core, pages whose console and network are logged
// (any console error, page error or request to another host fails the test),
// screenshots in the test's work folder, the product's own tables read from
// their sources, and the table's moves.  Every wait here is bounded.
import { spawn, execFile } from 'node:child_process';
import { once } from 'node:events';
import { mkdirSync, readFileSync, rmSync, writeFileSync, appendFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';


export const source = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const pageDir = resolve(process.env.QUORVEL_WEB_PAGE || join(source, 'build/web'));
export const workRoot = resolve(process.env.QUORVEL_WEB_WORK || join(source, 'build/web-tests'));
export const chromiumPath = process.env.QUORVEL_CHROMIUM || '/usr/bin/chromium';

// Root needs --no-sandbox; the others keep chromium from reaching out (on a
// closed network its refused connections come many at a time) and from
// using a GPU that a container has not got.  launch() gives each browser a
// fresh profile of its own.
export const chromiumArgs = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run'];

/** A folder of its own for one test's screenshots and logs, emptied. @param {string} name */
export function workFolder(name) {
  const dir = join(workRoot, name.replace(/[^A-Za-z0-9_.-]+/g, '-'));
  rmSync(dir, { recursive: true, force: true });
  mkdirSync(dir, { recursive: true });
  return dir;
}

/** Rejects after `ms` with `what`, so that nothing waits for ever. */
export function within(ms, what, promise) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`timed out after ${ms} ms: ${what}`)), ms);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

/** mulberry32: one seed, one sequence; the function returns 0..n-1. */
export function generator(s) {
  let a = s >>> 0;
  return (n) => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return (((t ^ (t >>> 14)) >>> 0) / 4294967296) * n | 0;
  };
}

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// ---- The server and the browser ---------------------------------------------

/** tools/serve-web.mjs on a free port; stop() ends it by its process id. */
export async function startServer(folder = pageDir) {
  const child = spawn(process.execPath, [join(source, 'tools/serve-web.mjs'), folder, '0'],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const url = await within(10000, 'the server to print its address', new Promise((ok, fail) => {
    let text = '';
    child.stdout.on('data', (d) => {
      text += d;
      const m = /^(http:\/\/\S+)\n/.exec(text);
      if (m) ok(m[1]);
    });
    child.on('exit', (code) => fail(new Error(`the server ended (${code}) before listening`)));
  }));
  return {
    url,
    host: new URL(url).host,
    async stop() {
      if (child.exitCode !== null || child.signalCode !== null) return;
      process.kill(child.pid, 'SIGTERM');
      await within(5000, 'the server to stop', once(child, 'exit'));
    },
  };
}

export async function launchBrowser() {
  return chromium.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true, timeout: 30000 });
}

/**
 * One server and one browser for a whole test file: call in before() and
 * keep; stop() in after().
 */
export async function startSuite() {
  const server = await startServer();
  let browser;
  try {
    browser = await launchBrowser();
  } catch (e) {
    await server.stop();
    throw e;
  }
  return {
    server,
    browser,
    async stop() {
      await within(20000, 'chromium to close', browser.close()).catch(() => {});
      await server.stop();
    },
  };
}

/**
 * A new context and page, logged into WORK/page.log: console messages, page
 * errors, every request.  check() fails on a console error, a page error or
 * a request to another host than the page's server.
 * @param {{browser: any, server: any}} suite
 * @param {string} work
 * @param {object} [options]  context options (viewport, deviceScaleFactor, hasTouch, ...),
 *   plus settings: {key: value} put in local storage before the page starts,
 *   init: a script run in the page before its own, clock: seconds to fix Date.now at
 */
export async function openPage(suite, work, options = {}) {
  const { settings, init, clock, path = '', wait = true, ...contextOptions } = options;
  const context = await suite.browser.newContext({ viewport: { width: 1024, height: 768 },
    deviceScaleFactor: 1, ...contextOptions });
  context.setDefaultTimeout(15000);
  const log = join(work, 'page.log');
  const problems = [];
  const note = (line) => appendFileSync(log, `${new Date().toISOString()} ${line}\n`);
  context.on('request', (request) => {
    note(`request ${request.method()} ${request.url()}`);
    const url = new URL(request.url());
    if (/^https?:$/.test(url.protocol) && url.host !== suite.server.host) {
      problems.push(`a request to another host: ${request.url()}`);
    }
  });
  context.on('requestfailed', (request) => note(`request failed ${request.url()} ${request.failure()?.errorText}`));
  if (settings) {
    // Put in before the page's first start only, as a file edited by hand is.
    await context.addInitScript((entries) => {
      if (sessionStorage.getItem('quorvel-test-settings')) return;
      sessionStorage.setItem('quorvel-test-settings', '1');
      for (const [k, v] of entries) localStorage.setItem(k, v);
    }, Object.entries(settings));
  }
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  watchPage(page, note, problems);
  if (clock !== undefined) await page.clock.setFixedTime(clock * 1000);
  if (wait) await goto(page, suite.server.url + path);
  return {
    page,
    context,
    problems,
    check() {
      assert.deepEqual(problems, [], `the page reported problems (see ${log})`);
    },
    async close() {
      await within(10000, 'the context to close', context.close()).catch(() => {});
    },
  };
}

/**
 * Logs a page's console and errors with `note`; a console error or a page
 * error goes into `problems` (playwright's page and puppeteer's alike).
 */
export function watchPage(page, note, problems) {
  page.on('console', (m) => {
    note(`console ${m.type()} ${m.text()}`);
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  page.on('pageerror', (e) => {
    note(`page error ${e.message}`);
    problems.push(`page error: ${e.message}`);
  });
}

/** Until fn(arg) is true in the page, polled from here: the page's policy
 * forbids eval, which some playwright-core versions' waitForFunction needs. */
export async function until(page, fn, arg = null, { timeout = 10000 } = {}) {
  const end = Date.now() + timeout;
  for (;;) {
    // A navigation may end the page's context under a poll: poll again.
    const done = await page.evaluate(fn, arg).catch((e) => {
      if (/context was destroyed|navigat/i.test(String(e))) return false;
      throw e;
    });
    if (done) return;
    if (Date.now() > end) throw new Error(`timed out after ${timeout} ms waiting for ${fn}`);
    await new Promise((ok) => setTimeout(ok, 15));
  }
}

/** Loads the page and waits for its first paint and the posted New. */
export async function goto(page, url) {
  await page.goto(url, { waitUntil: 'load', timeout: 20000 });
  await started(page);
}

export async function started(page) {
  await until(page, () => document.body.classList.contains('ready') &&
    document.querySelectorAll('.card[data-picture]').length === 5 &&
    !!(/** @type {any} */ (window).quorvel), null, { timeout: 15000 });
  // The posted New runs once the machine is idle: the Coin button enables.
  await page.waitForSelector('.table-button[data-command="1906"]:not([disabled])', { timeout: 10000 });
}

/** A screenshot into the work folder, numbered; returns its path. */
export async function shot(page, work, name, options = {}) {
  shot.count = (shot.count || 0) + 1;
  const file = join(work, `${String(shot.count).padStart(3, '0')}-${name}.png`);
  await page.screenshot({ path: file, ...options });
  return file;
}

// ---- Pixels (ImageMagick, which the Wine tests use as well) -----------------

/** The RGB bytes of a rectangle of a PNG file (or buffer): {w, h, data}. */
export async function pixels(file, [x, y, w, h]) {
  const args = [typeof file === 'string' ? file : 'png:-', '-crop', `${w}x${h}+${x}+${y}`, '+repage',
    '-depth', '8', 'rgb:-'];
  const data = await new Promise((ok, fail) => {
    const child = execFile('convert', args, { encoding: 'buffer', maxBuffer: 1 << 28 }, (err, out) =>
      err ? fail(err) : ok(out));
    if (typeof file !== 'string') child.stdin.end(file);
  });
  assert.equal(data.length, w * h * 3, `convert gave ${data.length} bytes for ${w}x${h}`);
  return { w, h, data };
}

/** Positions where two equal-sized pictures differ. */
export function differences(a, b) {
  const out = [];
  for (let i = 0; i < a.w * a.h; ++i) {
    const k = 3 * i;
    if (a.data[k] !== b.data[k] || a.data[k + 1] !== b.data[k + 1] || a.data[k + 2] !== b.data[k + 2]) {
      out.push({ x: i % a.w, y: Math.floor(i / a.w) });
    }
  }
  return out;
}

/** Writes raw pixels as a PNG, to look at. */
export function savePixels(picture, file) {
  return new Promise((ok) => {
    const child = execFile('convert', ['-size', `${picture.w}x${picture.h}`, '-depth', '8', 'rgb:-', file], () => ok());
    child.stdin.end(picture.data);
  });
}

// ---- The product's own tables, read from their one source --------------------

let resourcesModule;
/** The page's resources.js, as the build made it (imported by its text: the
 * page's folder has no package.json, and Node 18 reads a bare .js there as
 * CommonJS). */
export async function resources() {
  const text = readFileSync(join(pageDir, 'resources.js'), 'utf8');
  resourcesModule ||= (await import(`data:text/javascript;base64,${Buffer.from(text).toString('base64')}`)).resources;
  return resourcesModule;
}

/** The #define numbers of resources/resource_ids.h. */
export function resourceIds() {
  const ids = {};
  for (const m of readFileSync(join(source, 'resources/resource_ids.h'), 'utf8')
    .matchAll(/^#define\s+(\w+)\s+(-?\d+|0x[0-9a-fA-F]+)\b/gm)) ids[m[1]] = Number(m[2]);
  return ids;
}

/** namespace TableLayout of shell/table_layout.h, each constant evaluated. */
export function tableLayout() {
  const text = readFileSync(join(source, 'shell/table_layout.h'), 'utf8');
  const block = /namespace TableLayout \{([\s\S]*?)\n\}/.exec(text)[1];
  const k = {};
  for (const m of block.matchAll(/constexpr int (k\w+) = ([^;]+);/g)) {
    const expression = m[2].replace(/CardLeft\((\d+)\)/g, '(kCardLeft + kCardPitch * $1)')
      .replace(/\bk\w+/g, (name) => {
        assert.ok(name in k, `TableLayout's ${name} is used before it is read`);
        return String(k[name]);
      });
    assert.match(expression, /^[\d\s+\-*/()]+$/, `TableLayout's ${m[1]} = ${m[2]}`);
    k[m[1]] = Function(`return (${expression});`)();
  }
  return k;
}

/** The keys SaveSettingsTo writes, in its order (settings/settings.cpp). */
export function savedSettingKeys() {
  const text = readFileSync(join(source, 'settings/settings.cpp'), 'utf8');
  const body = /void SaveSettingsTo\([^)]*\) \{([\s\S]*?)\n\}/.exec(text)[1];
  return [...body.matchAll(/WriteInt\(store, "(\w+)"/g)].map((m) => m[1]);
}

/** A message box's text as shell/box_texts.cpp gives it. @param {string} name */
export function boxText(name) {
  const text = readFileSync(join(source, 'shell/box_texts.cpp'), 'utf8');
  const m = new RegExp(`${name} = \\{"([^"]*)"`).exec(text);
  assert.ok(m, `no ${name} in shell/box_texts.cpp`);
  return m[1];
}

/** A text without its access-key marks. */
export const plain = (text) => text.replace(/&(.)/g, '$1');

// ---- The table ---------------------------------------------------------------

export const COMMAND = { coin: 1906, max: 1910, deal: 1904 };
export const button = (page, command) => page.locator(`.table-button[data-command="${command}"]`);
export const holdButton = (page, slot) => page.locator('.table-button').nth(slot);
export const card = (page, slot) => page.locator(`.card[data-slot="${slot}"]`);

export async function pictures(page) {
  return page.$$eval('.client .card', (cards) => cards.map((c) => /** @type {HTMLElement} */ (c).dataset.picture || ''));
}

export const isBack = (name) => /^Back\d+$/.test(name);

/** What the player reads on the table. */
export async function table(page) {
  return page.evaluate(() => {
    const text = (s) => document.querySelector(s)?.textContent ?? '';
    return {
      coins: text('.readout.coins'),
      credits: text('.readout.credits'),
      message: text('.message-line .message-text'),
      status: text('.status-line .pane-text'),
      captions: [...document.querySelectorAll('.client .table-button')].map((b) => b.textContent),
      enabled: [...document.querySelectorAll('.client .table-button')].map((b) => !b.hasAttribute('disabled')),
      pictures: [...document.querySelectorAll('.client .card')].map((c) => c.getAttribute('data-picture')),
    };
  });
}

/** The credits meter as a number (its digits). */
export const creditsOf = (t) => Number((t.credits.match(/\d+/) || ['NaN'])[0]);

/** Until a deal or draw has ended: no card shows a back while dealing, the Deal button is back. */
export async function dealt(page, timeout = 10000) {
  await until(page, () => {
    const q = /** @type {any} */ (window).quorvel;
    const cards = [...document.querySelectorAll('.client .card')];
    const deal = document.querySelector('.table-button[data-command="1904"]');
    const coin = document.querySelector('.table-button[data-command="1906"]');
    return cards.every((c) => !/^Back/.test(c.getAttribute('data-picture') || 'Back')) &&
      q && !q.machine.busy && (!deal.hasAttribute('disabled') || !coin.hasAttribute('disabled'));
  }, null, { timeout });
}

/** A modal window is open (dialog or message box). */
export async function modalOpen(page) {
  return page.evaluate(() => !!document.querySelector('.window.dialog:not([hidden]), .window.message-box'));
}

/** Until no zoom runs and the topmost modal window is shown (or none is open). */
export async function settled(page, timeout = 10000) {
  await until(page, () => !document.querySelector('.zoom-cover'), null, { timeout });
}

/** The topmost modal window's caption, once it shows. */
export async function topModal(page, timeout = 10000) {
  await until(page, () => {
    const all = [...document.querySelectorAll('.window.dialog, .window.message-box')];
    const top = all[all.length - 1];
    return top && !top.hidden && !document.querySelector('.zoom-cover');
  }, null, { timeout });
  return page.evaluate(() => {
    const all = [...document.querySelectorAll('.window.dialog, .window.message-box')];
    return all[all.length - 1].querySelector('.caption-text').textContent;
  });
}

/** Until no modal window is left and no zoom runs. */
export async function noModal(page, timeout = 10000) {
  await until(page, () => !document.querySelector('.window.dialog, .window.message-box, .zoom-cover') &&
    !(/** @type {any} */ (window).quorvel.machine.modal), null, { timeout });
}

const exactly = (text) => new RegExp(`^${text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')}$`);

/** The main menu's title and item texts of a command, from resources.js. */
export async function menuPath(command) {
  for (const title of (await resources()).menus.QUORVELMENU) {
    const item = (title.items || []).find((i) => i.id === command);
    if (item) return [plain(title.text), plain(item.text.split('\t')[0])];
  }
  throw new Error(`no menu item for command ${command}`);
}

/** A row of the open popup by its text. */
export const menuRow = (page, text) => page.locator('.menu-popup .menu-item')
  .filter({ has: page.locator('.label', { hasText: exactly(text) }) });

/** Opens a command's menu by a click on its title; returns the item's row. */
export async function openMenuFor(page, command) {
  const [title, item] = await menuPath(command);
  await page.locator('.menu-title', { hasText: exactly(title) }).click();
  const row = menuRow(page, item);
  await row.waitFor({ timeout: 5000 });
  return row;
}

/** A main-menu command by clicks: its title, then its item. */
export async function menu(page, command) {
  await (await openMenuFor(page, command)).click();
}

/** Writes a small JSON record beside the screenshots. */
export function record(work, name, value) {
  writeFileSync(join(work, name), JSON.stringify(value, null, 2));
}

// ---- Processes of the Windows side ---------------------------------------------

/** Runs a program to its end (bounded); resolves its standard output. */
export function runProgram(file, args, options = {}) {
  return new Promise((ok, fail) => {
    execFile(file, args, { timeout: 30000, maxBuffer: 1 << 26, ...options }, (err, out) =>
      err ? fail(err) : ok(out));
  });
}

/** A process group of its own, stopped by its id (the group) with stop(). */
export function startGroup(file, args, options = {}) {
  const child = spawn(file, args, { detached: true, stdio: 'ignore', ...options });
  return {
    child,
    async stop() {
      if (child.exitCode !== null || child.signalCode !== null) return;
      try {
        process.kill(-child.pid, 'SIGTERM');
      } catch {
        return;
      }
      await within(15000, `${file} to stop`, once(child, 'exit')).catch(() => {
        try { process.kill(-child.pid, 'SIGKILL'); } catch { /* gone */ }
      });
    },
  };
}

/** An Xvfb of its own on a free display (-displayfd), 1024 x 768 x 24. */
export async function startXvfb() {
  const child = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1024x768x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await within(10000, 'Xvfb to name its display', new Promise((ok, fail) => {
    let text = '';
    child.stdio[3].on('data', (d) => {
      text += d;
      if (text.includes('\n')) ok(`:${text.trim()}`);
    });
    child.on('exit', (code) => fail(new Error(`Xvfb ended (${code})`)));
  }));
  return {
    display,
    async stop() {
      if (child.exitCode !== null || child.signalCode !== null) return;
      process.kill(child.pid, 'SIGTERM');
      await within(5000, 'Xvfb to stop', once(child, 'exit'));
    },
  };
}
