// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

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
class GraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit GraphWindow(QWidget *mainWindow);

    // Draws the experiment from this starting value, or says there is none yet. Virtual,
    // so that the main window, which loads this library only when the graph is first
    // asked for, reaches it without linking the library.
    virtual void showExperiment(std::optional<double> start);

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

    std::optional<double> m_start;
    std::vector<double> m_values;
    double m_highest = 0;
};

// The graph library's entry point, for a program that loads the library when the graph
// is first asked for: the graph window, a child of the main window.
extern "C" GraphWindow *collatzNewGraphWindow(QWidget *mainWindow);
