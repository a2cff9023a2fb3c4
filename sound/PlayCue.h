// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "CueDevice.h"

#include <string_view>

// Cuts off any chime still sounding and starts the named wave file from its first
// sample; returns at once and reports nothing, whether or not the file could be played.
inline void PlayCue(CueDevice &device, std::string_view fileName)
{
    device.setCommand("Stop");
    device.setCommand("Close");
    device.setFileName(fileName);
    device.setCommand("Open");
    device.setCommand("Sound");
}
