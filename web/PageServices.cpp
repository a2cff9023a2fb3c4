// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageServices.h"

#include "Chimes.h"
#include "GraphDrawing.h"
#include "PageScript.h"
#include "ProgramText.h"
#include "SurveyDrawing.h"
#include "Utf8.h"

void PageServices::askForEntry(std::u16string_view prompt, std::u16string_view title, std::function<void(Entry)> answered)
{
    m_entryAnswered = std::move(answered);
    PageScript::askForEntry(prompt, title);
}

void PageServices::askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered)
{
    m_yesNoAnswered = std::move(answered);
    PageScript::askYesNo(question, title);
}

void PageServices::answerEntry(std::u16string entry)
{
    // Taken out first: the answer may ask again, and keep a new callback in its place.
    if (auto answered = std::exchange(m_entryAnswered, nullptr))
        answered(std::move(entry));
}

void PageServices::answerYesNo(bool yes)
{
    if (auto answered = std::exchange(m_yesNoAnswered, nullptr))
        answered(yes);
}

void PageServices::showStartingValue(std::u16string_view text)
{
    PageScript::showStartingValue(text);
}

void PageServices::showSequence(std::u16string_view text)
{
    PageScript::showSequence(text);
}

void PageServices::prepareChimes()
{
    if (m_chimesPrepared)
        return;
    m_chimesPrepared = true;
    for (const char *name : {ProgramText::resetChime, ProgramText::exitChime}) {
        const std::vector<std::int16_t> samples = Chimes::samples(name);
        PageScript::keepChime(name, samples.data(), int(samples.size()), Chimes::rate);
    }
}

void PageServices::playChime(const char *fileName)
{
    prepareChimes();
    PageScript::playChime(fileName);
}

void PageServices::stopChime()
{
    PageScript::stopChime();
}

void PageServices::showGraph(const GraphDrawing &graph, bool bringIntoView)
{
    const GraphFigures &figures = graph.figures();
    PageScript::showGraph(figures.title(), figures.summary(), graph.svg(), figures.empty(), bringIntoView);
}

void PageServices::showSurvey(const SurveyView &survey, bool bringIntoView)
{
    static constexpr const char *stages[] = {"notYet", "running", "cancelled", "done"};
    std::u16string title(ProgramText::survey), summary;
    if (survey.stage == SurveyView::Stage::Running) {
        const std::string percent = std::to_string(int(survey.progress * 100)) + " %";
        summary = std::u16string(ProgramText::surveying) + std::u16string(percent.begin(), percent.end());
    } else if (survey.stage == SurveyView::Stage::Cancelled) {
        summary = ProgramText::surveyCancelled;
    }
    // A finished survey's drawing and records are made once, not each time it is shown.
    std::string svg, records = "[";
    bool drawn = !survey.survey;
    if (survey.survey) {
        const SurveyDrawing drawing(*survey.survey);
        title = drawing.title();
        summary = drawing.summary();
        drawn = survey.survey != m_surveyDrawn;
        if (drawn) {
            svg = drawing.svg();
            for (const Survey::Start &record : survey.survey->records())
                records += (records.size() > 1 ? ",[" : "[") + std::to_string(record.start) + ',' + std::to_string(record.steps) + ",\""
                           + toUtf8(GraphFigures::grouped(double(record.highest))) + "\",\"" + toUtf8(drawing.recordKind(record)) + "\"]";
        }
    }
    m_surveyDrawn = survey.survey;
    PageScript::showSurvey(stages[int(survey.stage)], survey.progress, survey.first, survey.last, title, summary, drawn ? &svg : nullptr,
                           records + ']', survey.survey && survey.survey->size() <= Survey::largestTable, bringIntoView);
}

void PageServices::showMessage(std::u16string_view text)
{
    PageScript::showMessage(ProgramText::exitTitle, text);
}

void PageServices::later(std::function<void()> work)
{
    m_later.push_back(std::move(work));
    PageScript::later();
}

void PageServices::runLater()
{
    if (m_later.empty())
        return;
    auto work = std::move(m_later.front());
    m_later.pop_front();
    work();
}

void PageServices::end()
{
    PageScript::end();
}
