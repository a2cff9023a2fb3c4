// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page as a person uses it, in a real browser (COLLATZ_BROWSER: chromium, firefox or
// webkit), opened from its file (COLLATZ_PAGE): what the desktop's window tests check,
// once each, at the level nearest the user.

import { after, afterEach, before, beforeEach, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launch } from './Browser.mjs';

const engine = process.env.COLLATZ_BROWSER ?? 'chromium';
const url = pathToFileURL(process.env.COLLATZ_PAGE ?? 'build-web/collatz.html').href;
const timeout = 20000;
const $ = (id, property = 'textContent') => page.evaluate((id, property) => document.getElementById(id)[property], id, property);

// The values a run reaches, by the iteration itself, exact below 2^53.
const next = (value) => (value % 2 ? 3 * value + 1 : value / 2);
const sequence = (start) => (start === 1 ? '' : ` ${next(start)}${sequence(next(start))}`);

// The panel's nine lines, as the window must show them.
const problem = readFileSync(new URL('../problem.txt', import.meta.url), 'utf8').split('\n').slice(0, 9);

// How long a chime lasts, from its wave file's header, to the hundredth of a second.
function duration(name) {
  const file = readFileSync(new URL(`../../resources/${name}`, import.meta.url));
  return Math.round(file.readUInt32LE(40) / file.readUInt16LE(32) / file.readUInt32LE(24) * 100) / 100;
}

let browser, page;
before(async () => { browser = await launch(engine); });
after(() => browser?.close());
beforeEach(async () => { page = await browser.newPage(); });
afterEach(async () => {
  assert.deepEqual(await page.evaluate(() => window.pageErrors ?? []), [], 'the page reported errors');
  await page.close();
});

// Opens the page and notes each chime the page starts, by its length.
async function open(viewport) {
  await page.open(url, viewport);
  await page.evaluate(() => {
    window.chimes = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.chimes.push(Math.round(this.buffer.duration * 100) / 100);
      return start.apply(this, args);
    };
  });
}

const shown = async () => `${await $('startingValueLabel')}|${await $('sequenceView', 'value')}`;
const asking = () => page.waitFor(() => document.getElementById('inputDialog').open && document.activeElement.id === 'entry',
  [], 'the input dialog did not open with its entry focused');

// A whole experiment, started by a click on 実 験 or a key (null: the dialog is asking
// already), each dialog answered with an entry and Enter, or "... then Escape", or
// "... then キャンセル", and the display empty whenever it asks.
async function experiment(entries, key) {
  if (key !== null)
    await (key ? page.press(key) : page.click('#startButton'));
  for (const entry of entries) {
    await asking();
    assert.equal(await shown(), '|', 'the display was not empty while asking');
    const [typed, answer] = entry.split(' then ');
    if (typed)
      await page.type(typed);
    await (answer === 'キャンセル' ? page.click('#inputDialog button[value=cancel]') : page.press(answer ?? 'Enter'));
  }
  await page.waitFor(() => !document.getElementById('inputDialog').open && document.getElementById('sequenceView').value,
    [], 'the last entry was not accepted');
}

test('the window: its caption, every control at its place with its caption, the focus on 実　験', { timeout }, async () => {
  await open();
  const window = await page.evaluate(() => {
    const client = document.getElementById('client').getBoundingClientRect();
    const places = {};
    for (const id of ['exitButton', 'resetButton', 'separator', 'explanationPanel', 'sequenceView', 'startingValueLabel', 'startButton']) {
      const box = document.getElementById(id).getBoundingClientRect();
      places[id] = [box.left - client.left, box.top - client.top, box.width, box.height, document.getElementById(id).textContent];
    }
    const text = getComputedStyle(document.getElementById('sequenceView'));
    return { title: document.title, client: [client.width, client.height], places, text: [text.overflowY, text.whiteSpace],
      focus: document.activeElement.id };
  });
  assert.equal(window.title, '３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ');
  assert.deepEqual(window.client, [698, 504]);
  assert.deepEqual(window.places, { exitButton: [0, 0, 57, 25, '終了'], resetButton: [640, 0, 57, 25, '初期化'],
    separator: [0, 24, 696, 1, ''], explanationPanel: [8, 32, 681, 161, problem.join('')], sequenceView: [8, 200, 681, 233, ''],
    startingValueLabel: [8, 448, 193, 17, ''], startButton: [312, 448, 81, 41, '実\u3000験'] });
  assert.deepEqual(window.text, ['hidden', 'pre-wrap']);
  const order = [window.focus];
  for (let i = 0; i < 4; ++i)
    order.push(await page.press('Tab').then(() => page.evaluate(() => document.activeElement.id)));
  assert.deepEqual(order, ['startButton', 'sequenceView', 'exitButton', 'resetButton', 'explanationPanel']);
});

