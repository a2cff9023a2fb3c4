// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page as a person uses it, in a real browser (COLLATZ_BROWSER: chromium, firefox or
// webkit), opened from its file (COLLATZ_PAGE): what the desktop's window tests check,
// once each, at the level nearest the user.

import { after, afterEach, before, beforeEach, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
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

// Opens the page, with a link after "#" if given, and notes each chime the page starts,
// by its length.
async function open(viewport, link = '') {
  await page.open(link ? `${url}#${link}` : url, viewport);
  await page.evaluate(() => {
    window.chimes = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.chimes.push(Math.round(this.buffer.duration * 100) / 100);
      return start.apply(this, args);
    };
  });
}

const displayed = async () => ({ label: await $('startingValueLabel'), sequence: await $('sequenceView', 'value') });
const empty = { label: '', sequence: '' };
const asking = () => page.waitFor(() => document.getElementById('inputDialog').open && document.activeElement.id === 'entry',
  [], 'the input dialog did not open with its entry focused');

// Answers to the input dialog: an entry typed and Enter, or then Escape, or then キャンセル.
const typed = (entry) => async () => {
  await (entry && page.type(entry));
  await page.press('Enter');
};
const typedThenEscape = (entry) => async () => {
  await page.type(entry);
  await page.press('Escape');
};
const typedThenCancel = (entry) => async () => {
  await page.type(entry);
  await page.click('#inputDialog button[value=cancel]');
};

// A whole experiment, started by a click on 実 験 or a key (null: the dialog is asking
// already), each time the dialog asks answered in turn, the display empty whenever it asks.
async function experiment(answers, key) {
  if (key !== null)
    await (key ? page.press(key) : page.click('#startButton'));
  for (const answer of answers) {
    await asking();
    assert.deepEqual(await displayed(), empty, 'the display was not empty while asking');
    await answer();
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
    return { title: document.title, client: [client.width, client.height], places,
      wraps: getComputedStyle(document.getElementById('sequenceView')).whiteSpace,
      focus: document.activeElement.id };
  });
  assert.equal(window.title, '３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ');
  assert.deepEqual(window.client, [698, 504]);
  assert.deepEqual(window.places, { exitButton: [0, 0, 57, 25, '終了'], resetButton: [640, 0, 57, 25, '初期化'],
    separator: [0, 24, 696, 1, ''], explanationPanel: [8, 32, 681, 161, problem.join('')], sequenceView: [8, 200, 681, 233, ''],
    startingValueLabel: [8, 448, 193, 17, ''], startButton: [312, 448, 81, 41, '実\u3000験'] });
  assert.equal(window.wraps, 'pre-wrap');
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

test('初期化 and 終了 with their chimes: the display and the typing emptied, the next run as the first; いいえ by a click, the next '
  + 'entry focused; はい by Enter ends the window and its graph, with a note and a way back; no request', { timeout }, async () => {
  await open();
  await experiment([typed('27')]);
  await page.click('#sequenceView');
  await page.type('my notes');
  await page.click('#resetButton');
  assert.deepEqual(await displayed(), empty);
  await experiment([typed('27')]);
  assert.deepEqual(await displayed(), { label: 'ｎ＝ 27', sequence: sequence(27) });
  await page.press('Control+g');
  // A tab that has been somewhere else before cannot be closed by its page.
  await page.evaluate(() => history.pushState(null, '', '#used'));
  for (const answer of ['no', 'yes']) {
    await page.click('#exitButton');
    await page.waitFor(() => document.activeElement.id === 'yesButton', [], 'the question was not asked with はい focused');
    assert.equal(`${await $('exitTitle')}|${await $('exitQuestion')}`, ' ３ｘ＋１ の問題|終了していいですか？');
    await (answer === 'no' ? page.click('#exitDialog button[value=no]') : page.press('Enter'));
    if (answer === 'no')
      await experiment([typed('31')]);
  }
  assert.deepEqual(await page.waitFor(() => window.chimes.length === 3 && window.chimes, [], 'not every chime was started'),
    ['pinpon.wav', 'endpinpon.wav', 'endpinpon.wav'].map(duration));
  assert.equal(await page.waitFor(() => !document.getElementById('ended').hidden && document.activeElement.id), 'restartButton');
  assert.deepEqual([await $('window', 'hidden'), await $('graphWindow', 'hidden')], [true, true]);
  await page.press('Enter');
  assert.deepEqual(await displayed(), empty);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'startButton');
  await experiment([typed('27')]);
  assert.equal(await $('graphWindow', 'hidden'), true);
  // The page asks for nothing but its own file.
  assert.deepEqual(await page.evaluate(() => performance.getEntriesByType('resource').map((entry) => entry.name)), []);
});

