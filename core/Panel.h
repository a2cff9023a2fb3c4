// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Layout.h"
#include "ProgramText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// The two panels beside the window, the graph's and the survey's, as both faces build them:
// a table of each one's controls, in the order the focus goes round in, and a value that
// says what they show now, which the model makes. A face builds a panel from its table,
// shows each view it is given and passes what is done in it on by the controls' actions.
namespace Panel {

enum class Id { Graph, Survey };

enum class Role {
    // Closes the panel: a page's button in its title bar, a desktop window's own frame.
    Close,
    Summary,
    // The drawing, named by the control and described by the summary; the graph's shows the
    // value under the pointer, the survey's runs the start clicked.
    Plot,
    // A line of text; the button of its row passes the text on.
    Entry,
    // A whole number from 3 to 10,000,000 after its caption; the button of its row passes
    // the numbers of the row on.
    Number,
    Button,
    Check,
    Progress,
    // The records: for each, a tick to compare it (Action::Tick) and a button that runs it
    // (Action::RunStart), then its figures; the caption says what a record is.
    Records,
    // A note said for a few seconds, for screen readers too.
    Note,
};

struct Control {
    const char *id;
    Role role;
    // The controls of a row stand side by side.
    int row;
    // A button's or a check box's caption, an entry's example, a number's label, the
    // records' caption.
    std::u16string_view caption = u"";
    Layout::Action action = Layout::Action::None;
    // For a control without a caption.
    std::u16string_view accessibleName = u"";
};

using Layout::Action;

inline constexpr std::array<Control, 10> graphControls = {{
    {"closeGraph", Role::Close, 0, u"×", Action::CloseGraph, ProgramText::closeGraph},
    {"graphSummary", Role::Summary, 1},
    {"graphPlot", Role::Plot, 2, u"", Action::None, ProgramText::graphTitle},
    {"compareStarts", Role::Entry, 3, ProgramText::compareExample, Action::Compare, ProgramText::compareName},
    {"compare", Role::Button, 3, ProgramText::compare, Action::Compare},
    {"logScale", Role::Check, 4, ProgramText::logScale, Action::LogScale},
    {"graphNote", Role::Note, 4},
    {"savePicture", Role::Button, 4, ProgramText::savePicture, Action::SavePicture},
    {"saveTable", Role::Button, 4, ProgramText::saveTable, Action::SaveTable},
    {"copyGraphLink", Role::Button, 4, ProgramText::copyLink, Action::CopyGraphLink},
}};

inline constexpr std::array<Control, 14> surveyControls = {{
    {"closeSurvey", Role::Close, 0, u"×", Action::CloseSurvey, ProgramText::closeSurvey},
    {"surveyFirst", Role::Number, 1, ProgramText::surveyFrom, Action::Survey},
    {"surveyLast", Role::Number, 1, ProgramText::surveyTo, Action::Survey},
    {"surveyRun", Role::Button, 1, ProgramText::surveyRun, Action::Survey},
    {"surveyCancel", Role::Button, 1, ProgramText::surveyCancel, Action::CancelSurvey},
    {"surveyProgress", Role::Progress, 1, u"", Action::None, ProgramText::progressName},
    {"surveySummary", Role::Summary, 2},
    {"surveyPlot", Role::Plot, 3, u"", Action::PickStart, ProgramText::surveyName},
    {"surveyRecords", Role::Records, 4, ProgramText::recordsCaption, Action::RunStart},
    {"surveyCompare", Role::Button, 5, ProgramText::compare, Action::CompareTicked},
    {"surveyNote", Role::Note, 5},
    {"surveySaveTable", Role::Button, 5, ProgramText::saveSurveyTable, Action::SaveSurveyTable},
    {"surveySaveRecords", Role::Button, 5, ProgramText::saveRecords, Action::SaveRecords},
    {"surveyCopyLink", Role::Button, 5, ProgramText::copyLink, Action::CopySurveyLink},
}};

// A panel's table: what both faces call the panel, and its controls.
struct Table {
    Id id;
    const char *name;
    const Control *first;
    std::size_t count;
    const Control *begin() const { return first; }
    const Control *end() const { return first + count; }
};

inline constexpr std::array<Table, 2> tables = {{
    {Id::Graph, "graphWindow", graphControls.data(), graphControls.size()},
    {Id::Survey, "surveyWindow", surveyControls.data(), surveyControls.size()},
}};

// A row of a panel as both faces lay it out: a control alone takes the panel's width; of
// several, the first stands at the left and the rest at the right, unless an entry or a
// progress bar fills the room between. A button in a row with entries or numbers passes
// their values on with its action.
struct Row {
    std::vector<const Control *> controls;
    bool fills = false, takesValues = false;
};

// The rows of a panel, its Close apart.
inline std::vector<Row> rows(const Table &table)
{
    std::vector<Row> rows;
    for (const Control &control : table) {
        if (control.role == Role::Close)
            continue;
        if (rows.empty() || rows.back().controls.back()->row != control.row)
            rows.emplace_back();
        rows.back().controls.push_back(&control);
        rows.back().fills |= control.role == Role::Entry || control.role == Role::Progress;
        rows.back().takesValues |= control.role == Role::Entry || control.role == Role::Number;
    }
    return rows;
}

// A record as the survey's table lists it: its start, steps, highest and kind, and what
// its tick and its button are called.
struct RecordRow {
    std::uint32_t start;
    std::array<std::u16string, 4> cells;
    std::u16string tickName, runName;
};

// What one control shows now.
struct ControlState {
    bool enabled = true;
    bool checked = false;
    // A number's value; an entry's text is what was typed into it.
    double number = 0;
    // Why a button that cannot be used is so.
    std::u16string tip;
};

// What a panel shows now, as a value: a face may keep it as long as it likes. The drawing
// and the records are shared and never change: a face draws them again only when they are
// others.
struct View {
    Id id = Id::Graph;
    std::u16string title, summary, note;
    std::shared_ptr<const std::string> drawing;
    std::shared_ptr<const std::vector<RecordRow>> records;
    // The records ticked to compare, by start.
    std::vector<std::uint32_t> ticked;
    double progress = 0;
    // A state for each control of the panel's table, in its order.
    std::vector<ControlState> controls;

    const Table &table() const { return tables[std::size_t(id)]; }
    ControlState &operator[](const char *control)
    {
        const auto named = [control](const Control &each) { return std::strcmp(each.id, control) == 0; };
        const Control *found = std::find_if(table().begin(), table().end(), named);
        return found == table().end() ? controls.front() : controls[std::size_t(found - table().begin())];
    }
};

} // namespace Panel
