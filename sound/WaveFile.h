#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The samples of a RIFF WAVE file holding uncompressed PCM (8, 16, 24 or 32-bit
// integers, or 32-bit floats), converted to 16-bit signed mono at 44.1 kHz. It reads
// and checks the file; it does not play it.
namespace WaveFile {

inline constexpr int rate = 44100;
// Chimes are short; anything larger is not one.
inline constexpr std::size_t largestFile = 64 * 1024 * 1024;

// Nothing when the bytes are not a playable wave file.
std::optional<std::vector<std::int16_t>> decode(const std::uint8_t *data, std::size_t size);
std::optional<std::vector<std::int16_t>> load(const std::string &path);

} // namespace WaveFile
