// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Puts the page together, as one file and as an installable site, in one step: the
// template's {{name}} places take the texts and the window's markup that the C++ wrote,
// the icon, the page's script and the module. It checks first that every name one side of
// the bridge calls, the other defines, so that a rename fails the build, not the page.
//
// node MakePage.mjs template=page.html script=page.js compile=module.js module=collatz-module.js
//   program=collatz-module.wasm texts=texts.json icon=collatz-64.png site-source=site icons=resources
//   page=collatz.html site=site

import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const options = Object.fromEntries(process.argv.slice(2).map((argument) => argument.split(/=(.*)/s).slice(0, 2)));
const read = (name) => readFileSync(options[name], 'utf8');
const fail = (message) => {
  console.error(`MakePage: ${message}`);
  process.exit(1);
};

const script = read('script'), compile = read('compile'), module = read('module');

// What the C++ calls of the page's script, and what the script returns as collatzPage.
const returned = /return \{([\w\s,]+)\};\s*\}\)\(\);\s*$/.exec(script);
if (!returned)
  fail('page.js must end by returning the functions of collatzPage');
const defined = new Set(returned[1].split(',').map((name) => name.trim()));
for (const [, name] of module.matchAll(/collatzPage\.(\w+)\(/g)) {
  if (!defined.has(name))
    fail(`the C++ calls collatzPage.${name}, which page.js does not define`);
}
// What the page's script calls of the module, and what the module exports.
for (const [, name] of script.matchAll(/Module\._(\w+)\(/g)) {
  if (!module.includes(`Module["_${name}"]`))
    fail(`page.js calls Module._${name}, which the module does not export`);
}
for (const [name, text] of [['page.js', script], ['module.js', compile], ['the module', module]]) {
  if (/<\/script/i.test(text))
    fail(`${name} holds "</script", which would end its element in the page`);
}

const values = { ...JSON.parse(read('texts')), icon: readFileSync(options.icon).toString('base64'),
  program: readFileSync(options.program).toString('base64'), compile, script, module };
function fill(template, extra) {
  const all = { ...values, ...extra }, unused = new Set(Object.keys(all));
  const filled = template.replace(/\{\{(\w+)\}\}/g, (place, name) => {
    if (!(name in all))
      fail(`nothing is given for ${place}`);
    unused.delete(name);
    return all[name];
  });
  return { filled, unused };
}

const template = read('template');
const single = fill(template, { siteLinks: '' });
if (single.unused.size)
  fail(`the template has no place for ${[...single.unused].join(', ')}`);
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
