// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramLibraries.h"
#include "WindowModel.h"
#include "WindowServices.h"

#include <QWidget>

class ExplanationPanel;
class QLabel;
class QPlainTextEdit;

// The program's only window on the desktop: the controls of the shared layout at their
// places, passing every click and key on to the shared window model.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(ProgramLibraries libraries = ProgramLibraries(), QWidget *parent = nullptr);
    ~MainWindow() override;

    WindowModel &model() { return m_model; }
    // Shows what a link or the command line asks for, once the window is up.
    void openLink(const QString &link);

protected:
    void showEvent(QShowEvent *event) override;

private:
    ExplanationPanel *m_explanationPanel = nullptr;
    QPlainTextEdit *m_sequenceView = nullptr;
    QLabel *m_startingValueLabel = nullptr;
    WindowServices m_services;
    WindowModel m_model{m_services};
    bool m_shown = false;
    // Once the panel has been printed: a link is opened then.
    bool m_ready = false;
    QString m_link;
};
