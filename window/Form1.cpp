// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Form1.h"

#include "Experiment.h"
#include "ExplanationPanel.h"
#include "ExperimentGraph.h"
#include "CueDevice.h"
#include "PlayCue.h"
#include "ProblemStatement.h"
#include "Twips.h"
#include "WindowServices.h"

#include <QClipboard>
#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QIcon>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr const char *resetChime = "pinpon.wav";
constexpr const char *exitChime = "endpinpon.wav";
constexpr std::u16string_view exitQuestion = u"終了していいですか？";
constexpr std::u16string_view exitTitle = u" ３ｘ＋１ の問題";

const QString caption = QStringLiteral(" ３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ");

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

// Where the chime player's library is missing, every cue is silent, as for a chime
// file that cannot be played.
class SilentDevice final : public CueDevice {
public:
    void setCommand(std::string_view) override {}
    void setFileName(std::string_view) override {}
};

std::unique_ptr<CueDevice> newChimePlayer(const ProgramLibraries &libraries)
{
    const auto create = reinterpret_cast<decltype(&collatzNewChimePlayer)>(
        libraries.entry(QStringLiteral("collatz-sound"), "collatzNewChimePlayer"));
    const char *const chimes[] = {resetChime, exitChime};
    if (!create)
        return std::make_unique<SilentDevice>();
    return std::unique_ptr<CueDevice>(create(chimes, 2));
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/collatz-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(caption);
    setWindowIcon(programIcon());
    setFixedSize(twipsToPixels(10470), twipsToPixels(7560));

    // Created first so that the two top buttons cover its ends.
    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Plain);
    m_line1->setLineWidth(1);
    m_line1->setGeometry(0, twipsToPixels(360), twipsToPixels(10440), 1);

    m_command2 = new QPushButton(QStringLiteral("終了"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setGeometry(twipsRect(0, 0, 855, 375));

    m_command3 = new QPushButton(QStringLiteral("初期化"), this);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setGeometry(twipsRect(9600, 0, 855, 375));

    m_picture1 = new ExplanationPanel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setAccessibleName(QStringLiteral("問題の説明"));
    m_picture1->setGeometry(twipsRect(120, 480, 10215, 2415));

    m_text1 = new QPlainTextEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipsRect(120, 3000, 10215, 3495));
    m_text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text1->setTabChangesFocus(true);
    m_text1->setContextMenuPolicy(Qt::CustomContextMenu);

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twipsRect(120, 6720, 2895, 255));

    m_command1 = new QPushButton(QStringLiteral("実\u3000験"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twipsRect(4680, 6720, 1215, 615));

    // Outside a dialog, only an auto-default button is pressed by Return and Enter, as
    // by Space, when it has the focus.
    for (QPushButton *button : {m_command1, m_command2, m_command3})
        button->setAutoDefault(true);

    setTabOrder(m_command1, m_text1);
    setTabOrder(m_text1, m_command2);
    setTabOrder(m_command2, m_command3);
    setTabOrder(m_command3, m_picture1);
    m_command1->setFocus();

    m_services = std::make_unique<WindowServices>(this, m_text1, m_label1, m_picture1);

    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    auto *graph = new QAction(QStringLiteral("グラフを表示(&G)"), this);
    graph->setObjectName(QStringLiteral("showGraph"));
    graph->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    addAction(graph);
    connect(graph, &QAction::triggered, this, &Form1::showGraph);
    connect(m_text1, &QWidget::customContextMenuRequested, this, [this, graph](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(m_text1->createStandardContextMenu(position));
        menu->addSeparator();
        menu->addAction(graph);
        menu->exec(m_text1->viewport()->mapToGlobal(position));
    });
}

Form1::~Form1()
{
    // Text copied from Text1 is kept as rich text that is only made when asked for.
    // On X11 the clipboard is handed to the desktop's clipboard manager as the
    // application ends, when such text can no longer be made; a plain copy can.
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

void Form1::Command1_Click()
{
    if (const std::optional<double> start = Experiment::run(m_state, *m_services)) {
        m_lastStart = start;
        if (m_graph)
            m_graph->showExperiment(m_lastStart);
    }
}

void Form1::Command2_Click()
{
    PlayCue(mmControl1(), exitChime);
    if (m_services->msgBox(exitQuestion, exitTitle) == Services::Answer::Yes) {
        // The program ends at once: nothing is saved and the chime is not waited for.
        hide();
        QCoreApplication::exit(0);
    }
}

void Form1::Command3_Click()
{
    PlayCue(mmControl1(), resetChime);
    Experiment::reset(m_state, *m_services);
    m_lastStart.reset();
    if (m_graph)
        m_graph->showExperiment(m_lastStart);
}

CueDevice &Form1::mmControl1()
{
    if (!m_mmControl1)
        m_mmControl1 = m_mmControl1Loading.valid() ? m_mmControl1Loading.get() : newChimePlayer(m_libraries);
    return *m_mmControl1;
}

void Form1::showGraph()
{
    if (!m_graph) {
        const auto create = reinterpret_cast<decltype(&collatzNewGraphWindow)>(
            m_libraries.entry(QStringLiteral("collatz-graph"), "collatzNewGraphWindow"));
        if (!create)
            return;
        m_graph = create(this);
        // From here on the graph follows every run and reset, shown or not.
        m_graph->showExperiment(m_lastStart);
    }
    m_graph->widget()->show();
    m_graph->widget()->raise();
    m_graph->widget()->activateWindow();
}

void Form1::Form_Activate()
{
    for (std::u16string_view line : problemStatement)
        m_services->printLine(line);
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The window is activated once, when it is first shown; its own dialogs closing
    // does not count. The panel's font, its fit and its lines follow at once, but once
    // the window is on the screen; the chime player is loaded in the background.
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, [this] {
            const QFont font = japaneseFont();
            m_label1->setFont(font);
            m_picture1->setFont(font);
            m_picture1->fitTo(problemStatementLines());
            Form_Activate();
            if (!m_mmControl1)
                m_mmControl1Loading = std::async(std::launch::async, newChimePlayer, std::cref(m_libraries));
        });
    }
}
