// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowModel.h"

#include "Experiment.h"
#include "Link.h"
#include "NumberText.h"
#include "ProgramText.h"

#include <chrono>
#include <cmath>

WindowModel::WindowModel(Services &services)
    : m_services(services)
{
}

void WindowModel::trigger(Layout::Action action)
{
    switch (action) {
    case Layout::Action::Start: return start();
    case Layout::Action::Exit: return exit();
    case Layout::Action::Reset: return reset();
    case Layout::Action::None: return;
    }
}

void WindowModel::start()
{
    if (!m_asking)
        ask();
}

void WindowModel::ask()
{
    m_asking = true;
    do {
        m_askAgain = false;
        clearDisplay();
        m_insideQuestion = true;
        m_services.askForEntry(ProgramText::prompt, ProgramText::title, [this](Services::Entry entry) { answered(std::move(entry)); });
        m_insideQuestion = false;
    } while (m_askAgain);
}

void WindowModel::answered(Services::Entry entry)
{
    m_asking = false;
    // The program began to end while it asked: nothing more is asked or shown.
    if (!entry)
        return;
    m_state.entryText = std::move(*entry);
    m_state.currentValue = std::floor(readNumber(m_state.entryText));
    m_services.showStartingValue(std::u16string(ProgramText::labelPrefix) + numText(m_state.currentValue));
    if (!Experiment::accepts(m_state.currentValue)) {
        if (m_insideQuestion)
            m_askAgain = m_asking = true;
        else
            ask();
        return;
    }

    run();
}

void WindowModel::run()
{
    // No event is handled while the values are reached, so nobody could see the text grow:
    // it is shown once, whole.
    const double start = m_state.currentValue;
    while (m_state.currentValue != 1) {
        m_state.currentValue = Experiment::nextValue(m_state.currentValue);
        m_state.sequenceText += numText(m_state.currentValue);
    }
    m_services.showSequence(m_state.sequenceText);
    m_lastStart = start;
    m_compared.clear();
    followGraph();
}

void WindowModel::runStart(std::uint32_t start)
{
    if (m_asking || !Experiment::accepts(start))
        return;
    clearDisplay();
    const std::string digits = std::to_string(start);
    m_state.entryText.assign(digits.begin(), digits.end());
    m_state.currentValue = start;
    m_services.showStartingValue(std::u16string(ProgramText::labelPrefix) + numText(start));
    run();
}

void WindowModel::reset()
{
    if (m_asking)
        return;
    m_services.playChime(ProgramText::resetChime);
    clearDisplay();
    m_lastStart.reset();
    m_compared.clear();
    followGraph();
}

void WindowModel::exit()
{
    if (m_asking)
        return;
    m_services.playChime(ProgramText::exitChime);
    m_asking = true;
    m_services.askYesNo(ProgramText::exitQuestion, ProgramText::exitTitle, [this](bool yes) {
        m_asking = false;
        if (!yes)
            return;
        // The program ends at once: nothing is saved and the chime is not waited for. The
        // graph and the survey belong to the window and end with it.
        m_graphOpen = m_surveyOpen = false;
        cancelSurvey();
        m_services.stopChime();
        m_services.end();
    });
}

void WindowModel::restart()
{
    m_state = ExperimentState();
    clearDisplay();
    m_lastStart.reset();
    m_compared.clear();
    m_surveyView = SurveyView();
}

void WindowModel::showGraph()
{
    if (m_asking)
        return;
    m_graphOpen = true;
    m_services.showGraph(graph(), true);
}

void WindowModel::setLogScale(bool logScale)
{
    m_logScale = logScale;
    followGraph();
}

void WindowModel::compare(std::u16string_view starts)
{
    const Link link = Link::parse(starts);
    if (link.kind == Link::Kind::Start)
        return showGraph(std::vector<double>(link.starts.begin(), link.starts.end()));
    openLink(starts);
}

void WindowModel::showGraph(std::vector<double> starts)
{
    m_compared = std::move(starts);
    showGraph();
}

GraphDrawing WindowModel::graph() const
{
    return GraphDrawing(m_compared.empty() ? GraphFigures(m_lastStart) : GraphFigures(m_compared), m_logScale);
}

std::string WindowModel::graphLink() const
{
    return graph().figures().link();
}

void WindowModel::showSurvey()
{
    if (m_asking)
        return;
    m_surveyOpen = true;
    m_services.showSurvey(m_surveyView, true);
}

void WindowModel::survey(std::uint32_t first, std::uint32_t last)
{
    cancelSurvey();
    // The last survey's tables go before the next one's are made: both at once could take
    // two hundred megabytes.
    m_survey.reset();
    m_surveyView.survey = nullptr;
    const std::string range = std::to_string(first) + '-' + std::to_string(last);
    const Link link = Link::parse(std::u16string(range.begin(), range.end()));
    if (link.kind != Link::Kind::Survey)
        return m_services.showMessage(link.problem);
    m_survey = std::make_unique<Survey>(first, last);
    m_surveyView = {first, last, SurveyView::Stage::Running, 0, nullptr};
    m_surveyOpen = true;
    m_services.showSurvey(m_surveyView, true);
    m_services.later([this, run = m_surveyRun] { surveySlice(run); });
}

void WindowModel::surveySlice(unsigned run)
{
    if (run != m_surveyRun || !m_survey)
        return;
    // A slice short enough that the face answers a click and shows the progress in time.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    while (!m_survey->advance(20000) && std::chrono::steady_clock::now() < until) {
    }
    m_surveyView.progress = m_survey->progress();
    if (m_survey->done()) {
        m_surveyView.stage = SurveyView::Stage::Done;
        m_surveyView.survey = m_survey.get();
    } else {
        m_services.later([this, run] { surveySlice(run); });
    }
    m_services.showSurvey(m_surveyView, false);
}

void WindowModel::cancelSurvey()
{
    ++m_surveyRun;
    if (m_surveyView.stage != SurveyView::Stage::Running)
        return;
    m_survey.reset();
    m_surveyView.stage = SurveyView::Stage::Cancelled;
    if (m_surveyOpen)
        m_services.showSurvey(m_surveyView, false);
}

std::string WindowModel::surveyLink() const
{
    return std::to_string(m_surveyView.first) + '-' + std::to_string(m_surveyView.last);
}

void WindowModel::openLink(std::u16string_view text)
{
    const Link link = Link::parse(text);
    switch (link.kind) {
    case Link::Kind::None: return;
    case Link::Kind::Start: return runStart(link.starts.front());
    case Link::Kind::Compare: return showGraph(std::vector<double>(link.starts.begin(), link.starts.end()));
    case Link::Kind::Survey: return survey(link.starts.front(), link.starts.back());
    case Link::Kind::NotUnderstood:
    case Link::Kind::OutOfRange: return m_services.showMessage(link.problem);
    }
}

void WindowModel::clearDisplay()
{
    m_services.showSequence(u"");
    m_services.showStartingValue(u"");
    m_state.sequenceText.clear();
}

void WindowModel::followGraph()
{
    if (m_graphOpen)
        m_services.showGraph(graph(), false);
}
