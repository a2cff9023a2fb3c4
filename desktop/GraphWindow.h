// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "GraphDrawing.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QIODevice;
class QLabel;
class QPushButton;

// The graph of the last experiment in a window of its own, drawn from the shared drawing:
// its summary, the drawing itself with the value under the pointer, 対数目盛, and saving as
// PNG or CSV. It knows the experiment only through the drawing it is given.
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(QWidget *mainWindow);

    void draw(const GraphDrawing &graph);
    const GraphDrawing &graph() const { return m_graph; }

signals:
    void logScaleChosen(bool logScale);

private:
    class Plot;
    void save(const QString &what, const QString &suffix, const QString &filter, const std::function<bool(QIODevice &)> &write);

    GraphDrawing m_graph{GraphFigures(std::nullopt), false};
    QLabel *m_summary;
    Plot *m_plot;
    QCheckBox *m_logScale;
    QPushButton *m_savePicture;
    QPushButton *m_saveTable;
};
