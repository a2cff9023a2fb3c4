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
// No accepted start takes more steps than this to reach 1 (8,400,511 takes them all), nor
// climbs past 2^46 (6,631,675 comes nearest): every loop over a road stops there, so that a
// wrong rule ends in a wrong result, not in a loop that never ends.
inline constexpr int mostSteps = 685;
inline constexpr double highestValue = 70368744177664;

// Whether a road, this many steps and this high so far, may go on.
inline bool withinBounds(int steps, double value)
{
    return steps < mostSteps && value <= highestValue;
}

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

// Every value from the start down to 1, both included, within the bounds above.
inline std::vector<double> trajectory(double start)
{
    std::vector<double> values{start};
    while (values.back() > 1 && withinBounds(int(values.size()) - 1, values.back()))
        values.push_back(nextValue(values.back()));
    return values;
}

} // namespace Experiment
