// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "PageWindow.h"

#include "Experiment.h"
#include "NumberText.h"
#include "ProgramText.h"

void PageWindow::show()
{
    m_services.place("client", twipsRect(0, 0, 10470, 7560));
    m_services.place("exitButton", twipsRect(0, 0, 855, 375));
    m_services.place("resetButton", twipsRect(9600, 0, 855, 375));
    m_services.place("separator", {0, twipsToPixels(360), twipsToPixels(10440), 1});
    m_services.place("explanationPanel", twipsRect(120, 480, 10215, 2415));
    m_services.place("sequenceView", twipsRect(120, 3000, 10215, 3495));
    m_services.place("startingValueLabel", twipsRect(120, 6720, 2895, 255));
    m_services.place("startButton", twipsRect(4680, 6720, 1215, 615));

    m_services.setText("caption", ProgramText::caption);
    m_services.setText("exitButton", ProgramText::exitCaption);
    m_services.setText("resetButton", ProgramText::resetCaption);
    m_services.setText("startButton", ProgramText::startCaption);
    m_services.setText("graphItem", ProgramText::showGraph);
    m_services.setText("logScaleCaption", ProgramText::logScale);
    m_services.setText("savePicture", ProgramText::savePicture);
    m_services.setText("saveTable", ProgramText::saveTable);
    for (std::u16string_view line : ProgramText::problemStatement)
        m_services.printLine(line);
    m_services.showWindow();
}

void PageWindow::warmUp()
{
    std::u16string sequence = numText(readNumber(u"27"));
    for (double value = 27; value != 1; value = Experiment::nextValue(value))
        sequence += numText(value);
    PageGraph::svg(GraphFigures(27), true);
}

void PageWindow::startExperiment()
{
    if (const std::optional<double> start = Experiment::run(m_state, m_services)) {
        m_lastStart = start;
        m_graph.follow(m_lastStart);
    }
}

void PageWindow::askToExit()
{
    m_chimes.play(ProgramText::exitChime);
    if (m_services.askYesNo(ProgramText::exitQuestion, ProgramText::exitTitle)) {
        // The program ends at once: nothing is saved and the chime is not waited for.
        m_chimes.stop();
        m_services.end();
    }
}

void PageWindow::reset()
{
    m_chimes.play(ProgramText::resetChime);
    clear();
}

void PageWindow::restart()
{
    m_state = ExperimentState();
    clear();
}

void PageWindow::clear()
{
    Experiment::reset(m_state, m_services);
    m_lastStart.reset();
    m_graph.follow(m_lastStart);
}

void PageWindow::showGraph()
{
    m_graph.open(m_lastStart);
}
