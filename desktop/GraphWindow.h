// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphDrawing.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SvgView;

// The graph in a window of its own, drawn from the shared drawing: its summary, the drawing
// with the value under the pointer, 対数目盛, くらべる, and saving as PNG or CSV or copying a
// link. It knows the experiments only through the drawing it is given.
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(QWidget *mainWindow);

    void draw(const GraphDrawing &graph);
    const GraphDrawing &graph() const { return m_graph; }

signals:
    void logScaleChosen(bool logScale);
    void compareAsked(const QString &starts);

private:
    GraphDrawing m_graph{GraphFigures(std::nullopt), false};
    QLabel *m_summary;
    SvgView *m_plot;
    QCheckBox *m_logScale;
    QLineEdit *m_starts;
    QPushButton *m_savePicture;
    QPushButton *m_saveTable;
    QPushButton *m_copyLink;
};
