// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "SurveyWindow.h"

#include "GraphFigures.h"
#include "ProgramText.h"
#include "QtText.h"
#include "SaveFile.h"
#include "Survey.h"
#include "SurveyDrawing.h"
#include "SvgView.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIODevice>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

QSpinBox *startBox(std::uint32_t value, const char *name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(3, 10000000);
    box->setValue(int(value));
    box->setGroupSeparatorShown(true);
    return box;
}

QPushButton *button(std::u16string_view caption, const char *name, QWidget *parent)
{
    auto *made = new QPushButton(toQString(caption), parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

QString rangeName(const SurveyView &view)
{
    return QStringLiteral("%1-%2").arg(view.first).arg(view.last);
}

} // namespace

SurveyWindow::SurveyWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("surveyWindow"));
    setWindowIcon(mainWindow->windowIcon());
    resize(700, 640);

    m_first = startBox(m_view.first, "surveyFirst", this);
    m_last = startBox(m_view.last, "surveyLast", this);
    m_run = button(ProgramText::surveyRun, "surveyRun", this);
    m_cancel = button(ProgramText::surveyCancel, "surveyCancel", this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("surveySummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_plot = new SvgView(this);
    m_plot->setObjectName(QStringLiteral("surveyPlot"));
    m_plot->setCursor(Qt::PointingHandCursor);
    m_records = new QTableWidget(0, int(ProgramText::recordColumns.size()), this);
    m_records->setObjectName(QStringLiteral("surveyRecords"));
    m_records->setHorizontalHeaderLabels(toQStringList(ProgramText::recordColumns));
    m_records->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_records->verticalHeader()->hide();
    m_records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_records->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_compare = button(ProgramText::compare, "surveyCompare", this);
    m_saveTable = button(ProgramText::saveSurveyTable, "surveySaveTable", this);
    m_saveRecords = button(ProgramText::saveRecords, "surveySaveRecords", this);
    m_copyLink = button(ProgramText::copyLink, "surveyCopyLink", this);

    auto *range = new QHBoxLayout;
    range->addWidget(new QLabel(toQString(ProgramText::surveyFrom), this));
    range->addWidget(m_first);
    range->addWidget(new QLabel(toQString(ProgramText::surveyTo), this));
    range->addWidget(m_last);
    range->addWidget(m_run);
    range->addWidget(m_cancel);
    range->addWidget(m_progress, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_compare);
    buttons->addStretch();
    buttons->addWidget(m_saveTable);
    buttons->addWidget(m_saveRecords);
    buttons->addWidget(m_copyLink);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(m_summary);
    layout->addWidget(m_plot, 3);
    layout->addWidget(m_records, 2);
    layout->addLayout(buttons);

    connect(m_run, &QPushButton::clicked, this, [this] { emit surveyAsked(std::uint32_t(m_first->value()), std::uint32_t(m_last->value())); });
    connect(m_cancel, &QPushButton::clicked, this, &SurveyWindow::cancelAsked);
    connect(m_plot, &SvgView::clickedAt, this, [this](QPointF point) {
        if (m_view.survey)
            emit startChosen(SurveyDrawing(*m_view.survey).startAt(point.x(), point.y()));
    });
    connect(m_records, &QTableWidget::cellClicked, this,
            [this](int row) { emit startChosen(std::uint32_t(m_records->item(row, 0)->data(Qt::UserRole).toUInt())); });
    connect(m_compare, &QPushButton::clicked, this, [this] {
        QStringList starts;
        for (const QModelIndex &row : m_records->selectionModel()->selectedRows())
            starts << m_records->item(row.row(), 0)->data(Qt::UserRole).toString();
        emit compareAsked(starts.mid(0, int(GraphFigures::mostPaths)).join(QLatin1Char(',')));
    });
    connect(m_saveTable, &QPushButton::clicked, this, [this] {
        const QByteArray table = QByteArray::fromStdString(m_view.survey->table());
        saveFile(this, QStringLiteral("CSVで保存"), QStringLiteral("collatz-survey-%1.csv").arg(rangeName(m_view)),
                 QStringLiteral("CSV ファイル (*.csv)"), [table](QIODevice &file) { return file.write(table) == table.size(); });
    });
    connect(m_saveRecords, &QPushButton::clicked, this, [this] {
        const QByteArray table = QByteArray::fromStdString(m_view.survey->recordsTable());
        saveFile(this, QStringLiteral("CSVで保存"), QStringLiteral("collatz-records-%1.csv").arg(rangeName(m_view)),
                 QStringLiteral("CSV ファイル (*.csv)"), [table](QIODevice &file) { return file.write(table) == table.size(); });
    });
    // The desktop's link is the command line that opens the same survey.
    connect(m_copyLink, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QStringLiteral("collatz ") + rangeName(m_view)); });
    draw(m_view);
}

void SurveyWindow::draw(const SurveyView &view)
{
    const bool changed = view.survey != m_view.survey || view.stage != m_view.stage;
    m_view = view;
    const bool running = view.stage == SurveyView::Stage::Running, done = view.stage == SurveyView::Stage::Done;
    m_first->setValue(int(view.first));
    m_last->setValue(int(view.last));
    m_run->setEnabled(!running);
    m_cancel->setEnabled(running);
    m_progress->setValue(int(view.progress * 1000));
    for (QPushButton *button : {m_compare, m_saveRecords, m_copyLink})
        button->setEnabled(done);
    m_saveTable->setEnabled(done && view.survey->size() <= Survey::largestTable);
    m_saveTable->setToolTip(done && !m_saveTable->isEnabled() ? toQString(ProgramText::tableTooLong) : QString());
    if (running)
        m_summary->setText(toQString(ProgramText::surveying) + QStringLiteral("%1 %").arg(int(view.progress * 100)));
    else if (view.stage == SurveyView::Stage::Cancelled)
        m_summary->setText(toQString(ProgramText::surveyCancelled));
    if (!changed)
        return;

    m_records->setRowCount(0);
    if (!done) {
        setWindowTitle(toQString(ProgramText::survey));
        m_plot->load(std::string());
        return;
    }
    const SurveyDrawing drawing(*view.survey);
    setWindowTitle(toQString(drawing.title()));
    m_summary->setText(toQString(drawing.summary()));
    m_plot->setAccessibleName(toQString(ProgramText::surveyName) + m_summary->text());
    m_plot->load(drawing.svg());
    for (const Survey::Start &record : view.survey->records()) {
        const int row = m_records->rowCount();
        m_records->insertRow(row);
        const QString cells[] = {QString::number(record.start), QString::number(record.steps),
                                 toQString(GraphFigures::grouped(double(record.highest))), toQString(drawing.recordKind(record))};
        for (int column = 0; column < 4; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, record.start);
            item->setTextAlignment(column < 3 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            m_records->setItem(row, column, item);
        }
    }
}
