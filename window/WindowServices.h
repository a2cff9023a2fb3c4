// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"

class QLabel;
class QPlainTextEdit;
class QWidget;

// The main window's side of Services: real Qt dialogs parented to the window, and
// stores into its controls. It owns none of the widgets it is given.
class WindowServices final : public Services {
public:
    WindowServices(QWidget *window, QPlainTextEdit *sequenceView, QLabel *startingValueLabel);

    std::optional<std::u16string> askForEntry(std::u16string_view prompt, std::u16string_view title) override;
    void showStartingValue(std::u16string_view text) override;
    void showSequence(std::u16string_view text) override;

    // A modal Yes/No question, Yes the default, Escape for No, no icon; true for Yes.
    bool askYesNo(std::u16string_view question, std::u16string_view title);

private:
    QWidget *m_window;
    QPlainTextEdit *m_sequenceView;
    QLabel *m_startingValueLabel;
};
