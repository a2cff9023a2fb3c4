// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Dialogs.h"
#include "ExplanationPanel.h"
#include "GraphDrawing.h"
#include "Svg.h"
#include "JapaneseTranslations.h"
#include "MainWindow.h"

#include <QtTest>
#include <QtWidgets>

#include <clocale>

// The window and the graph with their real dialogs, as a person uses them. CTest runs it
// again without a sound server, in a read-only folder, under LANG=C, with German number
// formatting, without the preferred fonts, at scale factors 2 and 1.5, and on X11.
class TestWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> m_window;
    // The panel's nine lines, as the window must show them.
    QStringList m_problem;

    template<typename T = QWidget> T *find(const char *name) { return m_window->findChild<T *>(name); }
    QString label() { return find<QLabel>("startingValueLabel")->text(); }
    QString sequence() { return find<QPlainTextEdit>("sequenceView")->toPlainText(); }
    // A person's next action comes through the event loop, after what the click left to do.
    void click(const char *name)
    {
        QTest::mouseClick(find(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // Steps that answer the input dialog, each once it has checked that the dialog asks
    // with its title and prompt and an empty entry while the display is empty.
    Dialogs::Step asked(std::function<void(QInputDialog *)> answer, const QString &refused = {})
    {
        return [this, answer, refused](QWidget *widget) {
            auto *dialog = qobject_cast<QInputDialog *>(widget);
            QCOMPARE(dialog->windowTitle(), "\u3000３ｘ＋１ の問題");
            QCOMPARE(dialog->labelText(), "3以上10000000以下の整数を半角で入力してください．．．" + refused);
            QCOMPARE(dialog->textValue(), "");
            QCOMPARE(label(), "");
            QCOMPARE(sequence(), "");
            answer(dialog);
        };
    }
    Dialogs::Step typed(const QString &entry, const QString &refused = {}, Qt::Key then = Qt::Key_Return)
    {
        return asked([entry, then](QInputDialog *dialog) {
            dialog->setTextValue(entry);
            QTest::keyClick(dialog, then);
        }, refused);
    }
    Dialogs::Step closed(const QString &refused) { return asked([](QInputDialog *dialog) { dialog->close(); }, refused); }

    // Moves the pointer over a point of the graph's drawing, shown as large as its plot lets
    // it be, centred; returns the size it is shown at.
    QSizeF pointAt(QPointF point)
    {
        QWidget *plot = find("graphPlot");
        QSizeF shown(Svg::width, Svg::height);
        shown.scale(QSizeF(plot->size()), Qt::KeepAspectRatio);
        const QPointF over = QPointF((plot->width() - shown.width()) / 2, (plot->height() - shown.height()) / 2) + point * shown.width() / Svg::width;
        QMouseEvent move(QEvent::MouseMove, over, plot->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(plot, &move);
        return shown;
    }

    // Starts an experiment by a click on 実 験, or by a key while it has the focus, and
    // answers its dialogs with these steps.
    bool experiment(std::initializer_list<Dialogs::Step> steps, int key = 0)
    {
        Dialogs dialogs(steps);
        key ? QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)) : QTest::mouseClick(find("startButton"), Qt::LeftButton);
        QCoreApplication::processEvents();
        return dialogs.done();
    }

private slots:
    void initTestCase()
    {
        QFile problem(QFINDTESTDATA("problem.txt"));
        QVERIFY(problem.open(QIODevice::ReadOnly));
        m_problem = QString::fromUtf8(problem.readAll()).split('\n').mid(0, 9);
        installJapaneseTranslations(*QCoreApplication::instance());
        QStandardPaths::setTestModeEnabled(true);
        // Where numbers are written the German way, the C library must really use a
        // decimal comma, or the entries read there would prove nothing.
        if (qgetenv("LC_NUMERIC").startsWith("de_DE"))
            QCOMPARE(*std::localeconv()->decimal_point, ',');
    }
    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        // X11 without a window manager gives the focus only to a window that asks.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void layout_data()
    {
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::newRow("exitButton") << QRect(0, 0, 57, 25) << "終了";
        QTest::newRow("resetButton") << QRect(640, 0, 57, 25) << "初期化";
        QTest::newRow("separator") << QRect(0, 24, 696, 1) << "";
        QTest::newRow("explanationPanel") << QRect(8, 32, 681, 161) << "";
        QTest::newRow("sequenceView") << QRect(8, 200, 681, 233) << "";
        QTest::newRow("startingValueLabel") << QRect(8, 448, 193, 17) << "";
        QTest::newRow("startButton") << QRect(312, 448, 81, 41) << "実\u3000験";
    }
    // Each control at its place, with its caption.
    void layout()
    {
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QCOMPARE(find(QTest::currentDataTag())->geometry(), place);
        QCOMPARE(find(QTest::currentDataTag())->property("text").toString(), caption);
    }

    // The window fixed in size, with its caption and its icon's three sizes; the text box
    // wrapping without scroll bars; the panel and the label in the first of the preferred
    // fonts installed, or a stand-in; the focus on 実 験 at first, going round in the tab
    // order without the label.
    void window()
    {
        QCOMPARE(m_window->minimumSize(), QSize(698, 504));
        QCOMPARE(m_window->maximumSize(), QSize(698, 504));
        QVERIFY(m_window->windowTitle().startsWith(" ３ｘ＋１の問題（コラッツの問題）\u3000"));
        QCOMPARE(m_window->windowIcon().availableSizes(), QList<QSize>({{32, 32}, {64, 64}, {128, 128}}));
        QCOMPARE(find<QPlainTextEdit>("sequenceView")->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(find<QPlainTextEdit>("sequenceView")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QStringList preferred{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "VL PGothic", "Noto Sans CJK JP"};
        const auto installed = std::find_if(preferred.begin(), preferred.end(), &QFontDatabase::hasFamily);
        for (const char *name : {"explanationPanel", "startingValueLabel"}) {
            const QString used = QFontInfo(find(name)->font()).family();
            QVERIFY2(installed == preferred.end() ? !preferred.contains(used) : used == *installed, qPrintable(used));
            QCOMPARE(find(name)->font().pointSize(), 12);
        }
        QStringList order{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order.join(' '), "startButton sequenceView exitButton resetButton explanationPanel startButton");
    }

    // The dialog opens by Return on 実 験; entries out of range, not numbers, Escape and
    // closing the dialog ask again, saying why; the accepted start and its values are shown.
    // A reset empties the display and the user's typing; a run replaces the user's typing,
    // which undo does not bring back.
    void entries()
    {
        const QString nothing = "\n3 以上 10000000 以下の整数を入力してください。";
        QVERIFY(experiment({typed("10000001"), typed("abc", "\n「10000001」は 3 以上 10000000 以下の整数ではありません。"),
                            typed("27", "\n「abc」は 3 以上 10000000 以下の整数ではありません。", Qt::Key_Escape), closed(nothing), typed("3.5e1", nothing)},
                           Qt::Key_Return));
        const QString run = " 106 53 160 80 40 20 10 5 16 8 4 2 1";
        QCOMPARE(label() + '|' + sequence(), "ｎ＝ 35|" + run);
        QTest::keyClicks(find("sequenceView"), "scribble");
        click("resetButton");
        QCOMPARE(label() + '|' + sequence(), "|");
        QTest::keyClicks(find("sequenceView"), "my notes");
        QVERIFY(experiment({typed("35")}));
        QCOMPARE(sequence(), run);
        QCOMPARE(find<QPlainTextEdit>("sequenceView")->document()->isUndoAvailable(), false);
    }

    // The nine lines, each in its row at its indentation, none cut off, and if condensed, the
    // widest filling the panel's width; read by screen readers as the sentences they are.
    void panel()
    {
        auto *panel = find<ExplanationPanel>("explanationPanel");
        const QString described = QAccessible::queryAccessibleInterface(panel)->text(QAccessible::Description);
        QVERIFY2(described.contains("非常に大きな数（４兆）") && !described.contains(u'\u3000'), qPrintable(described));
        const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal scale = shown.devicePixelRatio(), row = panel->lineAdvance() * scale;
        const QFontMetrics metrics(panel->font());
        int widest = 0;
        for (int line = 0; line < 9; ++line) {
            widest = std::max(widest, metrics.horizontalAdvance(m_problem[line]));
            int ink = shown.width();
            for (int y = int(line * row); y < int((line + 1) * row); ++y)
                for (int x = 0; x < ink; ++x)
                    ink = qGray(shown.pixel(x, y)) < 200 ? x : ink;
            const int indent = ink == shown.width() ? -1 : int(ink / scale / metrics.horizontalAdvance(QChar(0x3000)));
            QCOMPARE(indent, m_problem[line].indexOf(QRegularExpression("[^\u3000]")));
            QVERIFY2(metrics.horizontalAdvance(m_problem[line]) < panel->width(), qPrintable(m_problem[line]));
        }
        QVERIFY2(panel->font().stretch() == QFont::Unstretched || widest > 0.95 * panel->width(), "the explanation is condensed more than it needs");
    }

    void ending_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("終了, answered No") << "No";
        QTest::newRow("終了, answered No by Escape") << "Escape";
        QTest::newRow("終了, answered Yes, the default, by Return") << "Yes";
        QTest::newRow("QCoreApplication::exit while asking") << "exit";
    }
    // 終了 asks; No leaves everything as it was, Yes ends the application's loop. A quit
    // request ends the loop, and the dialog's with it: the experiment stops asking instead
    // of spinning on a dialog that cannot open. Closing the window asks nothing.
    void ending()
    {
        QFETCH(QString, how);
        const bool asking = how == "exit";
        QVERIFY(experiment({typed("4")}));
        Dialogs dialogs{[how, asking](QWidget *widget) {
            if (asking)
                return QCoreApplication::exit(0);
            auto *box = qobject_cast<QMessageBox *>(widget);
            QCOMPARE(box->windowTitle(), " ３ｘ＋１ の問題");
            QCOMPARE(box->text(), "終了していいですか？");
            if (how == "No")
                return QTest::mouseClick(box->findChild<QPushButton *>("noButton"), Qt::LeftButton);
            QTest::keyClick(box, how == "Yes" ? Qt::Key_Return : Qt::Key_Escape);
        }};
        QTimer::singleShot(0, &dialogs, [&] {
            click(asking ? "startButton" : "exitButton");
            QTimer::singleShot(0, &dialogs, [] { QCoreApplication::exit(1); });
        });
        const bool no = how == "No" || how == "Escape";
        QCOMPARE(QApplication::exec(), no ? 1 : 0);
        QCOMPARE(m_window->isVisible(), no || asking);
        QCOMPARE(sequence(), asking ? "" : " 2 1");
        QVERIFY(m_window->close());
        QVERIFY(dialogs.done());
    }

    // Ctrl+G opens one graph window, drawn from the shared drawing at the size the window
    // gives it; the value at the step under the pointer; 対数目盛 draws it anew. It follows
    // the experiments and the resets, saves its values as CSV and its drawing as PNG at
    // twice the size shown, and a save that cannot be made says so and leaves nothing
    // behind, one cancelled says nothing; its link copied is said so.
    void graph()
    {
        QVERIFY(experiment({typed("8400511")}));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::ControlModifier);
        QWidget *graph = find("graphWindow");
        QVERIFY2(graph && graph->isVisible() && graph->isWindow(), "Ctrl+G did not open the graph window");
        QCOMPARE(graph->windowTitle(), "グラフ － ｎ＝ 8400511");
        QCOMPARE(find<QLabel>("graphSummary")->text(), "ｎ＝ 8400511\u3000ステップ数 685\u3000最大値 159,424,614,880（190 ステップ目）");

        QWidget *plot = find("graphPlot");
        const QString svg = QString::fromStdString(GraphDrawing(GraphFigures({8400511}), false).svg());
        const QSizeF shown = pointAt({svg.section("cx=\"", 1).section('"', 0, 0).toDouble(), svg.section("cy=\"", 1).section('"', 0, 0).toDouble()});
        QTRY_COMPARE(QToolTip::text(), "190 ステップ目：159,424,614,880");
        const QImage linear = plot->grab().toImage();
        // Ticked as a screen reader does, by its Toggle action, which clicks nothing.
        QAccessible::queryAccessibleInterface(find("logScale"))->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY2(plot->grab().toImage() != linear, "対数目盛 did not draw the graph anew");

        QTemporaryDir folder;
        QString said;
        for (const QString name : {"road.csv", "road.png", "cancelled.csv", "/sys/road.csv"}) {
            // Qt's dialog, left open, comes to read /proc/kmsg, which waits for ever.
            if (name.startsWith("cancel") && QDir::currentPath() == "/proc")
                continue;
            Dialogs dialogs{[&](QWidget *widget) {
                auto *dialog = qobject_cast<QFileDialog *>(widget);
                QVERIFY(dialog->selectedFiles().value(0).endsWith("/collatz-8400511." + name.right(3)));
                if (name.startsWith("cancel"))
                    return dialog->reject();
                dialog->selectFile(name.startsWith('/') ? name : folder.filePath(name));
                QMetaObject::invokeMethod(dialog, "accept");
            }};
            if (name.startsWith('/'))
                dialogs.then([&](QWidget *box) { said = qobject_cast<QMessageBox *>(box)->text(); box->close(); });
            QTest::mouseClick(find(name.endsWith("png") ? "savePicture" : "saveTable"), Qt::LeftButton);
            QVERIFY(dialogs.done());
        }
        QFile csv(folder.filePath("road.csv"));
        const QList<QByteArray> rows = csv.open(QIODevice::ReadOnly) ? csv.readAll().split('\n') : QList<QByteArray>();
        QCOMPARE(rows.size(), 688);
        QCOMPARE(rows.value(191), "190,159424614880");
        QCOMPARE(QImage(folder.filePath("road.png")).size(), 2 * shown.toSize());
        QVERIFY2(said.startsWith("「/sys/road.csv」に保存できませんでした。"), qPrintable(said));
        click("copyGraphLink");
        QCOMPARE(QGuiApplication::clipboard()->text() + '|' + find<QLabel>("graphNote")->text(), "collatz 8400511|リンクをコピーしました。");

        click("resetButton");
        QCOMPARE(graph->windowTitle(), "グラフ");
        QCOMPARE(find<QLabel>("graphSummary")->text(), "まだ実験していません");
        QCOMPARE(find("copyGraphLink")->isEnabled(), false);
        QVERIFY(experiment({typed("27")}));
        QCOMPARE(graph->windowTitle(), "グラフ － ｎ＝ 27");
    }

    // Ctrl+E opens the survey, named as such, its numbers written the Japanese way whatever
    // the user's locale: a range surveyed, its records listed, one of them run in the window
    // by a click, those ticked compared in the graph in the order of their starts, which also
    // compares what is typed into it, read by pointer on a wide window; a click in its drawing
    // runs a start. The text box's menu offers both panels too.
    void survey()
    {
        QTest::keyClick(m_window.get(), Qt::Key_E, Qt::ControlModifier);
        QWidget *survey = find("surveyWindow");
        QVERIFY2(survey && survey->isVisible(), "Ctrl+E did not open the survey");
        QCOMPARE(survey->windowTitle(), "まとめて調べる");
        QCOMPARE(find<QSpinBox>("surveyLast")->locale().toString(10000000), "10,000,000");
        click("surveyRun");
        QTRY_COMPARE(survey->windowTitle(), "まとめて調べる － 3～100");
        QCOMPARE(find<QLabel>("surveySummary")->text(), "いちばん長い：ｎ＝ 97（118 ステップ）\u3000いちばん高い：ｎ＝ 27（最大値 9,232）");
        auto *records = survey->findChild<QTableWidget *>();
        QCOMPARE(records->rowCount(), 11);
        QTest::mouseClick(records->viewport(), Qt::LeftButton, {}, records->visualItemRect(records->item(10, 1)).center());
        QCOMPARE(label(), "ｎ＝ 97");
        // A tick, clicked, runs nothing.
        for (int row : {8, 3, 7}) {
            const QRect cell = records->visualItemRect(records->item(row, 0));
            QTest::mouseClick(records->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + cell.height() / 2, cell.center().y()));
        }
        QCOMPARE(label(), "ｎ＝ 97");
        click("surveyCompare");
        QWidget *graph = find("graphWindow");
        QVERIFY2(graph && graph->isVisible(), "くらべる did not open the graph");
        QCOMPARE(graph->windowTitle(), "グラフ － ｎ＝ 9, 27, 54");
        QTest::keyClicks(find("compareStarts"), "27 31");
        QTest::keyClick(find("compareStarts"), Qt::Key_Return);
        QCOMPARE(graph->windowTitle(), "グラフ － ｎ＝ 27, 31");
        // On a wide window, the pointer on 27's line under 31's peak names 27's value.
        graph->resize(1600, graph->height());
        const QStringList point = QString::fromStdString(GraphDrawing(GraphFigures({27, 31}), false).svg()).section("points=\"", 1)
            .section('"', 0, 0).split(' ', Qt::SkipEmptyParts).value(72).split(',');
        pointAt({point.value(0).toDouble(), point.value(1).toDouble()});
        QTRY_COMPARE(QToolTip::text(), "ｎ＝ 27\u300072 ステップ目：1,367");

        click("resetButton");
        QTest::mouseClick(find("surveyPlot"), Qt::LeftButton, {}, find("surveyPlot")->rect().center());
        QVERIFY2(label().startsWith("ｎ＝ "), "a click in the survey's drawing ran nothing");

        QStringList offered;
        QTimer::singleShot(0, this, [&offered] {
            for (QAction *action : QApplication::activePopupWidget()->actions())
                offered << action->text();
            QApplication::activePopupWidget()->close();
        });
        emit find<QPlainTextEdit>("sequenceView")->customContextMenuRequested({5, 5});
        QCOMPARE(offered.filter(QRegularExpression("^(グラフを表示|まとめて調べる)")).size(), 2);
    }

    // A link given as the program starts is opened once, as the window is first shown.
    void linkOnce()
    {
        QStringList said;
        Dialogs dialogs{[&said](QWidget *box) { said << qobject_cast<QMessageBox *>(box)->text(); box->close(); }};
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        m_window->openLink("100-3");
        QTRY_VERIFY(!said.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(said, QStringList{"「100-3」は開けません。範囲は小さいほうから書きます。"});
        QVERIFY(dialogs.done());
    }

    // Every control of the window and of both panels named for screen readers, read through
    // Qt's own accessibility interface; the drawings graphics described by their summaries.
    void accessible()
    {
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::ControlModifier);
        m_window->openLink("3-100");
        QTRY_COMPARE(find("surveyWindow")->windowTitle(), "まとめて調べる － 3～100");
        QStringList unnamed;
        const QList<QAccessible::Role> named{QAccessible::PushButton, QAccessible::CheckBox, QAccessible::SpinBox, QAccessible::EditableText,
                                             QAccessible::ProgressBar, QAccessible::Table, QAccessible::Graphic, QAccessible::Cell};
        std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
            if (named.contains(node->role()) && node->text(QAccessible::Name).isEmpty())
                unnamed << QString("%1 %2").arg(node->role()).arg(node->object() ? node->object()->objectName() : "");
            for (int child = 0; child < node->childCount(); ++child)
                walk(node->child(child));
        };
        for (const char *window : {"graphWindow", "surveyWindow"})
            walk(QAccessible::queryAccessibleInterface(find(window)));
        walk(QAccessible::queryAccessibleInterface(m_window.get()));
        QCOMPARE(unnamed, QStringList());
        QAccessibleInterface *plot = QAccessible::queryAccessibleInterface(find("surveyPlot"));
        QCOMPARE(plot->role(), QAccessible::Graphic);
        QCOMPARE(plot->text(QAccessible::Description), find<QLabel>("surveySummary")->text());
    }

    // Qt's own texts, such as the text box's menu, in Japanese whatever the locale.
    // Without the program's own libraries, the chimes are silent and a warning says why,
    // and Ctrl+G says in a message that the graph is not installed; the window works as ever.
    void missingLibraries()
    {
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Copy"), "コピー(&C)");
        QTemporaryDir empty;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^the chime player could not be loaded, so the chimes are silent: collatz-sound is in none"));
        m_window = std::make_unique<MainWindow>(QStringList{empty.path()});
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QString said;
        Dialogs dialogs{[&said](QWidget *box) { said = qobject_cast<QMessageBox *>(box)->text(); box->close(); }};
        QTest::keyClick(m_window.get(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(dialogs.done());
        QCOMPARE(said, "グラフと「まとめて調べる」の部品がインストールされていないため、表示できません。");
        QVERIFY(experiment({typed("27")}));
        click("resetButton");
        QCOMPARE(sequence(), "");
    }

    // Text copied from the text box stays on the clipboard, as plain text, once the
    // window has gone; on X11 it is then handed to the desktop's clipboard manager.
    void clipboard()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("only X11 tells the program whether it owns the clipboard: tst_window_x11 runs this");
        QVERIFY(experiment({typed("27")}));
        find<QPlainTextEdit>("sequenceView")->selectAll();
        find<QPlainTextEdit>("sequenceView")->copy();
        const QString copied = sequence();
        m_window.reset();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("said");
        QTest::newRow("--help") << "collatz --help" << "Usage: .*\n  -h, --help +Show a short help and exit.\n  -v, --version +Show the version and exit.\n.*"
                                   "3-100: that range surveyed.\n0";
        QTest::newRow("an unknown option") << "collatz --frob" << "collatz: Unknown option 'frob'. See collatz --help.\n1";
        QTest::newRow("an argument not in a link's form") << "collatz 27x" << "collatz: Unexpected argument '27x'. See collatz --help.\n1";
        QTest::newRow("a link's form, taken before the display") << "collatz 27,31 -platform nosuch"
                                                          << "collatz: qt.qpa.plugin: Could not find the Qt platform plugin \"nosuch\".*\n1";
        QTest::newRow("Qt's options, a Wayland session") << "WAYLAND_DISPLAY=wayland-7 collatz -style Fusion -reverse -qwindowgeometry 100x100 -platform nosuch"
            << "collatz: qt.qpa.plugin: Could not find the Qt platform plugin \"nosuch\".*WAYLAND_DISPLAY is wayland-7\\); on Wayland, "
               "Qt needs its Wayland platform \\(Debian's qt6-wayland\\).*\n1";
    }
    // The command line needs no display and takes Qt's own options; a window that cannot
    // be shown is said so in a few lines, with Qt's reason: what is said, then the exit
    // status.
    void commandLine()
    {
        QFETCH(QString, command);
        QFETCH(QString, said);
        QProcess shell;
        shell.start("sh", {"-c", "unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; " + command.replace("collatz", COLLATZ_PROGRAM) + " 2>&1; echo $?"});
        QVERIFY2(shell.waitForFinished(20000), "the program is still running");
        const QString output = shell.readAll().trimmed().replace(COLLATZ_PROGRAM, "collatz");
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(said), QRegularExpression::DotMatchesEverythingOption)
                     .match(output).hasMatch(), qPrintable(output));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
