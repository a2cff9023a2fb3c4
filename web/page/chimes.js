// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The two chimes, which the C++ synthesises and hands over, played through Web Audio. The
// audio output opens at the person's first touch, click or key, which Safari asks for
// anyway, and the chimes are made a slice at a time from then on: neither holds up the
// page's first moments.

import { whenReady } from './program.js';

const chimes = { audio: null, buffers: new Map(), kept: new Map(), playing: null };

function openAudio() {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!chimes.audio && Context) {
    chimes.audio = new Context();
    performance.mark('audio');
  }
  return chimes.audio;
}

// Safari lets a page make sound only from within a person's click or key, and what a click
// does reaches the chimes a moment later: the sound is let out at once.
function letSoundOut() {
  const audio = openAudio();
  if (audio && audio.state !== 'running')
    audio.resume();
}

// The C++ writes each chime's samples once, as floats, where these find them.
export function keepChime(name, samples, rate) {
  chimes.kept.set(name, { samples, rate });
  performance.mark(`made ${name}`);
}

export function playChime(name) {
  stopChime();
  const audio = openAudio(), kept = chimes.kept.get(name);
  if (!audio || !kept)
    return;
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

export function stopChime() {
  chimes.playing?.stop();
  chimes.playing = null;
}

export function connectChimes() {
  let first = true;
  const gesture = () => {
    letSoundOut();
    if (!first)
      return;
    first = false;
    // A first slice at once, while the finger or the key is still down, the rest whenever
    // the page is idle.
    const idle = window.requestIdleCallback ?? ((work) => setTimeout(work, 20));
    const slice = (milliseconds) => Module._pagePrepareChimes(milliseconds) || idle(() => slice(10));
    whenReady(() => slice(40));
  };
  for (const input of ['pointerdown', 'keydown', 'pointerup'])
    addEventListener(input, gesture, { capture: true });
}
