// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

// A wave-audio device driven only by storing strings into two properties: a command
// ("Stop", "Close", "Open", "Sound") and the file the next "Open" opens.
class CueDevice {
public:
    virtual ~CueDevice() = default;
    virtual void setCommand(std::string_view command) = 0;
    virtual void setFileName(std::string_view fileName) = 0;
};

// The sound library's entry point, for a program that loads the library when it is
// first needed: a new chime player, which reads the named chimes ahead of their cues.
extern "C" CueDevice *collatzNewChimePlayer(const char *const *chimes, int count);
