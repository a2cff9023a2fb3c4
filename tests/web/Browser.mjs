// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// A real browser, driven as a person uses it: pages opened from a file, real clicks and
// keys, and what the page shows read back from it. Chromium and Firefox go through
// puppeteer-core (Firefox over WebDriver BiDi), always with Debian's own browser: no
// browser is ever downloaded.

import puppeteer from 'puppeteer-core';

const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-default-apps', '--mute-audio'];

export const engines = {
  chromium: { browser: 'chrome', executablePath: '/usr/bin/chromium', args: chromiumFlags },
  firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', protocol: 'webDriverBiDi',
    extraPrefsFirefox: { 'media.autoplay.default': 0, 'media.volume_scale': '0.0' } },
};

// One page of the browser, with the few operations the tests need.
class Page {
  constructor(page, engine) {
    this.page = page;
    this.engine = engine;
    this.requests = [];
    page.on('request', (request) => this.requests.push(request.url()));
    this.errors = [];
    page.on('pageerror', (error) => this.errors.push(error.message));
  }

  // Opens the file and waits for the window to be ready for a click.
  async open(url, { width = 1024, height = 768, scale = 1 } = {}) {
    await this.page.setViewport({ width, height, deviceScaleFactor: scale });
    await this.page.goto(url);
    await this.waitFor(() => document.querySelector('#window.ready'), [], 'the window was never ready');
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  // Waits until fn, run in the page, returns something true, and returns it; fails with
  // the message after a few seconds.
  async waitFor(fn, args = [], message = `waited in vain for ${fn}`, timeout = 5000) {
    try {
      return await (await this.page.waitForFunction(fn, { timeout, polling: 20 }, ...args)).jsonValue();
    } catch (error) {
      throw new Error(`${message} (${error.message.split('\n')[0]})`);
    }
  }

  // A real click in the middle of the element.
  click(selector) {
    return this.page.click(selector);
  }

  // One key, or a chord such as "Shift+Tab" or "Control+g", on whatever has the focus.
  async press(keys) {
    const chord = keys.split('+');
    for (const key of chord.slice(0, -1))
      await this.page.keyboard.down(key);
    await this.page.keyboard.press(chord.at(-1));
    for (const key of chord.slice(0, -1).reverse())
      await this.page.keyboard.up(key);
  }

  type(text) {
    return this.page.keyboard.type(text);
  }

  // The page as a screen reader sees it, or null where the engine cannot tell.
  accessibilityTree() {
    return this.engine === 'chromium' ? this.page.accessibility.snapshot() : null;
  }

  screenshot(path) {
    return this.page.screenshot({ path });
  }

  close() {
    return this.page.close();
  }
}

export async function launch(engine) {
  const browser = await puppeteer.launch({ headless: true, ...engines[engine] });
  return {
    async newPage() {
      return new Page(await browser.newPage(), engine);
    },
    close: () => browser.close(),
  };
}
