// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Survey.h"

#include <algorithm>

namespace {

std::string rows(const std::vector<Survey::Start> &starts)
{
    std::string table = "start,steps,highest\n";
    for (const Survey::Start &start : starts)
        table += std::to_string(start.start) + ',' + std::to_string(start.steps) + ',' + std::to_string(start.highest) + '\n';
    return table;
}

} // namespace

Survey::Survey(std::uint32_t first, std::uint32_t last)
    : m_first(first)
    , m_last(std::max(first, last))
    , m_counts(new std::uint16_t[std::size_t(m_last) + 1])
    , m_peaks(new std::uint64_t[std::size_t(m_last) + 1])
{
}

bool Survey::advance(std::uint32_t count)
{
    const std::uint64_t end = std::min<std::uint64_t>(m_last, std::uint64_t(m_next) + count - 1);
    for (; m_next <= end; ++m_next) {
        const std::uint32_t start = m_next;
        if (start == 1) {
            m_counts[1] = 0;
            m_peaks[1] = 1;
            continue;
        }
        // Follow the road until it drops below the start, where the rest is known.
        std::uint64_t value = start, highest = start;
        std::uint32_t steps = 0;
        while (value >= start) {
            value = value % 2 == 0 ? value / 2 : 3 * value + 1;
            highest = std::max(highest, value);
            ++steps;
        }
        m_counts[start] = std::uint16_t(steps + m_counts[value]);
        m_peaks[start] = std::max(highest, m_peaks[value]);
        if (start >= m_first)
            note({start, m_counts[start], m_peaks[start]});
    }
    return done();
}

void Survey::note(const Start &start)
{
    // The first start of the range is a record of both kinds, as every start from 3 takes a
    // step and the longest and highest so far begin at nought.
    if (start.steps > m_longest.steps) {
        m_longest = start;
        m_stepRecords.push_back(start);
    }
    if (start.highest > m_highest.highest) {
        m_highest = start;
        m_highestRecords.push_back(start);
    }
}

Survey::Start Survey::at(std::uint32_t start) const
{
    if (start < m_first || start >= m_next)
        return {start, 0, 0};
    return {start, m_counts[start], m_peaks[start]};
}

std::vector<Survey::Start> Survey::records() const
{
    std::vector<Start> both;
    std::merge(m_stepRecords.begin(), m_stepRecords.end(), m_highestRecords.begin(), m_highestRecords.end(), std::back_inserter(both),
               [](const Start &a, const Start &b) { return a.start < b.start; });
    both.erase(std::unique(both.begin(), both.end()), both.end());
    return both;
}

std::string Survey::table() const
{
    std::vector<Start> starts;
    if (size() <= largestTable) {
        for (std::uint32_t start = m_first; start <= m_last; ++start)
            starts.push_back(at(start));
    }
    return rows(starts);
}

std::string Survey::recordsTable() const
{
    return rows(records());
}
