// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

// Answers the modal dialogs the code under test opens, one step per dialog, in the
// order they appear, by polling QApplication::activeModalWidget() as Qt's own dialog
// tests do. A dialog that appears when no step is left is rejected and its window
// hidden, which ends an experiment that would otherwise ask again for ever, so a test
// that goes wrong fails at once instead of hanging.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget *dialog)>;

    explicit ModalScript(int pollMilliseconds = 10)
    {
        m_timer.setInterval(pollMilliseconds);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    void then(Step step) { m_steps.push_back(std::move(step)); }
    int answered() const { return m_answered; }
    int unexpected() const { return m_unexpected; }
    bool done() const { return m_steps.empty(); }

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
            return;
        dialog->setProperty("answered", true);
        if (m_steps.empty()) {
            ++m_unexpected;
            if (QWidget *window = dialog->parentWidget())
                window->window()->hide();
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            return;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        ++m_answered;
        step(dialog);
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    int m_answered = 0;
    int m_unexpected = 0;
};
