// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Experiment.h"
#include "NumberText.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Every accepted start, through the program's own iteration and text conversion in
// double precision, against 64-bit integers; standard C++ only, so that the desktop's
// and the browser's builds both run it. A start is followed until it drops below
// itself: the rest of its road was checked before and its figures are taken from there.
struct ExhaustiveCheck {
    // The first value written wrongly, or empty.
    std::string fault;
    // The largest value, the most steps and the longest text of all runs, and the
    // starts they come from.
    std::vector<std::uint64_t> largest = std::vector<std::uint64_t>(3), from = std::vector<std::uint64_t>(3);
    // What they are known to be.
    static inline const std::vector<std::uint64_t> knownLargest{60342610919632, 685, 6024}, knownFrom{6631675, 8400511, 8865705};

    static ExhaustiveCheck run()
    {
        ExhaustiveCheck check;
        const auto last = std::uint32_t(Experiment::highest);
        std::vector<std::uint16_t> steps(last + 1), characters(last + 1);
        std::vector<std::uint64_t> peak(last + 1);
        for (std::uint32_t start = 2; start <= last; ++start) {
            std::uint64_t value = start, top = 0;
            double current = start;
            std::uint32_t count = 0, length = 0;
            do {
                value = value % 2 == 0 ? value / 2 : 3 * value + 1;
                current = Experiment::nextValue(current);
                const std::u16string text = numText(current);
                const std::string digits = ' ' + std::to_string(value);
                if (current != double(value) || !std::equal(digits.begin(), digits.end(), text.begin(), text.end())) {
                    check.fault = "from " + std::to_string(start) + ", " + std::to_string(value) + " is written '"
                                  + std::string(text.begin(), text.end()) + "'";
                    return check;
                }
                top = std::max(top, value);
                length += std::uint32_t(text.size());
                ++count;
            } while (value >= start);
            steps[start] = std::uint16_t(count + steps[value]);
            characters[start] = std::uint16_t(length + characters[value]);
            peak[start] = std::max(top, peak[value]);
            const std::uint64_t figures[] = {peak[start], steps[start], characters[start]};
            for (int i = 0; i < 3 && start >= 3; ++i) {
                check.from[i] = figures[i] > check.largest[i] ? start : check.from[i];
                check.largest[i] = std::max(check.largest[i], figures[i]);
            }
        }
        return check;
    }
};
