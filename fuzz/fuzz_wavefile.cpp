// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Loads arbitrary bytes as a chime file, the way the player does once it has read them.

#include "WaveFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto samples = WaveFile::decode(data, size);
    // Nothing longer than a chime may come out, however the file's rate is converted.
    if (samples && samples->size() > WaveFile::longestSeconds * WaveFile::rate + 1)
        std::abort();
    return 0;
}
