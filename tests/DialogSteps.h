// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include "ModalScript.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The ways a person answers the input dialog, as steps for ModalScript.
namespace DialogSteps {

// Types the text and presses Return, which presses OK, the dialog's default button.
// The text is set directly because QTest::keyClicks drops what is not Latin-1.
inline ModalScript::Step enter(const QString &text, QStringList *seen = nullptr)
{
    return [text, seen](QWidget *widget) {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        QVERIFY(dialog);
        if (seen)
            *seen << dialog->windowTitle() << dialog->labelText() << dialog->textValue();
        auto *line = dialog->findChild<QLineEdit *>();
        QVERIFY(line);
        line->setText(text);
        QTest::keyClick(line, Qt::Key_Return);
    };
}

inline ModalScript::Step clickCancel()
{
    return [](QWidget *dialog) {
        auto *box = dialog->findChild<QDialogButtonBox *>();
        QVERIFY(box);
        QPushButton *cancel = box->button(QDialogButtonBox::Cancel);
        QVERIFY(cancel);
        QTest::mouseClick(cancel, Qt::LeftButton);
    };
}

inline ModalScript::Step pressEscape()
{
    return [](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Escape); };
}

// What the frame's close button does.
inline ModalScript::Step closeWindow()
{
    return [](QWidget *dialog) { dialog->close(); };
}

} // namespace DialogSteps

#include <QMessageBox>

namespace DialogSteps {

// What the message box showed: its text, title, icon, buttons and default button.
struct MessageSeen {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Information;
    QStringList buttons;
    QString defaultButton;
};

// Answers the Yes/No question: Yes by Return, which presses the default button, No by
// clicking the No button.
inline ModalScript::Step answer(bool yes, MessageSeen *seen = nullptr)
{
    return [yes, seen](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        if (seen) {
            seen->text = box->text();
            seen->title = box->windowTitle();
            seen->icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                seen->buttons << QString::number(box->buttonRole(button)) + QStringLiteral(":") + button->text();
            seen->buttons.sort();
            seen->defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        }
        if (yes) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            for (QAbstractButton *button : box->buttons()) {
                if (box->buttonRole(button) == QMessageBox::NoRole)
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    };
}

} // namespace DialogSteps
