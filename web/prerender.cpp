// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Run at build time, under node: writes, as one JSON object, the page's markup with every
// text in it, from the core's layout, panels and texts, and the figures its style takes.
// The window is then plain HTML, shown as soon as the page is read, before any script has
// run.

#include "Experiment.h"
#include "Layout.h"
#include "Panel.h"
#include "ProgramText.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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
        quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return quoted + '"';
}

std::string attribute(const char *name, std::u16string_view value)
{
    return value.empty() ? "" : std::string(" ") + name + "=\"" + html(value) + '"';
}

std::string action(Layout::Action action)
{
    return " data-action=\"" + std::to_string(int(action)) + '"';
}

std::string place(Layout::Twips twips)
{
    const Layout::Pixels pixels = Layout::toPixels(twips);
    return " style=\"left: " + std::to_string(pixels.left) + "px; top: " + std::to_string(pixels.top) + "px; width: "
           + std::to_string(pixels.width) + "px; height: " + std::to_string(pixels.height) + "px\"";
}

// Every control of the window at its place, in the order the focus goes round in.
std::string window()
{
    std::string markup;
    for (const Layout::Control &control : Layout::controls) {
        const std::string id = " id=\"" + std::string(control.id) + '"', style = place(control.place);
        const std::string named = attribute("aria-label", control.accessibleName);
        switch (control.role) {
        case Layout::Role::Separator: markup += "<hr" + id + style + ">"; break;
        case Layout::Role::Button:
            markup += "<button" + id + " type=\"button\"" + action(control.action) + style + '>' + html(control.caption) + "</button>";
            break;
        case Layout::Role::Label: markup += "<div" + id + " role=\"status\"" + style + "></div>"; break;
        case Layout::Role::SequenceView:
            // What is printed is a copy that can run on over pages, which a text box cannot.
            markup += "<textarea" + id + named + " spellcheck=\"false\" autocomplete=\"off\"" + style
                      + "></textarea><div id=\"sequencePrint\" aria-hidden=\"true\"></div>";
            break;
        case Layout::Role::Panel:
            // The lines as printed, and the sentences they break, which screen readers read
            // and a narrow screen shows instead.
            markup += "<section" + id + " tabindex=\"0\"" + named + style + "><div class=\"lines\" aria-hidden=\"true\">";
            for (std::u16string_view line : ProgramText::problemStatement)
                markup += "<div class=\"line\"><span>" + html(line) + "</span></div>";
            markup += "</div><div class=\"text\">";
            for (const std::u16string &paragraph : Layout::problemParagraphs())
                markup += "<p>" + html(paragraph) + "</p>";
            markup += "</div></section>";
            break;
        }
    }
    return markup;
}

