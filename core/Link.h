// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a page's address after "#", the desktop program's argument or the graph's entry asks
// to show: one experiment ("27"), up to four compared in the graph ("27,31"), or the survey of
// a range ("3-100"). Spaces and "、" also part starts, full-width digits count, and a start
// given twice is drawn once.
struct Link {
    enum class Kind { None, Start, Compare, Survey, NotUnderstood, OutOfRange, TooMany, Reversed };

    static Link parse(std::u16string_view text);
    // A survey's range, given as numbers, checked as a link's is.
    static Link range(double first, double last);

    Kind kind = Kind::None;
    // The start, the starts compared, or the survey's first and last.
    std::vector<std::uint32_t> starts;
    // Why it cannot be shown, quoting it; empty when it can.
    std::u16string problem;

    // The form it is written in: "27", "27,31" or "3-100".
    std::string text() const;
};
