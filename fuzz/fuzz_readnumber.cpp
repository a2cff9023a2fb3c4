// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Reads arbitrary UTF-16 text as a starting value, the way an entry is read, and
// writes the floored value back as text.

#include "NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    const double value = readNumber(text);
    // Text never reads as "not a number", and the floor of what it reads is written
    // with its sign first.
    if (std::isnan(value))
        std::abort();
    const std::u16string written = numText(std::floor(value));
    if (written.empty() || (written[0] != u' ' && written[0] != u'-'))
        std::abort();
    return 0;
}
