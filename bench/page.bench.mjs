// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's figures in headless Chromium: opening the file to the window ready for a
// click that opens the dialog, at full speed and on a CPU four times slower (a cheap
// Chromebook's), against the same controls in plain HTML with no script, and an experiment with
// 8,400,511 from OK to the final paint, against one store of its final text, each floor
// measured side by side in the same run; Ctrl+G to its drawn graph and 対数目盛 to the
// graph drawn again; and a click on 初期化 to its chime.
// Usage: node bench/page.bench.mjs build-web/collatz.html [opening|experiment|graph|survey|chime]

import { writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from '../tests/web/Browser.mjs';

const page = pathToFileURL(process.argv[2] ?? 'build-web/collatz.html').href;
// One of the figures alone, or all of them.
const wanted = (figure) => !process.argv[3] || process.argv[3] === figure;
const rounds = 31;

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
const range = (values) => `${Math.min(...values).toFixed(1)} to ${Math.max(...values).toFixed(1)}`;

const browser = await launch('chromium');

// A tab with the page, its input dialog asking, the entry typed.
async function asking(entry) {
  const tab = await browser.newPage();
  await tab.open(page);
  await tab.click('#startButton');
  await tab.waitFor(() => document.getElementById('inputDialog').open);
  await tab.type(entry);
  return tab;
}

// The floor: the page's own window as it stands once shown, saved as plain HTML, without
// any script, module or chime.
async function plainWindow() {
  const tab = await browser.newPage();
  await tab.open(page);
  const html = await tab.evaluate(() => {
    const copy = document.documentElement.cloneNode(true);
    copy.querySelectorAll('script, dialog, #graphWindow, #contextMenu, #ended, #sequencePrint').forEach((element) => element.remove());
    return `<!doctype html>\n${copy.outerHTML}`;
  });
  await tab.close();
  const file = join(tmpdir(), 'collatz-plain-window.html');
  writeFileSync(file, html);
  return pathToFileURL(file).href;
}
const floor = await plainWindow();

// Milliseconds from the start of the navigation to the window ready for a click that opens
// the dialog: its first paint, and for the page its module compiled too; on a CPU this many
// times slower.
async function ready(url, slowdown) {
  const tab = await browser.newPage();
  await (await tab.page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate: slowdown });
  await tab.open(url);
  const at = await tab.waitFor(() => {
    const painted = performance.getEntriesByName('first-contentful-paint')[0]?.startTime;
    const compiled = document.querySelector('script') ? performance.getEntriesByName('compiled')[0]?.startTime : 0;
    return painted && compiled !== undefined && Math.max(painted, compiled);
  }, [], 'the page was never ready', 20000);
  await tab.close();
  return at;
}

// In the page: the time of the paint of the first frame in which the text box holds this
// much text, or the graph is shown, or drawn on its logarithmic axis.
function paintOf(what, length) {
  const shown = {
    text: () => document.getElementById('sequenceView').value.length === length,
    graph: () => !document.getElementById('graphWindow').hidden && document.querySelector('#graphPlot polyline'),
    log: () => [...document.querySelectorAll('#graphPlot text[text-anchor=end]')].at(-1)?.textContent === '1,000,000,000,000',
  }[what];
  return new Promise((resolve) => {
    (function look() {
      requestAnimationFrame(() => shown() ? setTimeout(() => resolve(performance.now())) : look());
    })();
  });
}

async function experiment() {
  const tab = await asking('8400511');
  const length = await tab.evaluate(() => {
    let text = '';
    for (let value = 8400511; value !== 1;) {
      value = value % 2 ? 3 * value + 1 : value / 2;
      text += ` ${value}`;
    }
    const ok = document.querySelector('#inputDialog button[value=ok]');
    ok.addEventListener('click', (event) => { window.clickedAt = event.timeStamp; }, { capture: true });
    window.finalText = text;
    return text.length;
  });
  const painted = tab.evaluate(paintOf, 'text', length);
  await tab.click('#inputDialog button[value=ok]');
  const run = await painted - await tab.evaluate(() => window.clickedAt);

  // One store of the same text, from a click, in the same window.
  await tab.evaluate(() => {
    const store = document.createElement('button');
    store.id = 'store';
    store.style = 'position: fixed; left: 0; top: 0';
    document.body.append(store);
    document.getElementById('sequenceView').value = '';
    store.addEventListener('click', (event) => {
      window.clickedAt = event.timeStamp;
      document.getElementById('sequenceView').value = window.finalText;
    });
  });
  const stored = tab.evaluate(paintOf, 'text', length);
  await tab.click('#store');
  const store = await stored - await tab.evaluate(() => window.clickedAt);
  await tab.close();
  return { run, store };
}

