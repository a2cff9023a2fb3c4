// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Every start of a range, from 3 up to 10,000,000 at the most, with its number of steps and
// its highest value, worked out a slice at a time so that a face stays responsive: the
// longest and the highest, the records, and the tables of them. Each start's figures come
// from those of the first smaller value its road reaches, so every start from 1 up to the
// range's last is worked out, once.
class Survey {
public:
    struct Start {
        std::uint32_t start = 0;
        std::uint32_t steps = 0;
        std::uint64_t highest = 0;
    };
    // A record: a start that needs more steps, or climbs higher, than every smaller start
    // from 1; or both.
    struct Record : Start {
        bool bySteps = false, byHeight = false;
    };

    // The longest range whose whole table is offered for saving.
    static constexpr std::uint32_t largestTable = 100000;

    // A range from first to last, both included, within 3 to 10,000,000.
    Survey(std::uint32_t first, std::uint32_t last);

    std::uint32_t first() const { return m_first; }
    std::uint32_t last() const { return m_last; }
    std::uint32_t size() const { return m_last - m_first + 1; }

    // Works out at most this many more values; true once every start is known.
    bool advance(std::uint32_t count);
    bool done() const { return m_next > m_last; }
    // How much of the work is done, from 0 to 1.
    double progress() const { return double(m_next - 1) / double(m_last); }

    // Once done: a start's figures, the longest and the highest of the range (the smallest
    // start of each, on a tie), and the records that fall in the range, by start.
    Start at(std::uint32_t start) const;
    const Start &longest() const { return m_longest; }
    const Start &highest() const { return m_highest; }
    const std::vector<Record> &records() const { return m_records; }

    // "start,steps,highest" and a row for every start of a range of at most largestTable
    // starts; "start,steps,highest,record" and a row for every record, with its kind.
    std::string table() const;
    std::string recordsTable() const;

private:
    std::uint32_t m_first, m_last;
    // Start 1 is known: no steps, and 1 its highest.
    std::uint32_t m_next = 2;
    // Every value's steps and highest value, from 1 up to the last: left unset until worked
    // out, so that the memory is taken as the work goes on, not all before it starts.
    std::unique_ptr<std::uint16_t[]> m_counts;
    std::unique_ptr<std::uint64_t[]> m_peaks;
    Start m_longest, m_highest;
    // The longest and the highest from 1, which a record must beat.
    Start m_longestSoFar, m_highestSoFar;
    std::vector<Record> m_records;
};
