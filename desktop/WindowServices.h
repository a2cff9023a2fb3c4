// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramLibraries.h"
#include "Services.h"

#include <functional>
#include <future>
#include <memory>

class ChimePlayer;
class GraphWindow;
class QLabel;
class QPlainTextEdit;
class QWidget;

// The desktop's side of Services: Qt's modal dialogs parented to the main window, stores
// into its controls, the chime player loaded from its own library, the graph window, and
// the end of the application. It owns none of the main window's widgets.
class WindowServices final : public Services {
public:
    // logScaleChosen hears when 対数目盛 is ticked or cleared in the graph window.
    WindowServices(QWidget *window, ProgramLibraries libraries, std::function<void(bool)> logScaleChosen);
    ~WindowServices() override;

    // Where the experiment's texts go.
    void showIn(QPlainTextEdit *sequenceView, QLabel *startingValueLabel);
    // Loads the chime player in the background, ahead of the first chime.
    void loadChimePlayer();

    void askForEntry(std::u16string_view prompt, std::u16string_view title, std::function<void(Entry)> answered) override;
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override;
    void showStartingValue(std::u16string_view text) override;
    void showSequence(std::u16string_view text) override;
    void playChime(const char *fileName) override;
    void stopChime() override;
    void showGraph(const GraphDrawing &graph, bool bringIntoView) override;
    void end() override;

private:
    ChimePlayer &chimePlayer();

    QWidget *m_window;
    QPlainTextEdit *m_sequenceView = nullptr;
    QLabel *m_startingValueLabel = nullptr;
    ProgramLibraries m_libraries;
    std::function<void(bool)> m_logScaleChosen;
    std::future<std::unique_ptr<ChimePlayer>> m_chimePlayerLoading;
    std::unique_ptr<ChimePlayer> m_chimePlayer;
    // A child window of the main window, which closes with it.
    GraphWindow *m_graph = nullptr;
};