// A first visit over a slow network, and a slow device: the chimes at the page's end are
// read after the window has been shown, and sound all the same.
test('the chimes sound after a slow first visit, and on a device six times slower', { timeout }, async (t) => {
  const file = readFileSync(fileURLToPath(url));
  // About 1 Mbit/s: the window arrives at once, the rest over a second or so.
  const server = createServer(async (request, response) => {
    response.writeHead(200, { 'content-type': 'text/html' });
    for (let at = 0; at < file.length; at += 16384) {
      response.write(file.subarray(at, at + 16384));
      await new Promise((resolve) => setTimeout(resolve, 120));
    }
    response.end();
  }).listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const slowly = [['a slow network', `http://127.0.0.1:${server.address().port}/`]];
  if (engine === 'chromium')
    slowly.push(['a CPU six times slower', url]);
  else
    t.diagnostic(`${engine}: only Chromium can be slowed down`);
  for (const [how, address] of slowly) {
    if (how.startsWith('a CPU'))
      await (await page.page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate: 6 });
    await open(address);
    await page.click('#resetButton');
    assert.deepEqual(await page.waitFor(() => window.chimes.length && window.chimes, [], `no chime after ${how}`, 10000), [duration('pinpon.wav')]);
  }
  server.close();
});

test('a screen reader finds the buttons by caption, the panel, the sequence, the label, and the dialog, modal, by Space on 実　験, '
  + 'Tab kept inside; out of range, not numbers, キャンセル and Escape ask again; the start is floored', { timeout }, async () => {
  await open();
  await experiment([typed('11')], 'Enter');
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
  await experiment([typed('10000001'), typed('2.9'), typed('abc'), typed(''), typedThenCancel('27'), typedThenEscape('27'), typed('3.7')],
    null);
  assert.deepEqual(await displayed(), { label: 'ｎ＝ 3', sequence: sequence(3) });
});

// What the browser is handed to download: its name, its text, and the size of a picture.
const downloads = () => page.evaluate(() => {
  HTMLAnchorElement.prototype.click = function () {
    window.saved = fetch(this.href).then((response) => response.arrayBuffer()).then((bytes) => ({ name: this.download,
      text: new TextDecoder().decode(bytes), size: bytes.byteLength > 24 ? [16, 20].map((at) => new DataView(bytes).getUint32(at)) : [] }));
  };
});
const saved = () => page.waitFor(() => window.saved, [], 'nothing was saved').then(() => page.evaluate(() => window.saved));

// The text of each printed page.
function printed(pdf) {
  const text = spawnSync('pdftotext', ['-layout', '-', '-'], { input: pdf, encoding: 'utf8' });
  assert.equal(text.status, 0, text.stderr);
  return text.stdout.split('\f').map((sheet) => sheet.replace(/\s+/g, ' ').trim());
}

