// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page as a person uses it, in a real browser (COLLATZ_BROWSER: chromium, firefox or
// webkit), opened from its file (COLLATZ_PAGE): what the desktop's window tests check,
// once each, at the level nearest the user, and what pupils who use only a keyboard, a
// screen reader, the browser's zoom or a finger meet.

import { after, afterEach, before, beforeEach, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, extname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launch } from '../../scripts/Browser.mjs';

const engine = process.env.COLLATZ_BROWSER ?? 'chromium';
const url = pathToFileURL(process.env.COLLATZ_PAGE ?? 'build-web/collatz.html').href;
const timeout = 20000;
const $ = (id, property = 'textContent') => page.evaluate((id, property) => document.getElementById(id)[property], id, property);

// The values a run reaches, by the iteration itself, exact below 2^53; no start takes more
// than 685 steps.
const next = (value) => (value % 2 ? 3 * value + 1 : value / 2);
const sequence = (start, steps = 0) => (start === 1 || steps > 685 ? '' : ` ${next(start)}${sequence(next(start), steps + 1)}`);

// The panel's nine lines, as the window must show them, and the sentences they break.
const problem = readFileSync(new URL('../problem.txt', import.meta.url), 'utf8').split('\n').slice(0, 9);
const sentences = problem.join('\n').replace(/\n\u3000{4}(?!\u3000)/g, '').split('\n').map((line) => line.replace(/^\u3000+/, '')).filter(Boolean);

// How long a chime lasts, from its wave file's header, to the hundredth of a second.
function duration(name) {
  const file = readFileSync(new URL(`../../resources/${name}`, import.meta.url));
  return Math.round(file.readUInt32LE(40) / file.readUInt16LE(32) / file.readUInt32LE(24) * 100) / 100;
}

let browser, page;
// Whether the engine can do what a check needs; where it cannot, the run says which check it
// leaves out, and why.
const can = (t, able, otherwise) => able || void t.diagnostic(`${engine}: ${otherwise}`);
// A browser that stops answering fails the hook by name too, instead of holding up the run.
before(async () => { browser = await launch(engine); }, { timeout });
after(async () => {
  await browser?.close();
  // A browser that crashed can leave its driver's request unanswered, which would keep this
  // process, and the run's summary, waiting: it ends soon after its last test.
  setTimeout(() => process.exit(), 5000).unref();
}, { timeout });
beforeEach(async () => { page = await browser.newPage(); }, { timeout });
afterEach(async () => {
  assert.deepEqual(await page.evaluate(() => window.pageErrors ?? []), [], 'the page reported errors');
  await page.close();
}, { timeout });

// Opens the page, with a link after "#" if given, and notes each chime the page starts,
// by its length, on an audio output at 48 kHz as many laptops have, and each text copied
// the old way, without the clipboard's interface.
async function open(viewport, link = '', address = url) {
  await page.open(link ? `${address}#${link}` : address, viewport);
  await page.evaluate(() => {
    const Context = window.AudioContext;
    window.AudioContext = class extends Context { constructor() { super({ sampleRate: 48000 }); } };
    window.chimes = [];
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.chimes.push(Math.round(this.buffer.duration * 100) / 100);
      return start.apply(this, args);
    };
    document.execCommand = (command) => {
      const { value, selectionStart, selectionEnd } = document.activeElement;
      window.copied = command === 'copy' && value.slice(selectionStart, selectionEnd);
      return !window.copyFails;
    };
  });
}

const displayed = async () => ({ label: await $('startingValueLabel'), sequence: await $('sequenceView', 'value') });
const empty = { label: '', sequence: '' };
const asking = () => page.waitFor(() => document.getElementById('inputDialog').open && document.activeElement.id === 'entry',
  [], 'the input dialog did not open with its entry focused');
const shown = (id, title) => page.waitFor((id, title) => !document.getElementById(id).hidden
  && document.getElementById(`${id}Title`).textContent === title, [id, title], `${id} was not shown with the title ${title}`);
