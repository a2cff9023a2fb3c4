// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "FormState.h"
#include "ProgramLibraries.h"

#include <QWidget>

#include <future>
#include <memory>
#include <optional>

class CueDevice;
class ExperimentGraph;
class ExplanationPanel;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class WindowServices;

// The program's only window: its controls at their fixed places, the state of the
// experiment, and the event procedures the controls' events reach. What each
// procedure does lives with its subsystem.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Form_Activate();
    // Opens the graph of the last experiment in its own window, or raises it.
    void showGraph();

    const FormState &state() const { return m_state; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *m_command1;
    QPushButton *m_command2;
    QPushButton *m_command3;
    QFrame *m_line1;
    ExplanationPanel *m_picture1;
    QPlainTextEdit *m_text1;
    QLabel *m_label1;

    FormState m_state;
    // The chime player, loaded in the background once the window is up.
    CueDevice &mmControl1();

    std::unique_ptr<WindowServices> m_services;
    ProgramLibraries m_libraries;
    std::future<std::unique_ptr<CueDevice>> m_mmControl1Loading;
    std::unique_ptr<CueDevice> m_mmControl1;
    bool m_activated = false;
    // The starting value of the last experiment, until a reset; the graph shows it.
    std::optional<double> m_lastStart;
    ExperimentGraph *m_graph = nullptr;
};
