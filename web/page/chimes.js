// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The two chimes, which the C++ synthesises and hands over, played through Web Audio. The
// audio output opens at the person's first touch, click or key, which Safari asks for
// anyway, and the chimes are made a slice at a time from then on: neither holds up the
// page's first moments.

import { whenReady } from './program.js';

const chimes = { audio: null, kept: new Map(), playing: null };

// Opens the audio output the first time. Safari lets a page make sound only from within a
// person's click or key, and what a click does reaches the chimes a moment later: the sound
// is let out at once.
function letSoundOut() {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!chimes.audio && Context) {
    chimes.audio = new Context();
    performance.mark('audio');
  }
  if (chimes.audio && chimes.audio.state !== 'running')
    chimes.audio.resume();
  return chimes.audio;
}

// The C++ writes each chime's samples once, as floats, where these find them.
export function keepChime(name, samples, rate) {
  chimes.kept.set(name, { samples, rate });
  performance.mark(`made ${name}`);
}

export function playChime(name) {
  stopChime();
  const audio = letSoundOut(), kept = chimes.kept.get(name);
  if (!audio || !kept)
    return;
  if (!kept.buffer) {
    kept.buffer = audio.createBuffer(1, kept.samples.length, kept.rate);
    kept.buffer.getChannelData(0).set(kept.samples);
  }
  const source = audio.createBufferSource();
  source.buffer = kept.buffer;
  source.connect(audio.destination);
  source.start();
  chimes.playing = source;
}

export function stopChime() {
  chimes.playing?.stop();
  chimes.playing = null;
}

// A first slice at once, while the finger or the key is still down, the rest whenever the
// page is idle.
const idle = window.requestIdleCallback ?? ((work) => setTimeout(work, 20));
const slice = (milliseconds) => Module._pagePrepareChimes(milliseconds) || idle(() => slice(10));
let making = null;
const gesture = () => {
  letSoundOut();
  making ??= whenReady(() => slice(40));
};
for (const input of ['pointerdown', 'keydown', 'pointerup'])
  addEventListener(input, gesture, { capture: true });
