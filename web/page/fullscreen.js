// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The window fitted to the screen: at its own size where it fits, with its explanation's
// lines condensed as the desktop condenses its font; in one column, its text as large as
// the browser makes it, where it does not fit or its lines are taller than their rows
// (larger text, wider spacing); and in full screen, the page's or the browser's (F11),
// scaled up until the window fills the screen's width or its height, its panels below.

import { $ } from './program.js';

const root = document.documentElement;
// The browser itself in full screen, as F11 puts it.
const fullScreenBrowser = matchMedia('(display-mode: fullscreen)');

// Sets a style only where it changes, so that a page that fits already is not laid out again.
function restyle(element, styles) {
  for (const [name, value] of Object.entries(styles)) {
    if (element.style[name] !== value)
      element.style[name] = value;
  }
}

// Condenses the lines just enough for the widest to fit; their widths are laid out before
// any transform. Whether any line is taller than its row.
function fitPanel() {
  const panel = $('explanationPanel'), lines = panel.firstElementChild, spans = [...lines.querySelectorAll('span')];
  const room = panel.clientWidth - 1, widest = Math.max(...spans.map((span) => span.offsetWidth));
  restyle(lines, { transform: widest > room ? `scaleX(${Math.max(0.5, room / widest)})` : '' });
  return spans.some((span) => span.offsetHeight > span.parentElement.clientHeight + 0.5);
}

export function fitToScreen() {
  // The window's own width and the screen's margins are the page's first script's.
  const frame = $('frame'), room = $('screen').clientWidth - screenMargins;
  restyle(frame, { transform: '', marginBottom: '', marginLeft: '' });
  if (root.classList.toggle('flow', ownWidth > room) || fitPanel())
    return root.classList.add('flow');
  if (document.fullscreenElement || document.webkitFullscreenElement || fullScreenBrowser.matches) {
    // Never smaller than its own size, below which a finger could miss its buttons.
    const height = frame.offsetHeight, scale = Math.max(1, Math.min(room / ownWidth, (innerHeight - 32) / $('window').offsetHeight));
    restyle(frame, { transform: `scale(${scale})`, marginBottom: `${height * scale - height}px`,
      marginLeft: `${Math.max(0, (room - ownWidth * scale) / 2)}px` });
  }
}

$('fullScreen').hidden = !(root.requestFullscreen || root.webkitRequestFullscreen);
$('fullScreen').addEventListener('click', () => (root.requestFullscreen ?? root.webkitRequestFullscreen).call(root));
addEventListener('resize', fitToScreen);
for (const change of ['fullscreenchange', 'webkitfullscreenchange'])
  document.addEventListener(change, fitToScreen);
fullScreenBrowser.addEventListener?.('change', fitToScreen);
document.fonts?.ready.then(fitToScreen);
