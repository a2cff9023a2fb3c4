// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "GraphWindow.h"

#include "ProgramText.h"
#include "QtText.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QToolTip>

// The drawing, as large as the window lets it be at its own proportions, sharp at any
// scale; over it, the value at the step under the pointer.
class GraphWindow::Plot : public QWidget {
public:
    explicit Plot(GraphWindow *window)
        : QWidget(window)
        , m_window(window)
    {
        setMouseTracking(true);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(320, 165);
    }

    void load(const std::string &svg)
    {
        m_renderer.load(QByteArray::fromStdString(svg));
        update();
    }

    // Where the drawing is, within the widget.
    QRectF drawn() const
    {
        QSizeF size(GraphDrawing::width, GraphDrawing::height);
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    }

    // The drawing at this many pixels, for saving.
    QImage image(QSize pixels)
    {
        QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        m_renderer.render(&painter, QRectF(QPointF(), QSizeF(pixels)));
        return picture;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        m_renderer.render(&painter, drawn());
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        const QRectF place = drawn();
        const double x = (event->position().x() - place.left()) * GraphDrawing::width / place.width();
        if (const std::optional<std::size_t> step = m_window->graph().stepAt(x))
            QToolTip::showText(event->globalPosition().toPoint(), toQString(m_window->graph().figures().valueAt(*step)), this);
    }

    void leaveEvent(QEvent *) override { QToolTip::hideText(); }

private:
    GraphWindow *m_window;
    QSvgRenderer m_renderer;
};

GraphWindow::GraphWindow(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
{
    setObjectName(QStringLiteral("graphWindow"));
    setWindowIcon(mainWindow->windowIcon());
    resize(680, 440);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_plot = new Plot(this);
    m_plot->setObjectName(QStringLiteral("plot"));
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
    layout->addWidget(m_plot, 1);
    layout->addLayout(buttons);

    connect(m_logScale, &QCheckBox::toggled, this, &GraphWindow::logScaleChosen);
    connect(m_savePicture, &QPushButton::clicked, this, [this] {
        // Twice the size it is shown at, as the page saves it.
        const QSize shown = m_plot->drawn().size().toSize();
        save(QStringLiteral("画像を保存"), QStringLiteral("png"), QStringLiteral("PNG 画像 (*.png)"),
             [this, shown](QIODevice &file) { return m_plot->image(2 * shown).save(&file, "PNG"); });
    });
    connect(m_saveTable, &QPushButton::clicked, this, [this] {
        save(QStringLiteral("CSVで保存"), QStringLiteral("csv"), QStringLiteral("CSV ファイル (*.csv)"), [this](QIODevice &file) {
            const std::string table = m_graph.figures().table();
            return file.write(table.data(), qint64(table.size())) == qint64(table.size());
        });
    });
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
    m_savePicture->setEnabled(!figures.empty());
    m_saveTable->setEnabled(!figures.empty());
}

void GraphWindow::save(const QString &what, const QString &suffix, const QString &filter,
                       const std::function<bool(QIODevice &)> &write)
{
    // The dialog goes back to the folder used last when the suggested one does not exist,
    // and lists it in full: a folder of devices, such as /proc, can then hold it up.
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    const QString suggested = folder.filePath(QString::fromStdString(m_graph.figures().fileName(suffix.toStdString())));
    const QString path = QFileDialog::getSaveFileName(this, what, suggested, filter);
    if (path.isEmpty())
        return;
    // Written beside the target and renamed over it only when complete, so a failure
    // leaves nothing half-written behind.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return;
    QMessageBox::warning(this, QStringLiteral("保存できませんでした"),
                         QStringLiteral("「%1」に保存できませんでした。\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
}
