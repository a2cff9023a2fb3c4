// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "DialogSteps.h"
#include "Form1.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace DialogSteps;

// Reset and exit through the real buttons and the real message box.
class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void resetBeforeAnyExperiment();
    void resetAfterAnExperiment();
    void resetTwiceQuickly();
    void resetDiscardsTypedText();
    void resetWithAnUnplayableChime();
    void exitAnsweredNo();
    void exitAnsweredYesEndsAtOnce();
    void quitRequestWhileAsking_data();
    void quitRequestWhileAsking();

private:
    QWidget *control(const char *name) { return m_form->findChild<QWidget *>(QLatin1String(name)); }
    QString label() { return m_form->findChild<QLabel *>("Label1")->text(); }
    QString text() { return m_form->findChild<QPlainTextEdit *>("Text1")->toPlainText(); }
    void click(const char *name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void experiment(const QString &entry)
    {
        ModalScript script;
        script.then(enter(entry));
        click("Command1");
        QVERIFY(script.done());
    }

    std::unique_ptr<Form1> m_form;
};

void TestCommands::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestCommands::cleanup()
{
    m_form.reset();
}

void TestCommands::resetBeforeAnyExperiment()
{
    auto display = [this] {
        QList<QImage> shown;
        for (const char *name : {"Picture1", "Text1", "Label1"})
            shown << control(name)->grab().toImage();
        return shown;
    };
    const QList<QImage> before = display();
    ModalScript script;
    click("Command3");
    QCOMPARE(script.answered() + script.unexpected(), 0);
    QCOMPARE(display(), before);
    QCOMPARE(m_form->state().currentValue, 0.0);
}

void TestCommands::resetAfterAnExperiment()
{
    experiment("27");
    const QString firstRun = text();
    click("Command3");
    QVERIFY(label().isEmpty());
    QVERIFY(text().isEmpty());
    QVERIFY(m_form->state().sequenceText.empty());
    // The last entry and value stay.
    QCOMPARE(QString::fromStdU16String(m_form->state().entryText), QStringLiteral("27"));
    QCOMPARE(m_form->state().currentValue, 1.0);

    experiment("27");
    QCOMPARE(text(), firstRun);
    QCOMPARE(label(), QStringLiteral("ｎ＝ 27"));
}

void TestCommands::resetTwiceQuickly()
{
    experiment("3");
    QElapsedTimer clock;
    clock.start();
    click("Command3");
    click("Command3");
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(label().isEmpty());
    QVERIFY(text().isEmpty());
}

void TestCommands::resetDiscardsTypedText()
{
    auto *text1 = m_form->findChild<QPlainTextEdit *>("Text1");
    text1->setFocus();
    QTest::keyClicks(text1, "scribble");
    click("Command3");
    QVERIFY(text().isEmpty());
}

// A chime file that cannot be played is silent and changes nothing else.
void TestCommands::resetWithAnUnplayableChime()
{
    QTemporaryDir dir;
    QFile broken(dir.filePath("pinpon.wav"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a wave file");
    broken.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    experiment("4");
    click("Command3");
    QDir::setCurrent(previous);
    QVERIFY(label().isEmpty());
    QVERIFY(text().isEmpty());
}

void TestCommands::exitAnsweredNo()
{
    experiment("27");
    const QString runText = text();
    ModalScript script;
    MessageSeen seen;
    script.then(answer(false, &seen));
    click("Command2");
    QVERIFY(script.done());

    QCOMPARE(seen.text, QStringLiteral("終了していいですか？"));
    QCOMPARE(seen.title, QStringLiteral(" ３ｘ＋１ の問題"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, (QStringList{"5:はい(&Y)", "6:いいえ(&N)"}));
    QCOMPARE(seen.defaultButton, QStringLiteral("はい(&Y)"));

    QVERIFY(m_form->isVisible());
    QCOMPARE(label(), QStringLiteral("ｎ＝ 27"));
    QCOMPARE(text(), runText);
    QCOMPARE(QString::fromStdU16String(m_form->state().sequenceText), runText);
}

void TestCommands::exitAnsweredYesEndsAtOnce()
{
    ModalScript script;
    script.then(answer(true));
    QElapsedTimer clock;
    QTimer::singleShot(0, m_form.get(), [&] {
        clock.start();
        click("Command2");
    });
    // The application's own loop, as in the program: a Yes ends it.
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(script.done());
    QVERIFY2(clock.elapsed() < 1000, "the end waited for something");
    QVERIFY(!m_form->isVisible());
}

void TestCommands::quitRequestWhileAsking_data()
{
    QTest::addColumn<bool>("exitAtOnce");
    QTest::newRow("a quit request, as from the desktop") << false;
    QTest::newRow("QCoreApplication::exit") << true;
}

// A quit request ends the application's loop and, with it, the dialog's; the
// experiment then stops asking instead of spinning on a dialog that cannot open.
void TestCommands::quitRequestWhileAsking()
{
    QFETCH(bool, exitAtOnce);
    ModalScript script;
    script.then([exitAtOnce](QWidget *) {
        if (exitAtOnce)
            QCoreApplication::exit(0);
        else
            QCoreApplication::quit();
    });
    bool returned = false;
    QTimer::singleShot(0, m_form.get(), [&] {
        click("Command1");
        returned = true;
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(returned);
    QCOMPARE(script.unexpected(), 0);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
