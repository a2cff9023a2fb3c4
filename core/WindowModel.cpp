// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowModel.h"

#include "Experiment.h"
#include "NumberText.h"
#include "ProgramText.h"

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

    // No event is handled while the values are reached, so nobody could see the text grow:
    // it is shown once, whole.
    const double start = m_state.currentValue;
    while (m_state.currentValue != 1) {
        m_state.currentValue = Experiment::nextValue(m_state.currentValue);
        m_state.sequenceText += numText(m_state.currentValue);
    }
    m_services.showSequence(m_state.sequenceText);
    m_lastStart = start;
    followGraph();
}

void WindowModel::reset()
{
    if (m_asking)
        return;
    m_services.playChime(ProgramText::resetChime);
    clearDisplay();
    m_lastStart.reset();
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
        // graph belongs to the window and ends with it.
        m_graphOpen = false;
        m_services.stopChime();
        m_services.end();
    });
}

void WindowModel::restart()
{
    m_state = ExperimentState();
    clearDisplay();
    m_lastStart.reset();
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

GraphDrawing WindowModel::graph() const
{
    return GraphDrawing(GraphFigures(m_lastStart), m_logScale);
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
