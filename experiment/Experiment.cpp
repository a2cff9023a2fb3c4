// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"

#include "NumberText.h"
#include "Services.h"

#include <cmath>
#include <string>

namespace Experiment {

std::optional<double> run(ExperimentState &state, Services &services)
{
    for (;;) {
        reset(state, services);
        std::optional<std::u16string> entry = services.askForEntry(prompt, title);
        if (!entry)
            return std::nullopt;
        state.entryText = std::move(*entry);
        state.currentValue = std::floor(readNumber(state.entryText));
        services.showStartingValue(std::u16string(labelPrefix) + numText(state.currentValue));

        if (state.currentValue >= lowest && state.currentValue <= highest)
            break;
    }

    // No event is handled while the values are reached, so nobody could see the text
    // grow: it is shown once, whole.
    const double start = state.currentValue;
    while (state.currentValue != 1) {
        state.currentValue = nextValue(state.currentValue);
        state.sequenceText += numText(state.currentValue);
    }
    services.showSequence(state.sequenceText);
    return start;
}

std::vector<double> trajectory(double start)
{
    std::vector<double> values{start};
    while (values.back() > 1)
        values.push_back(nextValue(values.back()));
    return values;
}

void reset(ExperimentState &state, Services &services)
{
    services.showSequence(u"");
    services.showStartingValue(u"");
    state.sequenceText.clear();
}

} // namespace Experiment
