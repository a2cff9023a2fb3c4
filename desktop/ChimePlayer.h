// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

// Plays short wave files, found by bare name, as chimes: a new chime cuts off the one
// still sounding and starts from its first sample. Neither call waits for a file, the
// audio output or the sound, and neither reports anything: a chime that cannot be
// played is silent.
class ChimePlayer {
public:
    virtual ~ChimePlayer() = default;
    virtual void play(std::string_view fileName) = 0;
    virtual void stop() = 0;
};

// The sound library's entry point, for a program that loads the library when it is
// first needed: a new chime player, which reads the named chimes ahead of their cues.
extern "C" ChimePlayer *collatzNewChimePlayer(const char *const *chimes, int count);
