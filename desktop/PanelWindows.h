// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Panels.h"

#include <array>

class PanelWindow;

// The panels' windows, each made when first shown, and the files they save.
class PanelWindows final : public Panels {
public:
    PanelWindows(QWidget *mainWindow, WindowModel *model);

    void showPanel(const Panel::View &view, bool bringIntoView) override;
    void save(const SavedFile &file) override;

private:
    QWidget *m_mainWindow;
    WindowModel *m_model;
    // Children of the main window, which close with it.
    std::array<PanelWindow *, Panel::tables.size()> m_windows{};
};
