// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's own script: it passes clicks and keys on to the program's C++, and does what the
// C++ asks of it through the functions it returns as collatzPage. The window itself is plain
// HTML, already shown; the module, whose code compile.js began to compile, starts as soon as
// that is done. The page's other parts connect themselves to the window as they are read.

import { $, act, passText, whenReady } from './program.js';
import { fitToScreen } from './fullscreen.js';
import './menu.js';

export { keepChime, playChime, stopChime } from './chimes.js';
export { askForEntry, askYesNo, showMessage } from './dialogs.js';
export { showPanel } from './panels.js';
export { copyLink, save } from './saving.js';

export function showStartingValue(text) {
  $('startingValueLabel').textContent = text;
}

// As on the desktop, the text replaces what was typed, shown from its start; what a click
// in a panel runs comes into view.
export function showSequence(text) {
  $('sequenceView').value = $('sequencePrint').textContent = text;
  $('sequenceView').setSelectionRange(0, 0);
  if (text)
    $('sequenceView').scrollIntoView({ block: 'nearest' });
}

// Ends the program as far as a page can: closes its window where the browser lets it, and
// otherwise leaves a note that it has ended in the place of the window and its panels.
export function end() {
  // Only a window the page opened itself, or an installed app's, can be closed.
  window.close();
  if (window.closed)
    return;
  for (const element of [$('window'), $('pageLinks'), ...document.querySelectorAll('[data-panel]')])
    element.hidden = true;
  $('ended').hidden = false;
  $('restartButton').focus();
}

for (const button of document.querySelectorAll('#client button, #pageLinks [data-action]'))
  button.addEventListener('click', () => act(button.dataset.action));
$('restartButton').addEventListener('click', () => {
  $('ended').hidden = true;
  $('window').hidden = $('pageLinks').hidden = false;
  whenReady(() => Module._pageRestart());
  $('startButton').focus();
});
// What is printed is the text box's text whole, typing included.
$('sequenceView').addEventListener('input', () => { $('sequencePrint').textContent = $('sequenceView').value; });
// Served as an installable site, the page keeps itself for working offline.
if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator && isSecureContext)
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
// Fitted to the screen in the first frame, whose layout is then the only one.
requestAnimationFrame(() => {
  fitToScreen();
  $('startButton').focus();
  $('window').classList.add('ready');
  performance.mark('ready');
});
// A link's form after "#": what the page shows at once, and whenever it changes.
const openLink = () => whenReady(() => Module._pageOpenLink(passText(decodeURIComponent(location.hash.slice(1)))));
addEventListener('hashchange', openLink);
openLink();
