// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"

namespace Experiment {

std::vector<double> trajectory(double start)
{
    std::vector<double> values{start};
    while (values.back() > 1 && withinBounds(int(values.size()) - 1, values.back()))
        values.push_back(nextValue(values.back()));
    return values;
}

} // namespace Experiment
