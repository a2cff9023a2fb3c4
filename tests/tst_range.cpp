// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"
#include "NumberText.h"

#include <QtTest>

#include <cstdint>
#include <string>
#include <vector>

// Runs every accepted starting value through the window's own iteration and text
// conversion in double precision, against 64-bit integer arithmetic. Each start is
// followed until it drops below itself; the rest of its road was checked earlier and
// its figures are taken from there.
class TestRange : public QObject {
    Q_OBJECT
private slots:
    void everyStartIsExact();
};

void TestRange::everyStartIsExact()
{
    const std::uint32_t last = Experiment::highest;
    std::vector<std::uint16_t> steps(last + 1), characters(last + 1);
    std::vector<std::uint64_t> peak(last + 1);

    std::uint64_t largest = 0, largestFrom = 0;
    std::uint32_t longest = 0, longestFrom = 0, widest = 0, widestFrom = 0;
    std::uint64_t walked = 0;

    for (std::uint32_t start = 2; start <= last; ++start) {
        std::uint64_t value = start;
        double current = start;
        std::uint32_t count = 0, length = 0;
        std::uint64_t top = 0;
        do {
            value = value % 2 == 0 ? value / 2 : 3 * value + 1;
            current = Experiment::nextValue(current);
            if (current != static_cast<double>(value))
                QFAIL(qPrintable(QStringLiteral("start %1 went to %2 instead of %3")
                                     .arg(start).arg(current, 0, 'f', 0).arg(value)));
            const std::u16string text = numText(current);
            if (text.size() < 2 || text[0] != u' ' || text.size() - 1 != std::to_string(value).size())
                QFAIL(qPrintable(QStringLiteral("%1 is written as '%2'").arg(value).arg(QString::fromStdU16String(text))));
            ++count;
            length += static_cast<std::uint32_t>(text.size());
            top = std::max(top, value);
            ++walked;
        } while (value >= start);

        steps[start] = static_cast<std::uint16_t>(count + steps[value]);
        characters[start] = static_cast<std::uint16_t>(length + characters[value]);
        peak[start] = std::max(top, peak[value]);

        if (start < Experiment::lowest)
            continue;
        if (peak[start] > largest)
            largest = peak[start], largestFrom = start;
        if (steps[start] > longest)
            longest = steps[start], longestFrom = start;
        if (characters[start] > widest)
            widest = characters[start], widestFrom = start;
    }

    qInfo("%llu steps checked", static_cast<unsigned long long>(walked));
    QCOMPARE(largest, std::uint64_t(60342610919632));
    QCOMPARE(largestFrom, std::uint64_t(6631675));
    QCOMPARE(longest, 685u);
    QCOMPARE(longestFrom, 8400511u);
    QCOMPARE(widest, 6024u);
    QCOMPARE(widestFrom, 8865705u);

    // The figures the window tests rely on.
    QCOMPARE(steps[27], 111);
    QCOMPARE(peak[27], std::uint64_t(9232));
    QCOMPARE(characters[27], 441);
    QCOMPARE(steps[10000000], 145);
}

QTEST_APPLESS_MAIN(TestRange)
#include "tst_range.moc"
