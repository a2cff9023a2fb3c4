// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramLibraries.h"
#include "Services.h"
#include "WindowModel.h"

#include <QWidget>

#include <future>
#include <memory>

class ChimePlayer;
class ExplanationPanel;
class Panels;
class QLabel;
class QPlainTextEdit;

// The program's only window on the desktop: the controls of the shared layout at their
// places, passing every click and key on to the shared window model.
class MainWindow : public QWidget, private Services {
    Q_OBJECT
public:
    explicit MainWindow(QStringList libraryFolders = programLibraryFolders());
    ~MainWindow() override;

    // Shows what a link or the command line asks for, once the window is up.
    void openLink(const QString &link);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The desktop's side of Services: Qt's modal dialogs parented to the main window, stores
    // into its controls, the chime player and the panels' windows, each loaded from a library
    // of its own, the clipboard, and the end of the application.
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

    // The chime player, loaded here unless the window's first show has begun to load it
    // in the background, ahead of the first chime.
    ChimePlayer &chimePlayer();

    ExplanationPanel *m_explanationPanel = nullptr;
    QPlainTextEdit *m_sequenceView = nullptr;
    QLabel *m_startingValueLabel = nullptr;
    // Where the program's own libraries are looked for.
    QStringList m_libraryFolders;
    std::future<std::unique_ptr<ChimePlayer>> m_chimePlayerLoading;
    std::unique_ptr<ChimePlayer> m_chimePlayer;
    std::unique_ptr<Panels> m_panels;
    WindowModel m_model{*this};
    // Once the window has first been shown, and once its panel has been printed: a link is
    // opened then.
    bool m_shown = false, m_ready = false;
    QString m_link;
};
