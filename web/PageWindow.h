// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"
#include "PageChimes.h"
#include "PageGraph.h"
#include "PageServices.h"

#include <optional>

// The program's window in the page: its controls at their places and their texts, the
// state of the experiment, and what each button does, as the desktop's main window has
// them. The experiment itself is the shared one.
class PageWindow {
public:
    // Lays out the window, writes its texts and prints the explanation.
    void show();
    // Runs what an experiment and its graph run, once, without showing anything: the
    // browser compiles the module's code as it is first run, and the first click should
    // not wait for that.
    static void warmUp();

    // 実　験: asks for a starting value and shows its sequence.
    void startExperiment();
    // 終了: chimes, asks, and ends the program on Yes.
    void askToExit();
    // 初期化: chimes and empties the display.
    void reset();
    // Starts the program again after it has ended, as it was at first.
    void restart();
    // Ctrl+G, or グラフを表示 in the text box's menu: the graph of the last experiment.
    PageGraph &graph() { return m_graph; }
    void showGraph();

private:
    // Empties the display and forgets the last experiment, the graph's too.
    void clear();

    ExperimentState m_state;
    PageServices m_services;
    PageChimes m_chimes;
    // The starting value of the last experiment, until a reset; the graph shows it.
    std::optional<double> m_lastStart;
    PageGraph m_graph;
};
