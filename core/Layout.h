// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramText.h"

#include <array>
#include <string_view>

// The window's fixed layout, as both faces build it: every control with its place in twips,
// its caption, the name screen readers give it and what a click on it does.
namespace Layout {

enum class Role { Separator, Button, Label, SequenceView, Panel };
enum class Action { None, Start, Exit, Reset };

struct Twips {
    int left, top, width, height;
};

struct Pixels {
    int left, top, width, height;
    bool operator==(const Pixels &other) const
    {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
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

} // namespace Layout
