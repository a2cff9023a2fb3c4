// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "WindowServices.h"

#include "ExplanationPanel.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace

WindowServices::WindowServices(QWidget *window, QPlainTextEdit *text1, QLabel *label1, ExplanationPanel *picture1)
    : m_window(window)
    , m_text1(text1)
    , m_label1(label1)
    , m_picture1(picture1)
{
}

WindowServices::~WindowServices()
{
    finishText1();
}

std::optional<std::u16string> WindowServices::inputBox(std::u16string_view prompt, std::u16string_view title)
{
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("inputBox"));
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

Services::Answer WindowServices::msgBox(std::u16string_view prompt, std::u16string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(prompt), QMessageBox::NoButton, m_window);
    box.setObjectName(QStringLiteral("msgBox"));
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    yes->setObjectName(QStringLiteral("yesButton"));
    no->setObjectName(QStringLiteral("noButton"));
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

void WindowServices::setText(Target target, std::u16string_view text)
{
    switch (target) {
    case Target::Text1:
        storeText1(QStringView(text.data(), qsizetype(text.size())));
        break;
    case Target::Label1:
        m_label1->setText(toQString(text));
        break;
    }
}

void WindowServices::printLine(std::u16string_view text)
{
    m_picture1->printLine(toQString(text));
}

void WindowServices::storeText1(QStringView text)
{
    QTextDocument *document = m_text1->document();
    if (m_text1Edit.isNull()) {
        // As with setPlainText, a store replaces the user's undo history.
        document->setUndoRedoEnabled(false);
        m_text1Edit = QTextCursor(document);
        m_text1Edit.beginEditBlock();
        m_text1Shown = document->toPlainText();
        QTimer::singleShot(0, m_text1, [this] { finishText1(); });
    }

    // Until the block ends no event can reach the text box, so nothing but these
    // stores changes it and m_text1Shown stays its exact text. The document's text is
    // current inside the block; only its layout waits.
    if (text.startsWith(m_text1Shown)) {
        // setPosition, unlike movePosition, does not scan the paragraph.
        m_text1Edit.setPosition(int(m_text1Shown.size()));
        const QString added = text.mid(m_text1Shown.size()).toString();
        m_text1Edit.insertText(added);
        m_text1Shown += added;
    } else {
        m_text1Shown = text.toString();
        m_text1Edit.select(QTextCursor::Document);
        m_text1Edit.insertText(m_text1Shown);
    }
}

void WindowServices::finishText1()
{
    if (m_text1Edit.isNull() || !m_text1)
        return;
    m_text1Edit.endEditBlock();
    m_text1Edit = QTextCursor();
    m_text1Shown.clear();
    m_text1->document()->setUndoRedoEnabled(true);
    m_text1->moveCursor(QTextCursor::Start);
}
