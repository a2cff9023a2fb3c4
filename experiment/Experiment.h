// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"

#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

class Services;

// The experiment itself: asking for a starting value and iterating it down to 1.
// It reaches the window only through Services and keeps no state of its own.
namespace Experiment {

inline constexpr std::u16string_view prompt = u"3以上10000000以下の整数を半角で入力してください．．．";
inline constexpr std::u16string_view title = u"\u3000３ｘ＋１ の問題";
inline constexpr std::u16string_view labelPrefix = u"ｎ＝";
inline constexpr double lowest = 3;
inline constexpr double highest = 10000000;

// One step of the iteration: half of an even value, three times an odd one plus one.
// Exact for every integral value the accepted range can reach.
inline double nextValue(double value)
{
    const double half = value * 0.5;
    return std::floor(half) == half ? half : 3 * value + 1;
}

// Every value from the starting value down to 1, both included, as a run reaches them.
std::vector<double> trajectory(double start);

// Empties the display and the accumulated sequence; the last entry and value stay.
void reset(ExperimentState &state, Services &services);

// Asks until a starting value from 3 to 10,000,000 is given, shows it, runs the
// iteration to 1 and shows the whole sequence. Returns the starting value, or nothing
// when the program began to end while it asked.
std::optional<double> run(ExperimentState &state, Services &services);

} // namespace Experiment
