// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cmath>
#include <vector>

// The iteration itself, in double precision, as the experiment runs it: exact for every
// value the accepted starts reach, all far below 2^53.
namespace Experiment {

inline constexpr double lowest = 3;
inline constexpr double highest = 10000000;

// Whether a value read from an entry, already floored, is a start the experiment takes.
inline bool accepts(double start)
{
    return start >= lowest && start <= highest;
}

// One step: half of an even value, three times an odd one plus one.
inline double nextValue(double value)
{
    const double half = value * 0.5;
    return std::floor(half) == half ? half : 3 * value + 1;
}

// Every value from the start down to 1, both included.
std::vector<double> trajectory(double start);

} // namespace Experiment
