// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Run at build time, under node: writes, as one JSON object, every text and the window's
// markup that the page's template takes by name. The window is then plain HTML, shown as
// soon as the page is read, before any script has run.

#include "Layout.h"
#include "ProgramText.h"
#include "Utf8.h"

#include <cstdio>
#include <string>

namespace {

std::string html(std::u16string_view text)
{
    std::string escaped;
    for (char c : toUtf8(text)) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string json(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n')
            quoted += "\\n";
        else
            quoted += c;
    }
    return quoted + '"';
}

std::string place(Layout::Twips twips)
{
    const Layout::Pixels pixels = Layout::toPixels(twips);
    return " style=\"left: " + std::to_string(pixels.left) + "px; top: " + std::to_string(pixels.top) + "px; width: "
           + std::to_string(pixels.width) + "px; height: " + std::to_string(pixels.height) + "px\"";
}

// Every control at its place, in the order the focus goes round in.
std::string controls()
{
    std::string markup;
    for (const Layout::Control &control : Layout::controls) {
        const std::string id = " id=\"" + std::string(control.id) + '"', style = place(control.place);
        const std::string named = control.accessibleName.empty() ? "" : " aria-label=\"" + html(control.accessibleName) + '"';
        switch (control.role) {
        case Layout::Role::Separator:
            markup += "<hr" + id + style + ">\n";
            break;
        case Layout::Role::Button:
            // The script passes a click on as the number of the button's action.
            markup += "<button" + id + " type=\"button\" data-action=\"" + std::to_string(int(control.action)) + '"' + style + '>'
                      + html(control.caption) + "</button>\n";
            break;
        case Layout::Role::Label:
            markup += "<div" + id + " role=\"status\"" + style + "></div>\n";
            break;
        case Layout::Role::SequenceView:
            // What is printed is a copy that can run on over pages, which a text box cannot.
            markup += "<textarea" + id + named + " spellcheck=\"false\" autocomplete=\"off\"" + style
                      + "></textarea>\n<div id=\"sequencePrint\" aria-hidden=\"true\"></div>\n";
            break;
        case Layout::Role::Panel:
            markup += "<section" + id + " tabindex=\"0\"" + named + style + "><div class=\"lines\">";
            for (std::u16string_view line : ProgramText::problemStatement)
                markup += "<div class=\"line\"><span>" + html(line) + "</span></div>";
            markup += "</div></section>\n";
            break;
        }
    }
    return markup;
}

// The records table's head: a column to choose records to compare, then the figures'.
std::string recordColumns()
{
    std::string cells = "<th><span class=\"hidden\">" + html(ProgramText::compare) + "</span></th>";
    for (std::u16string_view column : ProgramText::recordColumns)
        cells += "<th>" + html(column) + "</th>";
    return cells;
}

std::string fonts()
{
    std::string list;
    for (std::u16string_view font : ProgramText::japaneseFonts)
        list += '"' + html(font) + "\", ";
    return list + "sans-serif";
}

const Layout::Control &panel()
{
    for (const Layout::Control &control : Layout::controls) {
        if (control.role == Layout::Role::Panel)
            return control;
    }
    return Layout::controls.front();
}

} // namespace

int main()
{
    const Layout::Pixels client = Layout::toPixels(Layout::client);
    const std::string panelLine = "calc(" + std::to_string(Layout::toPixels(panel().place).height) + "px / "
                                  + std::to_string(ProgramText::problemStatement.size()) + ')';
    const std::pair<const char *, std::string> texts[] = {
        {"title", html(ProgramText::caption.substr(ProgramText::caption.find_first_not_of(u' ')))},
        {"caption", html(ProgramText::caption)},
        {"clientWidth", std::to_string(client.width)},
        {"clientHeight", std::to_string(client.height)},
        {"controls", controls()},
        {"fonts", fonts()},
        {"fontSize", std::to_string(ProgramText::japaneseFontPoints) + "pt"},
        {"panelLine", panelLine},
        {"ok", html(ProgramText::ok)},
        {"cancel", html(ProgramText::cancel)},
        {"yes", html(ProgramText::yes)},
        {"no", html(ProgramText::no)},
        {"menu", html(ProgramText::menu)},
        {"copy", html(ProgramText::copy)},
        {"showGraph", html(ProgramText::showGraph)},
        {"graphName", html(ProgramText::graphName)},
        {"logScale", html(ProgramText::logScale)},
        {"savePicture", html(ProgramText::savePicture)},
        {"saveTable", html(ProgramText::saveTable)},
        {"close", html(ProgramText::close)},
        {"ended", html(ProgramText::ended)},
        {"endedNote", html(ProgramText::endedNote)},
        {"restart", html(ProgramText::restart)},
        {"needsScript", html(ProgramText::needsScript)},
        {"fullScreen", html(ProgramText::fullScreen)},
        {"compare", html(ProgramText::compare)},
        {"compareName", html(ProgramText::compareName)},
        {"compareExample", html(ProgramText::compareExample)},
        {"copyLink", html(ProgramText::copyLink)},
        {"survey", html(ProgramText::survey)},
        {"surveyFrom", html(ProgramText::surveyFrom)},
        {"surveyTo", html(ProgramText::surveyTo)},
        {"surveyRun", html(ProgramText::surveyRun)},
        {"surveyCancel", html(ProgramText::surveyCancel)},
        {"surveyName", html(ProgramText::surveyName)},
        {"saveSurveyTable", html(ProgramText::saveSurveyTable)},
        {"saveRecords", html(ProgramText::saveRecords)},
        {"tableTooLong", html(ProgramText::tableTooLong)},
        {"recordColumns", recordColumns()},
    };
    std::string object = "{";
    for (const auto &[name, text] : texts)
        object += (object.size() > 1 ? ",\n" : "\n") + json(name) + ": " + json(text);
    std::puts((object + "\n}").c_str());
    return 0;
}
