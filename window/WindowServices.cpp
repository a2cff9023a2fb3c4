// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowServices.h"

#include "QtText.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

WindowServices::WindowServices(QWidget *window, QPlainTextEdit *sequenceView, QLabel *startingValueLabel)
    : m_window(window)
    , m_sequenceView(sequenceView)
    , m_startingValueLabel(startingValueLabel)
{
}

std::optional<std::u16string> WindowServices::askForEntry(std::u16string_view prompt, std::u16string_view title)
{
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("inputDialog"));
    dialog.setWindowTitle(toQString(title));
    dialog.setLabelText(toQString(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    // Once QCoreApplication::exit() is called, every event loop ends at once, this
    // dialog's among them, without the dialog being answered; a quit request also
    // closes the window.
    bool answered = false;
    QObject::connect(&dialog, &QDialog::finished, &dialog, [&answered] { answered = true; });
    const int result = dialog.exec();
    if (!answered || !m_window->isVisible())
        return std::nullopt;
    if (result != QDialog::Accepted)
        return std::u16string();
    return dialog.textValue().toStdU16String();
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

bool WindowServices::askYesNo(std::u16string_view question, std::u16string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(question), QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("exitQuestion"));
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
