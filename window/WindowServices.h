// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"

#include <QPointer>
#include <QString>
#include <QTextCursor>

class ExplanationPanel;
class QLabel;
class QPlainTextEdit;
class QWidget;

// The window's side of Services: real Qt dialogs parented to the window, and stores
// into its controls. It owns none of the widgets it is given.
class WindowServices final : public Services {
public:
    WindowServices(QWidget *window, QPlainTextEdit *text1, QLabel *label1, ExplanationPanel *picture1);
    ~WindowServices() override;

    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title) override;
    Answer msgBox(std::u16string_view prompt, std::u16string_view title) override;
    void setText(Target target, std::u16string_view text) override;
    void printLine(std::u16string_view text) override;

private:
    void storeText1(QStringView text);
    void finishText1();

    QWidget *m_window;
    QPointer<QPlainTextEdit> m_text1;
    QLabel *m_label1;
    ExplanationPanel *m_picture1;
    // Stores into Text1 that follow each other without a return to the event loop
    // share one edit block, so the text is laid out once, not once per store.
    QTextCursor m_text1Edit;
    QString m_text1Shown;
};
