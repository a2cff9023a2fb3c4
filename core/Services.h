// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Panel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A file to save, as the model makes it: the name it is offered under, what it holds (a
// table as CSV, or a picture as SVG with its size in pixels, which the face saves as PNG),
// and the save dialog's title and what it lists.
struct SavedFile {
    std::string name;
    std::string contents;
    bool picture = false;
    std::u16string_view title, filter;
};

// Everything the window's behaviour asks of the face that shows it: the two modal
// questions, the texts it shows, the chimes, the panels, a note, saving and copying, work
// for later, and the end. A question answers through its callback, before it returns (a
// desktop's modal dialog) or later (a page's).
class Services {
public:
    virtual ~Services() = default;

    // The input dialog, with why the last entry was refused, if it was: the entry's text on
    // OK and "" on Cancel or when the dialog is closed; nothing when the program began to
    // end while it asked.
    using Entry = std::optional<std::u16string>;
    virtual void askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                             std::function<void(Entry)> answered) = 0;
    // A Yes/No question, Yes the default, Escape for No.
    virtual void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool yes)> answered) = 0;

    virtual void showStartingValue(std::u16string_view text) = 0;
    virtual void showSequence(std::u16string_view text) = 0;

    // Cuts off the chime still sounding and starts this one; neither waits for anything,
    // and a chime that cannot be played is silent.
    virtual void playChime(const char *fileName) = 0;
    virtual void stopChime() = 0;

    // Shows a panel anew, and brings it into view when asked to.
    virtual void showPanel(const Panel::View &view, bool bringIntoView) = 0;
    // A note the person reads and closes, such as why a link cannot be shown.
    virtual void showMessage(std::u16string_view text) = 0;
    // Offers the file to be saved where the person chooses.
    virtual void save(const SavedFile &file) = 0;
    // Puts a link in the face's own form on the clipboard: the page's address with this
    // after "#", or the desktop's command line; says later whether it could.
    virtual void copyLink(const std::string &form, std::function<void(bool copied)> done) = 0;
    // Does this in so many milliseconds, or as soon as the face has taken the input that
    // waits and shown what changed: a long survey is worked out a slice at a time.
    virtual void later(std::function<void()> work, int milliseconds) = 0;

    // Ends the program at once, its window and panels with it, as far as the face can.
    virtual void end() = 0;
};
