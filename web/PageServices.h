// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"

#include <deque>
#include <functional>

// The page's side of Services: its <dialog>s, answered later through the bridge's exports,
// its elements, its chimes on Web Audio, its graph panel and its end, all through the
// page's script. It owns nothing of the page.
class PageServices final : public Services {
public:
    void askForEntry(std::u16string_view prompt, std::u16string_view title, std::function<void(Entry)> answered) override;
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override;
    void showStartingValue(std::u16string_view text) override;
    void showSequence(std::u16string_view text) override;
    void playChime(const char *fileName) override;
    void stopChime() override;
    void showGraph(const GraphDrawing &graph, bool bringIntoView) override;
    void showSurvey(const SurveyView &survey, bool bringIntoView) override;
    void showMessage(std::u16string_view text) override;
    void later(std::function<void()> work) override;
    void end() override;

    // Does the first of the work kept for later.
    void runLater();

    // The page's answers to the question it was asked last; none is taken twice.
    void answerEntry(std::u16string entry);
    void answerYesNo(bool yes);
    // Synthesises the chimes and hands them to the page, once, ahead of their first play.
    void prepareChimes();

private:
    std::function<void(Entry)> m_entryAnswered;
    std::function<void(bool)> m_yesNoAnswered;
    bool m_chimesPrepared = false;
    std::deque<std::function<void()>> m_later;
    // The survey last drawn whole: its drawing is made once.
    const Survey *m_surveyDrawn = nullptr;
};
