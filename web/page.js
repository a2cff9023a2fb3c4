// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The page's own script: it passes clicks and keys on to the program's C++ and does what the
// C++ asks of it, through collatzPage, at the end. The window itself is plain HTML, already
// shown; the script only fits it to the screen. The module, whose code module.js began to
// compile, starts as soon as that is done.

const collatzPage = (() => {
  'use strict';

  const $ = (id) => document.getElementById(id);

  // The module runs what the controls do; a click that comes before it is ready waits for it.
  const moduleReady = new Promise((resolve) => {
    Module.onRuntimeInitialized = () => {
      performance.mark('compiled');
      resolve();
    };
  });
  const whenReady = (action) => moduleReady.then(action);

  const chimes = { audio: null, samples: new Map(), buffers: new Map(), playing: null };

  // Sets a style only where it changes, so that a page that fits already is not laid out again.
  function restyle(element, styles) {
    for (const [name, value] of Object.entries(styles)) {
      if (element.style[name] !== value)
        element.style[name] = value;
    }
  }

  // Condenses the panel's lines just enough for the widest to fit, as the desktop condenses
  // its font. Their widths are laid out before any transform.
  function fitPanel() {
    const panel = $('explanationPanel'), lines = panel.firstElementChild;
    const room = panel.clientWidth - 1;
    const widest = Math.max(...[...lines.querySelectorAll('span')].map((span) => span.offsetWidth));
    restyle(lines, { transform: widest > room ? `scaleX(${Math.max(0.5, room / widest)})` : '' });
  }

  // The browser itself in full screen, as F11 puts it.
  const fullScreenBrowser = matchMedia('(display-mode: fullscreen)');

  // On a screen narrower than the window, the whole window scales down to fit; in full
  // screen, the page's or the browser's, it and its panels scale up to fill the screen's width.
  function scaleToScreen() {
    const frame = $('frame'), width = frame.offsetWidth, height = frame.offsetHeight;
    const fill = !!(document.fullscreenElement || document.webkitFullscreenElement) || fullScreenBrowser.matches;
    const scale = fill ? ($('screen').clientWidth - 16) / width : Math.min(1, ($('screen').clientWidth - 16) / width);
    restyle(frame, scale !== 1 ? { transform: `scale(${scale})`, marginBottom: `${height * scale - height}px`, marginLeft: '0' }
      : { transform: '', marginBottom: '', marginLeft: '' });
  }

  // A modal dialog's Tab and Shift+Tab go round its own buttons and entry. WebKit gives the
  // dialog itself the focus on the way out backwards: it goes on to the last button.
  function keepTabInside(dialog) {
    const stops = [...dialog.querySelectorAll('input, button')];
    dialog.addEventListener('keydown', (event) => {
      if (event.key !== 'Tab')
        return;
      const leaving = event.shiftKey ? stops[0] : stops[stops.length - 1];
      if (document.activeElement === leaving) {
        event.preventDefault();
        (event.shiftKey ? stops[stops.length - 1] : stops[0]).focus();
      }
    });
    dialog.addEventListener('focus', (event) => event.relatedTarget === stops[0] && stops[stops.length - 1].focus());
  }

  // Opens the dialog with these texts, by their elements' ids, and calls back with the value
  // of the button that answered it, or with nothing for Escape, as soon as it is answered.
  function ask(dialog, texts, focus, answered) {
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
    focus.focus();
  }

  // Writes a text where the C++ reads the text of the call that follows, and gives its length.
  function passText(text) {
    Module.stringToUTF16(text, Module._pageEntryBuffer(text.length), 2 * text.length + 2);
    return text.length;
  }

  function askForEntry(prompt, title) {
    $('entry').value = '';
    ask($('inputDialog'), { inputTitle: title, inputPrompt: prompt }, $('entry'),
      (answer) => Module._pageAnswerEntry(passText(answer === 'ok' ? $('entry').value : '')));
  }

  // Notes wait for a question that is open, and for each other.
  let messages = Promise.resolve();
  function showMessage(title, text) {
    messages = messages.then(() => new Promise((resolve) => {
      const show = () => ask($('messageDialog'), { messageTitle: title, messageText: text }, $('messageOk'), resolve);
      const waiting = () => document.querySelector('dialog[open]') ? setTimeout(waiting, 100) : show();
      waiting();
    }));
  }

  function later() {
    setTimeout(() => Module._pageRunLater());
  }

  function askYesNo(question, title) {
    ask($('exitDialog'), { exitTitle: title, exitQuestion: question }, $('yesButton'),
      (answer) => Module._pageAnswerYesNo(answer === 'yes' ? 1 : 0));
  }

  function showStartingValue(text) {
    $('startingValueLabel').textContent = text;
  }

  // As on the desktop, the text replaces what was typed, shown from its start.
  function showSequence(text) {
    $('sequenceView').value = $('sequencePrint').textContent = text;
    $('sequenceView').setSelectionRange(0, 0);
  }

  // The audio output takes a while to open: it is opened once the page is ready, or at the
  // first chime.
  function openAudio() {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!chimes.audio && Context)
      chimes.audio = new Context();
    return chimes.audio;
  }

  // Safari lets a page make sound only from within a person's click or key, and what a click
  // does reaches the chimes a moment later: the sound is let out at once.
  function letSoundOut() {
    if (chimes.audio && chimes.audio.state !== 'running')
      chimes.audio.resume();
  }

  // The C++ synthesises each chime once and hands its samples over here.
  function keepChime(name, samples, rate) {
    chimes.samples.set(name, { samples: Float32Array.from(samples, (sample) => sample / 32768), rate });
  }

  function playChime(name) {
    stopChime();
    const audio = openAudio(), kept = chimes.samples.get(name);
    if (!audio || !kept)
      return;
    // The first click is the user's gesture that lets the page make sound.
    if (audio.state !== 'running')
      audio.resume();
    if (!chimes.buffers.has(name)) {
      const buffer = audio.createBuffer(1, kept.samples.length, kept.rate);
      buffer.getChannelData(0).set(kept.samples);
      chimes.buffers.set(name, buffer);
    }
    const source = audio.createBufferSource();
    source.buffer = chimes.buffers.get(name);
    source.connect(audio.destination);
    source.start();
    chimes.playing = source;
  }

  function stopChime() {
    chimes.playing?.stop();
    chimes.playing = null;
  }

  // The text box's own small menu, at the pointer or, from the keyboard, at the text box.
  function openMenu(event) {
    event.preventDefault();
    const menu = $('contextMenu'), text = $('sequenceView'), box = text.getBoundingClientRect();
    $('copyItem').disabled = text.selectionStart === text.selectionEnd;
    menu.hidden = false;
    const x = event.clientX || box.left + 16, y = event.clientY || box.top + 16;
    menu.style.left = `${Math.max(0, Math.min(x, innerWidth - menu.offsetWidth))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, innerHeight - menu.offsetHeight))}px`;
    menu.querySelector('button:enabled').focus();
  }

  function closeMenu() {
    if (!$('contextMenu').hidden) {
      $('contextMenu').hidden = true;
      $('sequenceView').focus();
    }
  }

  function connectMenu() {
    const menu = $('contextMenu'), text = $('sequenceView');
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
      navigator.clipboard?.writeText(selected).catch(() => document.execCommand('copy'));
    });
    $('graphItem').addEventListener('click', () => {
      closeMenu();
      whenReady(() => Module._pageShowGraph());
    });
  }

  // A point on the screen in a drawing's own units.
  function inDrawing(plot, event) {
    const svg = plot.firstElementChild, box = svg.getBoundingClientRect();
    return [(event.clientX - box.left) * svg.viewBox.baseVal.width / box.width, (event.clientY - box.top) * svg.viewBox.baseVal.height / box.height];
  }

  // Where the tooltip goes: below a mouse pointer, above a finger, which would hide it.
  let graphPointer = null;

  function showGraphValue(text) {
    const frame = $('graphWindow').getBoundingClientRect(), scale = frame.width / $('graphWindow').offsetWidth;
    const below = graphPointer.pointerType === 'touch' ? -40 : 16;
    Object.assign($('graphTip'), { textContent: text, hidden: false });
    Object.assign($('graphTip').style, { left: `${(graphPointer.clientX - frame.left) / scale + 12}px`,
      top: `${(graphPointer.clientY - frame.top) / scale + below}px` });
  }

  // Ctrl+G opens the graph, as on the desktop, in place of the browser's own use of it;
  // while a dialog asks, or after the program has ended, the key is the browser's.
  function connectGraph() {
    addEventListener('keydown', (event) => {
      if ((event.ctrlKey || event.metaKey) && !event.altKey && !event.shiftKey && event.key.toLowerCase() === 'g'
          && !document.querySelector('dialog[open]') && !$('window').hidden) {
        event.preventDefault();
        whenReady(() => Module._pageShowGraph());
      }
    });
    $('closeGraph').addEventListener('click', () => { $('graphWindow').hidden = true; });
    // Over the graph, as on the desktop, the value at the step under the pointer; under a
    // finger too, and still once it has lifted, until it touches somewhere else.
    const showValue = (event) => {
      if (!$('graphPlot').querySelector('polyline'))
        return;
      graphPointer = event;
      whenReady(() => Module._pageGraphValueAt(...inDrawing($('graphPlot'), event)));
    };
    $('graphPlot').addEventListener('pointerdown', showValue);
    $('graphPlot').addEventListener('pointermove', showValue);
    $('graphPlot').addEventListener('pointerleave', (event) => {
      if (event.pointerType !== 'touch')
        $('graphTip').hidden = true;
    });
    addEventListener('pointerdown', (event) => {
      if (!$('graphPlot').contains(event.target))
        $('graphTip').hidden = true;
    }, { capture: true });
    $('logScale').addEventListener('change', () => whenReady(() => Module._pageSetLogScale($('logScale').checked ? 1 : 0)));
    // The picture is the drawing at twice the size it is shown at.
    $('savePicture').addEventListener('click', () => whenReady(() => Module._pageSavePicture(2 * $('graphPlot').clientWidth,
      2 * $('graphPlot').clientHeight)));
    $('saveTable').addEventListener('click', () => whenReady(() => Module._pageSaveTable()));
  }

  function showGraph(title, summary, svg, empty, bringIntoView) {
    $('graphTitle').textContent = title;
    $('graphSummary').textContent = summary;
    $('graphPlot').innerHTML = svg;
    $('graphPlot').setAttribute('aria-label', `${$('graphPlot').dataset.name}${summary}`);
    $('savePicture').disabled = $('saveTable').disabled = empty;
    if (bringIntoView) {
      $('graphWindow').hidden = false;
      scaleToScreen();
      $('graphWindow').scrollIntoView({ block: 'nearest' });
    }
  }

  function showSurvey(stage, progress, first, last, title, summary, svg, records, tableAllowed, bringIntoView) {
    const running = stage === 'running', done = stage === 'done';
    $('surveyFirst').value = first;
    $('surveyLast').value = last;
    $('surveyRun').disabled = running;
    $('surveyCancel').disabled = !running;
    $('surveyProgress').value = progress;
    for (const id of ['surveyCompare', 'surveySaveRecords', 'surveyCopyLink'])
      $(id).disabled = !done;
    $('surveySaveTable').disabled = !(done && tableAllowed);
    $('surveySaveTable').title = done && !tableAllowed ? $('surveySaveTable').dataset.tooLong : '';
    $('surveyTitle').textContent = title;
    $('surveySummary').textContent = summary;
    if (svg !== null) {
      $('surveyPlot').innerHTML = svg;
      $('surveyPlot').setAttribute('aria-label', `${$('surveyPlot').dataset.name}${summary}`);
      const rows = JSON.parse(records).map(([start, steps, highest, kind]) => {
        const row = document.createElement('tr'), choose = document.createElement('input'), run = document.createElement('button');
        Object.assign(choose, { type: 'checkbox', value: start });
        choose.setAttribute('aria-label', String(start));
        Object.assign(run, { type: 'button', textContent: start });
        run.addEventListener('click', () => whenReady(() => Module._pageRunStart(start)));
        row.append(...[choose, run, steps, highest, kind].map((content) => {
          const cell = document.createElement('td');
          cell.append(content);
          return cell;
        }));
        return row;
      });
      $('surveyRecords').tBodies[0].replaceChildren(...rows);
    }
    if (bringIntoView) {
      $('surveyWindow').hidden = false;
      scaleToScreen();
      $('surveyWindow').scrollIntoView({ block: 'nearest' });
    }
  }

  // Where the page is, with a link's form after "#".
  function copyLink(link) {
    const address = `${location.href.split('#')[0]}#${link}`;
    navigator.clipboard?.writeText(address).catch(() => {
      const copy = Object.assign(document.createElement('textarea'), { value: address });
      document.body.append(copy);
      copy.select();
      document.execCommand('copy');
      copy.remove();
    });
  }

  function connectSurvey() {
    const open = () => whenReady(() => Module._pageShowSurvey());
    $('openSurvey').addEventListener('click', open);
    $('surveyItem').addEventListener('click', () => {
      closeMenu();
      open();
    });
    addEventListener('keydown', (event) => {
      if ((event.ctrlKey || event.metaKey) && !event.altKey && !event.shiftKey && event.key.toLowerCase() === 'e'
          && !document.querySelector('dialog[open]') && !$('window').hidden) {
        event.preventDefault();
        open();
      }
    });
    $('closeSurvey').addEventListener('click', () => { $('surveyWindow').hidden = true; });
    $('surveyRange').addEventListener('submit', (event) => {
      event.preventDefault();
      whenReady(() => Module._pageSurvey(Number($('surveyFirst').value), Number($('surveyLast').value)));
    });
    $('surveyCancel').addEventListener('click', () => Module._pageCancelSurvey());
    $('surveyPlot').addEventListener('click', (event) => {
      if (!$('surveyCompare').disabled)
        Module._pageSurveyStartAt(...inDrawing($('surveyPlot'), event));
    });
    $('surveyCompare').addEventListener('click', () => {
      const chosen = [...$('surveyRecords').querySelectorAll('input:checked')].map((box) => box.value);
      Module._pageCompare(passText(chosen.join(',')));
    });
    $('surveySaveTable').addEventListener('click', () => Module._pageSaveSurveyTable());
    $('surveySaveRecords').addEventListener('click', () => Module._pageSaveRecords());
    $('surveyCopyLink').addEventListener('click', () => Module._pageCopySurveyLink());
    $('compareForm').addEventListener('submit', (event) => {
      event.preventDefault();
      whenReady(() => Module._pageCompare(passText($('compareStarts').value)));
    });
    $('copyGraphLink').addEventListener('click', () => Module._pageCopyGraphLink());
    // A link's form after "#": what the page shows at once, and whenever it changes.
    const openLink = () => whenReady(() => Module._pageOpenLink(passText(decodeURIComponent(location.hash.slice(1)))));
    addEventListener('hashchange', openLink);
    openLink();
  }

  // On a projector: full screen, the window and its panels scaled up to fill it.
  function connectFullScreen() {
    const root = document.documentElement;
    $('fullScreen').hidden = !(root.requestFullscreen || root.webkitRequestFullscreen);
    $('fullScreen').addEventListener('click', () => (root.requestFullscreen ?? root.webkitRequestFullscreen).call(root));
    for (const change of ['fullscreenchange', 'webkitfullscreenchange'])
      document.addEventListener(change, scaleToScreen);
    fullScreenBrowser.addEventListener?.('change', scaleToScreen);
  }

  // Hands the file to the browser's download.
  function download(name, blob) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // A picture comes as SVG with its size in pixels, and is saved as PNG at that size.
  function save(name, type, contents) {
    if (type !== 'image/png')
      return download(name, new Blob([contents], { type: `${type};charset=utf-8` }));
    const image = new Image(), source = URL.createObjectURL(new Blob([contents], { type: 'image/svg+xml' }));
    image.onload = () => {
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
      URL.revokeObjectURL(source);
      canvas.toBlob((blob) => download(name, blob), 'image/png');
    };
    image.src = source;
  }

  // Ends the program as far as a page can: closes its window where the browser lets it, and
  // otherwise puts a note that it has ended in the place of the window and its panels.
  function end() {
    // Only a window the page opened itself, or an installed app's, can be closed.
    window.close();
    if (window.closed)
      return;
    $('window').hidden = $('pageLinks').hidden = $('graphWindow').hidden = $('surveyWindow').hidden = true;
    $('ended').hidden = false;
    $('restartButton').focus();
  }

  function restart() {
    $('ended').hidden = true;
    $('window').hidden = $('pageLinks').hidden = false;
    whenReady(() => Module._pageRestart());
    $('startButton').focus();
  }

  function connectWindow() {
    for (const button of document.querySelectorAll('#client button'))
      button.addEventListener('click', () => whenReady(() => Module._pageTrigger(Number(button.dataset.action))));
    $('restartButton').addEventListener('click', restart);
    // What is printed is the text box's text whole, typing included.
    $('sequenceView').addEventListener('input', () => { $('sequencePrint').textContent = $('sequenceView').value; });
    keepTabInside($('inputDialog'));
    keepTabInside($('exitDialog'));
    connectMenu();
    connectGraph();
    connectSurvey();
    connectFullScreen();
    addEventListener('resize', () => { scaleToScreen(); fitPanel(); });
    document.fonts?.ready.then(fitPanel);
    for (const gesture of ['pointerup', 'keydown'])
      addEventListener(gesture, letSoundOut, { capture: true });
    // Fitted to the screen in the first frame, whose layout is then the only one.
    requestAnimationFrame(() => {
      scaleToScreen();
      fitPanel();
      $('startButton').focus();
      $('window').classList.add('ready');
      performance.mark('ready');
    });
    // The module starts once it has been compiled, alongside the window's drawing; its script
    // was read before this one. The audio output and the chimes wait until it is ready.
    Module.compiled.then(() => startProgram(Module));
    whenReady(() => setTimeout(() => {
      openAudio();
      Module._pagePrepareChimes();
    }));
    // Served as an installable site, the page keeps itself for working offline.
    if (document.querySelector('link[rel=manifest]') && 'serviceWorker' in navigator && isSecureContext)
      navigator.serviceWorker.register('service-worker.js').catch(() => {});
  }

  connectWindow();

  // What the C++ calls, by these names.
  return { askForEntry, askYesNo, showStartingValue, showSequence, keepChime, playChime, stopChime, showGraph, showGraphValue,
    showSurvey, showMessage, copyLink, later, save, end };
})();