// A laptop's screen at 100 %, 150 % and 200 % zoom, and a phone.
test('every panel line whole, and the window never wider than the screen', { timeout }, async () => {
  for (const viewport of [{ width: 1366, height: 768 }, { width: 911, height: 512, scale: 1.5 }, { width: 683, height: 384, scale: 2 },
    { width: 390, height: 844, scale: 3 }]) {
    await open(viewport);
    assert.deepEqual(await page.evaluate(() => {
      const panel = document.getElementById('explanationPanel').getBoundingClientRect();
      const lines = [...document.querySelectorAll('#explanationPanel .line')];
      return { cutOff: lines.filter((line) => line.firstChild.getBoundingClientRect().right > panel.right + 0.5).map((line) => line.textContent),
        sideways: document.getElementById('window').getBoundingClientRect().right > document.documentElement.clientWidth };
    }), { cutOff: [], sideways: false }, JSON.stringify(viewport));
  }
});

test('初期化 and 終了 with their chimes: the display and the typing emptied, the next run as the first; いいえ, then はい by Enter, ends with a note and a way back; no request', { timeout }, async () => {
  await open();
  await experiment(['27']);
  await page.click('#sequenceView');
  await page.type('my notes');
  await page.click('#resetButton');
  assert.equal(await shown(), '|');
  await experiment(['27']);
  assert.equal(await shown(), `ｎ＝ 27|${sequence(27)}`);
  // A tab that has been somewhere else before cannot be closed by its page.
  await page.evaluate(() => history.pushState(null, '', '#used'));
  for (const answer of ['no', 'yes']) {
    await page.click('#exitButton');
    await page.waitFor(() => document.activeElement.id === 'yesButton', [], 'the question was not asked with はい focused');
    assert.equal(`${await $('exitTitle')}|${await $('exitQuestion')}`, ' ３ｘ＋１ の問題|終了していいですか？');
    await (answer === 'no' ? page.click('#exitDialog button[value=no]') : page.press('Enter'));
  }
  assert.deepEqual(await page.waitFor(() => window.chimes.length === 3 && window.chimes, [], 'not every chime was started'),
    ['pinpon.wav', 'endpinpon.wav', 'endpinpon.wav'].map(duration));
  assert.equal(await page.waitFor(() => !document.getElementById('ended').hidden && document.activeElement.id), 'restartButton');
  assert.equal(await $('window', 'hidden'), true);
  await page.press('Enter');
  assert.equal(await shown(), '|');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'startButton');
  // The page asks for nothing but its own file.
  assert.deepEqual(await page.evaluate(() => performance.getEntriesByType('resource').map((entry) => entry.name)), []);
});

test('a screen reader finds the buttons by caption, the panel, the sequence, the label, and the dialog, modal, by Space on 実　験, '
  + 'Tab kept inside; out of range, not numbers, キャンセル and Escape ask again; the start is floored', { timeout }, async () => {
  await open();
  await experiment(['11'], 'Enter');
  for (const [role, name, text] of [['button', '終了', '終了'], ['button', '初期化', '初期化'], ['button', '実\u3000験', '実\u3000験'],
    ['region', '問題の説明', problem.join('')], ['textbox', '実験の結果', sequence(11)], ['status', undefined, 'ｎ＝ 11']])
    assert.equal(await page.findAccessible(role, name), text, `${role} ${name}`);
  await page.press(' ');
  await asking();
  assert.match(await page.findAccessible('dialog', '\u3000３ｘ＋１ の問題'), /3以上10000000以下の整数を半角で入力してください．．．/);
  assert.equal(await page.evaluate(() => document.getElementById('inputDialog').matches(':modal')), true);
  const visited = [];
  for (const key of ['Tab', 'Tab', 'Tab', 'Shift+Tab', 'Tab'])
    visited.push(await page.press(key).then(() => page.evaluate(() => document.activeElement.textContent || document.activeElement.id)));
  assert.deepEqual(visited, ['OK', 'キャンセル', 'entry', 'キャンセル', 'entry']);
  await experiment(['10000001', '2.9', 'abc', '', '27 then キャンセル', '27 then Escape', '3.7'], null);
  assert.equal(await shown(), `ｎ＝ 3|${sequence(3)}`);
});

