// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Saves a picture of the page in headless Chromium after an experiment with 27, typed as a
// person would, and one of its graph: node scripts/screenshot-page.mjs PAGE PICTURE GRAPH
import { pathToFileURL } from 'node:url';
import { launch } from '../tests/web/Browser.mjs';

const [page, picture, graph] = process.argv.slice(2);
const browser = await launch('chromium');
const tab = await browser.newPage();
await tab.open(pathToFileURL(page).href, { width: 732, height: 572 });
await tab.press('Enter');
await tab.waitFor(() => document.getElementById('inputDialog').open);
await tab.type('27');
await tab.press('Enter');
await tab.waitFor(() => document.getElementById('sequenceView').value);
await tab.page.screenshot({ path: picture });
await tab.press('Control+g');
await tab.waitFor(() => !document.getElementById('graphWindow').hidden);
const panel = await tab.page.$('#graphWindow');
await panel.screenshot({ path: graph });
await browser.close();
