// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

// What an experiment asks of the window it runs in: the input dialog and the two places
// it shows its result. It says nothing about how the window provides them.
class Services {
public:
    virtual ~Services() = default;

    // Modal; returns the entry's text on OK and "" on Cancel or when the dialog is closed,
    // and nothing when the program began to end while the dialog was open.
    virtual std::optional<std::u16string> askForEntry(std::u16string_view prompt, std::u16string_view title) = 0;
    virtual void showStartingValue(std::u16string_view text) = 0;
    virtual void showSequence(std::u16string_view text) = 0;
};
