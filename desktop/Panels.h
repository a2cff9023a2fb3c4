// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphDrawing.h"
#include "Services.h"

class QWidget;
class WindowModel;

// The graph's and the survey's windows as the main window reaches them. They live in a
// library of their own, loaded when one of them is first shown: Qt SVG, with what it brings,
// would otherwise slow the program's start.
class Panels {
public:
    virtual ~Panels() = default;
    virtual void showGraph(const GraphDrawing &graph, bool bringIntoView) = 0;
    virtual void showSurvey(const SurveyView &survey, bool bringIntoView) = 0;
};

// The library's entry point: both windows, children of the main window, which pass what a
// person does in them on to the model.
extern "C" Panels *collatzNewPanels(QWidget *mainWindow, WindowModel *model);
