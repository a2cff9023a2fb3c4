// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SurveyDrawing.h"

#include "GraphDrawing.h"
#include "GraphFigures.h"
#include "NumberText.h"
#include "PaletteImage.h"
#include "ProgramText.h"
#include "Svg.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double left = 64, right = 596, top = 20, bottom = 270;
constexpr const char *stepColour = "#c81020";
constexpr const char *highestColour = "#c07000";
// The largest range drawn a dot a start.
constexpr std::uint32_t mostDots = 2000;

// From white through blue to dark blue, for a count's share of the most in one place.
std::array<std::uint32_t, 256> shades()
{
    std::array<std::uint32_t, 256> palette{};
    for (std::uint32_t level = 0; level < 256; ++level) {
        const double t = level / 255.0;
        const auto mix = [t](double from, double to) { return std::uint32_t(std::lround(from + (to - from) * t)); };
        palette[level] = mix(255, 10) << 16 | mix(255, 60) << 8 | mix(255, 140);
    }
    return palette;
}

} // namespace

SurveyDrawing::SurveyDrawing(const Survey &survey)
    : m_survey(survey)
    , m_stepsTop(std::max(10.0, std::ceil(survey.longest().steps / GraphDrawing::tickInterval(survey.longest().steps))
                                    * GraphDrawing::tickInterval(survey.longest().steps)))
{
}

std::u16string SurveyDrawing::title() const
{
    return std::u16string(ProgramText::survey) + std::u16string(ProgramText::titleJoin) + digits(m_survey.first())
           + std::u16string(ProgramText::rangeJoin) + digits(m_survey.last());
}

std::u16string SurveyDrawing::summary() const
{
    const auto text = [](std::u16string_view text) { return std::u16string(text); };
    return text(ProgramText::longest) + text(ProgramText::labelPrefix) + numText(m_survey.longest().start) + text(ProgramText::openBracket)
           + digits(m_survey.longest().steps) + text(ProgramText::steps) + text(ProgramText::closeBracket) + u'\u3000' + text(ProgramText::highest)
           + text(ProgramText::labelPrefix) + numText(m_survey.highest().start) + text(ProgramText::openBracket) + text(ProgramText::peakValue)
           + GraphFigures::grouped(double(m_survey.highest().highest)) + text(ProgramText::closeBracket);
}

std::u16string SurveyDrawing::recordKind(const Survey::Record &record)
{
    if (record.bySteps && record.byHeight)
        return std::u16string(ProgramText::stepKind) + std::u16string(ProgramText::kindJoin) + std::u16string(ProgramText::highestKind);
    return std::u16string(record.bySteps ? ProgramText::stepKind : ProgramText::highestKind);
}

double SurveyDrawing::x(double start) const
{
    const double span = std::max<double>(1, m_survey.last() - m_survey.first());
    return left + (start - m_survey.first()) / span * (right - left);
}

double SurveyDrawing::y(double steps) const
{
    return bottom - steps / m_stepsTop * (bottom - top);
}

std::uint32_t SurveyDrawing::startAt(double atX, double atY) const
{
    const double span = m_survey.last() - m_survey.first();
    // A point that is none, as a drawing shown nowhere gives, is taken as its left.
    const double share = std::isfinite(atX) ? std::clamp((atX - left) / (right - left), 0.0, 1.0) : 0;
    // The starts drawn within a few units across, and of them the one nearest up or down.
    const double reach = std::max(1.0, span * 4 / (right - left));
    const auto from = std::uint32_t(std::max<double>(m_survey.first(), std::floor(m_survey.first() + share * span - reach)));
    const auto to = std::uint32_t(std::min<double>(m_survey.last(), std::ceil(m_survey.first() + share * span + reach)));
    std::uint32_t nearest = from;
    double distance = 1e300;
    for (std::uint32_t start = from; start <= to; ++start) {
        const double away = std::hypot(x(start) - atX, y(m_survey.at(start).steps) - atY);
        if (away < distance || start == from) {
            nearest = start;
            distance = away;
        }
    }
    return nearest;
}

