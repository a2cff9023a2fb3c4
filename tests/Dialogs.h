// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>

// Answers the modal dialogs the code under test opens, one step per dialog in the order
// they come, by polling QApplication::activeModalWidget() as Qt's own dialog tests do.
// A dialog that comes when no step is left is rejected and its window hidden, which
// ends an experiment that would otherwise ask again for ever: done() is then false.
class Dialogs : public QObject {
public:
    using Step = std::function<void(QWidget *dialog)>;
    explicit Dialogs(std::initializer_list<Step> steps = {})
        : m_steps(steps)
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
                return;
            dialog->setProperty("answered", true);
            m_unexpected = m_unexpected || m_steps.empty();
            if (m_steps.empty()) {
                dialog->parentWidget()->window()->hide();
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
                return;
            }
            const Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(dialog);
        });
        m_poll.start(5);
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    bool done() const { return m_steps.empty() && !m_unexpected; }

private:
    QTimer m_poll;
    std::deque<Step> m_steps;
    bool m_unexpected = false;
};
