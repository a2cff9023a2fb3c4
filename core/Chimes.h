// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The program's two chimes, synthesised: "pinpon.wav", a doorbell's high then low tone, and
// "endpinpon.wav", three falling tones. Each note is a soft-attack, exponentially decaying
// bell tone with a few inharmonic partials, and each chime ends in 150 ms of silence. The
// desktop's wave files are written from these samples; the page plays them as they are.
namespace Chimes {

inline constexpr int rate = 44100;

// 16-bit mono samples at the rate above, the same every time; none for another name.
std::vector<std::int16_t> samples(std::string_view fileName);

// The same samples as a RIFF WAVE file.
std::string waveFile(std::string_view fileName);

} // namespace Chimes
