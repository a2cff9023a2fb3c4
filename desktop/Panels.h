// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Services.h"

class QWidget;
class WindowModel;

// The panels' windows as the main window reaches them. They live in a library of their own,
// loaded when one of them is first shown: Qt SVG, with what it brings, would otherwise slow
// the program's start.
class Panels {
public:
    virtual ~Panels() = default;
    virtual void showPanel(const Panel::View &view, bool bringIntoView) = 0;
    // Asks where, beside the panel in use, and saves a picture as PNG.
    virtual void save(const SavedFile &file) = 0;
};

// The library's entry point: a window for each panel, children of the main window, which
// pass what a person does in them on to the model.
extern "C" Panels *collatzNewPanels(QWidget *mainWindow, WindowModel *model);
