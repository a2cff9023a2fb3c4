// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The program's module as the rest of the page's script reaches it: what the controls do is
// passed on to it, and a click that comes before it is ready waits for it.

export const $ = (id) => document.getElementById(id);

// The module starts once it has been compiled, alongside the window's drawing; its script
// was read before this one.
const moduleReady = Module.compiled.then(() => startProgram(Module)).then(() => performance.mark('compiled'));
export const whenReady = (work) => moduleReady.then(work);

// Writes a text where the C++ reads the text of the call that follows, and gives its length.
export function passText(text) {
  Module.stringToUTF16(text, Module._pageTextBuffer(text.length), 2 * text.length + 2);
  return text.length;
}

// An action of the layout's or a panel's, with what it takes: a check box's state, a start,
// the survey's range, a point of a drawing, or an entry's text.
export const act = (action, a = 0, b = 0, text = '') => whenReady(() => Module._pageAct(Number(action), a, b, passText(text)));
