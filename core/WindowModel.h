// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"
#include "GraphDrawing.h"
#include "Layout.h"
#include "Services.h"

#include <optional>

// What the window does, the same on every face: the experiment asked for and run, the reset
// and the exit question with their chimes, the graph that follows them, and starting again
// once the program has ended. A face passes clicks and keys on and shows what it is told.
class WindowModel {
public:
    explicit WindowModel(Services &services);

    // A click on a control of the layout.
    void trigger(Layout::Action action);
    // 実　験: asks until a starting value from 3 to 10,000,000 is given, shows it and every
    // value it reaches down to 1.
    void start();
    // 初期化: chimes, then empties the display and forgets the last experiment.
    void reset();
    // 終了: chimes, asks, and on Yes ends the program and its graph.
    void exit();
    // Starts again as at first, after the program has ended: a page can.
    void restart();

    // Ctrl+G, or グラフを表示: the graph of the last experiment, which from then on follows
    // every run and reset.
    void showGraph();
    void setLogScale(bool logScale);
    GraphDrawing graph() const;

    const ExperimentState &state() const { return m_state; }
    // While a dialog asks, the window takes no clicks of its own.
    bool asking() const { return m_asking; }

private:
    void ask();
    void answered(Services::Entry entry);
    void clearDisplay();
    void followGraph();

    Services &m_services;
    ExperimentState m_state;
    // The starting value of the last experiment, until a reset.
    std::optional<double> m_lastStart;
    bool m_graphOpen = false;
    bool m_logScale = false;
    bool m_asking = false;
    // Set while the entry is asked for: an answer given before the question returns asks
    // again from the loop in ask(), not from within the answer.
    bool m_insideQuestion = false;
    bool m_askAgain = false;
};
