// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The three modal dialogs the program asks with: the entry, the exit question and a note.

import { $, passText } from './program.js';

// Tab and Shift+Tab go round a dialog's own buttons and entry. WebKit gives the dialog
// itself the focus on the way out backwards: it goes on to the last button.
for (const dialog of document.querySelectorAll('dialog')) {
  const stops = [...dialog.querySelectorAll('input, button')], first = stops[0], last = stops[stops.length - 1];
  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'Tab' && document.activeElement === (event.shiftKey ? first : last)) {
      event.preventDefault();
      (event.shiftKey ? last : first).focus();
    }
  });
  dialog.addEventListener('focus', (event) => event.relatedTarget === first && last.focus());
}

// Opens the dialog with these texts, by their elements' ids, the focus on its first entry or
// button, and calls back with the value of the button that answered it, or with nothing for
// Escape, as soon as it is answered.
function ask(dialog, texts, answered) {
  for (const [id, text] of Object.entries(texts))
    $(id).textContent = text;
  const form = dialog.querySelector('form');
  // Closed here and now, so that the question may be asked again at once.
  const answer = (event, value) => {
    event.preventDefault();
    form.onsubmit = dialog.oncancel = null;
    dialog.close();
    answered(value);
  };
  form.onsubmit = (event) => answer(event, event.submitter.value);
  dialog.oncancel = (event) => answer(event, '');
  dialog.showModal();
}

// Why the last entry was refused stands under the entry, marked invalid, and is read out.
export function askForEntry(prompt, title, refused) {
  $('entry').value = '';
  $('entry').setAttribute('aria-invalid', refused ? 'true' : 'false');
  ask($('inputDialog'), { inputTitle: title, inputText: prompt, inputRefused: refused },
    (answer) => Module._pageAnswerEntry(passText(answer === 'ok' ? $('entry').value : '')));
}

export function askYesNo(question, title) {
  ask($('exitDialog'), { exitTitle: title, exitText: question },
    (answer) => Module._pageAnswerYesNo(answer === 'yes' ? 1 : 0));
}

// Notes, under the title the page gives them, wait for a question that is open, and for each
// other.
let messages = Promise.resolve();
export function showMessage(text) {
  messages = messages.then(() => new Promise((resolve) => {
    const show = () => ask($('messageDialog'), { messageText: text }, resolve);
    const waiting = () => (document.querySelector('dialog[open]') ? setTimeout(waiting, 100) : show());
    waiting();
  }));
}
