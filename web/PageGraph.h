// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphFigures.h"

#include <optional>
#include <string>

// The graph of the last experiment in a panel of its own below the window, drawn as SVG
// from the shared figures: every value against its step with the peak marked, on a linear
// or logarithmic value axis. Once opened, it follows every experiment and reset. It
// saves through the browser's download; it never touches the main window.
class PageGraph {
public:
    // Opens the panel, or brings it into view, drawn for this experiment.
    void open(std::optional<double> start);
    // Redraws it for this experiment, if it has been opened.
    void follow(std::optional<double> start);
    void setLogScale(bool logScale);
    void saveTable() const;
    void savePicture() const;

    // The whole drawing, for these figures.
    static std::string svg(const GraphFigures &figures, bool logScale);

private:
    void draw(bool bringIntoView = false) const;

    bool m_opened = false;
    bool m_logScale = false;
    GraphFigures m_figures{std::nullopt};
};
