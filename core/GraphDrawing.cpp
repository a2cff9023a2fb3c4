// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphDrawing.h"

#include "ProgramText.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The room around the plot for the axes' labels.
constexpr double right = 620, top = 20, bottom = 285;

// To a tenth, with a "." whatever the C library's locale: a desktop program runs in the
// user's, where the decimal mark may be a comma.
std::string number(double value)
{
    const long long tenths = std::llround(value * 10);
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + '.' + char('0' + magnitude % 10);
}

std::string label(double x, double y, const char *anchor, const std::string &text)
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" + text + "</text>";
}

std::string line(double x1, double y1, double x2, double y2)
{
    return "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) + "\" y2=\"" + number(y2) + "\"/>";
}

} // namespace

GraphDrawing::GraphDrawing(GraphFigures figures, bool logScale)
    : m_figures(std::move(figures))
    , m_logScale(logScale)
{
    const double peak = m_figures.peak();
    if (m_logScale) {
        m_valueTop = std::pow(10.0, std::max(1.0, std::ceil(std::log10(peak))));
        for (double tick = 1; tick <= m_valueTop * 1.000001; tick *= 10)
            m_valueTicks.push_back(tick);
    } else {
        const double interval = tickInterval(peak);
        m_valueTop = std::ceil(peak / interval) * interval;
        for (double tick = 0; tick <= m_valueTop * 1.000001; tick += interval)
            m_valueTicks.push_back(tick);
    }
    m_left = 16 + 7.5 * double(GraphFigures::grouped(m_valueTop).size());
}

double GraphDrawing::tickInterval(double range)
{
    for (double power = 1;; power *= 10) {
        for (double interval : {power, 2 * power, 5 * power}) {
            if (range / interval <= 8)
                return interval;
        }
    }
}

std::vector<double> GraphDrawing::stepTicks() const
{
    const double lastStep = std::max<double>(1, double(m_figures.steps()));
    std::vector<double> ticks;
    for (double step = 0, every = tickInterval(lastStep); step <= lastStep; step += every)
        ticks.push_back(step);
    return ticks;
}

double GraphDrawing::x(double step) const
{
    return m_left + step / std::max<double>(1, double(m_figures.steps())) * (right - m_left);
}

double GraphDrawing::y(double value) const
{
    const double share = m_logScale ? std::log10(value) / std::log10(m_valueTop) : value / m_valueTop;
    return bottom - share * (bottom - top);
}

std::optional<std::size_t> GraphDrawing::stepAt(double atX) const
{
    if (m_figures.empty())
        return std::nullopt;
    const double steps = double(m_figures.steps());
    return std::size_t(std::clamp(std::round((atX - m_left) / (right - m_left) * steps), 0.0, steps));
}

std::string GraphDrawing::svg(int pixelWidth, int pixelHeight) const
{
    std::string drawing = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + number(width) + ' ' + number(height) + '"';
    if (pixelWidth > 0)
        drawing += " width=\"" + std::to_string(pixelWidth) + "\" height=\"" + std::to_string(pixelHeight) + '"';
    drawing += "><rect width=\"640\" height=\"330\" fill=\"#fff\"/>";
    if (m_figures.empty())
        return drawing + "</svg>";

    drawing += "<g stroke=\"#e3e3e3\">";
    for (double tick : m_valueTicks)
        drawing += line(m_left, y(tick), right, y(tick));
    const std::vector<double> steps = stepTicks();
    for (double step : steps)
        drawing += line(x(step), top, x(step), bottom);
    drawing += "</g><g stroke=\"#777\">" + line(m_left, bottom, right, bottom) + line(m_left, top, m_left, bottom) + "</g>";

    drawing += "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#333\">";
    for (double tick : m_valueTicks)
        drawing += label(m_left - 6, y(tick) + 4, "end", toUtf8(GraphFigures::grouped(tick)));
    for (double step : steps)
        drawing += label(x(step), bottom + 16, "middle", std::to_string(std::uint64_t(step)));
    drawing += label((m_left + right) / 2, bottom + 36, "middle", toUtf8(ProgramText::stepAxis)) + "</g>";

    const std::vector<double> &values = m_figures.values();
    drawing += "<polyline fill=\"none\" stroke=\"#2a8fd0\" stroke-width=\"1.5\" stroke-linejoin=\"round\" points=\"";
    for (std::size_t step = 0; step < values.size(); ++step)
        drawing += number(x(double(step))) + ',' + number(y(values[step])) + ' ';
    drawing += "\"/><circle fill=\"#c81020\" r=\"5\" cx=\"" + number(x(double(m_figures.peakStep()))) + "\" cy=\""
               + number(y(m_figures.peak())) + "\"/></svg>";
    return drawing;
}
