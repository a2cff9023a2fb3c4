// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphDrawing.h"

#include "NumberText.h"
#include "ProgramText.h"
#include "Svg.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// The room around the plot for the axes' labels.
constexpr double right = 620, top = 20, bottom = 285;

// Each experiment's colour, the first the single experiment's own, and its dashes, so that
// lines can be told apart without their colours.
constexpr const char *colours[GraphFigures::mostPaths] = {"#2a8fd0", "#e0522d", "#2f9e57", "#8d55c9"};
constexpr const char *dashes[GraphFigures::mostPaths] = {"none", "8 3", "2 2", "9 3 2 3"};
// The peaks' labels are 11 units high: each at least this far below the one above.
constexpr double labelSpacing = 13;

// Where each of these labels goes, from where each would go: as near as may be, none
// closer to the next than labelSpacing, all within the plot.
std::vector<double> spaced(std::vector<double> wanted)
{
    std::vector<std::size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&wanted](std::size_t a, std::size_t b) { return wanted[a] < wanted[b]; });
    for (std::size_t i = 0; i < order.size(); ++i)
        wanted[order[i]] = std::max(wanted[order[i]], i == 0 ? top + 11 : wanted[order[i - 1]] + labelSpacing);
    for (std::size_t i = order.size(); i-- > 0;)
        wanted[order[i]] = std::min(wanted[order[i]], i + 1 == order.size() ? bottom - 2 : wanted[order[i + 1]] - labelSpacing);
    return wanted;
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
        m_valueTicks = ticks(0, m_valueTop);
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

std::vector<double> GraphDrawing::ticks(double from, double to)
{
    const double every = tickInterval(to - from);
    std::vector<double> ticks;
    for (double tick = std::ceil(from / every) * every; tick <= to; tick += every)
        ticks.push_back(tick);
    return ticks;
}

std::vector<double> GraphDrawing::stepTicks() const
{
    return ticks(0, std::max<double>(1, double(m_figures.steps())));
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

std::optional<GraphDrawing::Point> GraphDrawing::pointAt(double atX, double atY) const
{
    const std::vector<GraphFigures::Path> &paths = m_figures.paths();
    if (paths.empty() || !std::isfinite(atX) || !std::isfinite(atY))
        return std::nullopt;
    const double steps = double(m_figures.steps());
    const auto step = std::size_t(std::clamp(std::round((atX - m_left) / (right - m_left) * steps), 0.0, steps));
    std::optional<Point> nearest;
    double distance = 0;
    for (std::size_t path = 0; path < paths.size(); ++path) {
        const std::size_t reached = std::min(step, paths[path].steps());
        const double away = std::fabs(y(paths[path].values[reached]) - atY) + (reached == step ? 0 : 1e6);
        if (!nearest || away < distance) {
            nearest = Point{path, reached};
            distance = away;
        }
    }
    return nearest;
}

std::string GraphDrawing::svg(int pixelWidth, int pixelHeight) const
{
    std::string drawing = Svg::start(pixelWidth, pixelHeight);
    const std::vector<GraphFigures::Path> &paths = m_figures.paths();
    if (paths.empty())
        return drawing + "</svg>";

    drawing += "<g stroke=\"#e3e3e3\">";
    for (double tick : m_valueTicks)
        drawing += Svg::line(m_left, y(tick), right, y(tick));
    const std::vector<double> steps = stepTicks();
    for (double step : steps)
        drawing += Svg::line(x(step), top, x(step), bottom);
    drawing += "</g><g stroke=\"#777\">" + Svg::line(m_left, bottom, right, bottom) + Svg::line(m_left, top, m_left, bottom) + "</g>";

    drawing += "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#333\">";
    for (double tick : m_valueTicks)
        drawing += Svg::label(m_left - 6, y(tick) + 4, "end", GraphFigures::grouped(tick));
    for (double step : steps)
        drawing += Svg::label(x(step), bottom + 16, "middle", digits(std::uint64_t(step)));
    drawing += Svg::label((m_left + right) / 2, bottom + 36, "middle", ProgramText::stepAxis) + "</g>";

    // Several experiments: each peak's height as a dashed line across, which shows a top
    // that two share, and a legend.
    const bool several = paths.size() > 1;
    std::vector<double> tops, labelsAt;
    for (const GraphFigures::Path &path : paths) {
        if (several && std::find(tops.begin(), tops.end(), path.peak()) == tops.end()) {
            tops.push_back(path.peak());
            labelsAt.push_back(y(path.peak()) - 4);
        }
    }
    labelsAt = spaced(labelsAt);
    for (std::size_t index = 0; index < tops.size(); ++index)
        drawing += "<g stroke=\"#999\" stroke-dasharray=\"4 3\">" + Svg::line(m_left, y(tops[index]), right, y(tops[index])) + "</g>"
                   + "<g font-family=\"sans-serif\" font-size=\"11\" fill=\"#555\">"
                   + Svg::label(m_left + 4, labelsAt[index], "start", GraphFigures::grouped(tops[index])) + "</g>";
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const GraphFigures::Path &path = paths[index];
        drawing += std::string("<polyline fill=\"none\" stroke=\"") + colours[index] + "\" stroke-dasharray=\"" + dashes[index]
                   + "\" stroke-width=\"1.5\" stroke-linejoin=\"round\" points=\"";
        for (std::size_t step = 0; step < path.values.size(); ++step)
            drawing += Svg::number(x(double(step))) + ',' + Svg::number(y(path.values[step])) + ' ';
        drawing += "\"/>";
    }
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const GraphFigures::Path &path = paths[index];
        drawing += std::string("<circle fill=\"") + (several ? colours[index] : "#c81020") + "\" stroke=\"#fff\" r=\"5\" cx=\""
                   + Svg::number(x(double(path.peakStep))) + "\" cy=\"" + Svg::number(y(path.peak())) + "\"/>";
    }
    if (several) {
        drawing += "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#333\"><rect x=\"" + Svg::number(right - 110) + "\" y=\"" + Svg::number(top + 4)
                   + "\" width=\"104\" height=\"" + Svg::number(8 + 18 * double(paths.size())) + "\" fill=\"#fff\" stroke=\"#ccc\"/>";
        for (std::size_t index = 0; index < paths.size(); ++index) {
            const double at = top + 18 + 18 * double(index);
            drawing += std::string("<g stroke=\"") + colours[index] + "\" stroke-dasharray=\"" + dashes[index] + "\" stroke-width=\"2\">"
                       + Svg::line(right - 102, at - 4, right - 80, at - 4)
                       + "</g>" + Svg::label(right - 74, at, "start", std::u16string(ProgramText::labelPrefix) + digits(std::uint64_t(paths[index].start)));
        }
        drawing += "</g>";
    }
    return drawing + "</svg>";
}
