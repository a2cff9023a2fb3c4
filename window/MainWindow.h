// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentState.h"
#include "ProgramLibraries.h"

#include <QWidget>

#include <future>
#include <memory>
#include <optional>

class ChimePlayer;
class ExperimentGraph;
class ExplanationPanel;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class WindowServices;

// The program's only window: its controls at their fixed places, the state of the
// experiment, and what each button does. The experiment itself, the chimes and the
// graph live in their own parts.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(ProgramLibraries libraries = ProgramLibraries(), QWidget *parent = nullptr);
    ~MainWindow() override;

    // 実　験: asks for a starting value and shows its sequence.
    void startExperiment();
    // 終了: chimes, asks, and ends the program on Yes.
    void askToExit();
    // 初期化: chimes and empties the display.
    void reset();
    // Opens the graph of the last experiment in its own window, or raises it.
    void showGraph();

    const ExperimentState &state() const { return m_state; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void printExplanation();
    // The chime player, loaded in the background once the window is up.
    ChimePlayer &chimePlayer();

    QPushButton *m_startButton;
    QPushButton *m_exitButton;
    QPushButton *m_resetButton;
    QFrame *m_separator;
    ExplanationPanel *m_explanationPanel;
    QPlainTextEdit *m_sequenceView;
    QLabel *m_startingValueLabel;

    ExperimentState m_state;
    std::unique_ptr<WindowServices> m_services;
    ProgramLibraries m_libraries;
    std::future<std::unique_ptr<ChimePlayer>> m_chimePlayerLoading;
    std::unique_ptr<ChimePlayer> m_chimePlayer;
    bool m_shown = false;
    // The starting value of the last experiment, until a reset; the graph shows it.
    std::optional<double> m_lastStart;
    ExperimentGraph *m_graph = nullptr;
};
