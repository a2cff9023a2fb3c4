// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <vector>

// The median and the range of a benchmark's measurements, which is what it prints.
struct Spread {
    double median, least, most;
};

template<typename T> T median(std::vector<T> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

inline Spread spread(const std::vector<double> &values)
{
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    return {median(values), *least, *most};
}
