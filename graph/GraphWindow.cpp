// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphWindow.h"

#include "Experiment.h"
#include "NumberText.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStandardPaths>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Figures are grouped the Japanese way, "9,232", whatever the user's locale.
QString grouped(double value)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(qint64(value));
}

// A round tick interval (1, 2 or 5 times a power of ten) giving at most eight ticks.
double roundInterval(double range)
{
    for (double power = 1;; power *= 10) {
        for (double interval : {power, 2 * power, 5 * power}) {
            if (range / interval <= 8)
                return interval;
        }
    }
}

QString startText(double start)
{
    return QString::fromStdU16String(numText(start));
}

} // namespace

GraphWindow::GraphWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("graphWindow"));
    setWindowIcon(mainWindow->windowIcon());
    resize(640, 400);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_line = new QLineSeries;
    m_peak = new QScatterSeries;
    m_peak->setMarkerSize(10);
    m_peak->setColor(QColor(200, 16, 32));
    m_peak->setBorderColor(QColor(200, 16, 32));
    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setLocalizeNumbers(true);
    m_chart->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    m_chart->addSeries(m_line);
    m_chart->addSeries(m_peak);
    auto *steps = new QValueAxis;
    steps->setTitleText(QStringLiteral("ステップ"));
    steps->setLabelFormat(QStringLiteral("%.0f"));
    steps->setTickType(QValueAxis::TicksDynamic);
    steps->setTickAnchor(0);
    m_chart->addAxis(steps, Qt::AlignBottom);
    m_line->attachAxis(steps);
    m_peak->attachAxis(steps);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);

    m_logScale = new QCheckBox(QStringLiteral("対数目盛"), this);
    m_logScale->setObjectName(QStringLiteral("logScale"));
    m_savePicture = new QPushButton(QStringLiteral("画像を保存…"), this);
    m_savePicture->setObjectName(QStringLiteral("savePicture"));
    m_saveTable = new QPushButton(QStringLiteral("CSVで保存…"), this);
    m_saveTable->setObjectName(QStringLiteral("saveTable"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_logScale);
    buttons->addStretch();
    buttons->addWidget(m_savePicture);
    buttons->addWidget(m_saveTable);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_chartView, 1);
    layout->addLayout(buttons);

    connect(m_logScale, &QCheckBox::toggled, this, &GraphWindow::showValueAxis);
    connect(m_line, &QLineSeries::hovered, this, [this](const QPointF &point, bool entered) {
        if (entered)
            showValueAt(point.x());
        else
            QToolTip::hideText();
    });
    connect(m_savePicture, &QPushButton::clicked, this, [this] {
        save(QStringLiteral("画像を保存"), QStringLiteral("png"), QStringLiteral("PNG 画像 (*.png)"),
             [this](QIODevice &file) { return m_chartView->grab().save(&file, "PNG"); });
    });
    connect(m_saveTable, &QPushButton::clicked, this, [this] {
        save(QStringLiteral("CSVで保存"), QStringLiteral("csv"), QStringLiteral("CSV ファイル (*.csv)"),
             [this](QIODevice &file) {
                 QByteArray table = "step,value\n";
                 for (std::size_t step = 0; step < m_values.size(); ++step)
                     table += QByteArray::number(qulonglong(step)) + ',' + QByteArray::number(qint64(m_values[step])) + '\n';
                 return file.write(table) == table.size();
             });
    });

    showExperiment(std::nullopt);
}

void GraphWindow::showExperiment(std::optional<double> start)
{
    m_start = start;
    m_values = start ? Experiment::trajectory(*start) : std::vector<double>();
    QList<QPointF> points;
    points.reserve(qsizetype(m_values.size()));
    for (std::size_t step = 0; step < m_values.size(); ++step)
        points.append(QPointF(double(step), m_values[step]));
    m_line->replace(points);

    m_peak->clear();
    const auto highest = std::max_element(m_values.begin(), m_values.end());
    m_highest = highest != m_values.end() ? *highest : 1;
    if (start) {
        const auto peakStep = highest - m_values.begin();
        m_peak->append(double(peakStep), *highest);
        m_summary->setText(QStringLiteral("ｎ＝%1\u3000ステップ数 %2\u3000最大値 %3（%4 ステップ目）")
                               .arg(startText(*start))
                               .arg(m_values.size() - 1)
                               .arg(grouped(*highest))
                               .arg(peakStep));
        setWindowTitle(QStringLiteral("グラフ － ｎ＝%1").arg(startText(*start)));
    } else {
        m_summary->setText(QStringLiteral("まだ実験していません"));
        setWindowTitle(QStringLiteral("グラフ"));
    }
    m_chartView->setAccessibleName(QStringLiteral("グラフ：") + m_summary->text());
    auto *steps = static_cast<QValueAxis *>(m_chart->axes(Qt::Horizontal).constFirst());
    const double lastStep = std::max<double>(1, double(m_values.size()) - 1);
    steps->setRange(0, lastStep);
    steps->setTickInterval(roundInterval(lastStep));
    for (QAbstractAxis *axis : m_chart->axes())
        axis->setVisible(start.has_value());
    m_savePicture->setEnabled(start.has_value());
    m_saveTable->setEnabled(start.has_value());
    showValueAxis();
}

void GraphWindow::showValueAxis()
{
    for (QAbstractAxis *axis : m_chart->axes(Qt::Vertical)) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    QAbstractAxis *values;
    if (m_logScale->isChecked()) {
        auto *log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%.0f"));
        // Up to twelve powers of ten are labelled; a smaller face lets all of them fit
        // the window's first size.
        QFont small = log->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        log->setLabelsFont(small);
        log->setMinorTickCount(0);
        log->setRange(1, std::pow(10.0, std::max(1.0, std::ceil(std::log10(m_highest)))));
        values = log;
    } else {
        auto *linear = new QValueAxis;
        linear->setLabelFormat(QStringLiteral("%.0f"));
        linear->setRange(0, m_highest);
        linear->applyNiceNumbers();
        values = linear;
    }
    values->setVisible(m_start.has_value());
    m_chart->addAxis(values, Qt::AlignLeft);
    m_line->attachAxis(values);
    m_peak->attachAxis(values);
}

void GraphWindow::showValueAt(double step)
{
    if (m_values.empty())
        return;
    const auto index = std::size_t(std::clamp<qint64>(qRound64(step), 0, qint64(m_values.size()) - 1));
    QToolTip::showText(QCursor::pos(), QStringLiteral("%1 ステップ目：%2").arg(index).arg(grouped(m_values[index])),
                       m_chartView);
}

void GraphWindow::save(const QString &what, const QString &suffix, const QString &filter,
                       const std::function<bool(QIODevice &)> &write)
{
    // The dialog goes back to the folder used last when the suggested one does not exist,
    // and lists it in full: a folder of devices, such as /proc, can then hold it up.
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    const QString suggested = folder.filePath(QStringLiteral("collatz-%1.%2").arg(qint64(m_start.value_or(0))).arg(suffix));
    const QString path = QFileDialog::getSaveFileName(this, what, suggested, filter);
    if (path.isEmpty())
        return;
    // Written beside the target and renamed over it only when complete, so a failure
    // leaves nothing half-written behind.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return;
    QMessageBox::warning(this, QStringLiteral("保存できませんでした"),
                         QStringLiteral("「%1」に保存できませんでした。\n%2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
}

ExperimentGraph *collatzNewGraphWindow(QWidget *mainWindow)
{
    return new GraphWindow(mainWindow);
}
