// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// A real browser, driven as a person uses it: pages opened from a file or a server, real
// clicks and keys, and what the page shows read back from it. Chromium and Firefox go
// through puppeteer-core (Firefox over WebDriver BiDi), WebKit through WebKitGTK's own
// WebDriver with selenium-webdriver; always Debian's own browsers: none is ever
// downloaded.

import { execFileSync } from 'node:child_process';
import puppeteer from 'puppeteer-core';
import { By, Key, WebDriver } from 'selenium-webdriver';
import { Executor, HttpClient } from 'selenium-webdriver/http/index.js';
import { DriverService } from 'selenium-webdriver/remote/index.js';

const engines = {
  chromium: { browser: 'chrome', executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--mute-audio'] },
  firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', protocol: 'webDriverBiDi' },
};

const textOf = (element) => (['input', 'textarea'].includes(element.localName) ? element.value : element.textContent);

// What every driver shares: opening the page, waiting on it, and the errors it reports.
class Page {
  // Opens the address and waits for the window to be ready for a click.
  async open(url, { width = 1024, height = 768, scale = 1, touch = false } = {}) {
    await this.navigate(url, width, height, scale, touch);
    await this.waitFor(() => !!document.querySelector('#window.ready'), [], 'the window was never ready', 15000);
    await this.evaluate(() => {
      window.pageErrors = [];
      addEventListener('error', (event) => window.pageErrors.push(event.message));
      addEventListener('unhandledrejection', (event) => window.pageErrors.push(String(event.reason)));
    });
  }

  // Waits until fn, run in the page, returns something true, and returns it; fails with
  // the message after a few seconds.
  async waitFor(fn, args = [], message = `waited in vain for ${fn}`, timeout = 5000) {
    for (const end = Date.now() + timeout; Date.now() < end; await new Promise((resolve) => setTimeout(resolve, 20))) {
      const value = await this.evaluate(fn, ...args);
      if (value)
        return value;
    }
    throw new Error(message);
  }
}

class PuppeteerPage extends Page {
  // Chromium and Firefox can be driven by touch, as a tablet is, and zoomed; Chromium can
  // also be slowed down to the speed of a cheap Chromebook, and made to print.
  constructor(page) {
    super();
    this.page = page;
    this.touches = this.zooms = this.prints = true;
  }

  async navigate(url, width, height, scale, touch) {
    await this.page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch });
    await this.page.goto(url);
  }

  // A finger put down at the first point, moved through the others and lifted.
  async touch(...points) {
    await this.page.touchscreen.touchStart(...points[0]);
    for (const point of points.slice(1))
      await this.page.touchscreen.touchMove(...point);
    await this.page.touchscreen.touchEnd();
  }

  async wheel(selector, deltaY) {
    const box = await (await this.page.$(selector)).boundingBox();
    await this.page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await this.page.mouse.wheel({ deltaY });
  }

  pdf() { return this.page.pdf(); }
  reload() { return this.page.reload(); }

  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  // Brought into view first, within whatever scrolls around it, as a person would.
  async click(selector, button = 'left') {
    await this.page.$eval(selector, (element) => element.scrollIntoView({ block: 'nearest' }));
    return this.page.click(selector, { button });
  }
  // A click at this point of the viewport.
  clickAt(x, y) { return this.page.mouse.click(x, y); }
  type(text) { return this.page.keyboard.type(text); }
  close() { return this.page.close(); }

  // One key, or a key with one modifier, such as "Shift+Tab", on whatever has the focus.
  async press(keys) {
    const [key, modifier] = keys.split('+').reverse();
    await (modifier && this.page.keyboard.down(modifier));
    await this.page.keyboard.press(key);
    await (modifier && this.page.keyboard.up(modifier));
  }

  // What a screen reader finds by this role, and name if given: the element's text, or
  // an entry's value; null when there is none.
  async findAccessible(role, name) {
    const handle = await this.page.$(`::-p-aria(${name === undefined ? '' : `[name="${name}"]`}[role="${role}"])`);
    return handle && handle.evaluate(textOf);
  }
}

