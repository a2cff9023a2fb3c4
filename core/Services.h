// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class GraphDrawing;
class Survey;

// The survey of a range as a face shows it: the range asked for, how far the work has come,
// and the finished survey.
struct SurveyView {
    enum class Stage { NotYet, Running, Cancelled, Done };
    std::uint32_t first = 3, last = 100;
    Stage stage = Stage::NotYet;
    double progress = 0;
    const Survey *survey = nullptr;
};

// Everything the window's behaviour asks of the face that shows it: the two modal
// questions, the texts it shows, the chimes, the graph and the survey, a note, work for
// later, and the end. A question answers
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
    // Shows the survey anew, and brings it into view when asked to.
    virtual void showSurvey(const SurveyView &survey, bool bringIntoView) = 0;
    // A note the person reads and closes, such as why a link cannot be shown.
    virtual void showMessage(std::u16string_view text) = 0;
    // Does this soon, once the face has taken the input that waits and shown what changed:
    // a long survey is worked out a slice at a time.
    virtual void later(std::function<void()> work) = 0;

    // Ends the program at once, its window and graph with it, as far as the face can.
    virtual void end() = 0;
};
