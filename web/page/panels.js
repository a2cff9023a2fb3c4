// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The panels below the window, the graph's and the survey's, as the C++ describes them: each
// view shown as it stands, and what is done in them passed on by their controls' actions.
// Opening a panel takes the focus to its heading; closing it, by its button or Escape, gives
// the focus back to what opened it.

import { $, act, whenReady } from './program.js';
import { fitToScreen } from './fullscreen.js';

const openers = new Map();
const control = (panel, role) => panel.querySelector(`[data-role=${role}]`);

// A point on the screen in a drawing's own units.
function inDrawing(plot, event) {
  const svg = plot.firstElementChild, box = svg.getBoundingClientRect();
  return [(event.clientX - box.left) * svg.viewBox.baseVal.width / box.width, (event.clientY - box.top) * svg.viewBox.baseVal.height / box.height];
}

function close(panel) {
  panel.hidden = true;
  act(control(panel, 'close').dataset.action);
  const opener = openers.get(panel);
  (opener?.isConnected && opener.offsetParent ? opener : $('startButton')).focus();
}

function showRecords(table, view) {
  if (view.records) {
    table.tBodies[0].replaceChildren();
    for (const [start, tickName, runName, ...cells] of view.records) {
      const tick = Object.assign(document.createElement('input'), { type: 'checkbox', value: start });
      const run = Object.assign(document.createElement('button'), { type: 'button', value: start, textContent: cells[0] });
      tick.setAttribute('aria-label', tickName);
      run.setAttribute('aria-label', runName);
      const row = table.tBodies[0].insertRow();
      for (const content of [tick, run, ...cells.slice(1)])
        row.insertCell().append(content);
    }
  }
  for (const tick of table.querySelectorAll('input'))
    tick.checked = view.ticked.includes(Number(tick.value));
}

export function showPanel(view, svg, bringIntoView) {
  const panel = document.querySelector(`[data-panel="${view.id}"]`);
  panel.querySelector('h2').textContent = view.title;
  for (const element of panel.querySelectorAll('[data-control]')) {
    const [enabled, checked, number, tip] = view.controls[element.dataset.control];
    if ('disabled' in element)
      element.disabled = !enabled;
    element.title = tip;
    switch (element.dataset.role) {
    case 'summary': element.textContent = view.summary; break;
    case 'note': element.textContent = view.note; break;
    case 'plot': svg !== null && (element.innerHTML = svg); break;
    case 'number': element.value = number; break;
    case 'check': element.checked = !!checked; break;
    case 'progress': element.value = view.progress; break;
    case 'records': showRecords(element, view); break;
    }
  }
  if (!bringIntoView)
    return;
  if (panel.hidden) {
    openers.set(panel, document.activeElement);
    panel.hidden = false;
    fitToScreen();
    panel.querySelector('h2').focus({ preventScroll: true });
  }
  panel.scrollIntoView({ block: 'nearest' });
}

// Over the graph, as on the desktop, the value at the step under the pointer; under a finger
// too, and still once it has lifted, until it touches somewhere else.
function connectGraphValues(plot) {
  const tip = Object.assign(document.createElement('div'), { id: `${plot.id}Tip`, hidden: true, className: 'tip' });
  tip.setAttribute('role', 'tooltip');
  plot.after(tip);
  const panel = plot.closest('section');
  const show = (event) => whenReady(() => {
    const text = plot.querySelector('polyline') && Module.UTF16ToString(Module._pageGraphValueAt(...inDrawing(plot, event)));
    if (!text)
      return;
    // Below a mouse pointer, above a finger, which would hide it.
    const frame = panel.getBoundingClientRect(), scale = frame.width / panel.offsetWidth;
    Object.assign(tip, { textContent: text, hidden: false });
    Object.assign(tip.style, { left: `${(event.clientX - frame.left) / scale + 12}px`,
      top: `${(event.clientY - frame.top) / scale + (event.pointerType === 'touch' ? -40 : 16)}px` });
  });
  plot.addEventListener('pointerdown', show);
  plot.addEventListener('pointermove', show);
  plot.addEventListener('pointerleave', (event) => event.pointerType !== 'touch' && (tip.hidden = true));
  addEventListener('pointerdown', (event) => !plot.contains(event.target) && (tip.hidden = true), { capture: true });
}

for (const panel of document.querySelectorAll('[data-panel]')) {
  const plot = control(panel, 'plot');
  // The size the drawing is shown at, for a button whose row holds nothing to pass on.
  const shown = () => [plot.clientWidth, plot.clientHeight];
  for (const element of panel.querySelectorAll('[data-role=button][type=button], [data-role=check]')) {
    element.addEventListener(element.type === 'checkbox' ? 'change' : 'click',
      () => act(element.dataset.action, ...(element.type === 'checkbox' ? [element.checked ? 1 : 0] : shown())));
  }
  for (const form of panel.querySelectorAll('form')) {
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      const numbers = [...form.querySelectorAll('[type=number]')].map((input) => input.valueAsNumber);
      act(event.submitter.dataset.action, numbers[0] ?? 0, numbers[1] ?? 0, form.querySelector('[type=text]')?.value ?? '');
    });
  }
  if (Number(plot.dataset.action))
    plot.addEventListener('click', (event) => plot.firstElementChild && act(plot.dataset.action, ...inDrawing(plot, event)));
  else
    connectGraphValues(plot);
  const records = control(panel, 'records');
  records?.addEventListener('change', (event) => act(records.dataset.tick, Number(event.target.value), event.target.checked ? 1 : 0));
  records?.addEventListener('click', (event) => event.target.localName === 'button' && act(records.dataset.action, Number(event.target.value)));
  control(panel, 'close').addEventListener('click', () => close(panel));
  panel.addEventListener('keydown', (event) => event.key === 'Escape' && close(panel));
}
