// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramText.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The window's fixed layout, as both faces build it: every control with its place in twips,
// its caption, the name screen readers give it and what a click on it does; and the
// commands of the text box's menu with their shortcuts.
namespace Layout {

enum class Role { Separator, Button, Label, SequenceView, Panel };

// Everything a face passes on to the model, by name: the window's buttons, the menu's
// commands and the panels' controls.
enum class Action {
    None, Start, Exit, Reset, ShowGraph, ShowSurvey,
    // The graph's panel.
    CloseGraph, Compare, LogScale, SavePicture, SaveTable, CopyGraphLink,
    // The survey's panel.
    CloseSurvey, Survey, CancelSurvey, PickStart, RunStart, Tick, CompareTicked, SaveSurveyTable, SaveRecords, CopySurveyLink,
};

struct Twips {
    int left, top, width, height;
};

struct Pixels {
    int left, top, width, height;
};

// Fifteen twips to a pixel at 96 dots per inch, to the nearest pixel; each face scales
// pixels for screens with more dots.
constexpr int toPixels(int twips)
{
    return (twips + 7) / 15;
}

constexpr Pixels toPixels(Twips place)
{
    return {toPixels(place.left), toPixels(place.top), toPixels(place.width), toPixels(place.height)};
}

struct Control {
    // What both faces call it: the widget's object name, the element's id.
    const char *id;
    Role role;
    Twips place;
    std::u16string_view caption;
    // For a control without a caption; one with a caption is named by it.
    std::u16string_view accessibleName;
    Action action;
};

inline constexpr Twips client{0, 0, 10470, 7560};

// In the order the controls are made, which is the order the focus goes round in. The
// separator comes first, so that the two top buttons cover its ends; the label never takes
// the focus.
inline constexpr std::array<Control, 7> controls = {{
    {"separator", Role::Separator, {0, 360, 10440, 15}, u"", u"", Action::None},
    {"startButton", Role::Button, {4680, 6720, 1215, 615}, ProgramText::startCaption, u"", Action::Start},
    {"startingValueLabel", Role::Label, {120, 6720, 2895, 255}, u"", u"", Action::None},
    {"sequenceView", Role::SequenceView, {120, 3000, 10215, 3495}, u"", ProgramText::sequenceName, Action::None},
    {"exitButton", Role::Button, {0, 0, 855, 375}, ProgramText::exitCaption, u"", Action::Exit},
    {"resetButton", Role::Button, {9600, 0, 855, 375}, ProgramText::resetCaption, u"", Action::Reset},
    {"explanationPanel", Role::Panel, {120, 480, 10215, 2415}, u"", ProgramText::problemName, Action::None},
}};

// The text box's menu, after its own commands, and the same commands by Ctrl and a letter,
// which is also the command's mnemonic.
struct Command {
    const char *id;
    std::u16string_view caption;
    char16_t key;
    Action action;
};

inline constexpr std::array<Command, 2> commands = {{
    {"showGraph", ProgramText::showGraph, u'G', Action::ShowGraph},
    {"showSurvey", ProgramText::survey, u'E', Action::ShowSurvey},
}};

// The explanation as the text it is, for screen readers: a paragraph for each sentence the
// panel breaks by hand, without the indentation. A line with four leading ideographic
// spaces goes on from the line before it.
inline std::vector<std::u16string> problemParagraphs()
{
    std::vector<std::u16string> paragraphs;
    for (std::u16string_view line : ProgramText::problemStatement) {
        const std::size_t indent = line.find_first_not_of(u'\u3000');
        if (indent == std::u16string_view::npos)
            continue;
        if (indent == 4 && !paragraphs.empty())
            paragraphs.back() += line.substr(indent);
        else
            paragraphs.emplace_back(line.substr(indent));
    }
    return paragraphs;
}

} // namespace Layout
