// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Puts the page together, as one file and as an installable site, in one step: the
// template's {{name}} places take the markup and figures that the C++ wrote, the icon, the
// page's style and script, each bundled and minified by esbuild, and the module.
//
// node MakePage.mjs template=page.html scripts=page module=collatz-module.js program=collatz-module.wasm
//   texts=texts.json icon=collatz-64.png site-source=site icons=resources page=collatz.html site=site

import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { buildSync, transformSync } from 'esbuild';

const options = Object.fromEntries(process.argv.slice(2).map((argument) => argument.split(/=(.*)/s).slice(0, 2)));
const read = (name) => readFileSync(options[name], 'utf8');

const scripts = options.scripts, module = read('module');
const minified = (code, loader = 'js') => transformSync(code, { loader, minify: true, target: 'es2020' }).code.trim();
const values = { ...JSON.parse(read('texts')), icon: readFileSync(options.icon).toString('base64'),
  program: readFileSync(options.program).toString('base64'), module: minified(module),
  compile: minified(readFileSync(join(scripts, 'compile.js'), 'utf8')), style: minified(readFileSync(join(scripts, 'page.css'), 'utf8'), 'css'),
  script: buildSync({ entryPoints: [join(scripts, 'main.js')], bundle: true, format: 'iife', globalName: 'collatzPage', minify: true,
    target: 'es2020', write: false }).outputFiles[0].text.trim() };
for (const name of ['script', 'compile', 'module']) {
  if (/<\/script/i.test(values[name]))
    throw new Error(`MakePage: the ${name} holds "</script", which would end its element in the page`);
}

// Fills the places, and the places what fills them holds, once each.
function fill(template, extra) {
  const all = { ...values, ...extra }, unused = new Set(Object.keys(all));
  const filled = (text) => text.replace(/\{\{(\w+)\}\}/g, (place, name) => {
    if (!(name in all))
      throw new Error(`MakePage: nothing is given for ${place}`);
    unused.delete(name);
    return name === 'body' ? filled(all[name]) : all[name];
  });
  return { filled: filled(template), unused };
}

const template = read('template');
const single = fill(template, { siteLinks: '' });
if (single.unused.size)
  throw new Error(`MakePage: the template has no place for ${[...single.unused].join(', ')}`);
writeFileSync(options.page, single.filled);

// The site: the page naming its manifest and its icon for a home screen, the service worker
// keeping the page by a digest of it, the manifest and the icons.
mkdirSync(options.site, { recursive: true });
const index = fill(template, { siteLinks: '<link rel="manifest" href="manifest.webmanifest">\n'
  + '<link rel="apple-touch-icon" href="icon-192.png">\n' }).filled;
writeFileSync(join(options.site, 'index.html'), index);
const digest = createHash('sha256').update(index).digest('hex').slice(0, 16);
writeFileSync(join(options.site, 'service-worker.js'),
  fill(readFileSync(join(options['site-source'], 'service-worker.js'), 'utf8'), { digest }).filled);
copyFileSync(join(options['site-source'], 'manifest.webmanifest'), join(options.site, 'manifest.webmanifest'));
for (const size of [192, 512])
  copyFileSync(join(options.icons, `collatz-${size}.png`), join(options.site, `icon-${size}.png`));
