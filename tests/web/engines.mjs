// The page in the two other engines, behind one small interface that the
// scenarios use alike: Firefox (Debian's firefox-esr, over WebDriver BiDi by
// puppeteer-core) and WebKit (WebKitGTK's MiniBrowser under an Xvfb of its
// own, through WebKitWebDriver, by selenium-webdriver).  Nothing downloads a
// browser.  Every wait is bounded and every process started here is
// stopped by its id.
import { existsSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { join } from 'node:path';
import assert from 'node:assert/strict';
import * as L from './lib.mjs';

export const firefoxPath = process.env.QUORVEL_FIREFOX || '/usr/bin/firefox-esr';
export const webkitDriverPath = process.env.QUORVEL_WEBKIT_DRIVER || '/usr/bin/WebKitWebDriver';
export const miniBrowserPath = process.env.QUORVEL_MINIBROWSER ||
  '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

/**
 * @typedef {object} Tab  one page of one engine
 * @property {string} engine
 * @property {() => Promise<string[]>} problems  console errors, page errors and requests to
 *   other hosts since it was last asked
 * @property {(url: string) => Promise<void>} open  navigates and waits for the load event
 * @property {(fn: Function, arg?: any) => Promise<any>} evaluate  fn(arg) in the page
 * @property {(x: number, y: number) => Promise<void>} click  at a point of the viewport, in CSS pixels
 * @property {(key: string) => Promise<void>} press  one key: a character, 'F1'..'F5', 'Escape', 'Enter'
 * @property {(file: string) => Promise<void>} screenshot  the viewport as PNG
 * @property {() => Promise<void>} reload
 * @property {() => Promise<void>} close  ends the browser and its processes
 */

/** Why an engine cannot run here, or '' when it can. @param {'firefox' | 'webkit'} engine */
export function missing(engine) {
  const need = engine === 'firefox' ? [firefoxPath] : [webkitDriverPath, miniBrowserPath, '/usr/bin/Xvfb'];
  const absent = need.filter((f) => !existsSync(f));
  return absent.length ? `not installed: ${absent.join(', ')} (tools/install-deps.sh installs it)` : '';
}

// The page's own errors, seen from inside where the driver does not report
// them (WebKitWebDriver has no log of the console): installed after each load.
function listenForProblems() {
  const w = /** @type {any} */ (window);
  if (w.quorvelProblems) return;
  w.quorvelProblems = [];
  const error = console.error;
  console.error = (...args) => {
    w.quorvelProblems.push(`console error: ${args.join(' ')}`);
    error.apply(console, args);
  };
  window.addEventListener('error', (e) => w.quorvelProblems.push(`page error: ${e.message}`));
  window.addEventListener('unhandledrejection', (e) => w.quorvelProblems.push(`page error: ${e.reason}`));
}

/** The problems listenForProblems has seen since it was last asked. */
function problemsSeen() {
  const w = /** @type {any} */ (window);
  const seen = w.quorvelProblems || [];
  if (w.quorvelProblems) w.quorvelProblems = [];
  return seen;
}

/**
 * Starts an engine and opens one tab, logging into WORK/page.log.
 * @param {'firefox' | 'webkit'} engine
 * @param {string} work
 * @param {string} hostname  the page servers' host name: a request to any other is a problem
 * @returns {Promise<Tab>}
 */
export async function launch(engine, work, hostname) {
  // Firefox reports a file cancelled by the page going (a font, a picture,
  // a wave fetched through the service worker) as an error of the page:
  // leave only once the fonts, pictures and waves are in.
  const waves = Object.keys((await L.resources()).sounds).length;
  const tab = engine === 'firefox' ? await launchFirefox(work, hostname) : await launchWebKit(work);
  const settle = () => until(tab, (n) => {
    const q = /** @type {any} */ (window).quorvel;
    return document.fonts.status === 'loaded' && [...document.images].every((i) => i.complete) &&
      (!q || q.sound.waves.size === n);
  }, waves, 10000).catch(() => {});
  const { open, reload } = tab;
  tab.open = async (url) => { await settle(); await open(url); };
  tab.reload = async () => { await settle(); await reload(); };
  // A driver that stops answering fails the step instead of holding it.
  for (const name of ['open', 'evaluate', 'click', 'press', 'screenshot', 'reload']) {
    const step = tab[name];
    tab[name] = (...args) => L.within(45000, `${name} in ${engine}`, step(...args));
  }
  return tab;
}

const log = (work) => (line) => {
  writeFileSync(join(work, 'page.log'), `${new Date().toISOString()} ${line}\n`, { flag: 'a' });
};

async function launchFirefox(work, hostname) {
  const { default: puppeteer } = await import('puppeteer-core');
  const note = log(work);
  const browser = await L.within(60000, 'Firefox to start', puppeteer.launch({
    browser: 'firefox', executablePath: firefoxPath, headless: true, timeout: 45000,
    // The window's own size, not an emulated viewport: Debian 12's own
    // Firefox 140 knows no emulation.setScreenOrientationOverride, which
    // puppeteer's viewport sends.
    defaultViewport: null, args: ['--width=1024', '--height=768'],
    // No updates, telemetry or other traffic of the browser's own.
    extraPrefsFirefox: { 'network.captive-portal-service.enabled': false, 'app.update.enabled': false },
  }));
  const pid = browser.process()?.pid;
  const problems = [];
  try {
    const page = (await browser.pages())[0] || await browser.newPage();
    page.setDefaultTimeout(20000);
    L.watchPage(page, note, problems);
    page.on('request', (r) => {
      note(`request ${r.method()} ${r.url()}`);
      const url = new URL(r.url());
      if (/^https?:$/.test(url.protocol) && url.hostname !== hostname) problems.push(`a request to another host: ${r.url()}`);
    });
    return {
      engine: 'firefox',
      problems: async () => problems.splice(0),
      open: async (url) => { await page.goto(url, { waitUntil: 'load', timeout: 20000 }); },
      evaluate: (fn, arg = null) => page.evaluate(fn, arg),
      click: (x, y) => page.mouse.click(x, y),
      press: (key) => page.keyboard.press(key),
      screenshot: async (file) => { await page.screenshot({ path: file }); },
      reload: async () => { await page.reload({ waitUntil: 'load', timeout: 20000 }); },
      close: () => closeFirefox(browser, pid),
    };
  } catch (e) {
    await closeFirefox(browser, pid);
    throw e;
  }
}

// puppeteer starts Firefox as a process group of its own.
async function closeFirefox(browser, pid) {
  await L.within(15000, 'Firefox to close', browser.close()).catch(() => {});
  if (pid && alive(pid)) {
    try { process.kill(-pid, 'SIGKILL'); } catch { /* gone */ }
  }
}

const alive = (pid) => {
  try {
    process.kill(pid, 0);
    return true;
  } catch {
    return false;
  }
};

/** A port no one listens on now. */
async function freePort() {
  const server = createServer();
  await new Promise((ok) => server.listen(0, '127.0.0.1', () => ok(undefined)));
  const { port } = /** @type {any} */ (server.address());
  await new Promise((ok) => server.close(() => ok(undefined)));
  return port;
}

async function launchWebKit(work) {
  const { Builder, Key } = await import('selenium-webdriver');
  const note = log(work);
  const xvfb = await L.startXvfb();
  let driverProcess;
  let driver;
  const stop = async () => {
    if (driver) await L.within(15000, 'the WebKit session to end', driver.quit()).catch(() => {});
    if (driverProcess) await driverProcess.stop();
    await xvfb.stop();
  };
  try {
    const port = await freePort();
    // A process group of its own: MiniBrowser and WebKit's helper processes
    // end with the driver.
    driverProcess = L.startGroup(webkitDriverPath, [`--port=${port}`, '--host=127.0.0.1'],
      { env: { ...process.env, DISPLAY: xvfb.display } });
    await L.within(15000, 'WebKitWebDriver to listen', (async () => {
      for (;;) {
        const ready = await fetch(`http://127.0.0.1:${port}/status`).then((r) => r.ok, () => false);
        if (ready) return;
        if (driverProcess.child.exitCode !== null) throw new Error('WebKitWebDriver ended');
        await L.sleep(50);
      }
    })());
    driver = await L.within(45000, 'a WebKit session', new Builder()
      .usingServer(`http://127.0.0.1:${port}`)
      .withCapabilities({
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': { binary: miniBrowserPath, args: ['--automation'] },
      })
      .build());
    await driver.manage().setTimeouts({ script: 20000, pageLoad: 20000, implicit: 0 });
    await driver.manage().window().setRect({ x: 0, y: 0, width: 1024, height: 768 });
    const problems = [];
    // Folded in before each load ends the page that saw them.
    const collect = async () => {
      const seen = await driver.executeScript(`return (${problemsSeen})()`).catch(() => []);
      for (const p of seen) {
        note(p);
        problems.push(p);
      }
    };
    const loaded = async () => {
      await driver.executeScript(`(${listenForProblems})()`);
    };
    const keys = { Escape: Key.ESCAPE, Enter: Key.ENTER, F1: Key.F1, F2: Key.F2, F3: Key.F3, F4: Key.F4, F5: Key.F5 };
    return {
      engine: 'webkit',
      async problems() {
        await collect();
        return problems.splice(0);
      },
      async open(url) {
        await collect();
        note(`open ${url}`);
        await driver.get(url);
        await loaded();
      },
      evaluate: (fn, arg = null) => driver.executeScript(`return (${fn})(arguments[0])`, arg),
      click: (x, y) => driver.actions({ async: true })
        .move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' }).click().perform(),
      press: (key) => driver.actions({ async: true }).keyDown(keys[key] || key).keyUp(keys[key] || key).perform(),
      async screenshot(file) {
        writeFileSync(file, Buffer.from(await driver.takeScreenshot(), 'base64'));
      },
      async reload() {
        await collect();
        note('reload');
        await driver.navigate().refresh();
        await loaded();
      },
      async close() {
        await collect();
        await stop();
      },
    };
  } catch (e) {
    await stop();
    throw e;
  }
}

// ---- The page, engine-independent ----------------------------------------------

/** Until fn(arg) is true in the page, polled from here. @param {Tab} tab */
export async function until(tab, fn, arg = null, timeout = 10000) {
  const end = Date.now() + timeout;
  for (;;) {
    // A load in progress may end the page's context under a poll: poll again.
    const done = await tab.evaluate(fn, arg).catch((e) => {
      if (/context|navigat|discarded|destroyed|unload|stale/i.test(String(e))) return false;
      throw e;
    });
    if (done) return;
    if (Date.now() > end) throw new Error(`timed out after ${timeout} ms in ${tab.engine} waiting for ${fn}`);
    await L.sleep(25);
  }
}

/** Until the first paint is done and the posted New has enabled Coin. @param {Tab} tab */
export async function started(tab) {
  await until(tab, (coin) => document.body.classList.contains('ready') &&
    document.querySelectorAll('.card[data-picture]').length === 5 && !!(/** @type {any} */ (window).quorvel) &&
    !!document.querySelector(`.table-button[data-command="${coin}"]:not([disabled])`), L.COMMAND.coin, 20000);
}

/**
 * Clicks the middle of the last element `selector` names (the topmost
 * window's, where several match) whose text, or its label's, is `text` if given.
 * @param {Tab} tab @param {string} selector @param {string} [text]
 */
export async function clickOn(tab, selector, text) {
  const r = await tab.evaluate(([s, t]) => {
    const all = [...document.querySelectorAll(s)]
      .filter((e) => t === null || (e.querySelector('.label') || e).textContent === t);
    const e = all[all.length - 1];
    if (!e) return null;
    const b = e.getBoundingClientRect();
    return { x: b.left + b.width / 2, y: b.top + b.height / 2 };
  }, [selector, text ?? null]);
  assert.ok(r, `nothing to click at ${selector} ${text ?? ''}`);
  await tab.click(r.x, r.y);
}