// From the click event on 初期化 to the chime's start, plus the audio context's latency
// to the speaker, for clicks after the first, which lets the page make sound.
async function chimes() {
  const tab = await browser.newPage();
  await tab.open(page);
  await tab.evaluate(() => {
    window.delays = [];
    document.getElementById('resetButton').addEventListener('click', (event) => { window.clickedAt = event.timeStamp; },
      { capture: true });
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.latency = 1000 * ((this.context.baseLatency ?? 0) + (this.context.outputLatency ?? 0));
      window.delays.push(performance.now() - window.clickedAt + window.latency);
      return start.apply(this, args);
    };
  });
  for (let click = 0; click <= rounds; ++click) {
    await tab.click('#resetButton');
    await tab.waitFor((count) => window.delays.length === count, [click + 1]);
  }
  const { delays, latency } = await tab.evaluate(() => ({ delays: window.delays, latency: window.latency }));
  await tab.close();
  return { first: delays[0], later: delays.slice(1), latency };
}

for (const slowdown of wanted('opening') ? [1, 4] : []) {
  const opened = [], floors = [], ratios = [];
  for (let round = 0; round < rounds; ++round) {
    // Each pair in turn in both orders, so that neither gains from going second.
    const [first, second] = round % 2 ? [floor, page] : [page, floor];
    const times = { [first]: await ready(first, slowdown), [second]: await ready(second, slowdown) };
    opened.push(times[page]);
    floors.push(times[floor]);
    ratios.push(times[page] / times[floor]);
  }
  console.log(`opening the file to the first click that opens the dialog, CPU ${slowdown}x slower: `
    + `median ${median(opened).toFixed(1)} ms (${range(opened)}), plain HTML ${median(floors).toFixed(1)} ms (${range(floors)}); `
    + `ratio ${median(ratios).toFixed(2)} (goal 1.3)`);
}

const runs = [], stores = [], storeRatios = [];
for (let round = 0; round < (wanted('experiment') ? 15 : 0); ++round) {
  const { run, store } = await experiment();
  runs.push(run);
  stores.push(store);
  storeRatios.push(run / store);
}
if (runs.length)
  console.log(`8,400,511, OK to the final paint: median ${median(runs).toFixed(1)} ms (${range(runs)}), `
  + `one store of its text ${median(stores).toFixed(1)} ms (${range(stores)}); ratio ${median(storeRatios).toFixed(2)} (goal 1.2)`);

// Ctrl+G to the drawn graph of 8,400,511, and 対数目盛 to the graph drawn again.
async function graph() {
  const tab = await asking('8400511');
  await tab.press('Enter');
  await tab.waitFor(() => document.getElementById('sequenceView').value);
  await tab.evaluate(() => {
    addEventListener('keydown', (event) => { window.eventAt = event.timeStamp; }, { capture: true });
    addEventListener('click', (event) => { window.eventAt = event.timeStamp; }, { capture: true });
  });
  const drawn = tab.evaluate(paintOf, 'graph');
  await tab.press('Control+g');
  const opened = await drawn - await tab.evaluate(() => window.eventAt);
  const redrawn = tab.evaluate(paintOf, 'log');
  await tab.click('#logScale');
  const switched = await redrawn - await tab.evaluate(() => window.eventAt);
  await tab.close();
  return { opened, switched };
}

const openings = [], switches = [];
for (let round = 0; round < (wanted('graph') ? 9 : 0); ++round) {
  const { opened, switched } = await graph();
  openings.push(opened);
  switches.push(switched);
}
if (openings.length)
  console.log(`Ctrl+G to the drawn graph of 8,400,511: median ${median(openings).toFixed(1)} ms (${range(openings)}; goal 50); `
  + `対数目盛 to the graph drawn again: median ${median(switches).toFixed(1)} ms (${range(switches)}; goal 20)`);

