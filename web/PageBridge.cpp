// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The one boundary between the program's C++ and the page's script: every call the C++
// makes of the script (collatzPage, in page.js) and every function the script calls here.
// The page's build checks both ways that each name used is defined.

#include "PageScript.h"
#include "PageServices.h"
#include "SurveyDrawing.h"
#include "Utf8.h"
#include "WindowModel.h"

#include <emscripten.h>

#include <cstdint>

// Every text crosses to the script as NUL-terminated UTF-8.
EM_JS(void, scriptAskForEntry, (const char *prompt, const char *title), {
    collatzPage.askForEntry(UTF8ToString(prompt), UTF8ToString(title));
});
EM_JS(void, scriptAskYesNo, (const char *question, const char *title), {
    collatzPage.askYesNo(UTF8ToString(question), UTF8ToString(title));
});
EM_JS(void, scriptShowStartingValue, (const char *text), { collatzPage.showStartingValue(UTF8ToString(text)); });
EM_JS(void, scriptShowSequence, (const char *text), { collatzPage.showSequence(UTF8ToString(text)); });
EM_JS(void, scriptKeepChime, (const char *fileName, const std::int16_t *samples, int count, int rate), {
    collatzPage.keepChime(UTF8ToString(fileName), HEAP16.subarray(samples >> 1, (samples >> 1) + count), rate);
});
EM_JS(void, scriptPlayChime, (const char *fileName), { collatzPage.playChime(UTF8ToString(fileName)); });
EM_JS(void, scriptStopChime, (), { collatzPage.stopChime(); });
EM_JS(void, scriptShowGraph, (const char *title, const char *summary, const char *svg, int empty, int bringIntoView), {
    collatzPage.showGraph(UTF8ToString(title), UTF8ToString(summary), UTF8ToString(svg), empty !== 0, bringIntoView !== 0);
});
EM_JS(void, scriptShowGraphValue, (const char *text), { collatzPage.showGraphValue(UTF8ToString(text)); });
EM_JS(void, scriptSave, (const char *fileName, const char *type, const char *contents), {
    collatzPage.save(UTF8ToString(fileName), UTF8ToString(type), UTF8ToString(contents));
});
EM_JS(void, scriptShowSurvey, (const char *stage, double progress, int first, int last, const char *title, const char *summary,
                               const char *svg, const char *records, int tableAllowed, int bringIntoView), {
    collatzPage.showSurvey(UTF8ToString(stage), progress, first, last, UTF8ToString(title), UTF8ToString(summary),
                           svg ? UTF8ToString(svg) : null, UTF8ToString(records), tableAllowed !== 0, bringIntoView !== 0);
});
EM_JS(void, scriptShowMessage, (const char *title, const char *text), {
    collatzPage.showMessage(UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, scriptCopyLink, (const char *link), { collatzPage.copyLink(UTF8ToString(link)); });
EM_JS(void, scriptLater, (), { collatzPage.later(); });
EM_JS(void, scriptEnd, (), { collatzPage.end(); });

namespace PageScript {

void askForEntry(std::u16string_view prompt, std::u16string_view title)
{
    scriptAskForEntry(toUtf8(prompt).c_str(), toUtf8(title).c_str());
}

void askYesNo(std::u16string_view question, std::u16string_view title)
{
    scriptAskYesNo(toUtf8(question).c_str(), toUtf8(title).c_str());
}

void showStartingValue(std::u16string_view text)
{
    scriptShowStartingValue(toUtf8(text).c_str());
}

void showSequence(std::u16string_view text)
{
    scriptShowSequence(toUtf8(text).c_str());
}

void keepChime(const char *fileName, const std::int16_t *samples, int count, int rate)
{
    scriptKeepChime(fileName, samples, count, rate);
}

void playChime(const char *fileName)
{
    scriptPlayChime(fileName);
}

void stopChime()
{
    scriptStopChime();
}

void showGraph(std::u16string_view title, std::u16string_view summary, const std::string &svg, bool empty, bool bringIntoView)
{
    scriptShowGraph(toUtf8(title).c_str(), toUtf8(summary).c_str(), svg.c_str(), empty, bringIntoView);
}

void showGraphValue(std::u16string_view text)
{
    scriptShowGraphValue(toUtf8(text).c_str());
}

void save(const std::string &fileName, const char *type, const std::string &contents)
{
    scriptSave(fileName.c_str(), type, contents.c_str());
}

void showSurvey(const char *stage, double progress, std::uint32_t first, std::uint32_t last, std::u16string_view title,
                std::u16string_view summary, const std::string *svg, const std::string &records, bool tableAllowed, bool bringIntoView)
{
    scriptShowSurvey(stage, progress, int(first), int(last), toUtf8(title).c_str(), toUtf8(summary).c_str(), svg ? svg->c_str() : nullptr,
                     records.c_str(), tableAllowed, bringIntoView);
}

void showMessage(std::u16string_view title, std::u16string_view text)
{
    scriptShowMessage(toUtf8(title).c_str(), toUtf8(text).c_str());
}

void copyLink(const std::string &link)
{
    scriptCopyLink(link.c_str());
}

void later()
{
    scriptLater();
}

void end()
{
    scriptEnd();
}

} // namespace PageScript

namespace {

PageServices services;
WindowModel model(services);
// Where the page writes a text in UTF-16 before it passes it on: an answer, a link, starts.
std::u16string entry;

std::u16string passed(int length)
{
    return entry.substr(0, std::size_t(length));
}

} // namespace

extern "C" {

// A click on a control of the layout, by the number of its action.
EMSCRIPTEN_KEEPALIVE void pageTrigger(int action)
{
    model.trigger(Layout::Action(action));
}

EMSCRIPTEN_KEEPALIVE void pageRestart()
{
    model.restart();
}

EMSCRIPTEN_KEEPALIVE char16_t *pageEntryBuffer(int length)
{
    entry.assign(std::size_t(length) + 1, u'\0');
    return entry.data();
}

EMSCRIPTEN_KEEPALIVE void pageAnswerEntry(int length)
{
    services.answerEntry(passed(length));
}

EMSCRIPTEN_KEEPALIVE void pageRunLater()
{
    services.runLater();
}

EMSCRIPTEN_KEEPALIVE void pageRunStart(int start)
{
    model.runStart(std::uint32_t(start));
}

// What the page's address asks for after "#".
EMSCRIPTEN_KEEPALIVE void pageOpenLink(int length)
{
    model.openLink(passed(length));
}

EMSCRIPTEN_KEEPALIVE void pageCompare(int length)
{
    model.compare(passed(length));
}

EMSCRIPTEN_KEEPALIVE void pageCopyGraphLink()
{
    PageScript::copyLink(model.graphLink());
}

EMSCRIPTEN_KEEPALIVE void pageShowSurvey()
{
    model.showSurvey();
}

EMSCRIPTEN_KEEPALIVE void pageSurvey(int first, int last)
{
    model.survey(std::uint32_t(std::max(0, first)), std::uint32_t(std::max(0, last)));
}

EMSCRIPTEN_KEEPALIVE void pageCancelSurvey()
{
    model.cancelSurvey();
}

// The start drawn nearest to this point of the survey's drawing, run in the window.
EMSCRIPTEN_KEEPALIVE void pageSurveyStartAt(double x, double y)
{
    if (const Survey *survey = model.surveyView().survey)
        model.runStart(SurveyDrawing(*survey).startAt(x, y));
}

EMSCRIPTEN_KEEPALIVE void pageSaveSurveyTable()
{
    const SurveyView &view = model.surveyView();
    if (view.survey && view.survey->size() <= Survey::largestTable)
        PageScript::save("collatz-survey-" + model.surveyLink() + ".csv", "text/csv", view.survey->table());
}

EMSCRIPTEN_KEEPALIVE void pageSaveRecords()
{
    if (const Survey *survey = model.surveyView().survey)
        PageScript::save("collatz-records-" + model.surveyLink() + ".csv", "text/csv", survey->recordsTable());
}

EMSCRIPTEN_KEEPALIVE void pageCopySurveyLink()
{
    PageScript::copyLink(model.surveyLink());
}

EMSCRIPTEN_KEEPALIVE void pageAnswerYesNo(int yes)
{
    services.answerYesNo(yes != 0);
}

EMSCRIPTEN_KEEPALIVE void pagePrepareChimes()
{
    services.prepareChimes();
}

EMSCRIPTEN_KEEPALIVE void pageShowGraph()
{
    model.showGraph();
}

EMSCRIPTEN_KEEPALIVE void pageSetLogScale(int logScale)
{
    model.setLogScale(logScale != 0);
}

// The value under this point of the drawing, for the tooltip.
EMSCRIPTEN_KEEPALIVE void pageGraphValueAt(double x, double y)
{
    const GraphDrawing graph = model.graph();
    if (const std::optional<GraphDrawing::Point> at = graph.pointAt(x, y))
        PageScript::showGraphValue(graph.figures().valueAt(at->path, at->step));
}

EMSCRIPTEN_KEEPALIVE void pageSaveTable()
{
    const GraphFigures figures(model.graph().figures());
    if (!figures.empty())
        PageScript::save(figures.fileName("csv"), "text/csv", figures.table());
}

// The picture at this size in pixels.
EMSCRIPTEN_KEEPALIVE void pageSavePicture(int width, int height)
{
    const GraphDrawing graph = model.graph();
    if (!graph.figures().empty())
        PageScript::save(graph.figures().fileName("png"), "image/png", graph.svg(width, height));
}

} // extern "C"

namespace {

// A face that answers at once and shows nothing, for a rehearsal of the program's own code.
class Rehearsal final : public Services {
public:
    void askForEntry(std::u16string_view, std::u16string_view, std::function<void(Entry)> answered) override { answered(u"27"); }
    void askYesNo(std::u16string_view, std::u16string_view, std::function<void(bool)> answered) override { answered(false); }
    void showStartingValue(std::u16string_view text) override { shown += toUtf8(text).size(); }
    void showSequence(std::u16string_view text) override { shown += toUtf8(text).size(); }
    void playChime(const char *) override {}
    void stopChime() override {}
    void showGraph(const GraphDrawing &graph, bool) override { shown += graph.svg().size(); }
    void showSurvey(const SurveyView &, bool) override {}
    void showMessage(std::u16string_view) override {}
    void later(std::function<void()>) override {}
    void end() override {}

    std::size_t shown = 0;
};

} // namespace

// Rehearses an experiment and its graph once, showing nothing: the browser compiles the
// module's code as it first runs it, and the first click should not wait for that.
int main()
{
    Rehearsal rehearsal;
    WindowModel rehearsed(rehearsal);
    rehearsed.start();
    rehearsed.showGraph();
    rehearsed.setLogScale(true);
    return rehearsal.shown > 0 ? 0 : 1;
}
