// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Keeps the installed page working offline: every file of the site is kept at install,
// and every request is answered from there first; the page is kept once, under the site's
// own address, which also answers for index.html. A new build of the page, whose digest
// names the cache, replaces the old one.
const cacheName = 'collatz-{{digest}}';
const files = ['./', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

// The files are fetched afresh, past the browser's own cache: a server that gives old
// dates and no Cache-Control lets the browser keep the last build's files for weeks.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const page = new URL(event.request.url).pathname.endsWith('/index.html') ? './' : event.request;
  event.respondWith(caches.match(page, { ignoreSearch: true }).then((kept) => kept ?? fetch(event.request)));
});