// A panel from its table: its title bar, then its rows, a row with entries a form whose
// button passes them on.
std::string panel(const Panel::Table &table)
{
    using Panel::Role;
    const std::string name = table.name;
    const auto role = [&table](Role role) {
        return std::find_if(table.begin(), table.end(), [role](const Panel::Control &control) { return control.role == role; });
    };
    std::string markup = "<section id=\"" + name + "\" class=\"window panel\" aria-labelledby=\"" + name + "Title\" data-panel=\""
                         + std::to_string(int(table.id)) + "\" hidden><div class=\"titlebar\"><h2 id=\"" + name
                         + "Title\" tabindex=\"-1\"></h2>";
    std::string row;
    // The title bar's button comes first, whatever its place in the table.
    std::vector<const Panel::Control *> controls{&*role(Role::Close)};
    for (const Panel::Control &control : table) {
        if (control.role != Role::Close)
            controls.push_back(&control);
    }
    for (std::size_t at = 0; at < controls.size(); ++at) {
        const Panel::Control *control = controls[at];
        const auto inRow = [control](const Panel::Control &other) { return other.row == control->row; };
        const auto takes = [control, &inRow](const Panel::Control &other) {
            return inRow(other) && (other.role == Role::Entry || other.role == Role::Number) && other.action == control->action;
        };
        static constexpr const char *roles[] = {"close", "summary", "plot", "entry", "number", "button", "check", "progress", "records", "note"};
        const std::string id = " id=\"" + std::string(control->id) + "\" data-control=\"" + std::to_string(control - table.begin())
                               + "\" data-role=\"" + roles[int(control->role)] + '"' + action(control->action)
                               + attribute("aria-label", control->accessibleName);
        std::string element;
        switch (control->role) {
        case Role::Close: element = "<button" + id + " type=\"button\">" + html(control->caption) + "</button></div>"; break;
        case Role::Summary: element = "<p" + id + "></p>"; break;
        case Role::Plot: element = "<div" + id + " role=\"img\" aria-describedby=\"" + role(Role::Summary)->id + "\"></div>"; break;
        case Role::Entry:
            element = "<input" + id + " type=\"text\" inputmode=\"numeric\" autocomplete=\"off\"" + attribute("placeholder", control->caption) + '>';
            break;
        case Role::Number:
            element = "<label>" + html(control->caption) + " <input" + id + " type=\"number\" min=\"" + std::to_string(int(Experiment::lowest))
                      + "\" max=\"" + std::to_string(int(Experiment::highest)) + "\" required></label>";
            break;
        case Role::Button:
            element = "<button" + id + " type=\"" + (std::any_of(table.begin(), table.end(), takes) ? "submit" : "button") + "\">"
                      + html(control->caption) + "</button>";
            break;
        case Role::Check: element = "<label><input" + id + " type=\"checkbox\"> " + html(control->caption) + "</label>"; break;
        case Role::Progress: element = "<progress" + id + " max=\"1\" value=\"0\"></progress>"; break;
        case Role::Records:
            // Its ticks' action besides its buttons'.
            // The table scrolls within its own frame, which the keyboard can reach.
            element = "<div class=\"records\" tabindex=\"0\"><table" + id + " data-tick=\"" + std::to_string(int(Layout::Action::Tick)) + "\"><caption>" + html(control->caption) + "</caption><thead><tr>";
            for (std::u16string_view column : ProgramText::recordColumns)
                element += "<th>" + html(column) + "</th>";
            element += "</tr></thead><tbody></tbody></table></div>";
            break;
        case Role::Note: element = "<span" + id + " role=\"status\"></span>"; break;
        }
        if (std::count_if(table.begin(), table.end(), inRow) == 1 || control->role == Role::Close) {
            markup += element;
            continue;
        }
        row += element;
        if (at + 1 < controls.size() && inRow(*controls[at + 1]))
            continue;
        // The first control of a row stands at its left and the rest at its right, unless an
        // entry or a progress bar fills the room between.
        const bool form = std::any_of(table.begin(), table.end(), [&inRow](const Panel::Control &other) {
            return inRow(other) && (other.role == Role::Entry || other.role == Role::Number);
        });
        const bool fills = form || std::any_of(table.begin(), table.end(), [&inRow](const Panel::Control &other) {
            return inRow(other) && other.role == Role::Progress;
        });
        const char *tag = form ? "form" : "div";
        markup += std::string("<") + tag + " class=\"row" + (fills ? " fills" : "") + "\">" + row + "</" + tag + '>';
        row.clear();
    }
    return markup + "</section>";
}

// A modal dialog: its title, what it holds and its buttons, the first given the focus as it
// opens unless the content says otherwise.
std::string dialog(const std::string &id, const std::string &content, const std::string &buttons)
{
    return "<dialog id=\"" + id + "Dialog\" aria-labelledby=\"" + id + "Title\" aria-describedby=\"" + id + "Text\"><h2 id=\"" + id
           + "Title\" class=\"titlebar\"></h2><form method=\"dialog\">" + content + "<div class=\"buttons\">" + buttons + "</div></form></dialog>";
}

