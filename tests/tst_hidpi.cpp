// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "ExplanationPanel.h"
#include "Form1.h"

#include <QtTest>

// The window on a screen scaled by QT_SCALE_FACTOR (2 and 1.5 in the test runs).
class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowAndControlsScale();
    void panelDrawnAtFullResolution();

private:
    double m_factor = 1;
};

void TestHiDpi::initTestCase()
{
    m_factor = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    QVERIFY2(m_factor > 1, "run with QT_SCALE_FACTOR above 1");
}

void TestHiDpi::windowAndControlsScale()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage window = form.grab().toImage();
    QCOMPARE(window.size(), QSize(qRound(698 * m_factor), qRound(504 * m_factor)));

    // Each control covers its place scaled by the factor: read off the grab, the
    // white panel starts and ends exactly there.
    const QRect panel = form.findChild<QWidget *>("Picture1")->geometry();
    const int y = qRound((panel.top() + panel.height() / 2.0) * m_factor);
    auto white = [&](int x) { return window.pixel(x, y) == qRgb(255, 255, 255); };
    const int left = qRound(panel.left() * m_factor), right = qRound((panel.right() + 1) * m_factor);
    QVERIFY(!white(left - 1));
    QVERIFY(white(left));
    QVERIFY(white(right - 1));
    QVERIFY(!white(right));

    for (QWidget *control : form.findChildren<QWidget *>(QRegularExpression("^(Command|Text|Label|Picture)\\d$"))) {
        const QImage grabbed = control->grab().toImage();
        QCOMPARE(grabbed.size(), (QSizeF(control->size()) * m_factor).toSize());
    }
}

void TestHiDpi::panelDrawnAtFullResolution()
{
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *panel = form.findChild<ExplanationPanel *>("Picture1");
    const QImage &retained = panel->image();
    QCOMPARE(retained.devicePixelRatio(), m_factor);
    QCOMPARE(retained.size(), (QSizeF(panel->size()) * m_factor).toSize());

    // Nothing is cut off: ink in every printed line but the first, none at the edges.
    const QImage shown = panel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto inkInRows = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 200)
                    return true;
        return false;
    };
    const double advance = panel->lineAdvance() * m_factor;
    QVERIFY(!inkInRows(0, int(advance)));
    for (int line = 1; line < 9; ++line)
        QVERIFY(inkInRows(int(line * advance) + 1, int((line + 1) * advance)));
    for (int y = 0; y < shown.height(); ++y)
        QVERIFY(qGray(shown.pixel(shown.width() - 1, y)) >= 200);

    if (m_factor == 2) {
        // A 1x image blown up would repeat every row; text drawn at 2x does not.
        int inked = 0, repeated = 0;
        for (int y = 0; y + 1 < shown.height(); y += 2) {
            const bool ink = inkInRows(y, y + 2);
            inked += ink;
            repeated += ink && std::memcmp(shown.constScanLine(y), shown.constScanLine(y + 1), size_t(shown.bytesPerLine())) == 0;
        }
        QVERIFY2(repeated < inked / 2, qPrintable(QStringLiteral("%1 of %2").arg(repeated).arg(inked)));
    }
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