std::string SurveyDrawing::svg(int pixelWidth, int pixelHeight) const
{
    std::string drawing = Svg::start(pixelWidth, pixelHeight) + "<g stroke=\"#e3e3e3\">";

    const std::vector<double> starts = GraphDrawing::ticks(m_survey.first(), m_survey.last()), steps = GraphDrawing::ticks(0, m_stepsTop);
    for (double start : starts)
        drawing += Svg::line(x(start), top, x(start), bottom);
    for (double count : steps)
        drawing += Svg::line(left, y(count), right, y(count));
    drawing += "</g><g stroke=\"#777\">" + Svg::line(left, bottom, right, bottom) + Svg::line(left, top, left, bottom) + "</g>";
    drawing += "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#333\">";
    for (double start : starts)
        drawing += Svg::label(x(start), bottom + 16, "middle", GraphFigures::grouped(start));
    for (double count : steps)
        drawing += Svg::label(left - 6, y(count) + 4, "end", digits(std::uint64_t(count)));
    drawing += Svg::label((left + right) / 2, bottom + 34, "middle", std::u16string(ProgramText::startAxis));
    drawing += "<g transform=\"translate(14 " + Svg::number((top + bottom) / 2) + ") rotate(-90)\">"
               + Svg::label(0, 0, "middle", ProgramText::stepAxis) + "</g>";
    drawing += "</g>";

    if (m_survey.size() <= mostDots) {
        drawing += "<g fill=\"#2a8fd0\">";
        for (std::uint32_t start = m_survey.first(); start <= m_survey.last(); ++start)
            drawing += "<circle r=\"1.6\" cx=\"" + Svg::number(x(start)) + "\" cy=\"" + Svg::number(y(m_survey.at(start).steps)) + "\"/>";
        drawing += "</g>";
    } else {
        // How many starts fall on each pixel of the plot, shaded on a logarithmic scale. A row
        // holds a whole number of steps, the same for every row, so that no row stands out.
        const int columns = int(right - left);
        const int stepsPerRow = int(std::ceil((m_stepsTop + 1) / (bottom - top)));
        const int rows = int(std::ceil((m_stepsTop + 1) / stepsPerRow));
        std::vector<std::uint32_t> counts(std::size_t(columns) * std::size_t(rows));
        for (std::uint32_t start = m_survey.first(); start <= m_survey.last(); ++start) {
            const int column = std::min(columns - 1, int(x(start) - left));
            const int row = std::max(0, rows - 1 - int(m_survey.at(start).steps) / stepsPerRow);
            ++counts[std::size_t(row) * std::size_t(columns) + std::size_t(column)];
        }
        const double most = std::log1p(double(*std::max_element(counts.begin(), counts.end())));
        PaletteImage picture(columns, rows, shades());
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const std::uint32_t count = counts[std::size_t(row) * std::size_t(columns) + std::size_t(column)];
                picture.at(column, row) = count == 0 ? 0 : std::uint8_t(std::lround(90 + 165 * std::log1p(double(count)) / most));
            }
        }
        const double imageTop = y(double(rows * stepsPerRow));
        drawing += "<image x=\"" + Svg::number(left) + "\" y=\"" + Svg::number(imageTop) + "\" width=\"" + std::to_string(columns) + "\" height=\""
                   + Svg::number(bottom - imageTop) + "\" preserveAspectRatio=\"none\" xlink:href=\"" + picture.dataAddress() + "\"/>";
    }

    // A record of height's square is larger than a record of steps' dot, which is drawn over
    // it where a start is both.
    for (const Survey::Record &record : m_survey.records()) {
        if (record.byHeight)
            drawing += std::string("<rect fill=\"") + highestColour + "\" x=\"" + Svg::number(x(record.start) - 4.5) + "\" y=\""
                       + Svg::number(y(record.steps) - 4.5) + "\" width=\"9\" height=\"9\"/>";
    }
    for (const Survey::Record &record : m_survey.records()) {
        if (record.bySteps)
            drawing += std::string("<circle fill=\"") + stepColour + "\" stroke=\"#fff\" r=\"3.5\" cx=\"" + Svg::number(x(record.start))
                       + "\" cy=\"" + Svg::number(y(record.steps)) + "\"/>";
    }

    // The legend, below the plot at its right.
    drawing += "<g font-family=\"sans-serif\" font-size=\"11\" fill=\"#333\">";
    drawing += std::string("<circle fill=\"") + stepColour + "\" r=\"3.5\" cx=\"" + Svg::number(right - 196) + "\" cy=\"" + Svg::number(bottom + 50) + "\"/>"
               + Svg::label(right - 188, bottom + 54, "start", std::u16string(ProgramText::stepRecord));
    drawing += std::string("<rect fill=\"") + highestColour + "\" x=\"" + Svg::number(right - 95) + "\" y=\"" + Svg::number(bottom + 47)
               + "\" width=\"6\" height=\"6\"/>" + Svg::label(right - 84, bottom + 54, "start", std::u16string(ProgramText::highestRecord));
    return drawing + "</g></svg>";
}