// Where the nth of these shapes of a drawing is shown in the viewport, or a polyline's point
// at this step, the drawing brought into view first.
const drawnAt = (selector, nth, step) => page.evaluate((selector, nth, step) => {
  const shape = document.querySelectorAll(selector)[nth], svg = shape.ownerSVGElement, box = (svg.scrollIntoView({ block: 'nearest' }), svg.getBoundingClientRect());
  const point = step === null ? { x: shape.cx.baseVal.value, y: shape.cy.baseVal.value } : shape.points.getItem(step), scale = box.width / svg.viewBox.baseVal.width;
  return [box.left + point.x * scale, box.top + point.y * scale];
}, selector, nth, step ?? null);
// Follows a link within the page, as a pupil's click on a teacher's link does.
const link = (hash) => page.evaluate((hash) => { location.hash = hash; }, hash);
// Whether an element is on the screen, some of it at least.
const onScreen = (selector) => page.evaluate((selector) => {
  const box = document.querySelector(selector).getBoundingClientRect();
  return box.width > 0 && box.bottom > 0 && box.top < innerHeight && box.right > 0 && box.left < innerWidth;
}, selector);

// Presses each key in turn, and returns where the focus stops after each: its element's id,
// name or text, marked where the focus is not shown.
async function keys(...names) {
  const stops = [];
  for (const name of names) {
    await page.press(name);
    stops.push(await page.evaluate(() => {
      const focused = document.activeElement, style = getComputedStyle(focused);
      return `${focused.id || focused.getAttribute('aria-label') || focused.textContent}${style.outlineStyle === 'none' ? ' (not shown)' : ''}`;
    }));
  }
  return stops;
}

