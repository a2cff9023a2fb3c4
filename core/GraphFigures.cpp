// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphFigures.h"

#include "Experiment.h"
#include "NumberText.h"
#include "ProgramText.h"

#include <algorithm>
#include <cstdint>

GraphFigures::GraphFigures(const std::vector<double> &starts)
{
    for (double start : starts) {
        if (m_paths.size() == mostPaths)
            break;
        std::vector<double> values = Experiment::trajectory(start);
        const auto peakStep = std::size_t(std::max_element(values.begin(), values.end()) - values.begin());
        m_paths.push_back({start, std::move(values), peakStep});
        m_steps = std::max(m_steps, m_paths.back().steps());
        m_peak = std::max(m_peak, m_paths.back().peak());
    }
}

std::u16string GraphFigures::summary() const
{
    if (m_paths.empty())
        return std::u16string(ProgramText::noExperiment);
    std::u16string text;
    for (const Path &path : m_paths)
        text += (text.empty() ? u"" : u"\n") + std::u16string(ProgramText::labelPrefix) + numText(path.start) + u'\u3000'
                + std::u16string(ProgramText::stepCount) + digits(path.steps()) + u'\u3000' + std::u16string(ProgramText::peakValue)
                + grouped(path.peak()) + std::u16string(ProgramText::openBracket) + digits(path.peakStep) + std::u16string(ProgramText::atStep)
                + std::u16string(ProgramText::closeBracket);
    return text;
}

std::u16string GraphFigures::title() const
{
    if (m_paths.empty())
        return std::u16string(ProgramText::graphTitle);
    std::u16string text = std::u16string(ProgramText::graphTitle) + std::u16string(ProgramText::titleJoin)
                          + std::u16string(ProgramText::labelPrefix) + numText(m_paths.front().start);
    for (std::size_t path = 1; path < m_paths.size(); ++path)
        text += std::u16string(ProgramText::listJoin) + digits(std::uint64_t(m_paths[path].start));
    return text;
}

std::u16string GraphFigures::valueAt(std::size_t path, std::size_t step) const
{
    const std::u16string value
        = digits(step) + std::u16string(ProgramText::atStep) + std::u16string(ProgramText::valueJoin) + grouped(m_paths.at(path).values.at(step));
    if (m_paths.size() == 1)
        return value;
    return std::u16string(ProgramText::labelPrefix) + numText(m_paths[path].start) + u'\u3000' + value;
}

std::string GraphFigures::table() const
{
    std::string table = "step";
    for (const Path &path : m_paths)
        table += ',' + (m_paths.size() == 1 ? std::string("value") : std::to_string(std::uint64_t(path.start)));
    table += '\n';
    for (std::size_t step = 0; step <= steps() && !m_paths.empty(); ++step) {
        table += std::to_string(step);
        for (const Path &path : m_paths)
            table += ',' + (step < path.values.size() ? std::to_string(std::uint64_t(path.values[step])) : std::string());
        table += '\n';
    }
    return table;
}

std::string GraphFigures::link() const
{
    std::string text;
    for (const Path &path : m_paths)
        text += (text.empty() ? "" : ",") + std::to_string(std::uint64_t(path.start));
    return text;
}

std::string GraphFigures::fileName(std::string_view suffix) const
{
    std::string starts = m_paths.empty() ? "0" : link();
    std::replace(starts.begin(), starts.end(), ',', '-');
    return "collatz-" + starts + '.' + std::string(suffix);
}

std::u16string GraphFigures::grouped(double value)
{
    std::u16string text = digits(std::uint64_t(value));
    // From the right, so that a comma put in moves none of the places still to come.
    for (std::size_t at = text.size(); at > 3; at -= 3)
        text.insert(at - 3, 1, u',');
    return text;
}
