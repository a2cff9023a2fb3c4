// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Panels.h"

class GraphWindow;
class SurveyWindow;

// The graph's and the survey's windows, each made when first shown and wired to the model.
class PanelWindows final : public Panels {
public:
    PanelWindows(QWidget *mainWindow, WindowModel *model);

    void showGraph(const GraphDrawing &graph, bool bringIntoView) override;
    void showSurvey(const SurveyView &survey, bool bringIntoView) override;

private:
    QWidget *m_mainWindow;
    WindowModel *m_model;
    // Children of the main window, which close with it.
    GraphWindow *m_graph = nullptr;
    SurveyWindow *m_survey = nullptr;
};