// Answers to the input dialog: an entry typed and Enter, or then Escape, or then キャンセル.
const typed = (entry, then = 'Enter') => async () => {
  await (entry && page.type(entry));
  await (then === 'キャンセル' ? page.click('#inputDialog button[value=cancel]') : page.press(then));
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

test('the window: its caption, every control at its place with its caption, the explanation read as sentences, the focus on '
  + '実　験', { timeout }, async () => {
  await open();
  const { focus, ...window } = await page.evaluate(() => {
    const client = document.getElementById('client').getBoundingClientRect(), place = (element, box = element.getBoundingClientRect()) =>
      [box.left - client.left, box.top - client.top, box.width, box.height, (element.firstChild ?? element).textContent];
    return { title: document.title, client: [client.width, client.height], focus: document.activeElement.id, places: Object.fromEntries(
      ['exitButton', 'resetButton', 'separator', 'explanationPanel', 'sequenceView', 'startingValueLabel', 'startButton'].map((id) => [id, place(document.getElementById(id))])),
      read: document.querySelector('#explanationPanel [aria-hidden=true]') && [...document.querySelectorAll('#explanationPanel p')].map((p) => p.textContent) };
  });
  assert.deepEqual(window, { title: '３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ', client: [698, 504], read: sentences,
    places: { exitButton: [0, 0, 57, 25, '終了'], resetButton: [640, 0, 57, 25, '初期化'], separator: [0, 24, 696, 1, ''],
      explanationPanel: [8, 32, 681, 161, problem.join('')], sequenceView: [8, 200, 681, 233, ''], startingValueLabel: [8, 448, 193, 17, ''],
      startButton: [312, 448, 81, 41, '実\u3000験'] } });
  assert.deepEqual([focus, ...await keys('Tab', 'Tab', 'Tab', 'Tab')], ['startButton', 'sequenceView', 'exitButton', 'resetButton', 'explanationPanel']);
});

// A laptop at 100 % and 150 %; zoomed to 200 % and 400 % on a Chromebook's 1366×768, a phone and
// a small one, where the window flows into a column whose text grows with the zoom; the text
// spaced as WCAG 1.4.12 asks, which flows it too, nothing cut off.
test('at its own size the window as drawn, every panel line whole; below it one column, the text growing with the zoom; never '
  + 'wider than the screen', { timeout: 3 * timeout }, async (t) => {
  const sizes = [];
  for (const viewport of [{ width: 1366, height: 768 }, { width: 911, height: 512, scale: 1.5 }, { width: 683, height: 384, scale: 2 },
    { width: 341, height: 192, scale: 4 }, { width: 390, height: 844, scale: 3 }, { width: 1366, height: 768, spaced: true }]) {
    await open(viewport);
    if (viewport.spaced) {
      await page.evaluate(() => {
        document.head.append(Object.assign(document.createElement('style'), { textContent: '* { line-height: 1.5 !important; '
          + 'letter-spacing: 0.12em !important; word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }' }));
        dispatchEvent(new Event('resize'));
      });
    }
    const fit = await page.evaluate(() => {
      const panel = document.getElementById('explanationPanel'), box = panel.getBoundingClientRect(), flows = document.documentElement.classList.contains('flow');
      const shown = [...panel.querySelectorAll(flows ? 'p' : '.line span')];
      return { flows, sideways: document.documentElement.scrollWidth > document.documentElement.clientWidth,
        cutOff: shown.filter((text) => text.getBoundingClientRect().right > box.right + 0.5 || text.getBoundingClientRect().bottom > box.bottom + 0.5
          || text.scrollWidth > text.clientWidth + 1).length,
        size: parseFloat(getComputedStyle(shown[1]).fontSize) * devicePixelRatio };
    });
    sizes.push(fit.size);
    assert.deepEqual({ ...fit, size: 0 }, { flows: viewport.width < 716 || !!viewport.spaced, sideways: false, cutOff: 0, size: 0 },
      JSON.stringify(viewport));
  }
  if (can(t, page.zooms, 'its WebDriver cannot zoom, so only the column is checked'))
    assert.ok(sizes[3] > sizes[2] && sizes[2] > sizes[0], `the text does not grow with the zoom: ${sizes}`);
});

test('初期化 and 終了 with their chimes: the display and the typing emptied; いいえ by a click, the next '
  + 'entry focused; はい by Enter ends the window and its panels, with nothing but a note and a way back; no request', { timeout }, async () => {
  await open();
  await experiment([typed('27')]);
  await page.click('#sequenceView');
  await page.type('my notes');
  await page.click('#resetButton');
  assert.deepEqual(await displayed(), empty);
  await page.press('Control+g');
  await page.press('Control+e');
  // A tab that has been somewhere else before cannot be closed by its page.
  await page.evaluate(() => history.pushState(null, '', '#used'));
  for (const answer of ['no', 'yes']) {
    await page.click('#exitButton');
    await page.waitFor(() => document.activeElement.id === 'yesButton', [], 'the question was not asked with はい focused');
    assert.equal(`${await $('exitTitle')}|${await $('exitText')}`, ' ３ｘ＋１ の問題|終了していいですか？');
    await (answer === 'no' ? page.click('#exitDialog button[value=no]') : page.press('Enter'));
    if (answer === 'no')
      await experiment([typed('31')]);
  }
  assert.deepEqual(await page.waitFor(() => window.chimes.length === 3 && window.chimes, [], 'not every chime was started'),
    ['pinpon.wav', 'endpinpon.wav', 'endpinpon.wav'].map(duration));
  assert.equal(await page.waitFor(() => !document.getElementById('ended').hidden && document.activeElement.id), 'restartButton');
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('button, input, textarea, [tabindex]')]
    .filter((element) => element.getClientRects().length).map((element) => element.id)), ['restartButton']);
  await page.press('Enter');
  assert.deepEqual(await displayed(), empty);
  assert.ok(await onScreen('#openSurvey'), 'the links under the window did not come back');
  // Enter, on the focus the window came back with, starts an experiment.
  await experiment([typed('27')], 'Enter');
  assert.equal(await $('graphWindow', 'hidden'), true);
  // The page asks for nothing but its own file.
  assert.deepEqual(await page.evaluate(() => performance.getEntriesByType('resource').map((entry) => entry.name)), []);
});

