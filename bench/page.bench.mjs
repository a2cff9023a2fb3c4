// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's figures in headless Chromium: opening the file to the window ready for a
// click that opens the dialog, at full speed and on a CPU four times slower (a cheap
// Chromebook's), against the same controls in plain HTML with no script, and an experiment with
// 8,400,511 from OK to the final paint, against one store of its final text, each floor
// measured side by side in the same run; Ctrl+G to its drawn graph and 対数目盛 to the
// graph drawn again; the survey; the first click on 初期化 to its chime, at full speed and
// on the slower CPU, against a chime made before the click; and Lighthouse's figures for the site, the file and the plain window,
// each served over http://localhost, the site also compressed.
// Usage: node bench/page.bench.mjs build-web/collatz.html [opening|experiment|graph|survey|chime|lighthouse]

import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { basename, dirname, extname, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launch as launchChrome } from 'chrome-launcher';
import lighthouse from 'lighthouse';
import { launch } from '../scripts/Browser.mjs';

const file = resolve(process.argv[2] ?? 'build-web/collatz.html');
const page = pathToFileURL(file).href;
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
  // In a folder of its own, which a server can serve as it is.
  const folder = join(tmpdir(), 'collatz-plain-window');
  mkdirSync(folder, { recursive: true });
  const plain = join(folder, 'index.html');
  writeFileSync(plain, html);
  return plain;
}
const plainFile = await plainWindow();
const floor = pathToFileURL(plainFile).href;

// A fresh tab on a CPU this many times slower.
async function slowTab(slowdown) {
  const tab = await browser.newPage();
  await (await tab.page.createCDPSession()).send('Emulation.setCPUThrottlingRate', { rate: slowdown });
  return tab;
}

// Milliseconds from the start of the navigation to the window ready for a click that opens
// the dialog: its first paint, and for the page its module compiled too; on a CPU this many
// times slower.
async function ready(url, slowdown) {
  const tab = await slowTab(slowdown);
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

// A fresh tab on a CPU this many times slower, once the page has settled (its module started
// and nothing left to do), as a person's first click would find it.
async function settled(slowdown, url = page) {
  const tab = await slowTab(slowdown);
  await tab.open(url);
  await tab.waitFor(() => performance.getEntriesByName('compiled').length, [], 'the module never started', 20000);
  await tab.evaluate(() => new Promise((resolve) => requestIdleCallback(resolve)));
  return tab;
}

// From the click event on 初期化 to its chime's start, for the tab's first input, which
// opens the audio output, and three clicks after it: the chime starts when it is started or,
// the first time, when the audio context opened for it runs, whichever comes later; and the
// same plus the context's latency to the speaker.
async function chimes(slowdown, url = page) {
  const tab = await settled(slowdown, url);
  await tab.evaluate(() => {
    window.chimes = [];
    document.getElementById('resetButton').addEventListener('click', (event) => { window.clickedAt = event.timeStamp; },
      { capture: true });
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      const context = this.context, clickedAt = window.clickedAt;
      const started = () => {
        const at = performance.now() - clickedAt;
        window.chimes.push({ at, heard: at + 1000 * ((context.baseLatency ?? 0) + (context.outputLatency ?? 0)) });
      };
      context.state === 'running' ? started() : context.addEventListener('statechange', started, { once: true });
      return start.apply(this, args);
    };
  });
  for (let click = 1; click <= 4; ++click) {
    await tab.click('#resetButton');
    await tab.waitFor((count) => window.chimes.length === count, [click], 'the chime never started');
  }
  const started = await tab.evaluate(() => window.chimes);
  await tab.close();
  return started;
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
    // The module's memory, which the page does not name, is the one among its exports.
    window.memory = () => Object.values(Module.asm).find((value) => value instanceof WebAssembly.Memory).buffer.byteLength;
    window.heap = memory();
    // Each showing of the survey's panel (view 1), with its stage as the panel then shows it:
    // running while 中止 can be clicked, done once its records or its range's title come.
    const script = collatzPage;
    window.collatzPage = { ...script, showPanel(view, ...rest) {
      const at = performance.now();
      script.showPanel(view, ...rest);
      if (view.id === 1) {
        window.shown.push([at, !document.getElementById('surveyCancel').disabled ? 'running'
          : view.records || view.title.endsWith('～10000000') ? 'done' : 'stopped']);
      }
    } };
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
      grown: (memory() - window.heap) / 2 ** 20 });
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
    const cancelled = window.shown.find(([, stage]) => stage === 'stopped');
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

// The floor of the first chime: a page that opens its audio output at the first touch, as
// the page does, and plays a chime whose samples were made before it was opened, which
// leaves the browser's own start of its audio output and nothing else.
function chimeFloor() {
  const folder = join(tmpdir(), 'collatz-chime-floor');
  mkdirSync(folder, { recursive: true });
  writeFileSync(join(folder, 'index.html'), `<!doctype html><title>floor</title><div id="window" class="ready"><button id="resetButton">初期化</button></div>
<script>
const samples = Float32Array.from({ length: 59535 }, (_, at) => 0.5 * Math.sin(at / 10) * Math.exp(-at / 20000));
let audio = null;
performance.mark('compiled');
addEventListener('pointerdown', () => { audio ??= new AudioContext(); audio.resume(); }, { capture: true });
document.getElementById('resetButton').addEventListener('click', () => {
  const buffer = audio.createBuffer(1, samples.length, 44100), source = audio.createBufferSource();
  buffer.getChannelData(0).set(samples);
  source.buffer = buffer;
  source.connect(audio.destination);
  source.start();
});
</script>`);
  return pathToFileURL(join(folder, 'index.html')).href;
}

