// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// A real browser, driven as a person uses it: pages opened from a file or a server, real
// clicks and keys, and what the page shows read back from it. Chromium and Firefox go
// through puppeteer-core (Firefox over WebDriver BiDi), WebKit through WebKitGTK's own
// WebDriver; always Debian's own browsers: none is ever downloaded.

import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import puppeteer from 'puppeteer-core';

export const engines = {
  chromium: { browser: 'chrome', executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--mute-audio'] },
  firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', protocol: 'webDriverBiDi',
    extraPrefsFirefox: { 'media.volume_scale': '0.0' } },
};

const textOf = (element) => (['input', 'textarea'].includes(element.localName) ? element.value : element.textContent);
const pause = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

// What every driver shares: opening the page, waiting on it, and the errors it reports.
class Page {
  // Opens the address and waits for the window to be ready for a click.
  async open(url, { width = 1024, height = 768, scale = 1 } = {}) {
    await this.navigate(url, width, height, scale);
    await this.waitFor(() => !!document.querySelector('#window.ready'), [], 'the window was never ready', 15000);
    await this.evaluate(() => {
      window.pageErrors = [];
      addEventListener('error', (event) => window.pageErrors.push(event.message));
      addEventListener('unhandledrejection', (event) => window.pageErrors.push(String(event.reason)));
    });
  }

  errors() {
    return this.evaluate(() => window.pageErrors ?? []);
  }

  // Waits until fn, run in the page, returns something true, and returns it; fails with
  // the message after a few seconds.
  async waitFor(fn, args = [], message = `waited in vain for ${fn}`, timeout = 5000) {
    for (const end = Date.now() + timeout; Date.now() < end; await pause(20)) {
      const value = await this.evaluate(fn, ...args);
      if (value)
        return value;
    }
    throw new Error(message);
  }
}

class PuppeteerPage extends Page {
  constructor(page) {
    super();
    this.page = page;
    this.requests = [];
    page.on('request', (request) => this.requests.push(request.url()));
  }

  async navigate(url, width, height, scale) {
    await this.page.setViewport({ width, height, deviceScaleFactor: scale });
    await this.page.goto(url);
  }

  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  click(selector, button = 'left') { return this.page.click(selector, { button }); }
  type(text) { return this.page.keyboard.type(text); }
  close() { return this.page.close(); }

  // One key, or a chord such as "Shift+Tab" or "Control+g", on whatever has the focus.
  async press(keys) {
    const chord = keys.split('+');
    for (const key of chord.slice(0, -1))
      await this.page.keyboard.down(key);
    await this.page.keyboard.press(chord.at(-1));
    for (const key of chord.slice(0, -1).reverse())
      await this.page.keyboard.up(key);
  }

  // What a screen reader finds by this role, and name if given: the element's text, or
  // an entry's value; null when there is none.
  async findAccessible(role, name) {
    const handle = await this.page.$(`::-p-aria(${name === undefined ? '' : `[name="${name}"]`}[role="${role}"])`);
    return handle && handle.evaluate(textOf);
  }
}

// W3C WebDriver's codes for the keys the tests press.
const keyCodes = { Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Shift: '\uE008', Control: '\uE009', ArrowDown: '\uE015' };
const elementKey = 'element-6066-11e4-a52e-4f735466cecf';

class WebDriverPage extends Page {
  constructor(session) {
    super();
    this.session = session;
    // WebDriver does not show the page's requests to its client.
    this.requests = null;
  }

  async command(method, path, body) {
    const response = await fetch(`${this.session}${path}`, { method, body: body && JSON.stringify(body) });
    const { value } = await response.json();
    if (value?.error)
      throw new Error(`${value.error}: ${value.message}`);
    return value;
  }

  async navigate(url, width, height) {
    await this.command('POST', '/window/rect', { width, height });
    await this.command('POST', '/url', { url });
  }

  async evaluate(fn, ...args) {
    const script = `const done = arguments[arguments.length - 1];
      Promise.resolve((${fn}).apply(null, Array.prototype.slice.call(arguments, 0, -1)))
        .then((value) => done({ value }), (error) => done({ error: String(error) }));`;
    const result = await this.command('POST', '/execute/async', { script, args });
    if (result.error)
      throw new Error(result.error);
    return result.value;
  }

  keys(actions) {
    return this.command('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard', actions }] });
  }

  async click(selector, button = 'left') {
    const element = (await this.command('POST', '/element', { using: 'css selector', value: selector }))[elementKey];
    if (button === 'left')
      return this.command('POST', `/element/${element}/click`, {});
    return this.command('POST', '/actions', { actions: [{ type: 'pointer', id: 'mouse', actions: [
      { type: 'pointerMove', origin: { [elementKey]: element }, x: 0, y: 0 }, { type: 'pointerDown', button: 2 },
      { type: 'pointerUp', button: 2 }] }] });
  }

  press(keys) {
    const chord = keys.split('+').map((key) => keyCodes[key] ?? key);
    return this.keys([...chord.map((value) => ({ type: 'keyDown', value })), ...chord.reverse().map((value) => ({ type: 'keyUp', value }))]);
  }

  type(text) {
    return this.keys([...text].flatMap((value) => [{ type: 'keyDown', value }, { type: 'keyUp', value }]));
  }

  // WebKit's names come trimmed of the ideographic space, and some elements have no role.
  async findAccessible(role, name) {
    const property = (id, what) => this.command('GET', `/element/${id}/computed${what}`).catch(() => null);
    for (const element of await this.command('POST', '/elements', { using: 'css selector', value: 'body *' })) {
      if (await property(element[elementKey], 'role') === role
          && (name === undefined || (await property(element[elementKey], 'label'))?.trim() === name.trim()))
        return this.evaluate(textOf, element);
    }
    return null;
  }

  close() {}
}

// WebKitGTK's MiniBrowser, driven by its WebDriver on a free port, on the display that
// the test runs under.
async function launchWebKit() {
  const port = await new Promise((resolve) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
  const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: 'ignore' });
  const base = `http://127.0.0.1:${port}`;
  for (let tries = 0; !(await fetch(`${base}/status`).then((response) => response.ok, () => false)); ++tries) {
    if (tries > 100)
      throw new Error('WebKitWebDriver did not start');
    await pause(50);
  }
  const { value } = await (await fetch(`${base}/session`, { method: 'POST', body: JSON.stringify({ capabilities: { alwaysMatch: {
    'webkitgtk:browserOptions': { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] } } } }) })).json();
  if (!value.sessionId)
    throw new Error(`no WebKit session: ${JSON.stringify(value)}`);
  const session = `${base}/session/${value.sessionId}`;
  return {
    newPage: async () => new WebDriverPage(session),
    close: () => fetch(session, { method: 'DELETE' }).finally(() => driver.kill()),
  };
}

export async function launch(engine) {
  if (engine === 'webkit')
    return launchWebKit();
  const browser = await puppeteer.launch({ headless: true, ...engines[engine] });
  return { browser, newPage: async () => new PuppeteerPage(await browser.newPage()), close: () => browser.close() };
}
