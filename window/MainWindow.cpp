// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "MainWindow.h"

#include "ChimePlayer.h"
#include "Experiment.h"
#include "ExperimentGraph.h"
#include "ExplanationPanel.h"
#include "QtText.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

Q_LOGGING_CATEGORY(chimeLog, "collatz.chimes", QtWarningMsg)

namespace {

// The font the panel and the label ask for, or where it is missing the first of its
// stand-ins that is installed, or else any proportional Japanese font. Asking for an
// installed family by name spares the font database a fallback search for every
// missing name and every script, and a font that has the Japanese glyphs itself keeps
// them within its own line metrics.
QFont japaneseFont()
{
    const QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                               QStringLiteral("IPAPGothic"), QStringLiteral("VL PGothic"),
                               QStringLiteral("Noto Sans CJK JP")};
    QString chosen;
    for (const QString &family : families) {
        if (QFontDatabase::hasFamily(family)) {
            chosen = family;
            break;
        }
    }
    if (chosen.isEmpty()) {
        for (const QString &family : QFontDatabase::families(QFontDatabase::Japanese)) {
            if (!QFontDatabase::isFixedPitch(family)) {
                chosen = family;
                break;
            }
        }
    }
    QFont font(chosen.isEmpty() ? families.first() : chosen, 12, QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Where the chime player's library is missing, every chime is silent, as for a chime
// file that cannot be played; a warning says why.
class SilentChimePlayer final : public ChimePlayer {
public:
    void play(std::string_view) override {}
    void stop() override {}
};

std::unique_ptr<ChimePlayer> newChimePlayer(const ProgramLibraries &libraries)
{
    QString error;
    const auto create = reinterpret_cast<decltype(&collatzNewChimePlayer)>(
        libraries.entry(QStringLiteral("collatz-sound"), "collatzNewChimePlayer", &error));
    if (!create) {
        qCWarning(chimeLog, "the chime player could not be loaded, so the chimes are silent: %s", qPrintable(error));
        return std::make_unique<SilentChimePlayer>();
    }
    const char *const chimes[] = {ProgramText::resetChime, ProgramText::exitChime};
    return std::unique_ptr<ChimePlayer>(create(chimes, 2));
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/collatz-%1.png").arg(size), QSize(size, size));
    return icon;
}

QPushButton *newButton(std::u16string_view caption, const char *name, QRect place, QWidget *window)
{
    auto *button = new QPushButton(toQString(caption), window);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    // Outside a dialog, only an auto-default button is pressed by Return and Enter, as
    // by Space, when it has the focus.
    button->setAutoDefault(true);
    return button;
}

} // namespace

MainWindow::MainWindow(ProgramLibraries libraries, QWidget *parent)
    : QWidget(parent)
    , m_libraries(std::move(libraries))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(toQString(ProgramText::caption));
    setWindowIcon(programIcon());
    setFixedSize(twipsToPixels(10470), twipsToPixels(7560));

    // Made first so that the two top buttons cover its ends.
    m_separator = new QFrame(this);
    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Plain);
    m_separator->setLineWidth(1);
    m_separator->setGeometry(0, twipsToPixels(360), twipsToPixels(10440), 1);

    m_exitButton = newButton(ProgramText::exitCaption, "exitButton", twipsRect(0, 0, 855, 375), this);
    m_resetButton = newButton(ProgramText::resetCaption, "resetButton", twipsRect(9600, 0, 855, 375), this);

    m_explanationPanel = new ExplanationPanel(this);
    m_explanationPanel->setObjectName(QStringLiteral("explanationPanel"));
    m_explanationPanel->setAccessibleName(QStringLiteral("問題の説明"));
    m_explanationPanel->setGeometry(twipsRect(120, 480, 10215, 2415));

    m_sequenceView = new QPlainTextEdit(this);
    m_sequenceView->setObjectName(QStringLiteral("sequenceView"));
    m_sequenceView->setGeometry(twipsRect(120, 3000, 10215, 3495));
    m_sequenceView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_sequenceView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sequenceView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sequenceView->setTabChangesFocus(true);
    m_sequenceView->setContextMenuPolicy(Qt::CustomContextMenu);

    m_startingValueLabel = new QLabel(this);
    m_startingValueLabel->setObjectName(QStringLiteral("startingValueLabel"));
    m_startingValueLabel->setGeometry(twipsRect(120, 6720, 2895, 255));

    m_startButton = newButton(ProgramText::startCaption, "startButton", twipsRect(4680, 6720, 1215, 615), this);

    setTabOrder(m_startButton, m_sequenceView);
    setTabOrder(m_sequenceView, m_exitButton);
    setTabOrder(m_exitButton, m_resetButton);
    setTabOrder(m_resetButton, m_explanationPanel);
    m_startButton->setFocus();

    m_services = std::make_unique<WindowServices>(this, m_sequenceView, m_startingValueLabel);

    connect(m_startButton, &QPushButton::clicked, this, &MainWindow::startExperiment);
    connect(m_exitButton, &QPushButton::clicked, this, &MainWindow::askToExit);
    connect(m_resetButton, &QPushButton::clicked, this, &MainWindow::reset);

    auto *graph = new QAction(toQString(ProgramText::showGraph) + QStringLiteral("(&G)"), this);
    graph->setObjectName(QStringLiteral("showGraph"));
    graph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    addAction(graph);
    connect(graph, &QAction::triggered, this, &MainWindow::showGraph);
    connect(m_sequenceView, &QWidget::customContextMenuRequested, this, [this, graph](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(m_sequenceView->createStandardContextMenu(position));
        menu->addSeparator();
        menu->addAction(graph);
        menu->exec(m_sequenceView->viewport()->mapToGlobal(position));
    });
}

