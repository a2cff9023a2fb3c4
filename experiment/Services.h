// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the experiment logic may ask of the window: dialogs, text stores and printing.
// It says nothing about how the window provides them.
class Services {
public:
    enum class Target { Text1, Label1 };
    enum class Answer { Yes = 6, No = 7 };

    virtual ~Services() = default;

    // Modal; returns the entry's text on OK and "" on Cancel or when the dialog is closed,
    // and nothing when the program began to end while the dialog was open.
    virtual std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title) = 0;
    // Modal Yes/No question, Yes the default, no icon.
    virtual Answer msgBox(std::u16string_view prompt, std::u16string_view title) = 0;
    virtual void setText(Target target, std::u16string_view text) = 0;
    // Prints one line into the explanation panel and moves to the next line.
    virtual void printLine(std::u16string_view text) = 0;
};
