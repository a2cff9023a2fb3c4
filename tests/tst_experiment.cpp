// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Experiment.h"
#include "Services.h"

#include <QtTest>

namespace {

// Answers the input dialog from a list and records every store, in order.
class ScriptedServices : public Services {
public:
    QStringList answers;
    QStringList log;
    QStringList text1Stores;
    QString text1, label1;

    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title) override
    {
        log << QStringLiteral("input|%1|%2").arg(q(prompt), q(title));
        // Running out of answers means the loop asked more often than expected; an
        // accepted value ends the test instead of asking for ever.
        return (answers.isEmpty() ? QStringLiteral("4") : answers.takeFirst()).toStdU16String();
    }
    Answer msgBox(std::u16string_view, std::u16string_view) override { return Answer::No; }
    void setText(Target target, std::u16string_view text) override
    {
        if (target == Target::Text1) {
            text1 = q(text);
            text1Stores << text1;
            log << QStringLiteral("text1|") + (text1.isEmpty() ? QString() : QStringLiteral("..."));
        } else {
            label1 = q(text);
            log << QStringLiteral("label1|") + label1;
        }
    }
    void printLine(std::u16string_view) override {}

private:
    static QString q(std::u16string_view s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }
};

} // namespace

class TestExperiment : public QObject {
    Q_OBJECT
private slots:
    void rejectedEntriesAskAgain();
    void storesFollowEveryStep();
};

void TestExperiment::rejectedEntriesAskAgain()
{
    ScriptedServices services;
    const QStringList rejected{"10000001", "2", "0", "-7", "abc", "", "2.9", "1e400", "nan"};
    services.answers = rejected;
    services.answers << "27";
    FormState state;
    Experiment::run(state, services);

    const QString input = QStringLiteral("input|3以上10000000以下の整数を半角で入力してください．．．|\u3000３ｘ＋１ の問題");
    QStringList expected;
    const QStringList labels{"ｎ＝ 10000001", "ｎ＝ 2", "ｎ＝ 0", "ｎ＝-7", "ｎ＝ 0", "ｎ＝ 0",
                             "ｎ＝ 2", "ｎ＝ inf", "ｎ＝ 0", "ｎ＝ 27"};
    for (const QString &label : labels)
        expected << "text1|" << "label1|" << input << "label1|" + label;
    QCOMPARE(services.log.mid(0, expected.size()), expected);
    QCOMPARE(services.log.size(), expected.size() + 111);
    QCOMPARE(QString::fromStdU16String(state.entryText), QStringLiteral("27"));
}

// Each store gives Text1 the whole of the sequence so far, one value longer each time.
void TestExperiment::storesFollowEveryStep()
{
    ScriptedServices services;
    services.answers = QStringList{"27"};
    FormState state;
    Experiment::run(state, services);

    const QStringList stores = services.text1Stores.mid(1);
    QCOMPARE(stores.size(), 111);
    QCOMPARE(stores.first(), QStringLiteral(" 82"));
    double largest = 0;
    for (qsizetype i = 1; i < stores.size(); ++i) {
        QVERIFY(stores[i].startsWith(stores[i - 1]));
        const QString added = stores[i].mid(stores[i - 1].size());
        QVERIFY(added.startsWith(QLatin1Char(' ')));
        largest = std::max(largest, added.toDouble());
    }
    QCOMPARE(largest, 9232.0);
    QCOMPARE(stores.last().size(), 441);
}

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
