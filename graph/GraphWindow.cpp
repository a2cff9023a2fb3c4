// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphWindow.h"

#include "GraphFigures.h"
#include "ProgramText.h"

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

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
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

    m_logScale = new QCheckBox(toQString(ProgramText::logScale), this);
    m_logScale->setObjectName(QStringLiteral("logScale"));
    m_savePicture = new QPushButton(toQString(ProgramText::savePicture), this);
    m_savePicture->setObjectName(QStringLiteral("savePicture"));
    m_saveTable = new QPushButton(toQString(ProgramText::saveTable), this);
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
                 const std::string table = m_figures.table();
                 return file.write(table.data(), qint64(table.size())) == qint64(table.size());
             });
    });

    showExperiment(std::nullopt);
}

void GraphWindow::showExperiment(std::optional<double> start)
{
    m_figures = GraphFigures(start);
    const std::vector<double> &values = m_figures.values();
    QList<QPointF> points;
    points.reserve(qsizetype(values.size()));
    for (std::size_t step = 0; step < values.size(); ++step)
        points.append(QPointF(double(step), values[step]));
    m_line->replace(points);

    m_peak->clear();
    if (!m_figures.empty())
        m_peak->append(double(m_figures.peakStep()), m_figures.peak());
    m_summary->setText(toQString(m_figures.summary()));
    setWindowTitle(toQString(m_figures.title()));
    m_chartView->setAccessibleName(QStringLiteral("グラフ：") + m_summary->text());
    auto *steps = static_cast<QValueAxis *>(m_chart->axes(Qt::Horizontal).constFirst());
    const double lastStep = std::max<double>(1, double(m_figures.steps()));
    steps->setRange(0, lastStep);
    steps->setTickInterval(GraphFigures::tickInterval(lastStep));
    for (QAbstractAxis *axis : m_chart->axes())
        axis->setVisible(!m_figures.empty());
    m_savePicture->setEnabled(!m_figures.empty());
    m_saveTable->setEnabled(!m_figures.empty());
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
        log->setRange(1, m_figures.logAxisTop());
        values = log;
    } else {
        auto *linear = new QValueAxis;
        linear->setLabelFormat(QStringLiteral("%.0f"));
        linear->setRange(0, m_figures.peak());
        linear->applyNiceNumbers();
        values = linear;
    }
    values->setVisible(!m_figures.empty());
    m_chart->addAxis(values, Qt::AlignLeft);
    m_line->attachAxis(values);
    m_peak->attachAxis(values);
}

void GraphWindow::showValueAt(double step)
{
    const std::vector<double> &values = m_figures.values();
    if (values.empty())
        return;
    const auto index = std::size_t(std::clamp<qint64>(qRound64(step), 0, qint64(values.size()) - 1));
    QToolTip::showText(QCursor::pos(),
                       QStringLiteral("%1 ステップ目：%2").arg(index).arg(toQString(GraphFigures::grouped(values[index]))),
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
    const QString suggested = folder.filePath(QString::fromStdString(m_figures.fileName(suffix.toStdString())));
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