for (const slowdown of wanted('chime') ? [1, 4] : []) {
  const firsts = [], laters = [], floors = [], floor = chimeFloor();
  for (let round = 0; round < 9; ++round) {
    // Each in turn first, so that neither gains from going second.
    for (const url of round % 2 ? [page, floor] : [floor, page]) {
      const [first, ...later] = await chimes(slowdown, url);
      if (url === floor) {
        floors.push(first);
      } else {
        firsts.push(first);
        laters.push(...later);
      }
    }
  }
  const at = (clicks, what) => clicks.map((chime) => chime[what]);
  console.log(`the floor, a chime made before the first click, its audio output opened at the first touch, CPU ${slowdown}x slower: `
    + `median ${median(at(floors, 'at')).toFixed(1)} ms (${range(at(floors, 'at'))})`);
  console.log(`the first click on 初期化 to its chime's start, CPU ${slowdown}x slower: median ${median(at(firsts, 'at')).toFixed(1)} ms `
    + `(${range(at(firsts, 'at'))} over ${firsts.length} tabs${slowdown === 4 ? '; goal 50' : ''}), `
    + `heard with the context's latency ${median(at(firsts, 'heard')).toFixed(1)} ms (${range(at(firsts, 'heard'))}); `
    + `the clicks after it ${median(at(laters, 'at')).toFixed(1)} ms (${range(at(laters, 'at'))}), `
    + `heard ${median(at(laters, 'heard')).toFixed(1)} ms`);
}

// A folder served over http://localhost as a school's server would serve it, each file whole
// or, to a browser that takes it, gzip-compressed once; it counts the bytes of what it sends.
async function serve(folder, gzip = false) {
  const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
    '.png': 'image/png' };
  const compressed = new Map(), served = { sent: 0 };
  const server = createServer((request, response) => {
    const path = join(folder, new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html'));
    let body;
    try {
      body = readFileSync(path);
    } catch {
      return response.writeHead(404).end();
    }
    const headers = { 'Content-Type': types[extname(path)] ?? 'application/octet-stream' };
    // A PNG is compressed already.
    if (gzip && extname(path) !== '.png' && /\bgzip\b/.test(request.headers['accept-encoding'])) {
      compressed.has(path) || compressed.set(path, gzipSync(body, { level: 9 }));
      body = compressed.get(path);
      Object.assign(headers, { 'Content-Encoding': 'gzip', Vary: 'Accept-Encoding' });
    }
    served.sent += body.length;
    response.writeHead(200, { ...headers, 'Content-Length': body.length }).end(body);
  });
  await new Promise((listening) => server.listen(0, 'localhost', listening));
  return Object.assign(served, { url: `http://localhost:${server.address().port}/`, close: () => server.close() });
}

// One run of Lighthouse with its defaults (the mobile preset, its simulated throttling) on a
// Chromium of its own.
async function audit(url) {
  const chrome = await launchChrome({ chromePath: '/usr/bin/chromium', chromeFlags: ['--headless=new', '--no-sandbox',
    '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run'] });
  try {
    const { lhr } = await lighthouse(url, { port: chrome.port, logLevel: 'error' });
    if (lhr.runtimeError)
      throw new Error(`Lighthouse on ${url}: ${lhr.runtimeError.message}`);
    return lhr;
  } finally {
    await chrome.kill();
  }
}

// What is printed of each run, with its goal, and how it is written.
const score = (category) => (lhr) => 100 * lhr.categories[category].score;
const audited = (name, scale = 1) => (lhr) => lhr.audits[name].numericValue / scale;
const lighthouseFigures = [
  ['performance', score('performance'), 0, '', '>= 95'],
  ['TBT', audited('total-blocking-time'), 0, ' ms', '<= 150'],
  ['TTI', audited('interactive', 1000), 2, ' s', '<= 3.0'],
  ['FCP', audited('first-contentful-paint', 1000), 2, ' s'],
  ['LCP', audited('largest-contentful-paint', 1000), 2, ' s'],
  ['accessibility', score('accessibility'), 0, '', '100'],
  ['best practices', score('best-practices'), 0, '', '100'],
  ['SEO', score('seo'), 0, '', '100'],
  ['the page\'s transfer', audited('total-byte-weight', 1024), 1, ' KiB'],
  // As it installs, the service worker fetches the site's files again, which Lighthouse does
  // not count.
  ['all the server sent', (lhr) => lhr.sent / 1024, 1, ' KiB'],
];

if (wanted('lighthouse')) {
  const site = join(dirname(file), 'site');
  const targets = [
    ['the site (site/)', await serve(site), ''],
    ['the site, gzip-compressed', await serve(site, true), ''],
    [`the file (${basename(file)})`, await serve(dirname(file)), basename(file)],
    ['the plain window, without a script', await serve(dirname(plainFile)), basename(plainFile)],
  ];
  const runs = targets.map(() => []);
  // The targets in turn, round after round, so that a busy moment does not fall on one alone.
  for (let round = 0; round < 5; ++round) {
    for (const [index, [, server, path]] of targets.entries()) {
      server.sent = 0;
      const lhr = await audit(server.url + path);
      runs[index].push(Object.assign(lhr, { sent: server.sent }));
    }
  }
  targets.forEach(([, server]) => server.close());
  console.log('Lighthouse, mobile preset, median of 5 runs (their range; what the server sent without headers):');
  targets.forEach(([name], index) => console.log(`  ${name}: ${lighthouseFigures.map(([figure, read, digits, unit, goal]) => {
    const values = runs[index].map(read), shown = (value) => value.toFixed(digits);
    return `${figure} ${shown(median(values))}${unit} (${shown(Math.min(...values))} to ${shown(Math.max(...values))}`
      + `${goal ? `; goal ${goal}` : ''})`;
  }).join(', ')}`));
}

await browser.close();
