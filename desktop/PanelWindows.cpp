// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PanelWindows.h"

#include "GraphWindow.h"
#include "SurveyWindow.h"
#include "WindowModel.h"

namespace {

void bringIntoView(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

PanelWindows::PanelWindows(QWidget *mainWindow, WindowModel *model)
    : m_mainWindow(mainWindow)
    , m_model(model)
{
}

void PanelWindows::showGraph(const GraphDrawing &graph, bool shown)
{
    if (!m_graph) {
        m_graph = new GraphWindow(m_mainWindow);
        QObject::connect(m_graph, &GraphWindow::logScaleChosen, m_graph, [this](bool logScale) { m_model->setLogScale(logScale); });
        QObject::connect(m_graph, &GraphWindow::compareAsked, m_graph,
                         [this](const QString &starts) { m_model->compare(starts.toStdU16String()); });
    }
    m_graph->draw(graph);
    if (shown)
        bringIntoView(m_graph);
}

void PanelWindows::showSurvey(const SurveyView &survey, bool shown)
{
    if (!m_survey) {
        m_survey = new SurveyWindow(m_mainWindow);
        QObject::connect(m_survey, &SurveyWindow::surveyAsked, m_survey,
                         [this](std::uint32_t first, std::uint32_t last) { m_model->survey(first, last); });
        QObject::connect(m_survey, &SurveyWindow::cancelAsked, m_survey, [this] { m_model->cancelSurvey(); });
        QObject::connect(m_survey, &SurveyWindow::startChosen, m_survey, [this](std::uint32_t start) { m_model->runStart(start); });
        QObject::connect(m_survey, &SurveyWindow::compareAsked, m_survey,
                         [this](const QString &starts) { m_model->compare(starts.toStdU16String()); });
    }
    m_survey->draw(survey);
    if (shown)
        bringIntoView(m_survey);
}

Panels *collatzNewPanels(QWidget *mainWindow, WindowModel *model)
{
    return new PanelWindows(mainWindow, model);
}
