// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's script at build time: every call the window makes of it is written out, as
// a call the page will make of its own script as it is read.
globalThis.collatzPage = new Proxy({}, {
  get: (page, name) => (...args) => console.log(`collatzPage.${name}(${args.map((arg) => JSON.stringify(arg)).join(', ')});`),
});