// Ctrl+G and the text box's menu open the graph: the figures the desktop's graph shows
// for the same experiment. On a touch screen where the engine can be driven so.
test('the graph: every value against its step, the peak marked, linear or 対数目盛, read by finger, saved and printed, following the '
  + 'experiments and the resets; the whole sequence by wheel and finger', { timeout }, async (t) => {
  await open({ width: 1024, height: 768, touch: page.touches });
  await experiment([typed('8400511')]);
  const values = `8400511${sequence(8400511)}`.split(' ');
  // The text box scrolls, with no scroll bar taking its room.
  assert.equal(await page.evaluate(() => { const box = document.getElementById('sequenceView'); return box.offsetWidth - box.clientWidth; }), 2);
  const scrolled = () => page.evaluate(() => document.getElementById('sequenceView').scrollTop);
  await page.wheel('#sequenceView', 200);
  assert.ok(await page.waitFor(() => document.getElementById('sequenceView').scrollTop > 0, [], 'the wheel did not scroll the text box'));
  if (engine === 'chromium') {
    const before = await scrolled();
    await page.touch([300, 400], [300, 350], [300, 300], [300, 250]);
    assert.ok(await page.waitFor((before) => document.getElementById('sequenceView').scrollTop > before, [before], 'a finger did not scroll the text box'));
  } else
    t.diagnostic(`${engine}: a driven finger does not scroll, so the text box is scrolled by wheel only`);

  await page.press('Control+g');
  const graph = () => page.waitFor(() => !document.getElementById('graphWindow').hidden && {
    title: document.getElementById('graphWindowTitle').textContent, summary: document.getElementById('graphSummary').textContent,
    points: document.querySelector('#graphPlot polyline')?.getAttribute('points').trim().split(' '),
    peak: ['cx', 'cy'].map((name) => document.querySelector('#graphPlot circle')?.getAttribute(name)).join(','),
    top: [...document.querySelectorAll('#graphPlot text[text-anchor=end]')].at(-1)?.textContent }, [], 'the graph did not open');
  const { title, summary, points, peak } = await graph();
  assert.equal(`${title}|${summary}`, 'グラフ － ｎ＝ 8400511|ｎ＝ 8400511\u3000ステップ数 685\u3000最大値 159,424,614,880（190 ステップ目）');
  assert.equal(points.length, 686);
  assert.equal(peak, points[190]);

  // A finger put on the plot and slid to the peak's step: its value stays after the finger
  // lifts, until a touch somewhere else.
  if (page.touches) {
    const at = (step) => page.evaluate((step) => {
      const svg = document.querySelector('#graphPlot svg'), box = svg.getBoundingClientRect();
      const scale = box.width / svg.viewBox.baseVal.width;
      return [box.left + svg.querySelector('polyline').points.getItem(step).x * scale, box.top + box.height / 2];
    }, step);
    await page.touch(await at(120), await at(160), await at(190));
    const tip = () => page.evaluate(() => !document.getElementById('graphTip').hidden && document.getElementById('graphTip').textContent);
    assert.equal(await tip(), '190 ステップ目：159,424,614,880');
    await page.touch(await page.evaluate(() => { const box = document.getElementById('graphSummary').getBoundingClientRect(); return [box.left + 5, box.top + 5]; }));
    assert.equal(await tip(), false);
  } else
    t.diagnostic(`${engine}: cannot be driven by touch, so the graph is read by finger only elsewhere`);

  // Printed: the whole sequence, and the graph on a page of its own.
  if (page.prints) {
    const sheets = printed(await page.pdf());
    assert.ok(sheets.join(' ').includes(values.slice(1).join(' ')), 'the sequence was not printed whole');
    const graphSheets = sheets.filter((sheet) => sheet.includes('グラフ － ｎ＝ 8400511'));
    assert.deepEqual(graphSheets.map((sheet) => sheet.split(' ').includes('ステップ')), [true], 'the graph was not printed whole on one page');
    assert.ok(graphSheets[0].startsWith('グラフ'), 'the graph shares its page with the sequence');
  } else
    t.diagnostic(`${engine}: its WebDriver cannot print`);

  await page.click('#logScale');
  assert.equal((await graph()).top, '1,000,000,000,000');
  await downloads();
  await page.click('#saveTable');
  assert.deepEqual(await saved().then(({ name, text }) => `${name}\n${text}`),
    `collatz-8400511.csv\nstep,value\n${values.map((value, step) => `${step},${value}\n`).join('')}`);
  await page.evaluate(() => { window.saved = null; });
  await page.click('#savePicture');
  assert.deepEqual((await saved()).size, await page.evaluate(() => {
    const box = document.querySelector('#graphPlot svg').getBoundingClientRect();
    return [2 * Math.round(box.width), 2 * Math.round(box.height)];
  }), 'the picture is not twice the size of the graph shown');
  await page.click('#resetButton');
  assert.equal((await graph()).summary, 'まだ実験していません');
  await page.click('#closeGraph');
  await page.click('#sequenceView', 'right');
  const items = await page.waitFor(() => !document.getElementById('contextMenu').hidden
    && [...document.querySelectorAll('#contextMenu button')].map((item) => item.textContent), [], 'no menu');
  assert.deepEqual(items, ['コピー', 'グラフを表示', 'まとめて調べる']);
  // Round the items that can be chosen, back to the graph's.
  await page.press('ArrowDown');
  await page.press('ArrowDown');
  await page.press('Enter');
  await experiment([typed('27')]);
  assert.equal((await graph()).title, 'グラフ － ｎ＝ 27');
});