MainWindow::~MainWindow()
{
    // Text copied from the sequence view is kept as rich text that is only made when
    // asked for. On X11 the clipboard is handed to the desktop's clipboard manager as
    // the application ends, when such text can no longer be made; a plain copy can.
    QClipboard *clipboard = QGuiApplication::clipboard();
    for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection}) {
        const bool owned = mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection();
        if (owned) {
            auto *plain = new QMimeData;
            plain->setText(clipboard->text(mode));
            clipboard->setMimeData(plain, mode);
        }
    }
}

void MainWindow::startExperiment()
{
    if (const std::optional<double> start = Experiment::run(m_state, *m_services)) {
        m_lastStart = start;
        if (m_graph)
            m_graph->showExperiment(m_lastStart);
    }
}

void MainWindow::askToExit()
{
    chimePlayer().play(ProgramText::exitChime);
    if (m_services->askYesNo(ProgramText::exitQuestion, ProgramText::exitTitle)) {
        // The program ends at once: nothing is saved and the chime is not waited for.
        hide();
        QCoreApplication::exit(0);
    }
}

void MainWindow::reset()
{
    chimePlayer().play(ProgramText::resetChime);
    Experiment::reset(m_state, *m_services);
    m_lastStart.reset();
    if (m_graph)
        m_graph->showExperiment(m_lastStart);
}

ChimePlayer &MainWindow::chimePlayer()
{
    if (!m_chimePlayer)
        m_chimePlayer = m_chimePlayerLoading.valid() ? m_chimePlayerLoading.get() : newChimePlayer(m_libraries);
    return *m_chimePlayer;
}

void MainWindow::showGraph()
{
    if (!m_graph) {
        QString error;
        const auto create = reinterpret_cast<decltype(&collatzNewGraphWindow)>(
            m_libraries.entry(QStringLiteral("collatz-graph"), "collatzNewGraphWindow", &error));
        if (!create) {
            QMessageBox box(QMessageBox::Information, QStringLiteral("グラフ"),
                            QStringLiteral("グラフの部品がインストールされていないため、グラフを表示できません。"),
                            QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("graphMissing"));
            box.setDetailedText(error);
            box.exec();
            return;
        }
        m_graph = create(this);
        // From here on the graph follows every run and reset, shown or not.
        m_graph->showExperiment(m_lastStart);
    }
    m_graph->widget()->show();
    m_graph->widget()->raise();
    m_graph->widget()->activateWindow();
}

void MainWindow::printExplanation()
{
    for (std::u16string_view line : ProgramText::problemStatement)
        m_explanationPanel->printLine(toQString(line));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The explanation is printed once, when the window is first shown; its own dialogs
    // closing does not count. The panel's font, its fit and its lines follow at once,
    // but once the window is on the screen; the chime player is loaded in the background.
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] {
            const QFont font = japaneseFont();
            m_startingValueLabel->setFont(font);
            m_explanationPanel->setFont(font);
            m_explanationPanel->fitTo(problemStatementLines());
            printExplanation();
            if (!m_chimePlayer)
                m_chimePlayerLoading = std::async(std::launch::async, newChimePlayer, std::cref(m_libraries));
        });
    }
}
