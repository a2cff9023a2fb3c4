// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramLibraries.h"
#include "Services.h"

#include <functional>
#include <future>
#include <memory>

class ChimePlayer;
class Panels;
class QLabel;
class QPlainTextEdit;
class QWidget;
class WindowModel;

// The desktop's side of Services: Qt's modal dialogs parented to the main window, stores
// into its controls, the chime player and the panels' windows, each loaded from a library
// of its own, the clipboard, and the end of the application. It owns none of the main
// window's widgets.
class WindowServices final : public Services {
public:
    WindowServices(QWidget *window, ProgramLibraries libraries);
    ~WindowServices() override;

    // Where the experiment's texts go, and what the panels' windows tell.
    void showIn(QPlainTextEdit *sequenceView, QLabel *startingValueLabel, WindowModel *model);
    // Loads the chime player in the background, ahead of the first chime.
    void loadChimePlayer();

    void askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                     std::function<void(Entry)> answered) override;
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override;
    void showStartingValue(std::u16string_view text) override;
    void showSequence(std::u16string_view text) override;
    void playChime(const char *fileName) override;
    void stopChime() override;
    void showPanel(const Panel::View &view, bool bringIntoView) override;
    void showMessage(std::u16string_view text) override;
    void save(const SavedFile &file) override;
    void copyLink(const std::string &form, std::function<void(bool)> done) override;
    void later(std::function<void()> work, int milliseconds) override;
    void end() override;

private:
    ChimePlayer &chimePlayer();
    // The panels' windows, loaded when first shown; none where their library is missing,
    // which a message says.
    Panels *panels();

    QWidget *m_window;
    QPlainTextEdit *m_sequenceView = nullptr;
    QLabel *m_startingValueLabel = nullptr;
    WindowModel *m_model = nullptr;
    ProgramLibraries m_libraries;
    std::future<std::unique_ptr<ChimePlayer>> m_chimePlayerLoading;
    std::unique_ptr<ChimePlayer> m_chimePlayer;
    std::unique_ptr<Panels> m_panels;
};
