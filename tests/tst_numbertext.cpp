// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "NumberText.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(std::u16string)

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void numText_data();
    void numText();
    void readNumber_data();
    void readNumber();
    void readNumberHostileInput_data();
    void readNumberHostileInput();
    void roundTrip();
};

void TestNumberText::numText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("27") << 27.0 << " 27";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("largest value reached") << 60342610919632.0 << " 60342610919632";
    QTest::newRow("no grouping") << 10000000.0 << " 10000000";
    QTest::newRow("just below 10^15") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("10^15") << 1e15 << " 1E+15";
    QTest::newRow("fraction") << 2.5 << " 2.5";
    QTest::newRow("huge negative") << -1e300 << "-1E+300";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << " inf";
}

void TestNumberText::numText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdU16String(::numText(value)), text);
}

void TestNumberText::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "27" << 27.0;
    QTest::newRow("leading blanks") << " \t 42abc" << 42.0;
    QTest::newRow("trailing text") << "42abc" << 42.0;
    QTest::newRow("sign") << "-7" << -7.0;
    QTest::newRow("plus") << "+8" << 8.0;
    QTest::newRow("fraction") << "2.9" << 2.9;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("exponent") << "1e7" << 1e7;
    QTest::newRow("capital exponent") << "1E+7" << 1e7;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("exponent sign without digits") << "12e+x" << 12.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("blank inside ends it") << "1 2" << 1.0;
    QTest::newRow("comma is no decimal mark") << "3,7" << 3.0;
    QTest::newRow("10000000.5") << "10000000.5" << 10000000.5;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("nan is no number") << "nan" << 0.0;
    QTest::newRow("inf is no number") << "inf" << 0.0;
    QTest::newRow("hex is decimal zero") << "0x1F" << 0.0;
    QTest::newRow("full-width digits") << "２７" << 27.0;
    QTest::newRow("full-width blank and sign") << "\u3000－１２" << -12.0;
    QTest::newRow("full-width plus") << "＋５" << 5.0;
    QTest::newRow("full-width fraction") << "３．７" << 3.7;
    QTest::newRow("full-width exponent") << "１Ｅ７" << 1e7;
    QTest::newRow("full-width small exponent") << "１ｅ３" << 1e3;
    QTest::newRow("mixed widths") << "2７" << 27.0;
    QTest::newRow("other full-width letters stop it") << "１０Ｘ" << 10.0;
    QTest::newRow("overflow") << "1e400" << std::numeric_limits<double>::infinity();
    QTest::newRow("negative overflow") << "-1e400" << -std::numeric_limits<double>::infinity();
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("small mantissa big exponent") << "0.0001e310" << 1e306;
    QTest::newRow("zeros with huge exponent") << "0e99999" << 0.0;
    QTest::newRow("400 digits")
        << QString(400, QLatin1Char('9')) << std::numeric_limits<double>::infinity();
    QTest::newRow("300 digits") << QString("1") + QString(299, QLatin1Char('0')) << 1e299;
    QTest::newRow("exponent beyond any int")
        << "1e999999999999999999999999" << std::numeric_limits<double>::infinity();
    QTest::newRow("negative exponent beyond any int") << "1e-999999999999999999999999" << 0.0;
}

void TestNumberText::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double read = ::readNumber(text.toStdU16String());
    if (std::isinf(value))
        QCOMPARE(read, value);
    else
        QVERIFY2(read == value || std::fabs(read - value) <= 1e-12 * std::fabs(value),
                 qPrintable(QString::number(read, 'g', 17)));
}

void TestNumberText::readNumberHostileInput_data()
{
    QTest::addColumn<std::u16string>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("lone high surrogate") << std::u16string(u"\xD800" u"12") << 0.0;
    QTest::newRow("digits then lone low surrogate") << std::u16string(u"34\xDC00" u"5") << 34.0;
    QTest::newRow("NUL first") << std::u16string(u"\0" u"27", 3) << 0.0;
    QTest::newRow("NUL inside") << std::u16string(u"2\0" u"7", 3) << 2.0;
    QTest::newRow("1 MB of digits") << std::u16string(1 << 20, u'7') << std::numeric_limits<double>::infinity();
    QTest::newRow("1 MB of blanks then 5") << std::u16string(1 << 20, u' ') + u"5" << 5.0;
    QTest::newRow("1 MB of zeros then 5") << std::u16string(1 << 20, u'0') + u"5" << 5.0;
    QTest::newRow("1 MB after the point") << u"0." + std::u16string(1 << 20, u'0') + u"1" << 0.0;
    QTest::newRow("1 MB exponent") << u"1e" + std::u16string(1 << 20, u'9') << std::numeric_limits<double>::infinity();
}

void TestNumberText::readNumberHostileInput()
{
    QFETCH(std::u16string, text);
    QFETCH(double, value);
    QCOMPARE(::readNumber(text), value);
}

// Every integer a run can produce survives the trip through text and back.
void TestNumberText::roundTrip()
{
    for (double value : {3.0, 27.0, 9232.0, 8400511.0, 60342610919632.0, 999999999999999.0, -42.0}) {
        const std::u16string text = ::numText(value);
        QCOMPARE(::readNumber(text), value);
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
