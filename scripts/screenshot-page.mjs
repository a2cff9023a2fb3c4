// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Saves pictures of the page in headless Chromium into a folder: the window after an
// experiment with 27, typed as a person would (page.png), its graph (page-graph.png), 27 and
// 31 compared (page-compare.png), and the surveys of 3..100 and 3..10,000,000
// (page-survey-100.png, page-survey.png), opened by their links.
// node scripts/screenshot-page.mjs PAGE FOLDER
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from './Browser.mjs';

const [page, folder] = process.argv.slice(2);
const browser = await launch('chromium');
const tab = await browser.newPage();
await tab.open(pathToFileURL(page).href, { width: 732, height: 572 });
await tab.press('Enter');
await tab.waitFor(() => document.getElementById('inputDialog').open);
await tab.type('27');
await tab.press('Enter');
await tab.waitFor(() => document.getElementById('sequenceView').value);
await tab.page.screenshot({ path: join(folder, 'page.png') });
await tab.press('Control+g');
await tab.waitFor(() => !document.getElementById('graphWindow').hidden);
await (await tab.page.$('#graphWindow')).screenshot({ path: join(folder, 'page-graph.png') });

// A panel opened by a link, once shown whole.
async function panel(link, id, picture) {
  const opened = await browser.newPage();
  await opened.open(`${pathToFileURL(page).href}#${link}`, { width: 732, height: 1400 });
  await opened.waitFor((id) => !document.getElementById(id).hidden && document.querySelector(`#${id} svg polyline, #${id} tbody tr`),
    [id], `${link} was not shown`, 30000);
  // The heading the panel gives the focus to as it opens, without its ring, as a mouse leaves it.
  await opened.evaluate(() => document.activeElement.blur());
  await (await opened.page.$(`#${id}`)).screenshot({ path: join(folder, picture) });
  await opened.close();
}
await panel('27,31', 'graphWindow', 'page-compare.png');
await panel('3-100', 'surveyWindow', 'page-survey-100.png');
await panel('3-10000000', 'surveyWindow', 'page-survey.png');
await browser.close();
