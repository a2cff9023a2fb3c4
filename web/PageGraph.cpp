// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageGraph.h"

#include <emscripten.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

EM_JS(void, pageShowGraph, (const char16_t *title, int titleLength, const char16_t *summary, int summaryLength,
                            const char *svg, int empty, int bringIntoView), {
    collatzPage.showGraph(UTF16ToString(title, 2 * titleLength), UTF16ToString(summary, 2 * summaryLength), UTF8ToString(svg),
                          empty !== 0, bringIntoView !== 0);
});

EM_JS(void, pageSave, (const char *fileName, const char *type, const char *contents), {
    collatzPage.save(UTF8ToString(fileName), UTF8ToString(type), UTF8ToString(contents));
});

namespace {

// The drawing's size and the room around the plot for the axes' labels.
constexpr double width = 640, height = 330, right = 620, top = 20, bottom = 285;

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string label(double x, double y, const char *anchor, const std::string &text)
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" + anchor + "\">" + text + "</text>";
}

std::string line(double x1, double y1, double x2, double y2, const char *kind)
{
    return "<line class=\"" + std::string(kind) + "\" x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2)
           + "\" y2=\"" + number(y2) + "\"/>";
}

} // namespace

std::string PageGraph::svg(const GraphFigures &figures, bool logScale)
{
    std::string drawing = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + number(width) + ' ' + number(height)
                          + "\">"
                          + "<style>text{font:12px sans-serif;fill:#333}.grid{stroke:#e3e3e3}.axis{stroke:#777}"
                            ".road{fill:none;stroke:#2a8fd0;stroke-width:1.5;stroke-linejoin:round}"
                            ".peak{fill:#c81020}</style><rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>";
    if (figures.empty())
        return drawing + "</svg>";

    // The value axis: round ticks from 0, or powers of ten from 1; the widest label sets
    // where the plot begins.
    const double peak = figures.peak();
    const double interval = GraphFigures::tickInterval(peak);
    const double valueTop = logScale ? figures.logAxisTop() : std::ceil(peak / interval) * interval;
    std::vector<double> ticks;
    for (double tick = logScale ? 1 : 0; tick <= valueTop * 1.000001; tick = logScale ? tick * 10 : tick + interval)
        ticks.push_back(tick);
    const double left = 16 + 7.5 * double(GraphFigures::grouped(valueTop).size());
    const auto y = [&](double value) {
        const double share = logScale ? std::log10(value) / std::log10(valueTop) : value / valueTop;
        return bottom - share * (bottom - top);
    };
    for (double tick : ticks) {
        drawing += line(left, y(tick), right, y(tick), "grid");
        const std::u16string grouped = GraphFigures::grouped(tick);
        drawing += label(left - 6, y(tick) + 4, "end", std::string(grouped.begin(), grouped.end()));
    }

    // The step axis: from the start to the last step, no further, with round ticks.
    const double lastStep = std::max<double>(1, double(figures.steps()));
    const auto x = [&](double step) { return left + step / lastStep * (right - left); };
    for (double step = 0, every = GraphFigures::tickInterval(lastStep); step <= lastStep; step += every) {
        drawing += line(x(step), top, x(step), bottom, "grid");
        drawing += label(x(step), bottom + 16, "middle", std::to_string(std::uint64_t(step)));
    }
    drawing += line(left, bottom, right, bottom, "axis") + line(left, top, left, bottom, "axis");
    drawing += label((left + right) / 2, bottom + 36, "middle", u8"ステップ");

    // The values themselves go with the line, for the page to show the one under the pointer.
    const std::vector<double> &values = figures.values();
    drawing += "<polyline class=\"road\" data-values=\"";
    for (double value : values)
        drawing += std::to_string(std::uint64_t(value)) + ' ';
    drawing += "\" points=\"";
    for (std::size_t step = 0; step < values.size(); ++step)
        drawing += number(x(double(step))) + ',' + number(y(values[step])) + ' ';
    drawing += "\"/><circle class=\"peak\" r=\"5\" cx=\"" + number(x(double(figures.peakStep()))) + "\" cy=\"" + number(y(peak))
               + "\"/></svg>";
    return drawing;
}

void PageGraph::open(std::optional<double> start)
{
    m_opened = true;
    m_figures = GraphFigures(start);
    draw(true);
}

void PageGraph::follow(std::optional<double> start)
{
    if (!m_opened)
        return;
    m_figures = GraphFigures(start);
    draw();
}

void PageGraph::setLogScale(bool logScale)
{
    m_logScale = logScale;
    draw();
}

void PageGraph::saveTable() const
{
    if (!m_figures.empty())
        pageSave(m_figures.fileName("csv").c_str(), "text/csv", m_figures.table().c_str());
}

void PageGraph::savePicture() const
{
    if (!m_figures.empty())
        pageSave(m_figures.fileName("png").c_str(), "image/png", svg(m_figures, m_logScale).c_str());
}

void PageGraph::draw(bool bringIntoView) const
{
    const std::u16string title = m_figures.title(), summary = m_figures.summary();
    pageShowGraph(title.data(), int(title.size()), summary.data(), int(summary.size()), svg(m_figures, m_logScale).c_str(),
                  m_figures.empty(), bringIntoView);
}
