// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphFigures.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The graph as both faces draw it: every value of each experiment against its step, in a
// colour of its own with a legend where there are several, the peaks marked, on a linear
// value axis with round ticks or a logarithmic one of powers of ten that fits them all,
// written as SVG; and which value lies under a point of the drawing, for the tooltip.
class GraphDrawing {
public:
    GraphDrawing(GraphFigures figures, bool logScale);

    const GraphFigures &figures() const { return m_figures; }

    // The value axis's ticks: round ticks from 0 up to the first at or above the peak, or
    // the powers of ten from 1 up to the first at or above the peak, the last the axis's top.
    const std::vector<double> &valueTicks() const { return m_valueTicks; }
    // The step axis ends at the last step, with round ticks.
    std::vector<double> stepTicks() const;

    // The whole drawing, with no size of its own unless given one in pixels.
    std::string svg(int pixelWidth = 0, int pixelHeight = 0) const;
    // The experiment and the step under a point of the drawing, in its units: the step
    // nearest across, and of the experiments that reach it, the one nearest up or down.
    // None without an experiment.
    struct Point {
        std::size_t path, step;
        bool operator==(const Point &other) const { return path == other.path && step == other.step; }
    };
    std::optional<Point> pointAt(double x, double y) const;

    // A round interval, 1, 2 or 5 times a power of ten, giving at most eight ticks.
    static double tickInterval(double range);
    // Its multiples from the first at or above from up to to, for the range between them.
    static std::vector<double> ticks(double from, double to);

private:
    double x(double step) const;
    double y(double value) const;

    GraphFigures m_figures;
    bool m_logScale;
    double m_valueTop = 1;
    std::vector<double> m_valueTicks;
    // Where the plot begins: after the widest of the value axis's labels.
    double m_left = 0;
};
