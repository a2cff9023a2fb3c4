// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"

#include "NumberText.h"
#include "Services.h"

#include <cmath>
#include <string>

namespace Experiment {

std::optional<double> run(FormState &state, Services &services)
{
    for (;;) {
        services.setText(Services::Target::Text1, u"");
        services.setText(Services::Target::Label1, u"");
        state.sequenceText.clear();

        std::optional<std::u16string> entry = services.inputBox(prompt, title);
        if (!entry)
            return std::nullopt;
        state.entryText = std::move(*entry);
        state.currentValue = std::floor(readNumber(state.entryText));
        services.setText(Services::Target::Label1, std::u16string(labelPrefix) + numText(state.currentValue));

        if (state.currentValue >= lowest && state.currentValue <= highest)
            break;
    }

    const double start = state.currentValue;
    while (state.currentValue != 1) {
        state.currentValue = nextValue(state.currentValue);
        state.sequenceText += numText(state.currentValue);
        services.setText(Services::Target::Text1, state.sequenceText);
    }
    return start;
}

std::vector<double> trajectory(double start)
{
    std::vector<double> values{start};
    while (values.back() > 1)
        values.push_back(nextValue(values.back()));
    return values;
}

void reset(FormState &state, Services &services)
{
    services.setText(Services::Target::Text1, u"");
    services.setText(Services::Target::Label1, u"");
    state.sequenceText.clear();
}

} // namespace Experiment
