// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphFigures.h"

#include "Experiment.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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
        return u"まだ実験していません";
    const std::string steps = std::to_string(this->steps()), peakStep = std::to_string(m_peakStep);
    return std::u16string(Experiment::labelPrefix) + numText(m_values.front()) + u"\u3000ステップ数 "
           + std::u16string(steps.begin(), steps.end()) + u"\u3000最大値 " + grouped(peak()) + u"（"
           + std::u16string(peakStep.begin(), peakStep.end()) + u" ステップ目）";
}

std::u16string GraphFigures::title() const
{
    if (m_values.empty())
        return u"グラフ";
    return u"グラフ － " + std::u16string(Experiment::labelPrefix) + numText(m_values.front());
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

double GraphFigures::logAxisTop() const
{
    return std::pow(10.0, std::max(1.0, std::ceil(std::log10(peak()))));
}

double GraphFigures::tickInterval(double range)
{
    for (double power = 1;; power *= 10) {
        for (double interval : {power, 2 * power, 5 * power}) {
            if (range / interval <= 8)
                return interval;
        }
    }
}

std::u16string GraphFigures::grouped(double value)
{
    const std::string digits = std::to_string(std::uint64_t(value));
    std::u16string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += u',';
        text += char16_t(digits[i]);
    }
    return text;
}