// Selenium's names for the keys the tests press: "ArrowDown" is ARROW_DOWN.
const seleniumKey = (key) => Key[key.replace(/(.)([A-Z])/, '$1_$2').toUpperCase()] ?? key;

class WebDriverPage extends Page {
  // WebKitGTK's WebDriver turns a touch into a mouse's events, and can neither zoom nor print.
  constructor(driver) {
    super();
    this.driver = driver;
    this.touches = this.zooms = this.prints = false;
  }

  async navigate(url, width, height) {
    await this.driver.manage().window().setRect({ width, height });
    await this.driver.get(url);
  }

  // A point of the viewport on the X server's screen.
  screenPoint(x, y) {
    return this.evaluate((x, y) => [screenX + x, screenY + outerHeight - innerHeight + y].map(Math.round), x, y);
  }

  // WebKitGTK's WebDriver scrolls only what shows a scroll bar: the wheel comes from the
  // X server instead, as a mouse's does, a notch for every 50 pixels or so.
  async wheel(selector, deltaY) {
    const box = await this.evaluate((selector) => document.querySelector(selector).getBoundingClientRect().toJSON(), selector);
    const [x, y] = await this.screenPoint(box.left + box.width / 2, box.top + box.height / 2);
    execFileSync('xdotool', ['mousemove', x, y, 'click', '--repeat', Math.ceil(deltaY / 50), deltaY > 0 ? 5 : 4].map(String));
  }

  // A click at a point from the X server as well: WebKitGTK's web process sometimes aborts
  // on its WebDriver's own pointer actions.
  async clickAt(x, y) {
    execFileSync('xdotool', ['mousemove', ...(await this.screenPoint(x, y)).map(String), 'click', '1']);
  }

  // WebDriver waits for a promise the script returns.
  evaluate(fn, ...args) { return this.driver.executeScript(`return (${fn}).apply(null, arguments);`, ...args); }

  async click(selector, button = 'left') {
    const element = await this.driver.findElement(By.css(selector));
    return button === 'left' ? element.click() : this.driver.actions().contextClick(element).perform();
  }

  press(keys) {
    const chord = keys.split('+').map(seleniumKey), actions = this.driver.actions();
    chord.forEach((key) => actions.keyDown(key));
    chord.reverse().forEach((key) => actions.keyUp(key));
    return actions.perform();
  }
  type(text) { return this.driver.actions().sendKeys(text).perform(); }
  reload() { return this.driver.navigate().refresh(); }

  // WebKit's names come trimmed of the ideographic space, and some elements have no role.
  async findAccessible(role, name) {
    for (const element of await this.driver.findElements(By.css('body *'))) {
      if (await element.getAriaRole().catch(() => null) === role
          && (name === undefined || (await element.getAccessibleName()).trim() === name.trim()))
        return this.evaluate(textOf, element);
    }
    return null;
  }

  close() {}
}

// WebKitGTK's MiniBrowser, driven by its WebDriver on a free port, on the display that
// the test runs under.
async function launchWebKit() {
  const service = new DriverService.Builder('WebKitWebDriver').setLoopback(true).build();
  const driver = await WebDriver.createSession(new Executor(new HttpClient(await service.start())), { 'webkitgtk:browserOptions':
    { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] } });
  // A browser that died mid-test does not answer its quit: it is not waited for long.
  const quit = () => Promise.race([driver.quit(), new Promise((resolve) => setTimeout(resolve, 5000))]);
  return { newPage: async () => new WebDriverPage(driver), close: () => quit().catch(() => {}).finally(() => service.kill()) };
}

export async function launch(engine) {
  if (engine === 'webkit')
    return launchWebKit();
  const browser = await puppeteer.launch({ headless: true, ...engines[engine] });
  return { browser, newPage: async () => new PuppeteerPage(await browser.newPage()), close: () => browser.close() };
}
