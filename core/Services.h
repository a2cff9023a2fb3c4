// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class GraphDrawing;

// Everything the window's behaviour asks of the face that shows it: the two modal
// questions, the texts it shows, the chimes, the graph and the end. A question answers
// through its callback, before it returns (a desktop's modal dialog) or later (a page's).
class Services {
public:
    virtual ~Services() = default;

    // The input dialog: the entry's text on OK and "" on Cancel or when the dialog is
    // closed; nothing when the program began to end while it asked.
    using Entry = std::optional<std::u16string>;
    virtual void askForEntry(std::u16string_view prompt, std::u16string_view title, std::function<void(Entry)> answered) = 0;
    // A Yes/No question, Yes the default, Escape for No.
    virtual void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool yes)> answered) = 0;

    virtual void showStartingValue(std::u16string_view text) = 0;
    virtual void showSequence(std::u16string_view text) = 0;

    // Cuts off the chime still sounding and starts this one; neither waits for anything,
    // and a chime that cannot be played is silent.
    virtual void playChime(const char *fileName) = 0;
    virtual void stopChime() = 0;

    // Draws the graph anew, and brings it into view when asked to.
    virtual void showGraph(const GraphDrawing &graph, bool bringIntoView) = 0;

    // Ends the program at once, its window and graph with it, as far as the face can.
    virtual void end() = 0;
};
