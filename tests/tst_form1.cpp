// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "DialogSteps.h"
#include "ExplanationPanel.h"
#include "Form1.h"
#include "WindowServices.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <clocale>
#include <memory>

using namespace DialogSteps;

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void caption();
    void geometry_data();
    void geometry();
    void fonts();
    void text1Behaviour();
    void icon();
    void tabOrderAndFocus();
    void keysPressTheFocusedButton_data();
    void keysPressTheFocusedButton();

    void experimentWith27();
    void rejectedEntriesThenAccepted();
    void cancelAndCloseAskAgain();
    void floorCases_data();
    void floorCases();
    void twoRunsInARow();
    void typedTextIsReplaced();
    void storesIntoText1ReadBackAtOnce();
    void closingTheWindowEndsWithoutQuestion();

private:
    template<typename T> T *control(const char *name)
    {
        T *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void runExperiment(ModalScript &script)
    {
        QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(script.done());
        QCOMPARE(script.unexpected(), 0);
    }
    QStringList values() const
    {
        return m_form->findChild<QPlainTextEdit *>("Text1")->toPlainText().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }

    std::unique_ptr<Form1> m_form;
};

// Run again under LC_NUMERIC=de_DE.UTF-8: make sure the C library really writes
// numbers with a decimal comma there, so that the floor cases below mean something.
void TestForm1::initTestCase()
{
    if (qgetenv("LC_NUMERIC").startsWith("de_DE"))
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
}

void TestForm1::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
}

void TestForm1::caption()
{
    const QString title = m_form->windowTitle();
    QVERIFY(title.startsWith(QStringLiteral(" ３ｘ＋１の問題（コラッツの問題）\u3000")));
    const QString notice = title.mid(title.indexOf(QChar(0x3000)) + 1);
    QVERIFY(notice.size() > 2);
    QVERIFY(!notice.contains(QChar(0x3000)));
}

void TestForm1::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::newRow("Command2") << "Command2" << QRect(0, 0, 57, 25) << "終了";
    QTest::newRow("Command3") << "Command3" << QRect(640, 0, 57, 25) << "初期化";
    QTest::newRow("Line1") << "Line1" << QRect(0, 24, 696, 1) << QString();
    QTest::newRow("Picture1") << "Picture1" << QRect(8, 32, 681, 161) << QString();
    QTest::newRow("Text1") << "Text1" << QRect(8, 200, 681, 233) << QString();
    QTest::newRow("Label1") << "Label1" << QRect(8, 448, 193, 17) << QString();
    QTest::newRow("Command1") << "Command1" << QRect(312, 448, 81, 41) << "実\u3000験";
}

void TestForm1::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QCOMPARE(m_form->size(), QSize(698, 504));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QWidget *widget = control<QWidget>(qPrintable(name));
    QCOMPARE(widget->geometry(), rect);
    QVERIFY(widget->isVisible());
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    if (name == QLatin1String("Line1")) {
        // The buttons lie above the line and hide its two ends.
        QWidget *left = control<QWidget>("Command2"), *right = control<QWidget>("Command3");
        QCOMPARE(m_form->childAt(10, 24), left);
        QCOMPARE(m_form->childAt(680, 24), right);
        QCOMPARE(m_form->childAt(300, 24), widget);
    }
}

void TestForm1::fonts()
{
    const QStringList preferred{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "VL PGothic", "Noto Sans CJK JP"};
    QString expected;
    for (const QString &family : preferred) {
        if (QFontDatabase::hasFamily(family)) {
            expected = family;
            break;
        }
    }
    QVERIFY2(!expected.isEmpty(), "no Japanese font installed");
    for (const char *name : {"Label1", "Picture1"}) {
        const QFont font = control<QWidget>(name)->font();
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        const QFontInfo used(font);
        QCOMPARE(used.family(), expected);
        QCOMPARE(used.pointSize(), 12);
    }
    // Buttons and the text box keep the default font.
    for (const char *name : {"Command1", "Command2", "Command3", "Text1"})
        QCOMPARE(control<QWidget>(name)->font(), QApplication::font(control<QWidget>(name)));
}

