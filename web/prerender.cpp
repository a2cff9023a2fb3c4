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

#include <emscripten.h>

#include <algorithm>
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

std::string attribute(const char *name, std::u16string_view value)
{
    return value.empty() ? "" : std::string(" ") + name + "=\"" + html(value) + '"';
}

std::string action(Layout::Action action)
{
    return " data-action=\"" + std::to_string(int(action)) + '"';
}

std::string button(const std::string &attributes, std::u16string_view caption)
{
    return "<button" + attributes + '>' + html(caption) + "</button>";
}

// Every control of the window at its place, in the order the focus goes round in.
std::string window()
{
    std::string markup;
    for (const Layout::Control &control : Layout::controls) {
        const Layout::Pixels pixels = Layout::toPixels(control.place);
        const std::string id = " id=\"" + std::string(control.id) + '"';
        const std::string style = " style=\"left: " + std::to_string(pixels.left) + "px; top: " + std::to_string(pixels.top) + "px; width: "
                                  + std::to_string(pixels.width) + "px; height: " + std::to_string(pixels.height) + "px\"";
        const std::string named = attribute("aria-label", control.accessibleName);
        switch (control.role) {
        case Layout::Role::Separator: markup += "<hr" + id + style + ">"; break;
        case Layout::Role::Button: markup += button(id + " type=\"button\"" + action(control.action) + style, control.caption); break;
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

// A control of a panel, by its role; a button is its form's, where it passes on the values of
// the entries or numbers of its row.
std::string control(const Panel::Table &table, const Panel::Control &control, bool submits)
{
    using Panel::Role;
    static constexpr const char *roles[] = {"close", "summary", "plot", "entry", "number", "button", "check", "progress", "records", "note"};
    const std::string id = " id=\"" + std::string(control.id) + "\" data-control=\"" + std::to_string(&control - table.begin())
                           + "\" data-role=\"" + roles[int(control.role)] + '"' + action(control.action)
                           + attribute("aria-label", control.accessibleName);
    switch (control.role) {
    case Role::Close:
    case Role::Button:
        return button(id + " type=\"" + (submits ? "submit" : "button") + '"', control.caption);
    case Role::Summary: return "<p" + id + "></p>";
    case Role::Plot: {
        // A figure, not an image: it is pointed at and clicked, and WebKitGTK's accessibility
        // aborts its web process on a click into an image's drawing once the page has scrolled.
        const auto summary = std::find_if(table.begin(), table.end(), [](const Panel::Control &other) { return other.role == Role::Summary; });
        return "<div" + id + " role=\"figure\" aria-describedby=\"" + summary->id + "\"></div>";
    }
    case Role::Entry: return "<input" + id + " type=\"text\" inputmode=\"numeric\" autocomplete=\"off\"" + attribute("placeholder", control.caption) + '>';
    case Role::Number:
        return "<label>" + html(control.caption) + " <input" + id + " type=\"number\" min=\"" + std::to_string(int(Experiment::lowest))
               + "\" max=\"" + std::to_string(int(Experiment::highest)) + "\" required></label>";
    case Role::Check: return "<label><input" + id + " type=\"checkbox\"> " + html(control.caption) + "</label>";
    case Role::Progress: return "<progress" + id + " max=\"1\" value=\"0\"></progress>";
    case Role::Note: return "<span" + id + " role=\"status\"></span>";
    case Role::Records: {
        // It scrolls within its own frame, which the keyboard can reach; its ticks have an
        // action besides its buttons'.
        std::string records = "<div class=\"records\" tabindex=\"0\"><table" + id + " data-tick=\"" + std::to_string(int(Layout::Action::Tick))
                               + "\"><caption>" + html(control.caption) + "</caption><thead><tr>";
        for (std::u16string_view column : ProgramText::recordColumns)
            records += "<th>" + html(column) + "</th>";
        return records + "</tr></thead><tbody></tbody></table></div>";
    }
    }
    return {};
}

// A panel from its table: its title bar with its heading and Close, then its rows, a row
// whose button passes values on a form.
std::string panel(const Panel::Table &table)
{
    const std::string name = table.name;
    const auto close = std::find_if(table.begin(), table.end(), [](const Panel::Control &other) { return other.role == Panel::Role::Close; });
    std::string markup = "<section id=\"" + name + "\" class=\"window panel\" aria-labelledby=\"" + name + "Title\" data-panel=\""
                         + std::to_string(int(table.id)) + "\" hidden><div class=\"titlebar\"><h2 id=\"" + name
                         + "Title\" tabindex=\"-1\"></h2>" + control(table, *close, false) + "</div>";
    for (const Panel::Row &row : Panel::rows(table)) {
        std::string controls;
        for (const Panel::Control *each : row.controls) {
            const bool submits = row.takesValues && std::any_of(row.controls.begin(), row.controls.end(), [each](const Panel::Control *other) {
                return other->role != Panel::Role::Button && other->action == each->action;
            });
            controls += control(table, *each, submits);
        }
        const char *tag = row.takesValues ? "form" : "div";
        markup += row.controls.size() == 1 ? controls : std::string("<") + tag + " class=\"row" + (row.fills ? " fills" : "") + "\">" + controls + "</" + tag + '>';
    }
    return markup + "</section>";
}

// A modal dialog, framed as a window: its title, given here where it never changes, what it
// holds and its buttons, the first given the focus as it opens unless the content says
// otherwise.
std::string dialog(const std::string &id, const std::string &content, const std::string &buttons, std::u16string_view title = u"")
{
    return "<dialog id=\"" + id + "Dialog\" class=\"window\" aria-labelledby=\"" + id + "Title\" aria-describedby=\"" + id + "Text\"><h2 id=\""
           + id + "Title\" class=\"titlebar\">" + html(title) + "</h2><form method=\"dialog\">" + content + "<div class=\"buttons\">" + buttons
           + "</div></form></dialog>";
}

std::string body()
{
    std::string markup = "<div id=\"screen\"><div id=\"frame\"><main id=\"window\" class=\"window\" aria-labelledby=\"caption\"><div "
                         "class=\"titlebar\"><img src=\"data:image/png;base64,{{icon}}\" width=\"16\" height=\"16\" alt=\"\"><h1 id=\"caption\">"
                         + html(ProgramText::caption) + "</h1></div><div id=\"client\">" + window() + "</div></main>";
    markup += "<nav id=\"pageLinks\">" + button(" id=\"openSurvey\" type=\"button\"" + action(Layout::Action::ShowSurvey), ProgramText::survey)
              + button(" id=\"fullScreen\" type=\"button\"", ProgramText::fullScreen) + "</nav>";
    markup += "<main id=\"ended\" class=\"window\" aria-labelledby=\"endedTitle\" hidden><h1 id=\"endedTitle\">" + html(ProgramText::ended)
              + "</h1><p>" + html(ProgramText::endedNote) + "</p>" + button(" id=\"restartButton\" type=\"button\"", ProgramText::restart) + "</main>";
    for (const Panel::Table &table : Panel::tables)
        markup += panel(table);
    markup += "</div></div><div id=\"contextMenu\" role=\"menu\"" + attribute("aria-label", ProgramText::menu)
              + " hidden>" + button(" id=\"copyItem\" type=\"button\" role=\"menuitem\"", ProgramText::copy);
    for (const Layout::Command &command : Layout::commands)
        markup += button(" id=\"" + std::string(command.id) + "\" type=\"button\" role=\"menuitem\"" + action(command.action) + " data-key=\""
                         + char(command.key - u'A' + 'a') + '"', command.caption);
    markup += "</div>";
    markup += dialog("input",
                     "<label id=\"inputText\" for=\"entry\"></label><input id=\"entry\" type=\"text\" autocomplete=\"off\" spellcheck=\"false\" "
                     "aria-describedby=\"inputRefused\"><p id=\"inputRefused\" role=\"alert\"></p>",
                     button(" value=\"ok\"", ProgramText::ok) + button(" value=\"cancel\"", ProgramText::cancel));
    markup += dialog("exit", "<p id=\"exitText\"></p>", button(" value=\"yes\" id=\"yesButton\"", ProgramText::yes) + button(" value=\"no\"", ProgramText::no));
    markup += dialog("message", "<p id=\"messageText\"></p>", button(" value=\"ok\"", ProgramText::ok), ProgramText::exitTitle);
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

// The object is written by node's own JSON.
int main()
{
    EM_ASM(console.log(JSON.stringify({ title: UTF8ToString($0), description: UTF8ToString($1), variables: UTF8ToString($2),
                                        clientWidth: $3, body: UTF8ToString($4) }, null, 1)),
           html(ProgramText::caption.substr(ProgramText::caption.find_first_not_of(u' '))).c_str(), html(ProgramText::description).c_str(),
           variables().c_str(), Layout::toPixels(Layout::client).width, body().c_str());
}
