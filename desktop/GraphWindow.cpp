// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphWindow.h"

#include "ProgramText.h"
#include "QtText.h"
#include "SaveFile.h"
#include "SvgView.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QIODevice>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

GraphWindow::GraphWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("graphWindow"));
    setWindowIcon(mainWindow->windowIcon());
    resize(680, 470);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_plot = new SvgView(this);
    m_plot->setObjectName(QStringLiteral("plot"));
    m_logScale = new QCheckBox(toQString(ProgramText::logScale), this);
    m_logScale->setObjectName(QStringLiteral("logScale"));
    m_starts = new QLineEdit(this);
    m_starts->setObjectName(QStringLiteral("compareStarts"));
    m_starts->setAccessibleName(toQString(ProgramText::compareName));
    m_starts->setPlaceholderText(toQString(ProgramText::compareExample));
    auto *compare = new QPushButton(toQString(ProgramText::compare), this);
    compare->setObjectName(QStringLiteral("compare"));
    m_savePicture = new QPushButton(toQString(ProgramText::savePicture), this);
    m_savePicture->setObjectName(QStringLiteral("savePicture"));
    m_saveTable = new QPushButton(toQString(ProgramText::saveTable), this);
    m_saveTable->setObjectName(QStringLiteral("saveTable"));
    m_copyLink = new QPushButton(toQString(ProgramText::copyLink), this);
    m_copyLink->setObjectName(QStringLiteral("copyLink"));

    auto *comparing = new QHBoxLayout;
    comparing->addWidget(m_starts, 1);
    comparing->addWidget(compare);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_logScale);
    buttons->addStretch();
    buttons->addWidget(m_savePicture);
    buttons->addWidget(m_saveTable);
    buttons->addWidget(m_copyLink);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_plot, 1);
    layout->addLayout(comparing);
    layout->addLayout(buttons);

    connect(m_logScale, &QCheckBox::toggled, this, &GraphWindow::logScaleChosen);
    const auto compareNow = [this] { emit compareAsked(m_starts->text()); };
    connect(compare, &QPushButton::clicked, this, compareNow);
    connect(m_starts, &QLineEdit::returnPressed, this, compareNow);
    connect(m_plot, &SvgView::pointedAt, this, [this](QPointF point, QPoint global) {
        if (const std::optional<GraphDrawing::Point> at = m_graph.pointAt(point.x(), point.y()))
            QToolTip::showText(global, toQString(m_graph.figures().valueAt(at->path, at->step)), m_plot);
    });
    connect(m_plot, &SvgView::left, this, [] { QToolTip::hideText(); });
    connect(m_savePicture, &QPushButton::clicked, this, [this] {
        // Twice the size it is shown at, as the page saves it.
        const QSize shown = m_plot->drawn().size().toSize();
        saveFile(this, QStringLiteral("画像を保存"), QString::fromStdString(m_graph.figures().fileName("png")), QStringLiteral("PNG 画像 (*.png)"),
                 [this, shown](QIODevice &file) { return m_plot->image(2 * shown).save(&file, "PNG"); });
    });
    connect(m_saveTable, &QPushButton::clicked, this, [this] {
        const QByteArray table = QByteArray::fromStdString(m_graph.figures().table());
        saveFile(this, QStringLiteral("CSVで保存"), QString::fromStdString(m_graph.figures().fileName("csv")),
                 QStringLiteral("CSV ファイル (*.csv)"), [table](QIODevice &file) { return file.write(table) == table.size(); });
    });
    // The desktop's link is the command line that opens the same graph.
    connect(m_copyLink, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QStringLiteral("collatz ") + QString::fromStdString(m_graph.figures().link())); });
    draw(m_graph);
}

void GraphWindow::draw(const GraphDrawing &graph)
{
    m_graph = graph;
    const GraphFigures &figures = m_graph.figures();
    m_summary->setText(toQString(figures.summary()));
    setWindowTitle(toQString(figures.title()));
    m_plot->setAccessibleName(toQString(ProgramText::graphName) + m_summary->text());
    m_plot->load(m_graph.svg());
    for (QPushButton *button : {m_savePicture, m_saveTable, m_copyLink})
        button->setEnabled(!figures.empty());
}
