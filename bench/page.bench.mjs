// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's figures in headless Chromium: opening the file to the window ready for a
// click that opens the dialog, at full speed and on a CPU four times slower (a cheap
// Chromebook's), against the same controls in plain HTML with no script, and an experiment with
// 8,400,511 from OK to the final paint, against one store of its final text, each floor
// measured side by side in the same run; Ctrl+G to its drawn graph and 対数目盛 to the
// graph drawn again; and a click on 初期化 to its chime.
// Usage: node bench/page.bench.mjs build-web/collatz.html

import { writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from '../tests/web/Browser.mjs';

const page = pathToFileURL(process.argv[2] ?? 'build-web/collatz.html').href;
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

for (const slowdown of [1, 4]) {
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
for (let round = 0; round < 15; ++round) {
  const { run, store } = await experiment();
  runs.push(run);
  stores.push(store);
  storeRatios.push(run / store);
}
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
for (let round = 0; round < 9; ++round) {
  const { opened, switched } = await graph();
  openings.push(opened);
  switches.push(switched);
}
console.log(`Ctrl+G to the drawn graph of 8,400,511: median ${median(openings).toFixed(1)} ms (${range(openings)}; goal 50); `
  + `対数目盛 to the graph drawn again: median ${median(switches).toFixed(1)} ms (${range(switches)}; goal 20)`);

const chime = await chimes();
console.log(`a click on 初期化 to its chime: median ${median(chime.later).toFixed(1)} ms (${range(chime.later)} over ${chime.later.length} clicks), `
  + `${chime.first.toFixed(1)} ms the first time; of which the context's latency ${chime.latency.toFixed(1)} ms`);

await browser.close();
