// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowModel.h"

#include "Experiment.h"
#include "Link.h"
#include "NumberText.h"
#include "ProgramText.h"

#include <cmath>

namespace {

// How much of a refused entry is quoted back.
constexpr std::size_t quoted = 16;

} // namespace

WindowModel::WindowModel(Services &services)
    : m_services(services)
    , m_graph(services)
    , m_survey(services)
{
}

void WindowModel::act(Layout::Action action, double a, double b, std::u16string_view text)
{
    using Layout::Action;
    if (m_asking)
        return;
    switch (action) {
    case Action::Start:
        m_refused.clear();
        return ask();
    case Action::Exit: return exit();
    case Action::Reset: return reset();
    case Action::ShowGraph: return m_graph.open();
    case Action::ShowSurvey: return m_survey.open();
    case Action::Compare: return follow(Link::parse(text), true);
    case Action::Survey: return follow(Link::range(a, b));
    case Action::RunStart: return runStart(a);
    case Action::PickStart: return runStart(m_survey.startAt(a, b).value_or(0));
    case Action::CompareTicked: return showComparison(m_survey.compared());
    // The rest are a panel's own, the graph's before the survey's.
    default: return action < Action::CloseSurvey ? m_graph.act(action, a, b) : m_survey.act(action, a, b);
    }
}

void WindowModel::ask()
{
    m_asking = true;
    do {
        m_askAgain = false;
        clearDisplay();
        m_insideQuestion = true;
        m_services.askForEntry(ProgramText::prompt, ProgramText::title, m_refused,
                               [this](Services::Entry entry) { answered(std::move(entry)); });
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
        const std::u16string &entered = m_state.entryText;
        m_refused = entered.empty() ? std::u16string(ProgramText::emptyEntry)
                                    : std::u16string(ProgramText::quote) + entered.substr(0, quoted) + std::u16string(entered.size() > quoted ? ProgramText::cutShort : u"")
                                          + std::u16string(ProgramText::refusedEntry);
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
    for (int steps = 0; m_state.currentValue != 1 && Experiment::withinBounds(steps, m_state.currentValue); ++steps) {
        m_state.currentValue = Experiment::nextValue(m_state.currentValue);
        m_state.sequenceText += numText(m_state.currentValue);
    }
    m_services.showSequence(m_state.sequenceText);
    m_graph.draw({start});
}

void WindowModel::runStart(double start)
{
    if (!Experiment::accepts(start))
        return;
    // As though its digits had been typed into the dialog, which takes them.
    clearDisplay();
    answered(digits(std::uint64_t(start)));
}

void WindowModel::reset()
{
    m_services.playChime(ProgramText::resetChime);
    clearDisplay();
    m_graph.draw({});
}

void WindowModel::exit()
{
    m_services.playChime(ProgramText::exitChime);
    m_asking = true;
    m_services.askYesNo(ProgramText::exitQuestion, ProgramText::exitTitle, [this](bool yes) {
        m_asking = false;
        if (!yes)
            return;
        // The program ends at once: nothing is saved and the chime is not waited for. The
        // panels belong to the window and end with it.
        m_graph.close();
        m_survey.close();
        m_survey.clear();
        m_services.stopChime();
        m_services.end();
    });
}

void WindowModel::restart()
{
    m_state = ExperimentState();
    clearDisplay();
    m_graph.draw({});
    m_survey.clear();
}

void WindowModel::showComparison(const std::vector<double> &starts)
{
    if (!starts.empty())
        m_graph.draw(starts, true);
}

void WindowModel::openLink(std::u16string_view text)
{
    if (!m_asking)
        follow(Link::parse(text));
}

void WindowModel::follow(const Link &link, bool inGraph)
{
    switch (link.kind) {
    case Link::Kind::None: return;
    case Link::Kind::Start:
        if (!inGraph)
            return runStart(link.starts.front());
        [[fallthrough]];
    case Link::Kind::Compare: return showComparison(std::vector<double>(link.starts.begin(), link.starts.end()));
    case Link::Kind::Survey: return m_survey.survey(link.starts.front(), link.starts.back());
    default: return m_services.showMessage(link.problem);
    }
}

void WindowModel::clearDisplay()
{
    m_services.showSequence(u"");
    m_services.showStartingValue(u"");
    m_state.sequenceText.clear();
}