// A teacher's links, a class's survey and comparisons, and the projector, with nothing that
// needs a hover or a right click.
test('links open an experiment, a comparison and a survey, and say once why not; a survey\'s records run and compare; '
  + 'a long press opens the menu; full screen fills the screen', { timeout }, async (t) => {
  await open({ width: 1920, height: 1080, touch: page.touches }, '27');
  const shows = () => page.evaluate(() => ({ label: document.getElementById('startingValueLabel').textContent,
    graph: !document.getElementById('graphWindow').hidden && document.getElementById('graphWindowTitle').textContent,
    survey: !document.getElementById('surveyWindow').hidden && document.getElementById('surveySummary').textContent }));
  const link = (hash) => page.evaluate((hash) => { location.hash = hash; }, hash);
  assert.equal(await page.waitFor(() => document.getElementById('sequenceView').value), sequence(27));
  await link('2');
  assert.equal(await page.waitFor(() => document.getElementById('messageDialog').open && document.getElementById('messageText').textContent),
    '「2」は開けません。はじめの数は 3 以上 10000000 以下、くらべられるのは 4 つまで、範囲は小さいほうから書きます。');
  await page.press('Enter');
  await link('27,31');
  assert.equal(await page.waitFor(() => !document.getElementById('messageDialog').open && document.getElementById('graphWindowTitle').textContent),
    'グラフ － ｎ＝ 27, 31');
  await link('3-100');
  assert.equal((await page.waitFor(async () => document.getElementById('surveyRecords').rows.length > 1 && 1).then(shows)).survey,
    'いちばん長い：ｎ＝ 97（118 ステップ）\u3000いちばん高い：ｎ＝ 27（最大値 9,232）');
  await page.click('#surveyRecords tbody tr:last-child button');
  assert.equal((await shows()).label, 'ｎ＝ 97');
  for (const row of [8, 9])
    await page.click(`#surveyRecords tbody tr:nth-child(${row}) input`);
  await page.click('#surveyCompare');
  assert.equal((await shows()).graph, 'グラフ － ｎ＝ 27, 54');
  await page.evaluate(() => { navigator.clipboard.writeText = (text) => { window.copied = text; return Promise.resolve(); }; });
  await page.click('#copyGraphLink');
  assert.match(await page.waitFor(() => window.copied), /collatz\.html#27,54$/);

  if (page.touches) {
    const box = await page.evaluate(() => {
      document.getElementById('sequenceView').scrollIntoView();
      const box = document.getElementById('sequenceView').getBoundingClientRect();
      return [box.left + 40, box.top + 40];
    });
    await page.page.touchscreen.touchStart(...box);
    await page.waitFor(() => !document.getElementById('contextMenu').hidden, [], 'a long press did not open the menu');
    await page.page.touchscreen.touchEnd();
    assert.equal(await page.evaluate(() => document.getElementById('contextMenu').hidden), false, 'the menu closed as the finger lifted');
  } else
    t.diagnostic(`${engine}: cannot be driven by touch, so the long press is left to the other engines`);

  if (await page.evaluate(() => document.getElementById('fullScreen').hidden))
    return t.diagnostic(`${engine}: has no full screen for a page`);
  await page.click('#fullScreen');
  const scaled = await page.waitFor(() => document.fullscreenElement && document.getElementById('frame').style.transform, [],
    'full screen did not scale the window up');
  assert.ok(Number(/scale\(([\d.]+)\)/.exec(scaled)?.[1]) > 1.5, scaled);
  await page.evaluate(() => document.exitFullscreen());
  await page.waitFor(() => !document.fullscreenElement && !document.getElementById('frame').style.transform, [], 'the window stayed scaled up');
});

// The site, as a plain static server gives it: old file dates and no Cache-Control, which
// let the browser keep its files. A new build reaches a pupil who has the old one; then
// the site works offline.
test('the site installs as an app, shows a new build at the next opening or the one after, and works offline', { timeout }, async (t) => {
  const site = join(dirname(fileURLToPath(url)), 'site');
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
  let build = 'first';
  const server = createServer((request, response) => {
    const file = join(site, request.url === '/' ? 'index.html' : request.url);
    let body = readFileSync(file);
    // The second build: another page, and so another cache for it.
    if (build === 'second' && file.endsWith('.html'))
      body = String(body).replace('<title>', '<meta name="build" content="second"><title>');
    if (build === 'second' && file.endsWith('service-worker.js'))
      body = String(body).replace(/collatz-[0-9a-f]+/, 'collatz-second');
    response.writeHead(200, { 'content-type': types[extname(file)], 'last-modified': new Date(Date.now() - 365 * 864e5).toUTCString() })
      .end(body);
  }).listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  await page.open(`http://127.0.0.1:${server.address().port}/`);
  await page.waitFor(() => navigator.serviceWorker.ready.then(() => true));
  if (engine === 'chromium') {
    const devtools = await page.page.createCDPSession();
    assert.deepEqual((await devtools.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  } else
    t.diagnostic(`${engine}: the installability check is Chromium's own`);

  build = 'second';
  const opening = async () => {
    await page.reload();
    await page.waitFor(() => !!document.querySelector('#window.ready'), [], 'the page did not open');
    return page.evaluate(() => document.querySelector('meta[name=build]')?.content ?? 'first');
  };
  const shown = [await opening()];
  // Once the new build has been kept, in place of the old one, the next opening shows it.
  await page.waitFor(() => caches.keys().then((names) => names.join() === 'collatz-second'), [], 'the new build was never kept', 10000);
  shown.push(await opening());
  assert.equal(shown.at(-1), 'second', `the openings showed the ${shown.join(', then the ')} build`);

  // The server goes away, its open connections too.
  server.close();
  server.closeAllConnections();
  if (engine !== 'chromium')
    return t.diagnostic(`${engine}: only Chromium can be taken offline`);
  await page.page.setOfflineMode(true);
  await opening();
});
