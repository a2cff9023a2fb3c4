// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QtTest>
#include <QtWidgets>

#include <deque>
#include <functional>

// Answers the modal dialogs the code under test opens, one step per dialog in the order
// they come, once the dialog's own event loop runs. A dialog that comes when no step is
// left, or whose step failed, is rejected and its window hidden, which ends an experiment
// that would otherwise ask again for ever: a fault fails its check at once instead of
// hanging the test, and done() is false.
class Dialogs : public QObject {
public:
    using Step = std::function<void(QWidget *dialog)>;
    explicit Dialogs(std::initializer_list<Step> steps = {})
        : m_steps(steps)
    {
        // Dialogs are caught as they show: one that reopens after the application's
        // loop has ended returns at once, before any timer could see it.
        qApp->installEventFilter(this);
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    bool done() const { return m_steps.empty() && !m_unexpected; }

private:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(object);
        if (event->type() != QEvent::Show || !dialog || !dialog->isModal())
            return false;
        if (m_steps.empty()) {
            m_unexpected = true;
            giveUp(dialog);
            return false;
        }
        QTimer::singleShot(0, dialog, [dialog, step = std::move(m_steps.front())] {
            step(dialog);
            if (QTest::currentTestFailed())
                giveUp(dialog);
        });
        m_steps.pop_front();
        return false;
    }
    static void giveUp(QDialog *dialog)
    {
        dialog->parentWidget()->window()->hide();
        QTimer::singleShot(0, dialog, &QDialog::reject);
    }

    std::deque<Step> m_steps;
    bool m_unexpected = false;
};