// Ctrl+G and the text box's menu open the graph: the figures the desktop's graph shows
// for the same experiment.
test('the graph: every value against its step, the peak marked, linear or 対数目盛, saved, following the experiments and the resets', { timeout }, async () => {
  await open();
  await experiment(['8400511']);
  await page.press('Control+g');
  const graph = () => page.waitFor(() => !document.getElementById('graphWindow').hidden && {
    title: document.getElementById('graphTitle').textContent, summary: document.getElementById('graphSummary').textContent,
    points: document.querySelector('#graphPlot polyline')?.getAttribute('points').trim().split(' '),
    peak: ['cx', 'cy'].map((name) => document.querySelector('#graphPlot circle')?.getAttribute(name)).join(','),
    top: [...document.querySelectorAll('#graphPlot text[text-anchor=end]')].at(-1)?.textContent }, [], 'the graph did not open');
  const { title, summary, points, peak } = await graph();
  assert.equal(`${title}|${summary}`, 'グラフ － ｎ＝ 8400511|ｎ＝ 8400511\u3000ステップ数 685\u3000最大値 159,424,614,880（190 ステップ目）');
  assert.equal(points.length, 686);
  assert.equal(peak, points[190]);
  await page.click('#logScale');
  assert.equal((await graph()).top, '1,000,000,000,000');
  // What the browser is handed to download, by its name, read back from its address.
  await page.evaluate(() => {
    HTMLAnchorElement.prototype.click = function () { window.saved = fetch(this.href).then((response) => response.text()).then((text) => `${this.download}\n${text}`); };
  });
  await page.click('#saveTable');
  const table = `step,value\n${`8400511${sequence(8400511)}`.split(' ').map((value, step) => `${step},${value}\n`).join('')}`;
  assert.equal(await page.waitFor(() => window.saved, [], 'nothing was saved'), `collatz-8400511.csv\n${table}`);
  await page.click('#resetButton');
  assert.equal((await graph()).summary, 'まだ実験していません');
  await page.click('#closeGraph');
  await page.click('#sequenceView', 'right');
  const items = await page.waitFor(() => !document.getElementById('contextMenu').hidden
    && [...document.querySelectorAll('#contextMenu button')].map((item) => item.textContent), [], 'no menu');
  assert.deepEqual(items, ['コピー', 'グラフを表示']);
  await page.press('ArrowDown');
  await page.press('Enter');
  await experiment(['27']);
  assert.equal((await graph()).title, 'グラフ － ｎ＝ 27');
});

// The site, as a school's server gives it: installable, and then working offline.
test('the site installs as an app and works offline', { timeout }, async (t) => {
  if (engine !== 'chromium')
    return t.skip('the installability check is Chromium\'s own, over its DevTools protocol');
  const site = join(dirname(fileURLToPath(url)), 'site');
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
  const server = createServer((request, response) => {
    const file = join(site, request.url === '/' ? 'index.html' : request.url);
    // Nothing kept by the browser's own cache: offline, only the service worker's is left.
    response.writeHead(200, { 'content-type': types[extname(file)], 'cache-control': 'no-store' }).end(readFileSync(file));
  }).listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  await page.open(`http://127.0.0.1:${server.address().port}/`);
  await page.waitFor(() => navigator.serviceWorker.ready.then(() => true));
  const devtools = await page.page.createCDPSession();
  assert.deepEqual((await devtools.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  // The server goes away, its open connections too.
  server.close();
  server.closeAllConnections();
  await page.page.setOfflineMode(true);
  await page.page.reload();
  await page.waitFor(() => !!document.querySelector('#window.ready'), [], 'the page did not open offline');
});