// A first visit, and one on a slow device: nothing sounds, or is made to sound, before the
// first touch, click or key; then the chimes sound all the same.
test('no audio output and no chime before the first input; the chimes sound then, on a device six times slower too',
  { timeout }, async (t) => {
  const visits = can(t, engine === 'chromium', 'only Chromium can be slowed down') ? ['at full speed', 'on a CPU six times slower'] : ['at full speed'];
  const marks = () => page.evaluate(() => performance.getEntriesByType('mark').map((mark) => mark.name).filter((name) => /audio|made/.test(name)));
  for (const how of visits) {
    if (how.includes('slower'))
      await (await page.page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate: 6 });
    await open();
    await page.waitFor(() => performance.getEntriesByName('compiled').length
      && new Promise((idle) => (window.requestIdleCallback ?? setTimeout)(() => idle(true))), [], 'the module never started', 10000);
    assert.deepEqual(await marks(), [], `before the first input, ${how}`);
    await page.click('#resetButton');
    assert.deepEqual(await page.waitFor(() => window.chimes.length && window.chimes, [], `no chime ${how}`, 10000), [duration('pinpon.wav')]);
    assert.deepEqual((await marks()).slice(0, 2), ['audio', 'made pinpon.wav']);
  }
});

test('a screen reader finds the buttons by caption, the panel, the sequence, the label, and the dialog, modal, by Space on 実　験, '
  + 'Tab kept inside; out of range, not numbers, キャンセル and Escape ask again, saying why; the start is floored', { timeout }, async () => {
  await open();
  await experiment([typed('11')], 'Enter');
  for (const [role, name, text] of [['button', '終了', '終了'], ['button', '初期化', '初期化'], ['button', '実\u3000験', '実\u3000験'],
    ['textbox', '実験の結果', sequence(11)], ['status', undefined, 'ｎ＝ 11']])
    assert.equal(await page.findAccessible(role, name), text, `${role} ${name}`);
  assert.ok(await page.findAccessible('region', '問題の説明'));
  await page.press(' ');
  await asking();
  assert.match(await page.findAccessible('dialog', '\u3000３ｘ＋１ の問題'), /3以上10000000以下の整数を半角で入力してください．．．/);
  assert.equal(await page.evaluate(() => document.getElementById('inputDialog').matches(':modal')), true);
  assert.deepEqual(await keys('Tab', 'Tab', 'Tab', 'Shift+Tab', 'Tab'), ['OK', 'キャンセル', 'entry', 'キャンセル', 'entry']);
  const refused = () => page.evaluate(() => `${document.getElementById('entry').getAttribute('aria-invalid')} ${document.getElementById('inputRefused').textContent}`);
  assert.equal(await refused(), 'false ');
  await experiment([typed('10000001'), async () => {
    assert.equal(await refused(), 'true 「10000001」は 3 以上 10000000 以下の整数ではありません。');
    assert.equal(await page.findAccessible('alert'), '「10000001」は 3 以上 10000000 以下の整数ではありません。');
    await typed('2.9')();
  }, typed('abc'), typed(''), typed('27', 'キャンセル'), typed('27', 'Escape'), typed('3.7')], null);
  assert.deepEqual(await displayed(), { label: 'ｎ＝ 3', sequence: sequence(3) });
});

