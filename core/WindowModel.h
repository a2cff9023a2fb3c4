// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"
#include "GraphPanel.h"
#include "Link.h"
#include "Layout.h"
#include "Services.h"
#include "SurveyPanel.h"

#include <cstdint>
#include <string>

// What the window does, the same on every face: the experiment asked for and run, the reset
// and the exit question with their chimes, the graph's and the survey's panels, links, and
// starting again once the program has ended. A face passes clicks, keys and what is done in
// the panels on, and shows what it is told.
class WindowModel {
public:
    explicit WindowModel(Services &services);

    // A click on a control, a menu's command or its shortcut, or what is done in a panel,
    // with what it takes: a check box's state (a nought or not), the text of an entry, the
    // survey's range, a start, a point of a drawing, the size a picture is shown at. While a
    // question asks, the window takes none.
    void act(Layout::Action action, double a = 0, double b = 0, std::u16string_view text = {});
    // Starts again as at first, after the program has ended: a page can.
    void restart();

    // What a link or the command line asks for: "27", "27,31" or "3-100"; what cannot be
    // shown is said once, in a note.
    void openLink(std::u16string_view link);
    // The value the graph shows under a point of its drawing, for a tooltip.
    std::u16string graphValueAt(double x, double y) const { return m_graph.valueAt(x, y); }

    const ExperimentState &state() const { return m_state; }
    bool asking() const { return m_asking; }

private:
    void ask();
    void answered(Services::Entry entry);
    void run();
    void runStart(double start);
    void reset();
    void exit();
    // Shows what a link asks for, or says why it cannot; a single start typed into the graph's
    // entry is drawn there, not run in the window.
    void follow(const Link &link, bool inGraph = false);
    void showComparison(const std::vector<double> &starts);
    void clearDisplay();

    Services &m_services;
    ExperimentState m_state;
    GraphPanel m_graph;
    SurveyPanel m_survey;
    // Why the last entry was refused, said as the dialog asks again.
    std::u16string m_refused;
    bool m_asking = false;
    // Set while the entry is asked for: an answer given before the question returns asks
    // again from the loop in ask(), not from within the answer.
    bool m_insideQuestion = false;
    bool m_askAgain = false;
};
