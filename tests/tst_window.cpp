// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Dialogs.h"
#include "ExplanationPanel.h"
#include "Form1.h"
#include "JapaneseTranslations.h"

#include <QAccessible>
#include <QChartView>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cstdlib>
#include <memory>

// The panel's nine lines, as the window must show them.
static const QStringList problem{
    "",
    "　【問題】",
    "　　　　　どんな自然数から始めても良いので、その数が偶数ならば２で割り、奇数ならば３倍して１を",
    "　　　　加えることを繰り返します。",
    "　　　　　そうすると、どんな自然数から始めても必ず１になるというのはほんとうなのでしょうか。",
    "　　　　　11から始めると、11→34→17→52→26→13→40→20→10→5→16→8→4→2→1 となります。",
    "　　　　　この問題は有名な難問で、いまだに解けていません。また、コンピュータを使って、非常に大",
    "　　　　きな数（４兆）まで調べられていますが、１にならない例は発見されていません。",
    "　　　　　下の［実験］をクリックして、バソコンで簡単な実験をしてみましょう。",
};

// Qt ends the pool threads that paint the graph only as the program ends; one may still
// be ending when LeakSanitizer checks, at exit, and its thread data would count as leaked.
[[maybe_unused]] static const int settle = std::atexit([] { QThread::msleep(200); });

