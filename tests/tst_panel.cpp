// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "DialogSteps.h"
#include "ExplanationPanel.h"
#include "Form1.h"
#include "ProblemStatement.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QtTest>

namespace {

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 200;
}

// Rows and columns holding ink, as the panel shows itself to a person.
struct Ink {
    QImage image;
    bool inRows(int from, int to) const
    {
        for (int y = std::max(0, from); y < std::min(to, image.height()); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isInk(image.pixel(x, y)))
                    return true;
        return false;
    }
    bool inColumn(int x) const
    {
        for (int y = 0; y < image.height(); ++y)
            if (isInk(image.pixel(x, y)))
                return true;
        return false;
    }
    int firstColumn(int from, int to) const
    {
        for (int x = 0; x < image.width(); ++x)
            for (int y = from; y < to; ++y)
                if (isInk(image.pixel(x, y)))
                    return x;
        return -1;
    }
};

Ink inkOf(QWidget *widget)
{
    return Ink{widget->grab().toImage().convertToFormat(QImage::Format_RGB32)};
}

// How far a line's ink reaches when nothing cuts it off.
int naturalRightEdge(const QFont &font, const QString &line)
{
    QImage wide(2000, 60, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QPainter painter(&wide);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(0, 40, line);
    painter.end();
    for (int x = wide.width() - 1; x >= 0; --x)
        for (int y = 0; y < wide.height(); ++y)
            if (isInk(wide.pixel(x, y)))
                return x;
    return -1;
}

} // namespace

class TestPanel : public QObject {
    Q_OBJECT
private slots:
    void nineLinesInsideThePanel_data();
    void nineLinesInsideThePanel();
    void indentation();
    void survivesDialogsAndExperiments();
    void readableByScreenReaders();
};

void TestPanel::nineLinesInsideThePanel_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("the window's own font") << QString();
    // Substitutes that may be all a machine has: a proportional and a fixed-pitch
    // Japanese font, and a Western font whose line spacing exceeds the panel's ninth.
    for (const char *family : {"IPAPGothic", "IPAGothic", "DejaVu Sans", "Noto Sans CJK JP", "VL PGothic"}) {
        if (QFontDatabase::hasFamily(QLatin1String(family)))
            QTest::newRow(family) << QString::fromLatin1(family);
    }
}

void TestPanel::nineLinesInsideThePanel()
{
    QFETCH(QString, family);
    Form1 form;
    auto *panel = form.findChild<ExplanationPanel *>("Picture1");
    QVERIFY(panel);
    if (!family.isEmpty()) {
        panel->setFont(QFont(family, 12));
        panel->fitTo(problemStatementLines());
    }
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const QStringList lines = problemStatementLines();
    QCOMPARE(panel->printedLines(), lines);
    if (family.isEmpty() && qEnvironmentVariableIsSet("FONTCONFIG_FILE")) {
        // Run again on a machine without the preferred fonts: a stand-in is used.
        const QStringList preferred{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "VL PGothic", "Noto Sans CJK JP"};
        QVERIFY2(!preferred.contains(QFontInfo(panel->font()).family()), qPrintable(QFontInfo(panel->font()).family()));
    }
    QCOMPARE(panel->font().pointSize(), 12);

    const Ink ink = inkOf(panel);
    const int advance = panel->lineAdvance();
    QVERIFY(advance > 0);
    QVERIFY(9 * advance <= panel->height());
    QVERIFY2(!ink.inRows(0, advance), "the first line is empty");
    for (int line = 1; line < 9; ++line)
        QVERIFY2(ink.inRows(line * advance, (line + 1) * advance), qPrintable(QString::number(line + 1)));
    QVERIFY(!ink.inColumn(panel->width() - 1));
    QVERIFY(!ink.inRows(panel->height() - 1, panel->height()));

    int widest = 0;
    for (const QString &line : lines) {
        const int edge = naturalRightEdge(panel->font(), line);
        QVERIFY2(edge < panel->width() - 1, qPrintable(line));
        widest = std::max(widest, edge);
    }
    const int stretch = panel->font().stretch();
    if (family.isEmpty() && stretch != QFont::AnyStretch && stretch != QFont::Unstretched) {
        // Condensed no more than needed: the widest line nearly fills the width.
        QVERIFY2(widest > panel->width() - 20, qPrintable(QString::number(widest)));
    }
}

void TestPanel::indentation()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *panel = form.findChild<ExplanationPanel *>("Picture1");
    const Ink ink = inkOf(panel);
    const int advance = panel->lineAdvance();
    const int em = QFontMetrics(panel->font()).horizontalAdvance(QChar(0x3000));
    auto start = [&](int line) { return ink.firstColumn(line * advance, (line + 1) * advance); };
    QVERIFY(start(1) >= em && start(1) < 2 * em);
    for (int line : {2, 4, 5, 6, 8})
        QVERIFY2(start(line) >= 5 * em && start(line) < 6 * em, qPrintable(QString::number(line + 1)));
    for (int line : {3, 7})
        QVERIFY2(start(line) >= 4 * em && start(line) < 5 * em, qPrintable(QString::number(line + 1)));
}

void TestPanel::survivesDialogsAndExperiments()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *panel = form.findChild<ExplanationPanel *>("Picture1");
    const QImage before = panel->grab().toImage();

    ModalScript script;
    QImage during;
    script.then([&](QWidget *dialog) {
        during = panel->grab().toImage();
        DialogSteps::enter("27")(dialog);
    });
    QTest::mouseClick(form.findChild<QWidget *>("Command1"), Qt::LeftButton);
    QVERIFY(script.done());
    QCoreApplication::processEvents();

    QCOMPARE(during, before);
    QCOMPARE(panel->grab().toImage(), before);
    QCOMPARE(panel->printedLines().size(), 9);

    // A second activation prints nothing more.
    form.hide();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(panel->printedLines().size(), 9);
}

void TestPanel::readableByScreenReaders()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *panel = form.findChild<ExplanationPanel *>("Picture1");
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(panel);
    QVERIFY(accessible);
    QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
    const QString description = accessible->text(QAccessible::Description);
    QCOMPARE(description, problemStatementLines().join(QLatin1Char('\n')));
    QVERIFY(description.contains(QStringLiteral("11→34→17")));
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
