// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ExperimentGraph.h"
#include "GraphFigures.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QIODevice;
class QLabel;
class QLineSeries;
class QPushButton;
class QScatterSeries;

// The graph of the last experiment in a window of its own: every value against its
// step with the peak marked, a summary line, a linear or logarithmic value axis, and
// saving as PNG or CSV. It knows the experiment only by its starting value; it does not
// read the main window.
class GraphWindow : public QWidget, public ExperimentGraph {
    Q_OBJECT
public:
    explicit GraphWindow(QWidget *mainWindow);

    QWidget *widget() override { return this; }
    void showExperiment(std::optional<double> start) override;

private:
    void showValueAxis();
    void showValueAt(double step);
    void save(const QString &what, const QString &suffix, const QString &filter,
              const std::function<bool(QIODevice &)> &write);

    QLabel *m_summary;
    QChart *m_chart;
    QChartView *m_chartView;
    QLineSeries *m_line;
    QScatterSeries *m_peak;
    QCheckBox *m_logScale;
    QPushButton *m_savePicture;
    QPushButton *m_saveTable;

    GraphFigures m_figures{std::nullopt};
};
