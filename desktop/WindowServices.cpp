// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowServices.h"

#include "ChimePlayer.h"
#include "GraphWindow.h"
#include "ProgramText.h"
#include "QtText.h"
#include "SurveyWindow.h"
#include "WindowModel.h"

#include <QCoreApplication>
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
        qCWarning(chimeLog, "the chime player could not be loaded, so the chimes are silent: %s", qPrintable(error));
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

void WindowServices::askForEntry(std::u16string_view prompt, std::u16string_view title, std::function<void(Entry)> answered)
{
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("inputDialog"));
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(toQString(ProgramText::ok));
    dialog.setCancelButtonText(toQString(ProgramText::cancel));
    // Once QCoreApplication::exit() is called, every event loop ends at once, this
    // dialog's among them, without the dialog being answered; a quit request also
    // closes the window.
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, &dialog, [&finished] { finished = true; });
    const int result = dialog.exec();
    if (!finished || !m_window->isVisible())
        answered(std::nullopt);
    else
        answered(result == QDialog::Accepted ? dialog.textValue().toStdU16String() : std::u16string());
}

void WindowServices::askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(question), QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("exitQuestion"));
    QPushButton *yes = box.addButton(toQString(ProgramText::yes) + QStringLiteral("(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(toQString(ProgramText::no) + QStringLiteral("(&N)"), QMessageBox::NoRole);
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

void WindowServices::showGraph(const GraphDrawing &graph, bool bringIntoView)
{
    if (!m_graph) {
        m_graph = new GraphWindow(m_window);
        QObject::connect(m_graph, &GraphWindow::logScaleChosen, m_graph, [this](bool logScale) { m_model->setLogScale(logScale); });
        QObject::connect(m_graph, &GraphWindow::compareAsked, m_graph,
                         [this](const QString &starts) { m_model->compare(starts.toStdU16String()); });
    }
    m_graph->draw(graph);
    if (bringIntoView) {
        m_graph->show();
        m_graph->raise();
        m_graph->activateWindow();
    }
}

void WindowServices::showSurvey(const SurveyView &survey, bool bringIntoView)
{
    if (!m_survey) {
        m_survey = new SurveyWindow(m_window);
        QObject::connect(m_survey, &SurveyWindow::surveyAsked, m_survey,
                         [this](std::uint32_t first, std::uint32_t last) { m_model->survey(first, last); });
        QObject::connect(m_survey, &SurveyWindow::cancelAsked, m_survey, [this] { m_model->cancelSurvey(); });
        QObject::connect(m_survey, &SurveyWindow::startChosen, m_survey, [this](std::uint32_t start) { m_model->runStart(start); });
        QObject::connect(m_survey, &SurveyWindow::compareAsked, m_survey,
                         [this](const QString &starts) { m_model->compare(starts.toStdU16String()); });
    }
    m_survey->draw(survey);
    if (bringIntoView) {
        m_survey->show();
        m_survey->raise();
        m_survey->activateWindow();
    }
}

void WindowServices::showMessage(std::u16string_view text)
{
    QMessageBox box(QMessageBox::Information, toQString(ProgramText::exitTitle), toQString(text), QMessageBox::Ok, m_window);
    box.setObjectName(QStringLiteral("message"));
    box.exec();
}

void WindowServices::later(std::function<void()> work)
{
    QTimer::singleShot(0, m_window, std::move(work));
}

void WindowServices::end()
{
    // The graph, a child window of the main window, goes with it.
    m_window->hide();
    QCoreApplication::exit(0);
}
