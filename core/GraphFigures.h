// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The figures of a graph of up to four experiments: every value of each from its start down
// to 1, each one's peak, the texts that describe them and the table of them. It draws
// nothing.
class GraphFigures {
public:
    struct Path {
        double start;
        std::vector<double> values;
        std::size_t peakStep;
        std::size_t steps() const { return values.size() - 1; }
        double peak() const { return values[peakStep]; }
    };

    static constexpr std::size_t mostPaths = 4;

    // The experiments from these starting values, the first four of them; none yet.
    explicit GraphFigures(const std::vector<double> &starts);

    const std::vector<Path> &paths() const { return m_paths; }
    // The longest of the experiments' steps, and the highest of their peaks.
    std::size_t steps() const { return m_steps; }
    double peak() const { return m_peak; }

    // "ｎ＝ 27　ステップ数 111　最大値 9,232（77 ステップ目）", a line for each experiment, or
    // that there is no experiment yet.
    std::u16string summary() const;
    // "グラフ － ｎ＝ 27, 31", or "グラフ".
    std::u16string title() const;
    // "77 ステップ目：9,232": the value of an experiment at this step, as the graph's tooltip
    // says it, named by its start where there are several: "ｎ＝ 31　72 ステップ目：9,232".
    std::u16string valueAt(std::size_t path, std::size_t step) const;
    // "step,value" and a row for every value, every digit written, in UTF-8; for several
    // experiments, a column for each, headed by its start.
    std::string table() const;
    // The name a saved copy is offered under: "collatz-27-31.csv" for this suffix.
    std::string fileName(std::string_view suffix) const;
    // The starts as a link and the command line take them: "27,31".
    std::string link() const;

    // An integer grouped the Japanese way: "9,232".
    static std::u16string grouped(double value);

private:
    std::vector<Path> m_paths;
    std::size_t m_steps = 0;
    double m_peak = 1;
};
