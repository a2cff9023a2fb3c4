// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphFigures.h"

#include "Experiment.h"
#include "NumberText.h"
#include "ProgramText.h"

#include <algorithm>
#include <cstdint>

namespace {

std::u16string digits(std::uint64_t value)
{
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

} // namespace

GraphFigures::GraphFigures(std::optional<double> start)
{
    if (!start)
        return;
    m_values = Experiment::trajectory(*start);
    m_peakStep = std::size_t(std::max_element(m_values.begin(), m_values.end()) - m_values.begin());
}

std::u16string GraphFigures::summary() const
{
    if (m_values.empty())
        return std::u16string(ProgramText::noExperiment);
    return std::u16string(ProgramText::labelPrefix) + numText(m_values.front()) + u'\u3000' + std::u16string(ProgramText::stepCount)
           + digits(steps()) + u'\u3000' + std::u16string(ProgramText::peakValue) + grouped(peak()) + u'（' + digits(m_peakStep)
           + std::u16string(ProgramText::atStep) + u'）';
}

std::u16string GraphFigures::title() const
{
    if (m_values.empty())
        return std::u16string(ProgramText::graphTitle);
    return std::u16string(ProgramText::graphTitle) + u" － " + std::u16string(ProgramText::labelPrefix) + numText(m_values.front());
}

std::u16string GraphFigures::valueAt(std::size_t step) const
{
    return digits(step) + std::u16string(ProgramText::atStep) + u'：' + grouped(m_values.at(step));
}

std::string GraphFigures::table() const
{
    std::string table = "step,value\n";
    for (std::size_t step = 0; step < m_values.size(); ++step)
        table += std::to_string(step) + ',' + std::to_string(std::uint64_t(m_values[step])) + '\n';
    return table;
}

std::string GraphFigures::fileName(std::string_view suffix) const
{
    const std::uint64_t start = m_values.empty() ? 0 : std::uint64_t(m_values.front());
    return "collatz-" + std::to_string(start) + '.' + std::string(suffix);
}

std::u16string GraphFigures::grouped(double value)
{
    const std::u16string plain = digits(std::uint64_t(value));
    std::u16string text;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (i > 0 && (plain.size() - i) % 3 == 0)
            text += u',';
        text += plain[i];
    }
    return text;
}
