// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Survey.h"

#include <cstdint>
#include <optional>
#include <string>

// A finished survey as both faces show it: its title and summary, its records, and a picture
// of the steps against the start for the whole range, with the records marked: a dot for
// each start of a small range, and for a larger one how many starts take each number of
// steps, as shades in a picture of a fixed size, which costs the same for ten million
// starts as for a hundred.
class SurveyDrawing {
public:
    explicit SurveyDrawing(const Survey &survey);

    // "まとめて調べる － 3～100".
    std::u16string title() const;
    // "いちばん長い：ｎ＝ 97（118 ステップ）　いちばん高い：ｎ＝ 27（最大値 9,232）".
    std::u16string summary() const;
    // A record's kind: "ステップ数", "最大値", or both.
    static std::u16string recordKind(const Survey::Record &record);

    std::string svg(int pixelWidth = 0, int pixelHeight = 0) const;
    // The start drawn nearest to a point of the drawing, in its units.
    std::uint32_t startAt(double x, double y) const;

private:
    double x(double start) const;
    double y(double steps) const;

    const Survey &m_survey;
    double m_stepsTop;
};
