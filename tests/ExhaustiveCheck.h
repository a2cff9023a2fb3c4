// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Experiment.h"
#include "NumberText.h"

#include <algorithm>
#include <cstdint>
#include <string>

// Every accepted start, through the program's own iteration and text conversion in
// double precision, against 64-bit integers; standard C++ only, so that the desktop's
// and the browser's builds both run it. A start is followed until it drops below
// itself: the rest of its road was checked before. Returns the first value written
// wrongly, or nothing.
inline std::string exhaustiveCheck()
{
    for (std::uint32_t start = 2; start <= std::uint32_t(Experiment::highest); ++start) {
        std::uint64_t value = start;
        double current = start;
        do {
            value = value % 2 == 0 ? value / 2 : 3 * value + 1;
            current = Experiment::nextValue(current);
            const std::u16string text = numText(current);
            const std::string digits = ' ' + std::to_string(value);
            if (current != double(value) || !std::equal(digits.begin(), digits.end(), text.begin(), text.end()))
                return "from " + std::to_string(start) + ", " + std::to_string(value) + " is written '" + std::string(text.begin(), text.end()) + "'";
        } while (value >= start);
    }
    return {};
}