// Ctrl+G and the text box's menu open the graph: the figures the desktop's graph shows
// for the same experiment. On a touch screen where the engine can be driven so.
test('the graph: every value against its step, the peak marked, linear or 対数目盛, read by finger, saved, copied and printed, '
  + 'following the experiments and the resets; the whole sequence by wheel and finger, and copied', { timeout }, async (t) => {
  await open({ width: 1024, height: 768, touch: page.touches });
  await experiment([typed('8400511')]);
  const values = `8400511${sequence(8400511)}`.split(' ');
  // The text box scrolls, with no scroll bar taking its room.
  assert.equal(await page.evaluate(() => { const box = document.getElementById('sequenceView'); return box.offsetWidth - box.clientWidth; }), 2);
  await page.wheel('#sequenceView', 200);
  await page.waitFor(() => document.getElementById('sequenceView').scrollTop > 0, [], 'the wheel did not scroll the text box');
  if (can(t, engine === 'chromium', 'a driven finger does not scroll, so the text box is scrolled by wheel only')) {
    const before = await $('sequenceView', 'scrollTop');
    await page.touch([300, 400], [300, 350], [300, 300], [300, 250]);
    await page.waitFor((before) => document.getElementById('sequenceView').scrollTop > before, [before], 'a finger did not scroll the text box');
  }

  await page.press('Control+g');
  await shown('graphWindow', 'グラフ － ｎ＝ 8400511');
  assert.equal(await $('graphSummary'), 'ｎ＝ 8400511\u3000ステップ数 685\u3000最大値 159,424,614,880（190 ステップ目）');
  const points = await page.evaluate(() => document.querySelector('#graphPlot polyline').getAttribute('points').trim().split(' '));
  assert.equal(points.length, 686);
  assert.equal(await page.evaluate(() => ['cx', 'cy'].map((name) => document.querySelector('#graphPlot circle').getAttribute(name)).join(',')), points[190]);

  // A finger put on the plot and slid to the peak's step: its value stays after the finger
  // lifts, until a touch somewhere else.
  if (can(t, page.touches, 'cannot be driven by touch, so the graph is read by finger only elsewhere')) {
    const at = (step) => drawnAt('#graphPlot polyline', 0, step);
    await page.touch(await at(120), await at(160), await at(190));
    const tip = () => page.evaluate(() => !document.getElementById('graphPlotTip').hidden && document.getElementById('graphPlotTip').textContent);
    assert.equal(await tip(), '190 ステップ目：159,424,614,880');
    await page.touch(await page.evaluate(() => { const box = document.getElementById('graphSummary').getBoundingClientRect(); return [box.left + 5, box.top + 5]; }));
    assert.equal(await tip(), false);
  }

  // Printed, as pdftotext reads each page: the whole sequence, and the graph on a page of its own.
  if (can(t, page.prints, 'its WebDriver cannot print')) {
    const text = spawnSync('pdftotext', ['-layout', '-', '-'], { input: await page.pdf(), encoding: 'utf8' });
    const sheets = text.stdout.split('\f').map((sheet) => sheet.replace(/\s+/g, ' ').trim());
    assert.ok(sheets.join(' ').includes(values.slice(1).join(' ')), 'the sequence was not printed whole');
    const graphSheets = sheets.filter((sheet) => sheet.includes('グラフ － ｎ＝ 8400511'));
    assert.deepEqual(graphSheets.map((sheet) => sheet.split(' ').includes('ステップ')), [true], 'the graph was not printed whole on one page');
    assert.ok(graphSheets[0].startsWith('グラフ'), 'the graph shares its page with the sequence');
  }

  await page.click('#logScale');
  assert.equal(await page.evaluate(() => [...document.querySelectorAll('#graphPlot text[text-anchor=end]')].at(-1).textContent), '1,000,000,000,000');
  // What the browser is handed to download by each button: its name, its text, and the size of a picture.
  await page.evaluate(() => {
    HTMLAnchorElement.prototype.click = function () {
      window.saved = fetch(this.href).then((response) => response.arrayBuffer()).then((bytes) => ({ name: this.download,
        text: new TextDecoder().decode(bytes), size: bytes.byteLength > 24 ? [16, 20].map((at) => new DataView(bytes).getUint32(at)) : [] }));
    };
  });
  const saved = (button) => page.evaluate(() => { window.saved = null; }).then(() => page.click(button))
    .then(() => page.waitFor(() => window.saved, [], 'nothing was saved'));
  assert.deepEqual(await saved('#saveTable').then(({ name, text }) => `${name}\n${text}`),
    `collatz-8400511.csv\nstep,value\n${values.map((value, step) => `${step},${value}\n`).join('')}`);
  assert.deepEqual((await saved('#savePicture')).size, await page.evaluate(() => {
    const box = document.querySelector('#graphPlot svg').getBoundingClientRect();
    return [2 * Math.round(box.width), 2 * Math.round(box.height)];
  }), 'the picture is not twice the size of the graph shown');
  // A school's server over plain http has no clipboard interface: the link is copied the old
  // way, and said so; where that fails too, that is said.
  await page.evaluate(() => { Object.defineProperty(navigator, 'clipboard', { value: undefined }); });
  const copied = async (said) => {
    await page.click('#copyGraphLink');
    return page.waitFor((said) => document.getElementById('graphNote').textContent === said && window.copied, [said], `not said: ${said}`);
  };
  assert.match(await copied('リンクをコピーしました。'), /collatz\.html#8400511$/);
  await page.evaluate(() => { window.copyFails = true; });
  await copied('リンクをコピーできませんでした。');
  await page.click('#resetButton');
  await shown('graphWindow', 'グラフ');
  assert.equal(await $('graphSummary'), 'まだ実験していません');
  await page.click('#closeGraph');
  await experiment([typed('27')]);
  await page.evaluate(() => { window.copyFails = window.copied = false; });
  await page.click('#sequenceView');
  await page.press('Control+a');
  await page.click('#sequenceView', 'right');
  const items = await page.waitFor(() => !document.getElementById('contextMenu').hidden
    && [...document.querySelectorAll('#contextMenu button')].map((item) => item.textContent), [], 'no menu');
  assert.deepEqual(items, ['コピー', 'グラフを表示', 'まとめて調べる']);
  await page.press('Enter');
  assert.equal(await page.waitFor(() => window.copied), sequence(27), 'コピー did not copy the text chosen');
  // Round the items, back to the graph's.
  await page.click('#sequenceView', 'right');
  for (const key of ['ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter'])
    await page.press(key);
  await shown('graphWindow', 'グラフ － ｎ＝ 27');
});

// A teacher's links, a class's survey and comparisons on a Chromebook's screen, and the
// projector, with nothing that needs a hover or a right click.
test('links open an experiment, a comparison, copied as a link, and a survey, and say once why not; a survey\'s records and drawing '
  + 'run, into view; a long press opens the menu; full screen fits the window to the screen', { timeout }, async (t) => {
  await open({ width: 1366, height: 768, touch: page.touches }, '27');
  assert.equal(await page.waitFor(() => document.getElementById('sequenceView').value), sequence(27));
  await link('100-3');
  assert.equal(await page.waitFor(() => document.getElementById('messageDialog').open && document.getElementById('messageText').textContent),
    '「100-3」は開けません。範囲は小さいほうから書きます。');
  await page.press('Enter');
  await link('27,31');
  await shown('graphWindow', 'グラフ － ｎ＝ 27, 31');
  // A line of figures for each start; on 27's line under 31's peak, 27's value.
  assert.equal((await $('graphSummary')).split('\n').length, 2);
  await page.clickAt(...await drawnAt('#graphPlot polyline', 0, 72));
  assert.equal(await page.waitFor(() => !document.getElementById('graphPlotTip').hidden && document.getElementById('graphPlotTip').textContent),
    'ｎ＝ 27\u300072 ステップ目：1,367');
  await page.evaluate(() => navigator.clipboard && (navigator.clipboard.writeText = async (text) => { window.copied = text; }));
  await page.click('#copyGraphLink');
  assert.match(await page.waitFor(() => window.copied), /^file:[^#]*collatz\.html#27,31$/);
  await link('3-100');
  await shown('surveyWindow', 'まとめて調べる － 3～100');
  assert.equal(await $('surveySummary'), 'いちばん長い：ｎ＝ 97（118 ステップ）\u3000いちばん高い：ｎ＝ 27（最大値 9,232）');
  await page.click('#surveyCompare');
  assert.equal(await page.waitFor(() => document.getElementById('surveyNote').textContent), 'くらべる数にチェックをつけてください。');
  await page.click('#surveyRecords tbody tr:last-child button');
  assert.equal(await $('startingValueLabel'), 'ｎ＝ 97');
  assert.ok(await onScreen('#sequenceView'), 'the experiment a record ran is not in view');
  // A click on 54's dot in the drawing runs it.
  await page.clickAt(...await drawnAt('#surveyPlot circle[r="1.6"]', 51));
  await page.waitFor(() => document.getElementById('startingValueLabel').textContent === 'ｎ＝ 54', [], "a click on 54's dot did not run it");

  if (can(t, page.touches, 'cannot be driven by touch, so the long press is left to the other engines')) {
    await page.page.touchscreen.touchStart(...await page.evaluate(() => {
      const box = (document.getElementById('sequenceView').scrollIntoView(), document.getElementById('sequenceView').getBoundingClientRect());
      return [box.left + 40, box.top + 40];
    }));
    await page.waitFor(() => !document.getElementById('contextMenu').hidden, [], 'a long press did not open the menu');
    await page.page.touchscreen.touchEnd();
    assert.equal(await page.evaluate(() => document.getElementById('contextMenu').hidden), false, 'the menu closed as the finger lifted');
  }

  if (await page.evaluate(() => document.getElementById('fullScreen').hidden))
    return t.diagnostic(`${engine}: has no full screen for a page`);
  for (const [width, height] of [[1920, 1080], [1366, 768]]) {
    await open({ width, height });
    await page.click('#fullScreen');
    const fits = await page.waitFor(() => document.fullscreenElement && document.getElementById('frame').style.transform && (() => {
      const start = document.getElementById('startButton').getBoundingClientRect(), client = document.getElementById('client').getBoundingClientRect();
      return { scaled: client.width > 698 * 1.2, whole: start.bottom <= innerHeight && client.right <= innerWidth };
    })(), [], 'full screen did not scale the window up');
    assert.deepEqual(fits, { scaled: true, whole: true }, `${width}×${height}`);
    await page.evaluate(() => document.exitFullscreen());
  }
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
  // Each build names its cache by its page, so that the next build replaces it.
  const digest = createHash('sha256').update(readFileSync(join(site, 'index.html'))).digest('hex').slice(0, 16);
  assert.ok(readFileSync(join(site, 'service-worker.js'), 'utf8').includes(`collatz-${digest}`), 'the cache is not named by the page');
  await page.open(`http://127.0.0.1:${server.address().port}/`);
  await page.waitFor(() => navigator.serviceWorker.ready.then(() => true));
  if (can(t, engine === 'chromium', 'the installability check is Chromium\'s own')) {
    const devtools = await page.page.createCDPSession();
    assert.deepEqual((await devtools.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  }

  build = 'second';
  const opening = async () => {
    await page.reload();
    await page.waitFor(() => !!document.querySelector('#window.ready'), [], 'the page did not open');
    return page.evaluate(() => document.querySelector('meta[name=build]')?.content ?? 'first');
  };
  const openings = [await opening()];
  // Once the new build has been kept, in place of the old one, the next opening shows it.
  await page.waitFor(() => caches.keys().then((names) => names.join() === 'collatz-second'), [], 'the new build was never kept', 10000);
  openings.push(await opening());
  assert.equal(openings.at(-1), 'second', `the openings showed the ${openings.join(', then the ')} build`);

  // The server goes away, its open connections too.
  server.close();
  server.closeAllConnections();
  if (engine !== 'chromium')
    return t.diagnostic(`${engine}: only Chromium can be taken offline`);
  await page.page.setOfflineMode(true);
  await opening();
});

// A pupil who uses only the keyboard: every feature reached with Tab, Enter, Space, arrows and
// Escape, the focus shown at each stop, into a panel as it opens and back to what opened it;
// the first key opens the audio output, as the first touch does.
test('by keyboard alone: every feature reached and used, the focus shown at each stop, a panel taking it as it opens and '
  + 'giving it back as it closes', { timeout: 2 * timeout }, async () => {
  await open({ width: 1280, height: 900 });
  // Every stop is kept, to check at the end that the focus was shown at each.
  const stops = [], key = async (...names) => stops.push(...await keys(...names)) && stops.at(-1);
  await key('Enter');
  assert.equal(await page.evaluate(() => performance.getEntriesByName('audio').length), 1, 'the first key did not open the audio output');
  await page.type('27');
  await key('Enter');
  assert.equal(await key('Control+g'), 'graphWindowTitle');
  await key('Tab', 'Tab');
  await page.type('27 31');
  await key('Enter');
  assert.equal(await $('graphWindowTitle'), 'グラフ － ｎ＝ 27, 31');
  await key('Tab', 'Tab', ' ');
  assert.equal(await $('logScale', 'checked'), true);
  assert.equal(await key('Escape'), 'startButton');
  assert.equal(await key('Control+e'), 'surveyWindowTitle');
  assert.equal(await key('Tab', 'Tab', 'Tab'), 'surveyLast');
  await key('ArrowDown', 'Enter');
  await shown('surveyWindow', 'まとめて調べる － 3～99');
  await key('Tab', 'Tab', 'Tab', ' ', 'Tab', 'Enter');
  assert.equal(await $('startingValueLabel'), 'ｎ＝ 3');
  assert.equal(await key('Tab', ' ', ...Array(20).fill('Tab')), 'surveyCompare');
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('#surveyRecords input:checked')].map((tick) => tick.value)), ['3', '6']);
  assert.equal(await key('Enter'), 'graphWindowTitle');
  assert.equal(await $('graphWindowTitle'), 'グラフ － ｎ＝ 3, 6');
  assert.equal(await key('Escape'), 'surveyCompare');
  await key('Escape');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'startButton', stops.join(', '));
  assert.deepEqual(stops.filter((stop) => stop.endsWith('(not shown)')), []);
});

// What axe-core finds wrong, the target size's rule on, in each state a lesson passes
// through, on a laptop, a phone and a Chromebook zoomed to 200 % and 400 %.
test('axe-core finds nothing wrong, target sizes included, fresh, asking, after 27, at the exit question, with the graph, a '
  + 'comparison and the survey before and after 3-100, and in full screen', { timeout: 6 * timeout }, async () => {
  const axe = readFileSync(new URL('../../node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
  const viewports = [{ width: 1280, height: 900 }, { width: 360, height: 740 }, { width: 683, height: 384, scale: 2 }, { width: 341, height: 192, scale: 4 }];
  const states = [['fresh', async () => {}], ['asking', () => page.click('#startButton')], ['after 27', typed('27')],
    ['the exit question', () => page.click('#exitButton')], ['the graph', () => page.press('Escape').then(() => page.press('Control+g'))],
    ['a comparison', () => link('27,31')], ['the survey', () => page.press('Control+e')], ['3-100 surveyed', () => link('3-100')],
    ['full screen', async () => (await $('fullScreen', 'hidden')) || page.click('#fullScreen')]];
  const found = [];
  for (const viewport of page.zooms ? viewports : viewports.slice(0, 2)) {
    await open(viewport);
    for (const [state, reach] of states) {
      await reach();
      // Shown once drawn, and the survey once done.
      await page.waitFor(() => new Promise((drawn) => requestAnimationFrame(() => drawn(!/～100$/.test(location.hash.replace('-', '～'))
        || document.getElementById('surveyRecords').rows.length > 1))));
      found.push(...await page.evaluate(async (axe, where) => {
        window.axe || new Function(axe)();
        const { violations } = await window.axe.run(document, { rules: { 'target-size': { enabled: true } } });
        return violations.map((violation) => `${where}: ${violation.id}: ${violation.nodes.map((node) => node.target.join(' ')).join(', ')}`);
      }, axe, `${viewport.width}×${viewport.height} ${state}`));
    }
    // Firefox closes a tab whose size is changed in full screen.
    await page.evaluate(() => document.fullscreenElement && document.exitFullscreen());
  }
  assert.deepEqual(found, []);
});
