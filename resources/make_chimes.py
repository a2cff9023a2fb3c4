#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT
"""Synthesises the two chimes as 16-bit mono PCM at 44.1 kHz: "pinpon.wav", a doorbell's
high then low tone, and "endpinpon.wav", three falling tones. Each note is a soft-attack,
exponentially decaying bell tone with a few inharmonic partials; each file ends in 150 ms
of silence. Run from this folder; the output is the same every time."""

import math
import struct
import wave

RATE = 44100
ATTACK = 0.008
TAIL = 0.150
# Partials of a small bell or vibraphone bar: (frequency ratio, level, decay factor).
PARTIALS = [(1.0, 1.0, 1.0), (2.0, 0.25, 1.8), (3.93, 0.12, 3.0), (9.54, 0.03, 6.0)]


def note(frequency, start, length, level, decay):
    """Samples of one note, as (first sample index, list of floats)."""
    count = int(length * RATE)
    samples = []
    for i in range(count):
        t = i / RATE
        attack = min(1.0, t / ATTACK)
        # A raised-cosine attack avoids a click; the last 30 ms fade to nothing.
        attack = 0.5 - 0.5 * math.cos(math.pi * attack)
        release = min(1.0, (length - t) / 0.030)
        value = 0.0
        for ratio, partial, speed in PARTIALS:
            value += partial * math.exp(-t * decay * speed) * math.sin(2 * math.pi * frequency * ratio * t)
        samples.append(level * attack * release * value)
    return int(start * RATE), samples


def render(notes, length):
    total = int((length + TAIL) * RATE)
    mix = [0.0] * total
    for start, samples in notes:
        for i, value in enumerate(samples):
            if start + i < total - int(TAIL * RATE):
                mix[start + i] += value
    peak = max(abs(v) for v in mix)
    scale = 0.7 * 32767 / peak
    return [int(round(v * scale)) for v in mix]


def save(name, samples):
    with wave.open(name, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", s) for s in samples))


if __name__ == "__main__":
    # E5 then C#5: the familiar two-tone doorbell, high then low.
    save("pinpon.wav", render([note(659.26, 0.00, 0.55, 1.0, 5.0),
                               note(554.37, 0.45, 0.75, 1.0, 4.0)], 1.20))
    # G5, E5, C5 falling: a closing phrase, distinct from the doorbell.
    save("endpinpon.wav", render([note(783.99, 0.00, 0.40, 0.9, 6.0),
                                  note(659.26, 0.28, 0.40, 0.9, 6.0),
                                  note(523.25, 0.56, 0.74, 1.0, 4.0)], 1.30))
