// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"
#include "ExhaustiveCheck.h"
#include "NumberText.h"
#include "Services.h"

#include <QtTest>

#include <clocale>
#include <limits>

// Answers the input dialog from a script, and records what the experiment shows and what
// was shown whenever it asked. When the script has run out, it answers as a dialog does
// when the program is ending.
class ScriptedServices final : public Services {
public:
    explicit ScriptedServices(QStringList entries) : m_entries(std::move(entries)) {}
    std::optional<std::u16string> askForEntry(std::u16string_view prompt, std::u16string_view title) override
    {
        shownWhenAsked << text(title) + '|' + text(prompt) + '|' + label + '|' + sequence;
        return m_entries.isEmpty() ? std::nullopt : std::optional(m_entries.takeFirst().toStdU16String());
    }
    void showStartingValue(std::u16string_view shown) override { label = text(shown); }
    void showSequence(std::u16string_view shown) override { sequence = text(shown); }
    static QString text(std::u16string_view text) { return QString::fromUtf16(text.data(), text.size()); }

    QString label, sequence;
    QStringList shownWhenAsked;

private:
    QStringList m_entries;
};

// The experiment's logic and arithmetic, and how it reads and writes numbers, below the
// window, which runs them through its real dialogs.
class TestExperiment : public QObject {
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("values");
        QTest::addColumn<QString>("sequence");
        QTest::newRow("3, the lowest") << QStringList{"3"} << "ｎ＝ 3" << 7 << " 10 5 16 8 4 2 1";
        QTest::newRow("10000000, the highest") << QStringList{"10000000"} << "ｎ＝ 10000000" << 145 << " 5000000 2500000 1250000";
        QTest::newRow("asked again") << QStringList{"10000001", "2.9", "2", "0", "-7", "abc", "", "nan", "1e400", "-1e400", "3.7"}
                                     << "ｎ＝ 3" << 7 << " 10 5";
    }
    // Asks until a start from 3 to 10,000,000 is given, floored, and shows it and every
    // value it reaches, down to 1, where the value stays.
    void run()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, label);
        QFETCH(int, values);
        QFETCH(QString, sequence);
        ScriptedServices services(entries);
        ExperimentState state;
        const std::optional<double> start = Experiment::run(state, services);
        // Every time it asks, the dialog has its title and prompt, and the display is empty.
        const QString asked = "\u3000３ｘ＋１ の問題|3以上10000000以下の整数を半角で入力してください．．．||";
        QCOMPARE(services.shownWhenAsked, QStringList(entries.size(), asked));
        QCOMPARE(start, std::optional<double>(label.mid(3).toDouble()));
        QCOMPARE(services.label, label);
        QCOMPARE(services.sequence.count(' '), values);
        QVERIFY2(services.sequence.startsWith(sequence), qPrintable(services.sequence));
        QCOMPARE(state.currentValue, 1.0);
    }

    // Every accepted start is written exactly.
    void everyStartIsExact()
    {
        const std::string fault = exhaustiveCheck();
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("full-width everything") << "\u3000－１２３４５６７８９．５Ｅ０" << -123456789.5;
        QTest::newRow("full-width plus, small exponent") << "＋１ｅ３" << 1000.0;
        QTest::newRow("overflow, to the sign's infinity") << "-1e400" << -std::numeric_limits<double>::infinity();
        QTest::newRow("3.5e1, in the German locale") << "3.5e1" << 35.0;
    }
    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(::readNumber(text.toStdU16String()), value);
    }

    void numText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << " 0";
        QTest::newRow("10^14, in full") << 1e14 << " 100000000000000";
        QTest::newRow("10^15, with an exponent") << 1e15 << " 1E+15";
        QTest::newRow("-2.5, in the German locale") << -2.5 << "-2.5";
    }
    // Integers below 10^15 in full digits, a blank or a minus first; a "." whatever the
    // locale.
    void numText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdU16String(::numText(value)), text);
    }

    void init()
    {
        // The C library's own decimal mark is a comma there.
        if (QByteArray(QTest::currentDataTag()).endsWith("German locale"))
            QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"));
    }
    void cleanup() { std::setlocale(LC_NUMERIC, "C"); }
};

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
