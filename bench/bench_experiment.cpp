// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Times the longest experiments from the moment the entry is accepted to the final
// paint of the text box, against one store and paint of the same final text.

#include "Form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int rounds = 7;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QPlainTextEdit *text1Of(Form1 &form)
{
    return form.findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
}

// A fresh window, shown and exposed, as each measurement starts from.
struct ShownForm {
    Form1 form;
    QPlainTextEdit *text1;
    ShownForm()
        : text1(text1Of(form))
    {
        form.show();
        QTest::qWaitForWindowExposed(&form);
    }
};

// Lets the window finish what it deferred, then paints the text box at once.
void paintNow(QPlainTextEdit *text1)
{
    QCoreApplication::processEvents();
    text1->viewport()->repaint();
}

// Milliseconds from accepting the entry to the painted result of the whole run.
double timeRun(const QString &entry, QString *finalText)
{
    ShownForm shown;
    Form1 &form = shown.form;
    QElapsedTimer clock;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &form, [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        auto *line = dialog->findChild<QLineEdit *>();
        line->setText(entry);
        clock.start();
        QTest::keyClick(line, Qt::Key_Return);
    });
    poll.start(5);
    form.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    paintNow(shown.text1);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    *finalText = shown.text1->toPlainText();
    return elapsed;
}

// Milliseconds for one store of the final text into an empty text box and its paint.
double timeOneStore(const QString &text)
{
    ShownForm shown;
    QElapsedTimer clock;
    clock.start();
    shown.text1->setPlainText(text);
    paintNow(shown.text1);
    return clock.nsecsElapsed() / 1e6;
}

// For comparison: storing the whole growing text with setPlainText after every step.
double timeStoreEveryStep(const QString &text)
{
    ShownForm shown;
    QElapsedTimer clock;
    clock.start();
    for (qsizetype end = text.indexOf(QLatin1Char(' '), 1); ; end = text.indexOf(QLatin1Char(' '), end + 1)) {
        shown.text1->setPlainText(end < 0 ? text : text.left(end));
        if (end < 0)
            break;
    }
    paintNow(shown.text1);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("%-10s %7s %6s %12s %12s %6s %16s\n", "start", "values", "chars", "run ms", "one store ms", "ratio",
                "store/step ms");
    for (const char *entry : {"27", "8400511", "8865705"}) {
        std::vector<double> runs, stores;
        QString text;
        for (int round = 0; round < rounds; ++round) {
            runs.push_back(timeRun(QString::fromLatin1(entry), &text));
            stores.push_back(timeOneStore(text));
        }
        const double run = median(runs), store = median(stores);
        std::printf("%-10s %7lld %6lld %12.2f %12.2f %6.2f %16.1f\n", entry,
                    static_cast<long long>(text.count(QLatin1Char(' '))), static_cast<long long>(text.size()), run,
                    store, run / store, timeStoreEveryStep(text));
    }
    return 0;
}
