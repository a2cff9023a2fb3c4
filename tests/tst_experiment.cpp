// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"
#include "NumberText.h"

#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// The experiment's arithmetic and how it reads numbers, below the window, which runs
// them through its real dialogs.
class TestExperiment : public QObject {
    Q_OBJECT
private slots:
    // Every accepted start, through the window's iteration and text conversion in double
    // precision, against 64-bit integers. A start is followed until it drops below
    // itself; the rest of its road was checked before and its figures are taken from there.
    void everyStartIsExact()
    {
        const std::uint32_t last = Experiment::highest;
        std::vector<std::uint16_t> steps(last + 1), characters(last + 1);
        std::vector<std::uint64_t> peak(last + 1), largest(3), from(3);
        for (std::uint32_t start = 2; start <= last; ++start) {
            std::uint64_t value = start, top = 0;
            double current = start;
            std::uint32_t count = 0, length = 0;
            do {
                value = value % 2 == 0 ? value / 2 : 3 * value + 1;
                current = Experiment::nextValue(current);
                const std::u16string text = ::numText(current);
                const std::string digits = std::to_string(value);
                if (current != double(value) || text.size() != digits.size() + 1 || text[0] != u' '
                    || !std::equal(digits.begin(), digits.end(), text.begin() + 1))
                    QFAIL(qPrintable(QStringLiteral("from %1, %2 is written '%3'").arg(start).arg(value).arg(QString::fromStdU16String(text))));
                top = std::max(top, value);
                length += std::uint32_t(text.size());
                ++count;
            } while (value >= start);
            steps[start] = std::uint16_t(count + steps[value]);
            characters[start] = std::uint16_t(length + characters[value]);
            peak[start] = std::max(top, peak[value]);
            const std::uint64_t figures[] = {peak[start], steps[start], characters[start]};
            for (int i = 0; i < 3 && start >= 3; ++i) {
                from[i] = figures[i] > largest[i] ? start : from[i];
                largest[i] = std::max(largest[i], figures[i]);
            }
        }
        // The largest value, the most steps and the longest text of all runs.
        QCOMPARE(largest, (std::vector<std::uint64_t>{60342610919632, 685, 6024}));
        QCOMPARE(from, (std::vector<std::uint64_t>{6631675, 8400511, 8865705}));
        // Beyond what the runs reach: integers are written in full up to 10^15, not over.
        QCOMPARE(QString::fromStdU16String(::numText(1e14) + ::numText(1e15)), " 100000000000000 1E+15");
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const double infinity = std::numeric_limits<double>::infinity();
        QTest::newRow("negative exponent") << "25e-1" << 2.5;
        QTest::newRow("full-width everything") << "\u3000－１２３４５６７８９．５Ｅ０" << -123456789.5;
        QTest::newRow("full-width plus, small exponent") << "＋１ｅ３" << 1000.0;
        QTest::newRow("overflow, to the sign's infinity") << "-1e400" << -infinity;
        QTest::newRow("400 digits") << QString(400, '9') << infinity;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "12" << 0.0;
        QTest::newRow("NUL inside") << QStringLiteral("2") + QChar(0) + "7" << 2.0;
        QTest::newRow("1 MB of blanks, then 5") << QString(1 << 20, ' ') + "5" << 5.0;
    }
    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(::readNumber(text.toStdU16String()), value);
    }
};

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
