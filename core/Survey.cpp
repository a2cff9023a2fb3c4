// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Survey.h"

#include "Experiment.h"

#include <algorithm>

namespace {

std::string row(const Survey::Start &start)
{
    return std::to_string(start.start) + ',' + std::to_string(start.steps) + ',' + std::to_string(start.highest);
}

} // namespace

Survey::Survey(std::uint32_t first, std::uint32_t last)
    : m_first(first)
    , m_last(std::max(first, last))
    , m_counts(new std::uint16_t[std::size_t(m_last) + 1])
    , m_peaks(new std::uint64_t[std::size_t(m_last) + 1])
{
    m_counts[1] = 0;
    m_peaks[1] = m_highestSoFar.highest = 1;
}

bool Survey::advance(std::uint32_t count)
{
    const std::uint64_t end = std::min<std::uint64_t>(m_last, std::uint64_t(m_next) + count - 1);
    for (; m_next <= end; ++m_next) {
        const std::uint32_t start = m_next;
        // Follow the road until it drops below the start, where the rest is known.
        std::uint64_t value = start, highest = start;
        int steps = 0;
        while (value >= start && Experiment::withinBounds(steps, double(value))) {
            value = value % 2 == 0 ? value / 2 : 3 * value + 1;
            highest = std::max(highest, value);
            ++steps;
        }
        // Only a wrong rule leaves a road above its start; its rest is then taken as nothing.
        const std::uint64_t known = value < start ? value : 1;
        m_counts[start] = std::uint16_t(steps + m_counts[known]);
        m_peaks[start] = std::max(highest, m_peaks[known]);
        // A record beats every smaller start from 1, whether in the range or not.
        const Start figures{start, m_counts[start], m_peaks[start]};
        const bool bySteps = figures.steps > m_longestSoFar.steps, byHeight = figures.highest > m_highestSoFar.highest;
        if (bySteps)
            m_longestSoFar = figures;
        if (byHeight)
            m_highestSoFar = figures;
        if (start < m_first)
            continue;
        if (figures.steps > m_longest.steps)
            m_longest = figures;
        if (figures.highest > m_highest.highest)
            m_highest = figures;
        if (bySteps || byHeight)
            m_records.push_back({figures, bySteps, byHeight});
    }
    return done();
}

Survey::Start Survey::at(std::uint32_t start) const
{
    if (start < m_first || start >= m_next)
        return {start, 0, 0};
    return {start, m_counts[start], m_peaks[start]};
}

std::string Survey::table() const
{
    std::string table = "start,steps,highest\n";
    for (std::uint32_t start = m_first; size() <= largestTable && start <= m_last; ++start)
        table += row(at(start)) + '\n';
    return table;
}

std::string Survey::recordsTable() const
{
    std::string table = "start,steps,highest,record\n";
    for (const Record &record : m_records)
        table += row(record) + ',' + (!record.byHeight ? "steps" : !record.bySteps ? "highest" : "both") + '\n';
    return table;
}
