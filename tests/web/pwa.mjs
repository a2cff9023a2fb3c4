import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { engines } from './Browser.mjs';
const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
const root = '/work/main/build-web/site';
const server = createServer(async (req, res) => {
  const path = join(root, req.url === '/' ? 'index.html' : req.url.split('?')[0]);
  try { const body = await readFile(path); res.writeHead(200, { 'content-type': types[extname(path)] }); res.end(body); } catch { res.writeHead(404); res.end(); }
}).listen(0, '127.0.0.1');
await new Promise(r => server.once('listening', r));
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({ headless: true, ...engines.chromium });
const page = await browser.newPage();
await page.goto(url);
await page.waitForFunction(() => navigator.serviceWorker.controller || navigator.serviceWorker.ready.then(() => true));
const cdp = await page.createCDPSession();
console.log(JSON.stringify(await cdp.send('Page.getInstallabilityErrors')));
console.log(JSON.stringify(await cdp.send('Page.getAppManifest'), null, 0).slice(0, 300));
server.close();
await page.setOfflineMode(true);
await page.reload();
await page.waitForSelector('#window.ready');
console.log('offline ok', await page.$eval('#caption', e => e.textContent));
await browser.close();
