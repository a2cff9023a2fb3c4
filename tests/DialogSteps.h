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