std::string body()
{
    std::string markup = "<div id=\"screen\"><div id=\"frame\"><main id=\"window\" class=\"window\" aria-labelledby=\"caption\"><div "
                         "class=\"titlebar\"><img src=\"data:image/png;base64,{{icon}}\" alt=\"\"><h1 id=\"caption\">"
                         + html(ProgramText::caption) + "</h1></div><div id=\"client\">" + window() + "</div></main>";
    markup += "<nav id=\"pageLinks\"><button id=\"openSurvey\" type=\"button\"" + action(Layout::Action::ShowSurvey) + '>'
              + html(ProgramText::survey) + "</button><button id=\"fullScreen\" type=\"button\">" + html(ProgramText::fullScreen) + "</button></nav>";
    markup += "<main id=\"ended\" class=\"window\" aria-labelledby=\"endedTitle\" hidden><h1 id=\"endedTitle\">" + html(ProgramText::ended)
              + "</h1><p>" + html(ProgramText::endedNote) + "</p><button id=\"restartButton\" type=\"button\">" + html(ProgramText::restart)
              + "</button></main>";
    for (const Panel::Table &table : Panel::tables)
        markup += panel(table);
    markup += "</div></div><div id=\"contextMenu\" role=\"menu\"" + attribute("aria-label", ProgramText::menu)
              + " hidden><button id=\"copyItem\" type=\"button\" role=\"menuitem\">" + html(ProgramText::copy) + "</button>";
    for (const Layout::Command &command : Layout::commands)
        markup += "<button id=\"" + std::string(command.id) + "\" type=\"button\" role=\"menuitem\"" + action(command.action) + " data-key=\""
                  + char(command.key - u'A' + 'a') + "\">" + html(command.caption) + "</button>";
    markup += "</div>";
    const auto button = [](const char *value, std::u16string_view caption, const char *more = "") {
        return std::string("<button value=\"") + value + '"' + more + '>' + html(caption) + "</button>";
    };
    markup += dialog("input",
                     "<label id=\"inputText\" for=\"entry\"></label><input id=\"entry\" type=\"text\" autocomplete=\"off\" spellcheck=\"false\" "
                     "aria-describedby=\"inputRefused\"><p id=\"inputRefused\" role=\"alert\"></p>",
                     button("ok", ProgramText::ok) + button("cancel", ProgramText::cancel));
    markup += dialog("exit", "<p id=\"exitText\"></p>", button("yes", ProgramText::yes, " id=\"yesButton\"") + button("no", ProgramText::no));
    markup += dialog("message", "<p id=\"messageText\"></p>", button("ok", ProgramText::ok, " id=\"messageOk\""));
    return markup + "<noscript><p>" + html(ProgramText::needsScript) + "</p></noscript>";
}

// What the style takes from the layout: the window's size and the panel's font and lines.
std::string variables()
{
    const Layout::Pixels client = Layout::toPixels(Layout::client);
    std::string fonts;
    for (std::u16string_view font : ProgramText::japaneseFonts)
        fonts += '"' + html(font) + "\", ";
    const auto panel = std::find_if(Layout::controls.begin(), Layout::controls.end(),
                                    [](const Layout::Control &control) { return control.role == Layout::Role::Panel; });
    return ":root { --client-width: " + std::to_string(client.width) + "px; --client-height: " + std::to_string(client.height)
           + "px; --japanese: " + fonts + "sans-serif; --japanese-size: " + std::to_string(ProgramText::japaneseFontPoints)
           + "pt; --panel-line: calc(" + std::to_string(Layout::toPixels(panel->place).height) + "px / "
           + std::to_string(ProgramText::problemStatement.size()) + "); }";
}

} // namespace

int main()
{
    const std::pair<const char *, std::string> texts[] = {
        {"title", html(ProgramText::caption.substr(ProgramText::caption.find_first_not_of(u' ')))},
        {"description", html(ProgramText::description)},
        {"variables", variables()},
        // The window and the screen's margins: narrower, the page flows from its first paint.
        {"flowBelow", std::to_string(Layout::toPixels(Layout::client).width + 2 + 16)},
        {"body", body()},
    };
    std::string object = "{";
    for (const auto &[name, text] : texts)
        object += (object.size() > 1 ? ",\n" : "\n") + json(name) + ": " + json(text);
    std::puts((object + "\n}").c_str());
    return 0;
}
