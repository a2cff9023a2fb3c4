// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

class QWidget;

// The graph window as the main window sees it: the main window loads the graph's library
// only when the graph is first asked for, and reaches it through this alone.
class ExperimentGraph {
public:
    virtual ~ExperimentGraph() = default;
    // The graph's own window, a child of the main window that closes with it.
    virtual QWidget *widget() = 0;
    // Draws the experiment from this starting value, or says there is none yet.
    virtual void showExperiment(std::optional<double> start) = 0;
};

// The graph library's entry point: the graph window, a child of the main window.
extern "C" ExperimentGraph *collatzNewGraphWindow(QWidget *mainWindow);
