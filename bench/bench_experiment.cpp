// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Times the longest experiments from the moment the entry is accepted to the final
// paint of the text box, against one store and paint of the same final text.

#include "Figures.h"
#include "MainWindow.h"

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

// A fresh window, shown and exposed, as each measurement starts from.
struct ShownWindow {
    MainWindow window;
    QPlainTextEdit *sequenceView;
    ShownWindow()
        : sequenceView(window.findChild<QPlainTextEdit *>(QStringLiteral("sequenceView")))
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            std::fputs("the window was not shown\n", stderr);
    }
};

// Lets the window finish what it deferred, then paints the text box at once.
void paintNow(QPlainTextEdit *sequenceView)
{
    QCoreApplication::processEvents();
    sequenceView->viewport()->repaint();
}

// Milliseconds from accepting the entry to the painted result of the whole run.
double timeRun(const QString &entry, QString *finalText)
{
    ShownWindow shown;
    MainWindow &window = shown.window;
    QElapsedTimer clock;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
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
    window.findChild<QPushButton *>(QStringLiteral("startButton"))->click();
    paintNow(shown.sequenceView);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    *finalText = shown.sequenceView->toPlainText();
    return elapsed;
}

// Milliseconds for one store of the final text into an empty text box and its paint.
double timeOneStore(const QString &text)
{
    ShownWindow shown;
    QElapsedTimer clock;
    clock.start();
    shown.sequenceView->setPlainText(text);
    paintNow(shown.sequenceView);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("%-10s %7s %6s %12s %12s %6s\n", "start", "values", "chars", "run ms", "one store ms", "ratio");
    for (const char *entry : {"27", "8400511", "8865705"}) {
        std::vector<double> runs, stores;
        QString text;
        for (int round = 0; round < rounds; ++round) {
            runs.push_back(timeRun(QString::fromLatin1(entry), &text));
            stores.push_back(timeOneStore(text));
        }
        const double run = median(runs), store = median(stores);
        std::printf("%-10s %7lld %6lld %12.2f %12.2f %6.2f\n", entry,
                    static_cast<long long>(text.count(QLatin1Char(' '))), static_cast<long long>(text.size()), run,
                    store, run / store);
    }
    return 0;
}
