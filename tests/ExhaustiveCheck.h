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
// itself: the rest of its road was checked before. No accepted start takes more than 685
// steps to reach 1, so a start still going after that many names a wrong iteration.
// Returns the first fault, or nothing.
inline std::string exhaustiveCheck()
{
    for (std::uint32_t start = 2; start <= std::uint32_t(Experiment::highest); ++start) {
        std::uint64_t value = start;
        double current = start;
        for (int steps = 1; value >= start; ++steps) {
            if (steps > 685)
                return "from " + std::to_string(start) + ", still going after 685 steps";
            value = value % 2 == 0 ? value / 2 : 3 * value + 1;
            current = Experiment::nextValue(current);
            const std::u16string text = numText(current);
            const std::string digits = ' ' + std::to_string(value);
            if (current != double(value) || !std::equal(digits.begin(), digits.end(), text.begin(), text.end()))
                return "from " + std::to_string(start) + ", " + std::to_string(value) + " is written '" + std::string(text.begin(), text.end()) + "'";
        }
    }
    return {};
}
