// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"
#include "Twips.h"

// The page's side of Services and the rest of what the window needs of the page: its
// modal <dialog>s, awaited without returning to the browser in between, and stores into
// its elements, found by id. It holds no state of its own.
class PageServices final : public Services {
public:
    std::optional<std::u16string> askForEntry(std::u16string_view prompt, std::u16string_view title) override;
    void showStartingValue(std::u16string_view text) override;
    void showSequence(std::u16string_view text) override;

    // A modal Yes/No question, Yes the default, Escape for No; true for Yes.
    bool askYesNo(std::u16string_view question, std::u16string_view title);
    void setText(const char *id, std::u16string_view text);
    void place(const char *id, PixelRect place);
    // Adds one line to the explanation panel.
    void printLine(std::u16string_view text);
    // The window is laid out and its texts are in: the page may show it and take clicks.
    void showWindow();
    // Ends the program as far as a page can: closes its window where the browser lets it,
    // and otherwise puts a note that it has ended in the window's place.
    void end();
};
