// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowServices.h"

#include "ChimePlayer.h"
#include "Panels.h"
#include "ProgramText.h"
#include "QtText.h"

#include <QAccessible>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

Q_LOGGING_CATEGORY(chimeLog, "collatz.chimes", QtWarningMsg)

namespace {

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
        qCWarning(chimeLog, "%s%s", ProgramText::chimesSilent, qPrintable(error));
        return std::make_unique<SilentChimePlayer>();
    }
    const char *const chimes[] = {ProgramText::resetChime, ProgramText::exitChime};
    return std::unique_ptr<ChimePlayer>(create(chimes, 2));
}

} // namespace

WindowServices::WindowServices(QWidget *window, ProgramLibraries libraries)
    : m_window(window)
    , m_libraries(std::move(libraries))
{
}

WindowServices::~WindowServices() = default;

void WindowServices::showIn(QPlainTextEdit *sequenceView, QLabel *startingValueLabel, WindowModel *model)
{
    m_sequenceView = sequenceView;
    m_startingValueLabel = startingValueLabel;
    m_model = model;
}

void WindowServices::loadChimePlayer()
{
    if (!m_chimePlayer && !m_chimePlayerLoading.valid())
        m_chimePlayerLoading = std::async(std::launch::async, newChimePlayer, std::cref(m_libraries));
}

ChimePlayer &WindowServices::chimePlayer()
{
    if (!m_chimePlayer)
        m_chimePlayer = m_chimePlayerLoading.valid() ? m_chimePlayerLoading.get() : newChimePlayer(m_libraries);
    return *m_chimePlayer;
}

void WindowServices::askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                                 std::function<void(Entry)> answered)
{
    Entry entry;
    {
        // A new dialog, which asks for text, each time: it starts empty.
        QInputDialog dialog(m_window);
        dialog.setObjectName(QStringLiteral("inputDialog"));
        dialog.setWindowTitle(toQString(title));
        // Why the last entry was refused stands under the prompt, and is read out.
        dialog.setLabelText(refused.empty() ? toQString(prompt) : toQString(prompt) + QLatin1Char('\n') + toQString(refused));
        if (!refused.empty()) {
            QTimer::singleShot(0, &dialog, [&dialog] {
                QAccessibleEvent said(dialog.findChild<QLabel *>(), QAccessible::Alert);
                QAccessible::updateAccessibility(&said);
            });
        }
        dialog.setOkButtonText(toQString(ProgramText::ok));
        dialog.setCancelButtonText(toQString(ProgramText::cancel));
        // Once QCoreApplication::exit() is called, every event loop ends at once, this
        // dialog's among them, without the dialog being answered; a quit request also
        // closes the window.
        bool finished = false;
        QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
        const int result = dialog.exec();
        if (finished && m_window->isVisible())
            entry = result == QDialog::Accepted ? dialog.textValue().toStdU16String() : std::u16string();
    }
    // The dialog has gone before the answer is acted on, as the window shows it.
    answered(std::move(entry));
}

void WindowServices::askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(question), QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("exitQuestion"));
    QPushButton *yes = box.addButton(toQString(Layout::withMnemonic(ProgramText::yes, ProgramText::yesKey)), QMessageBox::YesRole);
    QPushButton *no = box.addButton(toQString(Layout::withMnemonic(ProgramText::no, ProgramText::noKey)), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    answered(box.clickedButton() == yes);
}

void WindowServices::showStartingValue(std::u16string_view text)
{
    m_startingValueLabel->setText(toQString(text));
}

void WindowServices::showSequence(std::u16string_view text)
{
    // As any store does, this replaces what the user typed, and its undo history.
    m_sequenceView->setPlainText(toQString(text));
}

void WindowServices::playChime(const char *fileName)
{
    chimePlayer().play(fileName);
}

void WindowServices::stopChime()
{
    chimePlayer().stop();
}

Panels *WindowServices::panels()
{
    if (!m_panels) {
        QString error;
        const auto create = reinterpret_cast<decltype(&collatzNewPanels)>(
            m_libraries.entry(QStringLiteral("collatz-panels"), "collatzNewPanels", &error));
        if (!create) {
            QMessageBox box(QMessageBox::Information, toQString(ProgramText::exitTitle), toQString(ProgramText::panelsMissing),
                            QMessageBox::Ok, m_window);
            box.setObjectName(QStringLiteral("panelsMissing"));
            box.setDetailedText(error);
            box.exec();
            return nullptr;
        }
        m_panels.reset(create(m_window, m_model));
    }
    return m_panels.get();
}

void WindowServices::showPanel(const Panel::View &view, bool bringIntoView)
{
    // A panel that follows a run is drawn only where the windows have been loaded.
    if ((bringIntoView || m_panels) && panels())
        m_panels->showPanel(view, bringIntoView);
}

void WindowServices::save(const SavedFile &file)
{
    if (m_panels)
        m_panels->save(file);
}

void WindowServices::copyLink(const std::string &form, std::function<void(bool)> done)
{
    QGuiApplication::clipboard()->setText(toQString(ProgramText::command) + QString::fromStdString(form));
    done(true);
}

void WindowServices::showMessage(std::u16string_view text)
{
    QMessageBox box(QMessageBox::Information, toQString(ProgramText::exitTitle), toQString(text), QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

void WindowServices::later(std::function<void()> work, int milliseconds)
{
    QTimer::singleShot(milliseconds, m_window, std::move(work));
}

void WindowServices::end()
{
    // The panels, child windows of the main window, go with it.
    m_window->hide();
    QCoreApplication::exit(0);
}
