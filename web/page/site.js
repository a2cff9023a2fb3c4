// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Served as an installable site, the page keeps itself for working offline.
export function connectSite() {
  if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator && isSecureContext)
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
