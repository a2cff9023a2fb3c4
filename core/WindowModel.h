// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"
#include "GraphDrawing.h"
#include "Layout.h"
#include "Services.h"
#include "Survey.h"

#include <memory>
#include <optional>
#include <vector>

// What the window does, the same on every face: the experiment asked for and run, the reset
// and the exit question with their chimes, the graph that follows them or compares up to
// four experiments, the survey of a range, links, and starting again once the program has
// ended. A face passes clicks and keys on and shows what it is told.
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

    // Runs the experiment from this start at once, as if it had been entered.
    void runStart(std::uint32_t start);

    // Ctrl+G, or グラフを表示: the graph of the last experiment, which from then on follows
    // every run and reset.
    void showGraph();
    void setLogScale(bool logScale);
    // くらべる: the graph of these experiments, typed as a link's starts are ("27, 31"),
    // until the next run or reset; a range typed there is surveyed.
    void compare(std::u16string_view starts);
    GraphDrawing graph() const;

    // Ctrl+E, or まとめて調べる: the survey's panel; a survey of a range, worked out a slice at
    // a time, which a new survey or 中止 cancels.
    void showSurvey();
    void survey(std::uint32_t first, std::uint32_t last);
    void cancelSurvey();
    const SurveyView &surveyView() const { return m_surveyView; }

    // What a link or the command line asks for: "27", "27,31" or "3-100"; what cannot be
    // shown is said once, in a note.
    void openLink(std::u16string_view link);
    // The link to what the graph or the survey shows: "27,31", "3-100".
    std::string graphLink() const;
    std::string surveyLink() const;

    const ExperimentState &state() const { return m_state; }
    // While a dialog asks, the window takes no clicks of its own.
    bool asking() const { return m_asking; }

private:
    void ask();
    void answered(Services::Entry entry);
    void run();
    void clearDisplay();
    void followGraph();
    void showGraph(std::vector<double> starts);
    void surveySlice(unsigned run);

    Services &m_services;
    ExperimentState m_state;
    // The starting value of the last experiment, until a reset.
    std::optional<double> m_lastStart;
    bool m_graphOpen = false;
    bool m_logScale = false;
    // The experiments the graph compares, in place of the last one.
    std::vector<double> m_compared;
    std::unique_ptr<Survey> m_survey;
    SurveyView m_surveyView;
    bool m_surveyOpen = false;
    // Each survey's slices carry its number: those of a cancelled one do nothing.
    unsigned m_surveyRun = 0;
    bool m_asking = false;
    // Set while the entry is asked for: an answer given before the question returns asks
    // again from the loop in ask(), not from within the answer.
    bool m_insideQuestion = false;
    bool m_askAgain = false;
};
