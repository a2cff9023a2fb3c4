// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The text box's own small menu, at the pointer, under a long press, or from the keyboard at
// the text box: コピー, then the program's commands, which Ctrl and their letters also give.

import { $, act } from './program.js';
import { copyText } from './saving.js';

const menu = $('contextMenu'), text = $('sequenceView');

function openMenu(event) {
  event.preventDefault();
  const box = text.getBoundingClientRect();
  $('copyItem').disabled = text.selectionStart === text.selectionEnd;
  menu.hidden = false;
  const x = event.clientX || box.left + 16, y = event.clientY || box.top + 16;
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - menu.offsetWidth))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - menu.offsetHeight))}px`;
  menu.querySelector('button:enabled').focus();
}

function closeMenu() {
  if (!menu.hidden) {
    menu.hidden = true;
    text.focus();
  }
}

text.addEventListener('contextmenu', openMenu);

// A long press opens it on an iPad too, whose Safari has no context menu event.
let press = null;
text.addEventListener('pointerdown', (event) => {
  if (event.pointerType !== 'touch')
    return;
  const { clientX, clientY } = event;
  press = { x: clientX, y: clientY, timer: setTimeout(() => {
    press.opened = true;
    openMenu({ clientX, clientY, preventDefault() {} });
  }, 600) };
});
// The finger that opened the menu lifts without the mouse's events a browser makes of a
// touch, which would take the focus back to the text box and close the menu.
text.addEventListener('touchend', (event) => press?.opened && event.preventDefault());
text.addEventListener('pointermove', (event) => {
  if (press && Math.hypot(event.clientX - press.x, event.clientY - press.y) > 10)
    clearTimeout(press.timer);
});
// A browser that takes a held finger for its own selection cancels the pointer: the press
// goes on, unless the finger scrolls the text.
for (const end of ['pointerup', 'scroll'])
  text.addEventListener(end, () => clearTimeout(press?.timer));

menu.addEventListener('keydown', (event) => {
  const items = [...menu.querySelectorAll('button:enabled')], at = items.indexOf(document.activeElement);
  if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
    event.preventDefault();
    items[(at + (event.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
  } else if (event.key === 'Escape' || event.key === 'Tab') {
    event.preventDefault();
    closeMenu();
  }
});
menu.addEventListener('focusout', (event) => {
  if (!menu.contains(event.relatedTarget))
    menu.hidden = true;
});
$('copyItem').addEventListener('click', () => {
  const selected = text.value.slice(text.selectionStart, text.selectionEnd);
  closeMenu();
  copyText(selected);
});
const commands = [...menu.querySelectorAll('[data-key]')];
for (const command of commands) {
  command.addEventListener('click', () => {
    closeMenu();
    act(command.dataset.action);
  });
}
// Ctrl and a command's letter, as on the desktop, in place of the browser's own use of it;
// while a dialog asks, or after the program has ended, the key is the browser's.
addEventListener('keydown', (event) => {
  const command = commands.find((item) => item.dataset.key === event.key.toLowerCase());
  if (command && (event.ctrlKey || event.metaKey) && !event.altKey && !event.shiftKey && !document.querySelector('dialog[open]')
      && !$('window').hidden) {
    event.preventDefault();
    act(command.dataset.action);
  }
});
