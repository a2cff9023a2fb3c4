// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The samples of a short wave file, read by SDL (PCM, float, ADPCM, A-law, mu-law) and
// converted to 16-bit signed mono at 44.1 kHz. Anything that is not a short, readable
// chime gives nothing; it does not play what it reads.
namespace WaveFile {

inline constexpr int rate = 44100;
// A chime is short: larger files and longer sounds are refused before they are decoded
// or converted, so a hostile file costs neither time nor memory.
inline constexpr std::size_t largestFile = 2 * 1024 * 1024;
inline constexpr double longestSeconds = 5;

std::optional<std::vector<std::int16_t>> decode(const std::uint8_t *data, std::size_t size);
// Reads regular files only: a FIFO or a device under a chime's name is never opened.
std::optional<std::vector<std::int16_t>> load(const std::string &path);

} // namespace WaveFile