// まとめて調べる for 3..10,000,000: from the click on 調べる to the survey shown, the longest
// wait between two showings of its progress, how soon 中止 is answered, and how much the
// module's memory grew; against the same survey in plain script, in the same page.
// A tab with the survey's panel open for 3..10,000,000, noting each time it is shown.
async function surveyPanel() {
  const tab = await browser.newPage();
  await tab.open(page);
  await tab.click('#openSurvey');
  await tab.waitFor(() => !document.getElementById('surveyWindow').hidden);
  await tab.evaluate(() => {
    document.getElementById('surveyLast').value = 10000000;
    window.shown = [];
    window.heap = Module.HEAP8.length;
    const show = collatzPage.showSurvey;
    collatzPage.showSurvey = (...args) => {
      window.shown.push([performance.now(), args[0]]);
      return show(...args);
    };
    for (const id of ['surveyRun', 'surveyCancel'])
      document.getElementById(id).addEventListener('click', (event) => { window[id] = event.timeStamp; }, { capture: true });
  });
  return tab;
}

async function survey() {
  let tab = await surveyPanel();
  await tab.click('#surveyRun');
  await tab.waitFor(() => window.shown.some(([, stage]) => stage === 'done'), [], 'the survey never ended', 30000);
  const figures = await tab.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(() => {
    const times = [window.surveyRun, ...window.shown.map(([at]) => at)];
    const waits = times.slice(1).map((at, index) => at - times[index]);
    resolve({ done: performance.now() - window.surveyRun, longestWait: Math.max(...waits.slice(0, -1)),
      grown: (Module.HEAP8.length - window.heap) / 2 ** 20 });
  }))));
  figures.floor = await tab.evaluate(() => {
    const began = performance.now(), last = 10000000;
    const steps = new Uint16Array(last + 1), highest = new Float64Array(last + 1);
    highest[1] = 1;
    for (let start = 2; start <= last; ++start) {
      let value = start, top = start, count = 0;
      while (value >= start) {
        value = value % 2 ? 3 * value + 1 : value / 2;
        top = Math.max(top, value);
        ++count;
      }
      steps[start] = count + steps[value];
      highest[start] = Math.max(top, highest[value]);
    }
    return performance.now() - began;
  });
  await tab.close();

  // 中止 a while into a survey in a fresh tab, clicked where the button is, as soon as the
  // survey has shown some progress.
  tab = await surveyPanel();
  const cancel = await (await tab.page.$('#surveyCancel')).boundingBox();
  await tab.click('#surveyRun');
  await tab.waitFor(() => window.shown.some(([, stage]) => stage === 'running'));
  await tab.page.mouse.click(cancel.x + cancel.width / 2, cancel.y + cancel.height / 2);
  figures.cancel = await tab.waitFor(() => {
    const cancelled = window.shown.find(([, stage]) => stage === 'cancelled');
    return cancelled && cancelled[0] - window.surveyCancel;
  });
  await tab.close();
  return figures;
}

const surveys = [];
for (let round = 0; round < (wanted('survey') ? 5 : 0); ++round)
  surveys.push(await survey());
const of = (name) => surveys.map((figures) => figures[name]);
if (surveys.length)
  console.log(`3..10,000,000 from 調べる to the survey shown: median ${median(of('done')).toFixed(0)} ms (${range(of('done'))}; goal 3000), `
  + `in plain script in one go ${median(of('floor')).toFixed(0)} ms; the longest wait between two showings of the progress `
  + `${Math.max(...of('longestWait')).toFixed(0)} ms (goal 100); 中止 answered in ${Math.max(...of('cancel')).toFixed(0)} ms at the most `
  + `(goal 100); the module's memory grew by ${median(of('grown')).toFixed(0)} MiB (goal 256)`);

const chime = wanted('chime') && await chimes();
if (chime)
  console.log(`a click on 初期化 to its chime: median ${median(chime.later).toFixed(1)} ms (${range(chime.later)} over ${chime.later.length} clicks), `
  + `${chime.first.toFixed(1)} ms the first time; of which the context's latency ${chime.latency.toFixed(1)} ms`);

await browser.close();
