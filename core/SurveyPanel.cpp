// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SurveyPanel.h"

#include "Experiment.h"
#include "GraphFigures.h"
#include "NumberText.h"
#include "SurveyDrawing.h"

#include <chrono>

SurveyPanel::SurveyPanel(Services &services)
    : PanelModel(services, Panel::Id::Survey)
{
}

void SurveyPanel::survey(std::uint32_t first, std::uint32_t last)
{
    // The last survey's tables go before the next one's are made: both at once could take
    // two hundred megabytes.
    clear();
    m_first = first;
    m_last = last;
    m_survey = std::make_unique<Survey>(first, last);
    m_stage = Stage::Running;
    open();
    m_services.later([this, run = m_run] { slice(run); }, 0);
}

void SurveyPanel::slice(unsigned run)
{
    if (run != m_run)
        return;
    // A slice short enough that the face answers a click and shows the progress in time.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    while (!m_survey->advance(20000) && std::chrono::steady_clock::now() < until) {
    }
    m_progress = m_survey->progress();
    if (!m_survey->done()) {
        m_services.later([this, run] { slice(run); }, 0);
    } else {
        const SurveyDrawing drawing(*m_survey);
        m_drawing = std::make_shared<const std::string>(drawing.svg());
        std::vector<Panel::RecordRow> rows;
        for (const Survey::Record &record : m_survey->records()) {
            const std::u16string start = digits(record.start);
            rows.push_back({record.start, {start, digits(record.steps), GraphFigures::grouped(double(record.highest)), SurveyDrawing::recordKind(record)},
                            start + std::u16string(ProgramText::tickName), start + std::u16string(ProgramText::runName)});
        }
        m_records = std::make_shared<const std::vector<Panel::RecordRow>>(std::move(rows));
        m_stage = Stage::Done;
    }
    update();
}

void SurveyPanel::cancel()
{
    ++m_run;
    if (m_stage != Stage::Running)
        return;
    m_survey.reset();
    m_stage = Stage::Cancelled;
    update();
}

void SurveyPanel::clear()
{
    cancel();
    m_survey.reset();
    m_drawing.reset();
    m_records.reset();
    m_ticked.clear();
    m_stage = Stage::NotYet;
    m_progress = 0;
}

void SurveyPanel::act(Layout::Action action, double a, double b)
{
    const std::string range = std::to_string(m_first) + '-' + std::to_string(m_last);
    switch (action) {
    case Layout::Action::CancelSurvey: return cancel();
    case Layout::Action::CloseSurvey: return close();
    case Layout::Action::Tick:
        // Whatever else a face passes, out of range or not a number at all, ticks nothing.
        if (Experiment::accepts(a))
            b != 0 ? void(m_ticked.insert(std::uint32_t(a))) : void(m_ticked.erase(std::uint32_t(a)));
        return update();
    default: break;
    }
    if (m_stage != Stage::Done)
        return;
    switch (action) {
    case Layout::Action::SaveSurveyTable:
        if (m_survey->size() <= Survey::largestTable)
            m_services.save({"collatz-survey-" + range + ".csv", m_survey->table(), false, ProgramText::saveTableTitle, ProgramText::tableFiles});
        return;
    case Layout::Action::SaveRecords:
        return m_services.save({"collatz-records-" + range + ".csv", m_survey->recordsTable(), false, ProgramText::saveTableTitle,
                                ProgramText::tableFiles});
    case Layout::Action::CopySurveyLink: return copyLink(range);
    default: return;
    }
}

std::vector<double> SurveyPanel::compared()
{
    if (m_ticked.empty() || m_ticked.size() > GraphFigures::mostPaths) {
        say(m_ticked.empty() ? ProgramText::nothingTicked : ProgramText::tooMany);
        return {};
    }
    return std::vector<double>(m_ticked.begin(), m_ticked.end());
}

std::optional<std::uint32_t> SurveyPanel::startAt(double x, double y) const
{
    if (m_stage != Stage::Done)
        return std::nullopt;
    return SurveyDrawing(*m_survey).startAt(x, y);
}

Panel::View SurveyPanel::view() const
{
    Panel::View view = blank();
    const bool running = m_stage == Stage::Running, done = m_stage == Stage::Done;
    view.title = ProgramText::survey;
    view.progress = m_progress;
    view["surveyFirst"].number = m_first;
    view["surveyLast"].number = m_last;
    view["surveyRun"].enabled = !running;
    view["surveyCancel"].enabled = running;
    for (const char *id : {"surveyCompare", "surveySaveTable", "surveySaveRecords", "surveyCopyLink"})
        view[id].enabled = done;
    if (running)
        view.summary = std::u16string(ProgramText::surveying) + digits(std::uint64_t(m_progress * 100)) + std::u16string(ProgramText::percent);
    else if (m_stage == Stage::Cancelled)
        view.summary = ProgramText::surveyCancelled;
    if (done) {
        const SurveyDrawing drawing(*m_survey);
        view.title = drawing.title();
        view.summary = drawing.summary();
        view.drawing = m_drawing;
        view.records = m_records;
        view.ticked.assign(m_ticked.begin(), m_ticked.end());
        if (m_survey->size() > Survey::largestTable) {
            view["surveySaveTable"].enabled = false;
            view["surveySaveTable"].tip = ProgramText::tableTooLong;
        }
    }
    return view;
}
