// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "Panel.h"

#include <QWidget>

#include <vector>

class QTableWidget;
class SvgView;
class WindowModel;

// One of the core's panels, the graph's or the survey's, in a window of its own: built from
// the panel's table, showing each view it is given as it stands, and passing what is done
// in it on to the model by the controls' actions. Closing the window closes the panel.
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    PanelWindow(const Panel::Table &table, QWidget *mainWindow, WindowModel *model);

    void showView(const Panel::View &view, bool bringIntoView);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *make(const Panel::Control &control);
    // A button's or an entry's action, with the numbers or the text of its row, or else the
    // size the drawing is shown at.
    void act(const Panel::Control &control);
    void showRecords(const Panel::View &view);

    WindowModel *m_model;
    const Panel::Table &m_table;
    // A widget for each control of the table, none for one the window's frame stands for.
    std::vector<QWidget *> m_widgets;
    SvgView *m_plot = nullptr;
    QTableWidget *m_records = nullptr;
    Panel::View m_view;
};
