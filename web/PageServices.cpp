// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageServices.h"

#include "Chimes.h"
#include "GraphDrawing.h"
#include "PageScript.h"
#include "ProgramText.h"

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

void PageServices::end()
{
    PageScript::end();
}
