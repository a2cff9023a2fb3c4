// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The figures of the last experiment's graph: every value from the start down to 1, the
// peak, the texts that describe them and the table of them. It draws nothing.
class GraphFigures {
public:
    // The experiment from this starting value, or none yet.
    explicit GraphFigures(std::optional<double> start);

    bool empty() const { return m_values.empty(); }
    const std::vector<double> &values() const { return m_values; }
    std::size_t steps() const { return m_values.empty() ? 0 : m_values.size() - 1; }
    std::size_t peakStep() const { return m_peakStep; }
    double peak() const { return m_values.empty() ? 1 : m_values[m_peakStep]; }

    // "ｎ＝ 27　ステップ数 111　最大値 9,232（77 ステップ目）", or that there is no experiment yet.
    std::u16string summary() const;
    // "グラフ － ｎ＝ 27", or "グラフ".
    std::u16string title() const;
    // "77 ステップ目：9,232": the value at this step, as the graph's tooltip says it.
    std::u16string valueAt(std::size_t step) const;
    // "step,value" and a row for every value, every digit written, in UTF-8.
    std::string table() const;
    // The name a saved copy is offered under: "collatz-27.csv" for this suffix.
    std::string fileName(std::string_view suffix) const;

    // An integer grouped the Japanese way: "9,232".
    static std::u16string grouped(double value);

private:
    std::vector<double> m_values;
    std::size_t m_peakStep = 0;
};