void TestForm1::text1Behaviour()
{
    auto *text1 = control<QPlainTextEdit>("Text1");
    QCOMPARE(text1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!text1->isReadOnly());
    QVERIFY(text1->toPlainText().isEmpty());
    QVERIFY(control<QLabel>("Label1")->text().isEmpty());
}

void TestForm1::icon()
{
    const QIcon icon = m_form->windowIcon();
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    const QImage image = icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    auto isRed = [](QRgb c) { return qRed(c) > 150 && qGreen(c) < 60 && qBlue(c) < 60; };
    int black = 0;
    for (int x = 0; x < 32; ++x) {
        QVERIFY(isRed(image.pixel(x, 0)));
        QVERIFY(isRed(image.pixel(x, 31)));
        QCOMPARE(image.pixel(x, 8), qRgb(255, 255, 255));
        for (int y = 8; y < 24; ++y)
            black += image.pixel(x, y) == qRgb(0, 0, 0);
    }
    QVERIFY(black > 40);
}

void TestForm1::tabOrderAndFocus()
{
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("Command1"));
    const QStringList order{"Text1", "Command2", "Command3", "Picture1", "Command1"};
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    QCOMPARE(control<QLabel>("Label1")->focusPolicy(), Qt::NoFocus);
}

void TestForm1::keysPressTheFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void TestForm1::keysPressTheFocusedButton()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    ModalScript script;
    script.then(enter("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(script.answered(), 1);
    QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral(" 2 1"));
}

void TestForm1::experimentWith27()
{
    ModalScript script;
    QStringList seen;
    script.then(enter("27", &seen));
    runExperiment(script);

    QCOMPARE(seen, (QStringList{"\u3000３ｘ＋１ の問題", "3以上10000000以下の整数を半角で入力してください．．．", ""}));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("ｎ＝ 27"));
    const QString text = control<QPlainTextEdit>("Text1")->toPlainText();
    QCOMPARE(text.size(), 441);
    const QStringList list = values();
    QCOMPARE(list.size(), 111);
    QCOMPARE(list.first(), QStringLiteral("82"));
    QCOMPARE(list.last(), QStringLiteral("1"));
    double largest = 0;
    for (const QString &value : list)
        largest = std::max(largest, value.toDouble());
    QCOMPARE(largest, 9232.0);
    QCOMPARE(m_form->state().currentValue, 1.0);
    QCOMPARE(QString::fromStdU16String(m_form->state().sequenceText), text);
}

void TestForm1::rejectedEntriesThenAccepted()
{
    ModalScript script;
    auto *label = control<QLabel>("Label1");
    auto *text1 = control<QPlainTextEdit>("Text1");
    // Each time the dialog reopens, the display has been emptied.
    auto emptied = [label, text1](ModalScript::Step step) {
        return [=](QWidget *dialog) {
            QVERIFY(label->text().isEmpty());
            QVERIFY(text1->toPlainText().isEmpty());
            step(dialog);
        };
    };
    for (const char *entry : {"10000001", "2", "0", "-7", "abc", "", "nan", "1e400"})
        script.then(emptied(enter(entry)));
    script.then(emptied(enter(QString(400, QLatin1Char('9')))));
    script.then(emptied(enter(QString(1 << 20, QLatin1Char('8')))));
    script.then(emptied(enter(QStringLiteral("\u0000") + "27")));
    script.then(emptied(enter(QString(QChar(0xD800)) + "27")));
    script.then(emptied(enter("10000000")));
    runExperiment(script);
    QCOMPARE(script.answered(), 13);
    QCOMPARE(label->text(), QStringLiteral("ｎ＝ 10000000"));
    QCOMPARE(values().size(), 145);
}