// The window and the graph with their real dialogs, as a person uses them. CTest runs it
// again without a sound server, in a read-only folder, under LANG=C, with German number
// formatting, without the preferred fonts, and at scale factors 2 and 1.5.
class TestWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<Form1> m_form;

    template<typename T = QWidget> T *find(const char *name) { return m_form->findChild<T *>(name); }
    QString text1() { return find<QPlainTextEdit>("Text1")->toPlainText(); }
    QString label1() { return find<QLabel>("Label1")->text(); }
    // A person's next action comes through the event loop, after what the click left to do.
    void click(const char *name)
    {
        QTest::mouseClick(find(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Starts an experiment by a click on 実 験, or by a key while it has the focus, and
    // answers each dialog with the next entry by Return, or with "... then Escape" or
    // "close". Whenever the dialog opens, with its title and prompt, the display is empty.
    bool experiment(const QStringList &entries, int key = 0)
    {
        Dialogs dialogs;
        for (const QString &entry : entries)
            dialogs.then([this, entry](QWidget *widget) {
                auto *dialog = qobject_cast<QInputDialog *>(widget);
                QCOMPARE(dialog->windowTitle() + dialog->labelText() + dialog->textValue() + text1() + label1(),
                         "\u3000３ｘ＋１ の問題3以上10000000以下の整数を半角で入力してください．．．");
                dialog->setTextValue(entry.section(" then ", 0, 0));
                if (entry == "close")
                    dialog->close();
                else
                    QTest::keyClick(dialog, entry.endsWith("Escape") ? Qt::Key_Escape : Qt::Key_Return);
            });
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        else
            QTest::mouseClick(find("Command1"), Qt::LeftButton);
        QCoreApplication::processEvents();
        return dialogs.done();
    }
    // Opens the graph with Ctrl+G, as a person would from the main window.
    QWidget *openGraph()
    {
        m_form->activateWindow();
        if (QTest::qWaitForWindowActive(m_form.get()))
            QTest::keyClick(m_form.get(), Qt::Key_G, Qt::ControlModifier);
        return find("Graph") && find("Graph")->isVisible() ? find("Graph") : nullptr;
    }
    QChart *chart() { return find<QChartView>("chart")->chart(); }

private slots:
    void initTestCase()
    {
        installJapaneseTranslations(*QCoreApplication::instance());
        QStandardPaths::setTestModeEnabled(true);
        // Where numbers are written the German way, the C library must really use a
        // decimal comma, or the entries read there would prove nothing.
        if (qgetenv("LC_NUMERIC").startsWith("de_DE"))
            QCOMPARE(*std::localeconv()->decimal_point, ',');
    }
    void init()
    {
        m_form = std::make_unique<Form1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void layout_data()
    {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Command2") << QRect(0, 0, 57, 25) << "終了";
        QTest::newRow("Command3") << QRect(640, 0, 57, 25) << "初期化";
        QTest::newRow("Line1") << QRect(0, 24, 696, 1) << "";
        QTest::newRow("Picture1") << QRect(8, 32, 681, 161) << "in the panel's font";
        QTest::newRow("Text1") << QRect(8, 200, 681, 233) << "";
        QTest::newRow("Label1") << QRect(8, 448, 193, 17) << "in the panel's font";
        QTest::newRow("Command1") << QRect(312, 448, 81, 41) << "実\u3000験";
    }
    // Each control at its place, in its font, the top buttons hiding the line's ends, the
    // text box wrapping without scroll bars; the window fixed in size, with its caption;
    // the focus on 実 験 at first, going round in the tab order without the label.
    void layout()
    {
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QWidget *widget = find(QTest::currentDataTag());
        QVERIFY(widget->geometry() == place && widget->isVisible() && m_form->size() == QSize(698, 504) && m_form->minimumSize() == m_form->maximumSize());
        QCOMPARE(m_form->childAt(10, 24)->objectName() + m_form->childAt(680, 24)->objectName(), "Command2Command3");
        QVERIFY(m_form->windowTitle().startsWith(" ３ｘ＋１の問題（コラッツの問題）\u3000"));
        auto *text = find<QPlainTextEdit>("Text1");
        QVERIFY(text->lineWrapMode() == QPlainTextEdit::WidgetWidth && !text->isReadOnly() && text->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                && text->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff);
        const bool panelFont = caption.startsWith("in the");
        QVERIFY(panelFont || (widget->property("text").toString() == caption && widget->font() == QApplication::font(widget)));
        // The first of the preferred fonts installed; with none of them, a stand-in.
        const QStringList preferred{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "VL PGothic", "Noto Sans CJK JP"};
        const auto installed = std::find_if(preferred.begin(), preferred.end(), &QFontDatabase::hasFamily);
        const QString used = QFontInfo(widget->font()).family();
        QVERIFY2(!panelFont || (installed == preferred.end() ? !preferred.contains(used) : used == *installed), qPrintable(used));
        QVERIFY(!panelFont || (widget->font().pointSize() == 12 && widget->font().weight() == QFont::Normal));
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order.join(' '), "Command1 Text1 Command2 Command3 Picture1 Command1");
    }

    void entries_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::newRow("3, by Return") << QStringList{"3"} << int(Qt::Key_Return) << "ｎ＝ 3: 7 values, 10 5 16 8 4 2 1";
        QTest::newRow("by Enter") << QStringList{"4"} << int(Qt::Key_Enter) << "ｎ＝ 4: 2 values, 2 1";
        QTest::newRow("by Space") << QStringList{"4"} << int(Qt::Key_Space) << "ｎ＝ 4: 2 values, 2 1";
        QTest::newRow("asked again") << QStringList{"10000001", "2.9", "0", "-7", "abc", "", "nan", "1e400", "27 then Escape",
                                                    "close", "10000000"} << 0 << "ｎ＝ 10000000: 145 values, 5000000 2500000";
        QTest::newRow("3.7 floored") << QStringList{"3.7"} << 0 << "ｎ＝ 3: 7 values, 10 5 16";
        QTest::newRow("3.5e1, whatever the locale") << QStringList{"3.5e1"} << 0 << "ｎ＝ 35: 13 values, 106 53 160";
        QTest::newRow(" 42abc") << QStringList{" 42abc"} << 0 << "ｎ＝ 42: 8 values, 21 64 32";
        QTest::newRow("full-width") << QStringList{"\u3000２７"} << 0 << "ｎ＝ 27: 111 values, 82 41 124 62 31 94 47 142 71 214 107 322 161";
    }
    // What the label, the text box and the window's state hold after an accepted entry.
    void entries()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QVERIFY(experiment(entries, key));
        const QString text = text1();
        QVERIFY2((label1() + ": %1 values," + text).arg(text.count(' ')).startsWith(shown) && text.endsWith(" 2 1"), qPrintable(text));
        QCOMPARE(QString::fromStdU16String(m_form->state().sequenceText + u'|' + m_form->state().entryText), text + "|" + entries.last());
        QCOMPARE(m_form->state().currentValue, 1.0);
    }

    // The nine lines, each in its row at its indentation, none cut off, drawn at the
    // screen's resolution; readable by screen readers.
    void panel()
    {
        auto *panel = find<ExplanationPanel>("Picture1");
        QCOMPARE(QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Description), problem.join('\n'));
        QCOMPARE(panel->image().devicePixelRatio(), panel->devicePixelRatioF());
        const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal scale = shown.devicePixelRatio(), row = panel->lineAdvance() * scale;
        const QFontMetrics metrics(panel->font());
        for (int line = 0; line < 9; ++line) {
            int ink = shown.width();
            for (int y = int(line * row); y < int((line + 1) * row); ++y)
                for (int x = 0; x < ink; ++x)
                    ink = qGray(shown.pixel(x, y)) < 200 ? x : ink;
            const int indent = ink == shown.width() ? -1 : int(ink / scale / metrics.horizontalAdvance(QChar(0x3000)));
            QVERIFY(indent == problem[line].indexOf(QRegularExpression("[^\u3000]")) && metrics.horizontalAdvance(problem[line]) < panel->width());
        }
    }

    // A run replaces the last one; a reset empties the display and the sequence, and keeps
    // the last entry and value; a run replaces the user's typing, which undo does not
    // bring back.
    void reset()
    {
        click("Command3");
        QVERIFY(experiment({"3"}) && experiment({"27"}));
        const QString run = text1();
        QTest::keyClicks(find("Text1"), "scribble");
        click("Command3");
        QVERIFY(text1().isEmpty() && label1().isEmpty() && m_form->state().sequenceText.empty() && m_form->state().entryText == u"27"
                && m_form->state().currentValue == 1);
        QTest::keyClicks(find("Text1"), "my notes");
        QVERIFY(experiment({"27"}) && text1() == run && !find<QPlainTextEdit>("Text1")->document()->isUndoAvailable());
        QTest::keyClicks(find("Text1"), "!");
        QVERIFY(find<QPlainTextEdit>("Text1")->document()->isUndoAvailable());
    }

    void ending_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("終了, answered No") << "No";
        QTest::newRow("終了, answered Yes, the default, by Return") << "Yes";
        QTest::newRow("a quit request while asking, as from the desktop") << "quit";
        QTest::newRow("QCoreApplication::exit while asking") << "exit";
    }
    // 終了 asks; No leaves everything as it was, Yes ends the application's loop. A quit
    // request ends the loop, and the dialog's with it: the experiment stops asking instead
    // of spinning on a dialog that cannot open. Closing the window asks nothing.
    void ending()
    {
        QFETCH(QString, how);
        const bool asking = how == "quit" || how == "exit";
        QVERIFY(experiment({"27"}));
        Dialogs dialogs{[how, asking](QWidget *widget) {
            if (asking)
                return how == "quit" ? QCoreApplication::quit() : QCoreApplication::exit(0);
            auto *box = qobject_cast<QMessageBox *>(widget);
            auto *no = box->findChild<QPushButton *>("noButton");
            QVERIFY(box->icon() == QMessageBox::NoIcon && box->buttons().size() == 2);
            QCOMPARE(box->windowTitle() + box->text() + box->defaultButton()->text() + no->text(), " ３ｘ＋１ の問題終了していいですか？はい(&Y)いいえ(&N)");
            how == "Yes" ? QTest::keyClick(box, Qt::Key_Return) : QTest::mouseClick(no, Qt::LeftButton);
        }};
        QTimer::singleShot(0, &dialogs, [&] {
            click(asking ? "Command1" : "Command2");
            QTimer::singleShot(0, &dialogs, [] { QCoreApplication::exit(1); });
        });
        QCOMPARE(QApplication::exec(), how == "No" ? 1 : 0);
        QVERIFY(dialogs.done() && m_form->isVisible() == (how == "No" || how == "exit") && (asking || text1().count(' ') == 111));
        QVERIFY(QApplication::quitOnLastWindowClosed() && m_form->testAttribute(Qt::WA_QuitOnClose) && m_form->close());
    }

    void graph_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<double>("logAxisEnd");
        QTest::newRow("27") << "27" << "ステップ数 111\u3000最大値 9,232（77 ステップ目）" << 1e4;
        QTest::newRow("6631675") << "6631675" << "ステップ数 576\u3000最大値 60,342,610,919,632（163 ステップ目）" << 1e14;
        QTest::newRow("8400511") << "8400511" << "ステップ数 685\u3000最大値 159,424,614,880（190 ステップ目）" << 1e12;
    }
    // Ctrl+G opens one graph window: every value of the last experiment against its step,
    // from the start to 1, the peak marked, on a linear or (対数目盛) a logarithmic axis of
    // powers of ten that hold the peak. It follows the experiments and the resets.
    void graph()
    {
        QFETCH(QString, start);
        QFETCH(QString, summary);
        QFETCH(double, logAxisEnd);
        QWidget *graph = openGraph();
        auto shows = [graph] { return graph->windowTitle() + "|" + graph->findChild<QLabel *>("summary")->text(); };
        QVERIFY(graph && graph->isWindow() && shows() == "グラフ|まだ実験していません" && experiment({start}));
        QCOMPARE(shows(), QString("グラフ － ｎ＝ %1|ｎ＝ %1\u3000").arg(start) + summary);
        const QList<QPointF> points = static_cast<QLineSeries *>(chart()->series()[0])->points();
        QVERIFY(points.first() == QPointF(0, start.toDouble()) && points.last() == QPointF(points.size() - 1, 1)
                && find("chart")->accessibleName().contains(summary));
        const QList<QPointF> peak = static_cast<QScatterSeries *>(chart()->series()[1])->points();
        QCOMPARE(QString("ステップ数 %1\u3000最大値 %L2（%3 ステップ目）").arg(points.size() - 1).arg(qint64(peak.value(0).y())).arg(peak.value(0).x()), summary);
        find("logScale")->setProperty("checked", true);
        const auto *axis = qobject_cast<const QLogValueAxis *>(chart()->axes(Qt::Vertical).value(0));
        QVERIFY(axis && axis->min() == 1 && axis->max() == logAxisEnd);
        click("Command3");
        QCOMPARE(shows(), "グラフ|まだ実験していません");
        graph->close();
        QVERIFY(openGraph() == graph);
    }

    // The values as CSV, in full; the picture as PNG; a save that cannot be made says so
    // and leaves nothing behind.
    void saving()
    {
        QVERIFY(experiment({"8400511"}) && openGraph());
        QTemporaryDir folder;
        QString said;
        for (const QString name : {"road.csv", "road.png", "/sys/road.csv"}) {
            Dialogs dialogs{[&](QWidget *widget) {
                auto *dialog = qobject_cast<QFileDialog *>(widget);
                QVERIFY(dialog->selectedFiles().value(0).endsWith("/collatz-8400511." + name.right(3)));
                dialog->selectFile(name.startsWith('/') ? name : folder.filePath(name));
                QMetaObject::invokeMethod(dialog, "accept");
            }};
            if (name.startsWith('/'))
                dialogs.then([&](QWidget *box) { said = qobject_cast<QMessageBox *>(box)->text(); box->close(); });
            QTest::mouseClick(find(name.endsWith("png") ? "savePicture" : "saveTable"), Qt::LeftButton);
            QVERIFY(dialogs.done());
        }
        QFile csv(folder.filePath("road.csv"));
        const QStringList rows = csv.open(QIODevice::ReadOnly) ? QString(csv.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
        QVERIFY(rows.size() == 687 && rows[0] == "step,value" && rows[1] == "0,8400511" && rows[191] == "190,159424614880");
        QVERIFY(!QImage(folder.filePath("road.png")).isNull());
        QVERIFY2(said.startsWith("「/sys/road.csv」に保存できませんでした。"), qPrintable(said));
        QVERIFY(!QFile::exists("/sys/road.csv") && find("Graph")->isVisible());
    }

    // Qt's own items in Japanese, whatever the locale, and the graph's below them.
    void contextMenu()
    {
        QStringList items;
        QTimer::singleShot(50, m_form.get(), [&items] {
            for (QAction *action : QApplication::activePopupWidget()->actions())
                items << action->text();
            QApplication::activePopupWidget()->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), QPoint(20, 20));
        QApplication::sendEvent(find<QPlainTextEdit>("Text1")->viewport(), &event);
        QVERIFY2(items.join('|').contains("|コピー(&C)\t") && items.last() == "グラフを表示(&G)", qPrintable(items.join('|')));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("said");
        QTest::newRow("--help") << "collatz --help" << "Usage: .*\n  -h, --help +Show a short help and exit.\n  -v, --version +Show the version and exit.\n0";
        QTest::newRow("-v") << "collatz -v" << "collatz 1.0.0\n0";
        QTest::newRow("an unknown option") << "collatz --frob" << "collatz: Unknown option 'frob'. See collatz --help.\n1";
        QTest::newRow("no display") << "collatz" << "collatz: [^\n]*DISPLAY is not set[^\n]*xvfb-run -a collatz\n1";
    }
    // The command line needs no display, and a window that cannot be shown is said so in
    // one line: what is said, then the exit status.
    void commandLine()
    {
        QFETCH(QString, command);
        QFETCH(QString, said);
        QProcess shell;
        shell.start("sh", {"-c", "unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; " + command.replace("collatz", COLLATZ_PROGRAM) + " 2>&1; echo $?"});
        const QString output = shell.waitForFinished(20000) ? shell.readAll().trimmed() : QString();
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(said), QRegularExpression::DotMatchesEverythingOption)
                     .match(output).hasMatch(), qPrintable(output));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
