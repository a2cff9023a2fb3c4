// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "MainWindow.h"

#include "ChimePlayer.h"
#include "ExplanationPanel.h"
#include "Panels.h"
#include "ProgramText.h"
#include "QtText.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>

Q_LOGGING_CATEGORY(chimeLog, "collatz.chimes", QtWarningMsg)

namespace {

// A caption with its mnemonic, as a menu or a button writes it: "グラフを表示(&G)".
QString withMnemonic(std::u16string_view caption, char16_t key)
{
    return toQString(caption) + QStringLiteral("(&") + QChar(key) + QLatin1Char(')');
}

// The first of the panel's preferred fonts that is installed, or else any proportional
// Japanese font. Asking for an installed family by name spares the font database a
// fallback search for every missing name and every script, and a font that has the
// Japanese glyphs itself keeps them within its own line metrics.
QFont japaneseFont()
{
    const auto firstOf = [](const QStringList &families, auto wanted) {
        const auto found = std::find_if(families.begin(), families.end(), wanted);
        return found == families.end() ? QString() : *found;
    };
    const QStringList families = toQStringList(ProgramText::japaneseFonts);
    QString chosen = firstOf(families, &QFontDatabase::hasFamily);
    if (chosen.isEmpty())
        chosen = firstOf(QFontDatabase::families(QFontDatabase::Japanese), [](const QString &family) { return !QFontDatabase::isFixedPitch(family); });
    QFont font(chosen.isEmpty() ? families.first() : chosen, ProgramText::japaneseFontPoints, QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QRect pixels(Layout::Twips place)
{
    const Layout::Pixels rect = Layout::toPixels(place);
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

// Where the chime player's library is missing, every chime is silent, as for a chime
// file that cannot be played; a warning says why.
class SilentChimePlayer final : public ChimePlayer {
public:
    void play(std::string_view) override {}
    void stop() override {}
};

std::unique_ptr<ChimePlayer> newChimePlayer(const QStringList &libraryFolders)
{
    QString error;
    const auto create = reinterpret_cast<decltype(&collatzNewChimePlayer)>(
        programLibraryEntry(libraryFolders, QStringLiteral("collatz-sound"), "collatzNewChimePlayer", &error));
    if (!create) {
        qCWarning(chimeLog, "%s%s", ProgramText::chimesSilent, qPrintable(error));
        return std::make_unique<SilentChimePlayer>();
    }
    const char *const chimes[] = {ProgramText::resetChime, ProgramText::exitChime};
    return std::unique_ptr<ChimePlayer>(create(chimes, 2));
}

} // namespace

MainWindow::MainWindow(QStringList libraryFolders)
    : m_libraryFolders(std::move(libraryFolders))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(toQString(ProgramText::caption));
    // The pictures are read as PNG, told so: left to guess, or even given the format, Qt's
    // image reader would first load every image plugin to ask each whether it reads the file,
    // which costs the start a few milliseconds.
    QIcon icon;
    for (int size : {32, 64, 128}) {
        QImageReader reader(QStringLiteral(":/icons/collatz-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    setWindowIcon(icon);
    setFixedSize(pixels(Layout::client).size());

    // Qt's focus goes round the controls in the order they are made, and starts at the
    // first that takes it.
    for (const Layout::Control &control : Layout::controls) {
        QWidget *widget = nullptr;
        switch (control.role) {
        case Layout::Role::Separator: {
            auto *line = new QFrame(this);
            line->setFrameStyle(QFrame::HLine | QFrame::Plain);
            widget = line;
            break;
        }
        case Layout::Role::Button: {
            auto *button = new QPushButton(toQString(control.caption), this);
            // Outside a dialog, only an auto-default button is pressed by Return and Enter,
            // as by Space, when it has the focus.
            button->setAutoDefault(true);
            connect(button, &QPushButton::clicked, this, [this, action = control.action] { m_model.act(action); });
            widget = button;
            break;
        }
        case Layout::Role::Label:
            widget = m_startingValueLabel = new QLabel(this);
            break;
        case Layout::Role::SequenceView:
            widget = m_sequenceView = new QPlainTextEdit(this);
            m_sequenceView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            m_sequenceView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            m_sequenceView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            m_sequenceView->setTabChangesFocus(true);
            m_sequenceView->setContextMenuPolicy(Qt::CustomContextMenu);
            break;
        case Layout::Role::Panel:
            widget = m_explanationPanel = new ExplanationPanel(this);
            // The explanation is read as the sentences it is, not as the lines it is printed in.
            widget->setAccessibleDescription(toQStringList(Layout::problemParagraphs()).join(QLatin1Char('\n')));
            break;
        }
        widget->setObjectName(QLatin1String(control.id));
        widget->setGeometry(pixels(control.place));
        if (!control.accessibleName.empty())
            widget->setAccessibleName(toQString(control.accessibleName));
    }

    for (const Layout::Command &command : Layout::commands) {
        auto *action = new QAction(withMnemonic(command.caption, command.key), this);
        action->setObjectName(QLatin1String(command.id));
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QChar(command.key)));
        connect(action, &QAction::triggered, this, [this, &command] { m_model.act(command.action); });
        addAction(action);
    }
    connect(m_sequenceView, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        const std::unique_ptr<QMenu> menu(m_sequenceView->createStandardContextMenu(position));
        menu->addSeparator();
        menu->addActions(actions());
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
        if (mode == QClipboard::Clipboard ? clipboard->ownsClipboard() : clipboard->ownsSelection())
            clipboard->setText(clipboard->text(mode), mode);
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The explanation is printed once, when the window is first shown; its own dialogs
    // closing does not count. The panel's font, its fit and its lines follow at once,
    // but once the window is on the screen; the chime player is loaded in the background,
    // unless a chime has loaded it already.
    if (!std::exchange(m_shown, true)) {
        QTimer::singleShot(0, this, [this] {
            const QFont font = japaneseFont();
            m_startingValueLabel->setFont(font);
            m_explanationPanel->setFont(font);
            m_explanationPanel->print(toQStringList(ProgramText::problemStatement));
            if (!m_chimePlayer)
                m_chimePlayerLoading = std::async(std::launch::async, newChimePlayer, std::cref(m_libraryFolders));
            m_ready = true;
            openLink(m_link);
        });
    }
}

void MainWindow::openLink(const QString &link)
{
    // Kept until the window is ready, then opened once.
    m_link = link;
    if (m_ready && !m_link.isEmpty())
        m_model.openLink(std::exchange(m_link, QString()).toStdU16String());
}

ChimePlayer &MainWindow::chimePlayer()
{
    if (!m_chimePlayer)
        m_chimePlayer = m_chimePlayerLoading.valid() ? m_chimePlayerLoading.get() : newChimePlayer(m_libraryFolders);
    return *m_chimePlayer;
}

void MainWindow::askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                             std::function<void(Entry)> answered)
{
    Entry entry;
    {
        // A new dialog, which asks for text, each time: it starts empty.
        QInputDialog dialog(this);
        dialog.setObjectName(QStringLiteral("inputDialog"));
        dialog.setWindowTitle(toQString(title));
        // Why the last entry was refused stands under the prompt, and is read out.
        dialog.setLabelText(refused.empty() ? toQString(prompt) : toQString(prompt) + QLatin1Char('\n') + toQString(refused));
        if (!refused.empty())
            QTimer::singleShot(0, &dialog, [&dialog] { sayAtOnce(dialog.findChild<QLabel *>()); });
        dialog.setOkButtonText(toQString(ProgramText::ok));
        dialog.setCancelButtonText(toQString(ProgramText::cancel));
        // Once QCoreApplication::exit() is called, every event loop ends at once, this
        // dialog's among them, without the dialog being answered; a quit request also
        // closes the window.
        bool finished = false;
        QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
        const int result = dialog.exec();
        if (finished && isVisible())
            entry = result == QDialog::Accepted ? dialog.textValue().toStdU16String() : std::u16string();
    }
    // The dialog has gone before the answer is acted on, as the window shows it.
    answered(std::move(entry));
}

void MainWindow::askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(question), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("exitQuestion"));
    QPushButton *yes = box.addButton(withMnemonic(ProgramText::yes, ProgramText::yesKey), QMessageBox::YesRole);
    QPushButton *no = box.addButton(withMnemonic(ProgramText::no, ProgramText::noKey), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    answered(box.clickedButton() == yes);
}

void MainWindow::showStartingValue(std::u16string_view text)
{
    m_startingValueLabel->setText(toQString(text));
}

void MainWindow::showSequence(std::u16string_view text)
{
    // As any store does, this replaces what the user typed, and its undo history.
    m_sequenceView->setPlainText(toQString(text));
}

void MainWindow::playChime(const char *fileName)
{
    chimePlayer().play(fileName);
}

void MainWindow::stopChime()
{
    chimePlayer().stop();
}

void MainWindow::showPanel(const Panel::View &view, bool bringIntoView)
{
    // The panels' windows are loaded when one is first shown; where their library is
    // missing, a message says so. A panel that follows a run is drawn only where they
    // have been loaded.
    if (!m_panels && bringIntoView) {
        QString error;
        const auto create = reinterpret_cast<decltype(&collatzNewPanels)>(
            programLibraryEntry(m_libraryFolders, QStringLiteral("collatz-panels"), "collatzNewPanels", &error));
        if (!create) {
            QMessageBox box(QMessageBox::Information, toQString(ProgramText::exitTitle), toQString(ProgramText::panelsMissing),
                            QMessageBox::Ok, this);
            box.setObjectName(QStringLiteral("panelsMissing"));
            box.setDetailedText(error);
            box.exec();
            return;
        }
        m_panels.reset(create(this, &m_model));
    }
    if (m_panels)
        m_panels->showPanel(view, bringIntoView);
}

void MainWindow::save(const SavedFile &file)
{
    if (m_panels)
        m_panels->save(file);
}

void MainWindow::copyLink(const std::string &form, std::function<void(bool)> done)
{
    QGuiApplication::clipboard()->setText(toQString(ProgramText::command) + QString::fromStdString(form));
    done(true);
}

void MainWindow::showMessage(std::u16string_view text)
{
    QMessageBox box(QMessageBox::Information, toQString(ProgramText::exitTitle), toQString(text), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

void MainWindow::later(std::function<void()> work, int milliseconds)
{
    QTimer::singleShot(milliseconds, this, std::move(work));
}

void MainWindow::end()
{
    // The panels, child windows of the main window, go with it.
    hide();
    QCoreApplication::exit(0);
}