void TestForm1::cancelAndCloseAskAgain()
{
    ModalScript script;
    script.then(clickCancel());
    script.then(pressEscape());
    script.then(closeWindow());
    script.then(enter("3"));
    runExperiment(script);
    QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral(" 10 5 16 8 4 2 1"));
    QCOMPARE(QString::fromStdU16String(m_form->state().entryText), QStringLiteral("3"));
}

void TestForm1::floorCases_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("label");
    QTest::newRow("2.9 then 3.7") << QStringList{"2.9", "3.7"} << "ｎ＝ 3";
    QTest::newRow("10000000.5") << QStringList{"10000000.5"} << "ｎ＝ 10000000";
    QTest::newRow("1e7") << QStringList{"1e7"} << "ｎ＝ 10000000";
    QTest::newRow(" 42abc") << QStringList{" 42abc"} << "ｎ＝ 42";
    QTest::newRow("full-width") << QStringList{"\u3000２７"} << "ｎ＝ 27";
}

void TestForm1::floorCases()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, label);
    ModalScript script;
    for (const QString &entry : entries)
        script.then(enter(entry));
    runExperiment(script);
    QCOMPARE(control<QLabel>("Label1")->text(), label);
}

void TestForm1::twoRunsInARow()
{
    {
        ModalScript first;
        first.then(enter("27"));
        runExperiment(first);
        QCOMPARE(values().size(), 111);
    }
    // The panel's example, without its starting 11.
    ModalScript second;
    second.then(enter("11"));
    runExperiment(second);
    QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral(" 34 17 52 26 13 40 20 10 5 16 8 4 2 1"));
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("ｎ＝ 11"));
}

void TestForm1::typedTextIsReplaced()
{
    auto *text1 = control<QPlainTextEdit>("Text1");
    text1->setFocus();
    QTest::keyClicks(text1, "my own notes");
    QCOMPARE(text1->toPlainText(), QStringLiteral("my own notes"));
    QVERIFY(control<QLabel>("Label1")->text().isEmpty());

    ModalScript script;
    script.then([text1](QWidget *dialog) {
        QVERIFY(text1->toPlainText().isEmpty());
        enter("4")(dialog);
    });
    runExperiment(script);
    QCOMPARE(text1->toPlainText(), QStringLiteral(" 2 1"));
    // The run replaced the user's typing; undo does not bring back a half-run.
    QVERIFY(!text1->document()->isUndoAvailable());
}

// The stores the experiment makes are visible to anyone reading the text box at
// once, without waiting for the event loop.
void TestForm1::storesIntoText1ReadBackAtOnce()
{
    QWidget window;
    auto *text1 = new QPlainTextEdit(&window);
    auto *label1 = new QLabel(&window);
    auto *panel = new ExplanationPanel(&window);
    WindowServices services(&window, text1, label1, panel);

    const std::u16string steps[] = {u" 82", u" 82 41", u" 82 41 124", u"", u" 5", u"other", u"other text"};
    for (const std::u16string &step : steps) {
        services.setText(Services::Target::Text1, step);
        QCOMPARE(text1->toPlainText(), QString::fromStdU16String(step));
    }
    QCoreApplication::processEvents();
    QCOMPARE(text1->toPlainText(), QStringLiteral("other text"));
    QVERIFY(text1->document()->isUndoRedoEnabled());
    text1->insertPlainText(QStringLiteral("!"));
    QVERIFY(text1->document()->isUndoAvailable());

    services.setText(Services::Target::Label1, u"ｎ＝ 5");
    QCOMPARE(label1->text(), QStringLiteral("ｎ＝ 5"));
}

void TestForm1::closingTheWindowEndsWithoutQuestion()
{
    // The program ends with its last window: QApplication's default, which the window keeps.
    QVERIFY(QApplication::quitOnLastWindowClosed());
    QVERIFY(m_form->testAttribute(Qt::WA_QuitOnClose));
    ModalScript script;
    QVERIFY(m_form->close());
    QCoreApplication::processEvents();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(script.answered() + script.unexpected(), 0);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
