// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Chimes.h"
#include "ExhaustiveCheck.h"
#include "GraphDrawing.h"
#include "Link.h"
#include "NumberText.h"
#include "PaletteImage.h"
#include "SurveyDrawing.h"
#include "WindowModel.h"

#include <QColor>
#include <QImage>
#include <QtTest>

#include <clocale>
#include <cmath>
#include <deque>

using Layout::Action;

static QString text(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), text.size());
}

// Plays a face to a window model of its own: answers each question from its script, at
// once as a desktop's modal dialog does or, when told to, only later, as a page's does;
// notes what it is asked to do.
class ScriptedServices final : public Services {
public:
    void askForEntry(std::u16string_view prompt, std::u16string_view title, std::u16string_view refused,
                     std::function<void(Entry)> answered) override
    {
        // Every time it asks, the dialog has its title and prompt, and the display is empty.
        done << "ask " + text(title) + '|' + text(prompt) + '|' + label + '|' + sequence + (refused.empty() ? "" : " " + text(refused));
        auto answer = [this, answered] { answered(entries.isEmpty() ? std::nullopt : std::optional(entries.takeFirst().toStdU16String())); };
        answersLater ? void(pending = answer) : answer();
    }
    void askYesNo(std::u16string_view question, std::u16string_view title, std::function<void(bool)> answered) override
    {
        done << "question " + text(title) + '|' + text(question);
        answered(yes);
    }
    void showStartingValue(std::u16string_view shown) override { label = text(shown); }
    void showSequence(std::u16string_view shown) override { sequence = text(shown); }
    void playChime(const char *fileName) override { done << QStringLiteral("chime ") + fileName; }
    void stopChime() override { done << "stop"; }
    void showPanel(const Panel::View &view, bool bringIntoView) override
    {
        views[int(view.id)] = view;
        if (!text(view.summary).startsWith("調べています"))
            done << "panel " + text(view.title) + (view.note.empty() ? "" : " " + text(view.note)) + (bringIntoView ? " shown" : "");
    }
    void showMessage(std::u16string_view message) override { done << "message " + text(message); }
    void save(const SavedFile &file) override { done << QString::fromStdString("save " + file.name + ' ' + file.contents); }
    void copyLink(const std::string &form, std::function<void(bool)> copied) override
    {
        done << QString::fromStdString("copy " + form);
        copied(true);
    }
    void later(std::function<void()> work, int) override { works.push_back(std::move(work)); }
    void end() override { done << "end"; }
    // Answers the question left open, as a person at the page would.
    void answer() { std::exchange(pending, nullptr)(); }
    // Does the work kept for later, as the event loop would, at most this much of it.
    void work(int most = 1000000)
    {
        for (; most > 0 && !works.empty(); --most) {
            auto next = std::move(works.front());
            works.pop_front();
            next();
        }
    }

    QStringList entries;
    bool yes = false;
    bool answersLater = false;
    std::function<void()> pending;
    std::deque<std::function<void()>> works;
    QString label, sequence;
    QStringList done;
    Panel::View views[2];
    WindowModel model{*this};
};

static const QString asked = "ask \u3000３ｘ＋１ の問題|3以上10000000以下の整数を半角で入力してください．．．||";

// The core: the window's behaviour and its panels against a scripted face, the graph's
// figures and drawing, the survey, links, the chimes, and how numbers are read and written.
class TestCore : public QObject {
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
        QTest::newRow("8400511, the longest") << QStringList{"8400511"} << "ｎ＝ 8400511" << 685 << " 25201534 12600767";
        QTest::newRow("asked again") << QStringList{"10000001", "2.9", "2", "0", "-7", "abc", "", "nan", "1e400", "-1e400", "3.7"}
                                     << "ｎ＝ 3" << 7 << " 10 5";
    }
    // Asks until a start from 3 to 10,000,000 is given, floored, saying why each entry was
    // refused, and shows it and every value it reaches, down to 1, where the value stays.
    void run()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, label);
        QFETCH(int, values);
        QFETCH(QString, sequence);
        ScriptedServices services;
        services.entries = entries;
        services.model.act(Action::Start);
        QStringList asks{asked};
        for (qsizetype refused = 0; refused + 1 < entries.size(); ++refused)
            asks << asked + ' ' + (entries[refused].isEmpty() ? "3 以上 10000000 以下の整数を入力してください。" : "「" + entries[refused] + "」は 3 以上 10000000 以下の整数ではありません。");
        QCOMPARE(services.done, asks);
        QCOMPARE(services.label, label);
        QCOMPARE(services.sequence.count(' '), values);
        QVERIFY2(services.sequence.startsWith(sequence), qPrintable(services.sequence));
        QCOMPARE(services.model.state().currentValue, 1.0);
    }

    // A page answers later: a refused entry asks again, the window takes no click while it
    // asks, and an unanswered question left at the end asks nothing more; a long entry is
    // quoted only so far.
    void answeredLater()
    {
        ScriptedServices services;
        services.answersLater = true;
        services.entries = {"1234567890123456", "12345678901234567", "27"};
        services.model.act(Action::Start);
        services.model.act(Action::Reset);
        services.answer();
        services.model.act(Action::Exit);
        services.answer();
        services.answer();
        const QString refused = "」は 3 以上 10000000 以下の整数ではありません。";
        QCOMPARE(services.done, QStringList({asked, asked + " 「1234567890123456" + refused, asked + " 「1234567890123456…" + refused}));
        QCOMPARE(services.label, "ｎ＝ 27");
        QCOMPARE(services.model.asking(), false);
        services.model.act(Action::Start);
        services.answer();
        QCOMPARE(services.model.asking(), false);
    }

    // 初期化 and 終了 chime first; the graph, once opened, follows every run, reset and
    // axis; いいえ changes nothing, はい stops the chime and ends, the panels with it; a new
    // start after that is as at first.
    void resetAndExit()
    {
        ScriptedServices services;
        services.entries = {"27", "4"};
        services.model.act(Action::Start);
        services.model.act(Action::ShowGraph);
        services.model.act(Action::LogScale, 1);
        services.model.act(Action::Reset);
        services.model.act(Action::Exit);
        QCOMPARE(services.label + '|' + services.sequence, "|");
        services.yes = true;
        services.model.act(Action::Exit);
        services.model.restart();
        services.model.act(Action::Start);
        const QString question = "question  ３ｘ＋１ の問題|終了していいですか？";
        QCOMPARE(services.done, QStringList({asked, "panel グラフ － ｎ＝ 27 shown", "panel グラフ － ｎ＝ 27", "chime pinpon.wav",
                                             "panel グラフ", "chime endpinpon.wav", question, "chime endpinpon.wav", question, "stop",
                                             "end", asked}));
        QCOMPARE(services.views[0].controls.at(5).checked, true);
        QCOMPARE(QString::fromStdU16String(services.model.state().entryText), "4");
    }

    void axes_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<bool>("logScale");
        QTest::addColumn<QList<double>>("valueTicks");
        QTest::addColumn<double>("lastStepTick");
        QTest::newRow("27, linear") << 27.0 << false << QList<double>{0, 2000, 4000, 6000, 8000, 10000} << 100.0;
        QTest::newRow("27, 対数目盛") << 27.0 << true << QList<double>{1, 10, 100, 1000, 10000} << 100.0;
        QTest::newRow("8400511, linear") << 8400511.0 << false
            << QList<double>{0, 2e10, 4e10, 6e10, 8e10, 1e11, 1.2e11, 1.4e11, 1.6e11} << 600.0;
        QTest::newRow("4, 対数目盛: at least 10") << 4.0 << true << QList<double>{1, 10} << 2.0;
    }
    // Round ticks from 0 to the first at or above the peak, or powers of ten from 1; the
    // step axis ends at the last step.
    void axes()
    {
        QFETCH(double, start);
        QFETCH(bool, logScale);
        QFETCH(QList<double>, valueTicks);
        QFETCH(double, lastStepTick);
        const GraphDrawing drawing(GraphFigures({start}), logScale);
        QCOMPARE(QList<double>(drawing.valueTicks().begin(), drawing.valueTicks().end()), valueTicks);
        QCOMPARE(drawing.stepTicks().back(), lastStepTick);
    }

    void compared_data()
    {
        QTest::addColumn<bool>("logScale");
        QTest::newRow("linear") << false;
        QTest::newRow("対数目盛") << true;
    }
    // Experiments compared: a line of figures and a column each, both peaks of 27 and 31 as
    // high as the top they share, the value under a point named by its start; each line in a
    // dash of its own; the peaks' labels of 27, 255, 447 and 703 clear of each other.
    void compared()
    {
        QFETCH(bool, logScale);
        const GraphFigures two({27, 31});
        QCOMPARE(text(two.summary()).split('\n').value(1), "ｎ＝ 31\u3000ステップ数 106\u3000最大値 9,232（72 ステップ目）");
        const QStringList rows = QString::fromStdString(two.table()).split('\n');
        QCOMPARE(rows.first() + '|' + rows.value(112), "step,27,31|111,1,");
        const GraphDrawing drawing(two, logScale);
        const QString svg = QString::fromStdString(drawing.svg());
        QCOMPARE(svg.section("<circle", 1).section("cy=\"", 1).section('"', 0, 0), svg.section("<circle", 2).section("cy=\"", 1).section('"', 0, 0));
        const std::optional<GraphDrawing::Point> at = drawing.pointAt(svg.section("<circle", 2).section("cx=\"", 1).section('"', 0, 0).toDouble(), 20);
        QCOMPARE(at ? text(two.valueAt(at->path, at->step)) : "", "ｎ＝ 31\u300072 ステップ目：9,232");
        // Past the end of 31's line, at its last value's height, only 27's line is under the pointer.
        const QStringList line = svg.section("points=\"", 1).section('"', 0, 0).split(' ');
        QCOMPARE(drawing.pointAt(line[110].section(',', 0, 0).toDouble(), line[111].section(',', 1).toDouble()), std::optional(GraphDrawing::Point{0, 110}));

        const QString four = QString::fromStdString(GraphDrawing(GraphFigures({27, 255, 447, 703, 871}), logScale).svg());
        QRegularExpression dash("<polyline[^>]*stroke-dasharray=\"([^\"]+)\"");
        QSet<QString> dashes;
        for (const auto &match : dash.globalMatch(four))
            dashes << match.captured(1);
        QCOMPARE(dashes.size(), 4);
        QList<double> labels;
        for (const auto &match : QRegularExpression("font-size=\"11\"[^>]*><text x=\"[^\"]+\" y=\"([^\"]+)\"").globalMatch(four))
            labels << match.captured(1).toDouble();
        std::sort(labels.begin(), labels.end());
        QCOMPARE(labels.size(), 4);
        for (qsizetype i = 1; i < labels.size(); ++i)
            QVERIFY2(labels[i] - labels[i - 1] >= 11, qPrintable(QString("labels at %1 and %2 overlap").arg(labels[i - 1]).arg(labels[i])));
    }

    void survey_data()
    {
        QTest::addColumn<uint>("first");
        QTest::addColumn<uint>("last");
        QTest::addColumn<QString>("longest");
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("records");
        QTest::newRow("3..100") << 3u << 100u << "97,118,9232" << "27,111,9232"
                                << "3 both, 6 steps, 7 both, 9 steps, 15 highest, 18 steps, 25 steps, 27 both, 54 steps, 73 steps, 97 steps";
        QTest::newRow("28..29: of a tie, the smaller") << 28u << 29u << "28,18,52" << "29,18,88" << "";
        QTest::newRow("1,000..2,000, records from 1") << 1000u << 2000u << "1161,181,190996" << "1819,161,1276936" << "1161 steps, 1819 highest";
        QTest::newRow("3..10,000,000") << 3u << 10000000u << "8400511,685,159424614880" << "6631675,576,60342610919632"
                                       << "47 steps, 31 highest, 5 both, last 8400511 steps";
    }
    // The longest and the highest of a range, and the records in it: each start that needs
    // more steps or climbs higher than every smaller start from 1 (a tie is no record).
    void survey()
    {
        QFETCH(uint, first);
        QFETCH(uint, last);
        QFETCH(QString, longest);
        QFETCH(QString, highest);
        QFETCH(QString, records);
        Survey survey(first, last);
        while (!survey.advance(100000)) {
        }
        const auto row = [](const Survey::Start &start) { return QStringLiteral("%1,%2,%3").arg(start.start).arg(start.steps).arg(start.highest); };
        QCOMPARE(row(survey.longest()), longest);
        QCOMPARE(row(survey.highest()), highest);
        QStringList kinds, rows = QString::fromStdString(survey.recordsTable()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows.takeFirst(), "start,steps,highest,record");
        for (const QString &record : rows)
            kinds << record.section(',', 0, 0) + ' ' + record.section(',', 3);
        if (last == 10000000) {
            const QString counts = QString("%1 steps, %2 highest, %3 both, last %4").arg(kinds.filter(" steps").size())
                .arg(kinds.filter(" highest").size()).arg(kinds.filter(" both").size()).arg(kinds.last());
            kinds = QStringList{counts};
        }
        QCOMPARE(kinds.join(", "), records);
    }

    // The whole table of a small range; of a range too long for a spreadsheet, the heading
    // alone.
    void surveyTables()
    {
        Survey small(3, 5), large(3, Survey::largestTable + 3);
        small.advance(100);
        large.advance(Survey::largestTable + 3);
        QCOMPARE(QString::fromStdString(small.table()), "start,steps,highest\n3,7,16\n4,2,4\n5,5,16\n");
        QCOMPARE(QString::fromStdString(large.table()), "start,steps,highest\n");
    }

    // A dot a start for a small range, and the start under a dot found again; every mark at
    // least 3:1 against the white, as graphics must be; for a large range, a picture as wide as
    // the plot, two steps to a row for 3..3000, that the desktop can read, its rows and colours
    // where they were put.
    void surveyDrawing()
    {
        Survey small(3, 100), large(3, 3000);
        small.advance(100);
        large.advance(3000);
        const QString svg = QString::fromStdString(SurveyDrawing(small).svg());
        QCOMPARE(svg.count("r=\"1.6\""), 98);
        for (const auto &fill : QRegularExpression("fill=\"(#[0-9a-f]{6})\"").globalMatch(svg)) {
            const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
            const QColor colour(fill.captured(1));
            const double luminance = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
            QVERIFY2(1.05 / (luminance + 0.05) >= 3, qPrintable(fill.captured(1)));
        }
        const QString dot = svg.section("r=\"1.6\"", 95, 95);
        QCOMPARE(SurveyDrawing(small).startAt(dot.section("cx=\"", 1).section('"', 0, 0).toDouble(), dot.section("cy=\"", 1).section('"', 0, 0).toDouble()), 97u);
        const QString picture = QString::fromStdString(SurveyDrawing(large).svg()).section("base64,", 1).section('"', 0, 0);
        QCOMPARE(QImage::fromData(QByteArray::fromBase64(picture.toLatin1())).size(), QSize(532, 126));
        PaletteImage tiny(3, 2, {0xff0000, 0x00ff00, 0x0000ff});
        tiny.at(2, 0) = 1;
        tiny.at(0, 1) = 2;
        const QImage shown = QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(tiny.dataAddress().substr(22))));
        QCOMPARE(QList<QRgb>({shown.pixel(0, 0), shown.pixel(2, 0), shown.pixel(0, 1)}), QList<QRgb>({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}));
    }

    void links_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("form");
        QTest::newRow("27") << "27" << int(Link::Kind::Start) << "27";
        QTest::newRow("spaces and 、 part starts") << " 27 、31  41 " << int(Link::Kind::Compare) << "27,31,41";
        QTest::newRow("a start twice, drawn once") << "27,27,27,27,27" << int(Link::Kind::Compare) << "27";
        QTest::newRow("full-width, with spaces") << "３ － １００" << int(Link::Kind::Survey) << "3-100";
        QTest::newRow("nothing") << "" << int(Link::Kind::None) << "";
        QTest::newRow("2") << "2" << int(Link::Kind::OutOfRange) << "はじめの数は 3 以上 10000000 以下です。";
        QTest::newRow("past ten million") << "3-99999999999999" << int(Link::Kind::OutOfRange) << "はじめの数は 3 以上 10000000 以下です。";
        QTest::newRow("four starts") << "27,31,41,47" << int(Link::Kind::Compare) << "27,31,41,47";
        QTest::newRow("five starts") << "27,31,41,47,54" << int(Link::Kind::TooMany) << "くらべられるのは 4 つまでです。";
        QTest::newRow("a range from its end") << "100-3" << int(Link::Kind::Reversed) << "範囲は小さいほうから書きます。";
        QTest::newRow("a sign") << "-5" << int(Link::Kind::NotUnderstood) << "読み取れません。27、27,31、3-100 のように書いてください。";
        QTest::newRow("a range and a list") << "3-100,5" << int(Link::Kind::NotUnderstood) << "読み取れません。27、27,31、3-100 のように書いてください。";
        QTest::newRow("letters") << "27abc" << int(Link::Kind::NotUnderstood) << "読み取れません。27、27,31、3-100 のように書いてください。";
    }
    // What a link, the command line or the graph's entry asks for, in every form: its starts,
    // or why it cannot be shown.
    void links()
    {
        QFETCH(QString, link);
        QFETCH(int, kind);
        QFETCH(QString, form);
        const Link parsed = Link::parse(link.toStdU16String());
        QCOMPARE(int(parsed.kind), kind);
        QCOMPARE(parsed.problem.empty() ? QString::fromStdString(parsed.text()) : text(parsed.problem).section("」は", 1).remove("開けません。"), form);
    }

    // Links open an experiment, a comparison or a survey, which the face works through a
    // slice at a time, and say once why they cannot be shown; a new survey cancels the last.
    void openLinks()
    {
        ScriptedServices services;
        services.model.openLink(u"27,31");
        services.model.openLink(u"2");
        services.model.openLink(u"3-10000000");
        services.work(1);
        services.model.openLink(u"3-100");
        services.work();
        services.model.openLink(u"3-10000000");
        services.work(1);
        services.model.openLink(u"41");
        services.model.act(Action::CancelSurvey);
        services.work();
        QCOMPARE(services.done, QStringList({"panel グラフ － ｎ＝ 27, 31 shown", "message 「2」は開けません。はじめの数は 3 以上 10000000 以下です。",
            "panel まとめて調べる", "panel まとめて調べる － 3～100", "panel グラフ － ｎ＝ 41", "panel まとめて調べる"}));
        QCOMPARE(text(services.views[1].summary), "中止しました。");
        QCOMPARE(services.label, "ｎ＝ 41");
    }

    // The survey's panel: its controls as the stage allows, its records ticked and compared in
    // the order of their starts, a record run, a note of what to do where nothing is ticked and
    // that the link was copied, for a few seconds from the last; its files; a range it refuses
    // leaves the survey it shows.
    void surveyPanel()
    {
        ScriptedServices services;
        services.model.act(Action::ShowSurvey);
        Panel::View &view = services.views[1];
        const auto enabled = [&view] {
            QString states;
            for (const Panel::ControlState &state : view.controls)
                states += state.enabled ? '+' : '-';
            return states;
        };
        QCOMPARE(text(view.title) + ' ' + enabled(), "まとめて調べる ++++-++++-+---");
        services.model.act(Action::Survey, 3, 100);
        QCOMPARE(enabled(), "+++-+++++-+---");
        services.work();
        QCOMPARE(text(view.title) + ' ' + enabled(), "まとめて調べる － 3～100 ++++-+++++++++");
        QCOMPARE(view.records->size(), 11u);
        QCOMPARE(text(view.records->at(10).tickName) + '|' + text(view.records->at(10).runName), "97 をくらべる|97 で実験");
        services.model.act(Action::CompareTicked);
        QCOMPARE(text(view.note), "くらべる数にチェックをつけてください。");
        // What is not a start the experiment takes ticks nothing.
        for (double start : {54.0, 27.0, 9.0, 3.0, 2.0, std::nan("")})
            services.model.act(Action::Tick, start, 1);
        services.model.act(Action::Tick, 3, 0);
        services.model.act(Action::CompareTicked);
        QCOMPARE(text(services.views[0].title), "グラフ － ｎ＝ 9, 27, 54");
        services.model.act(Action::RunStart, 97);
        QCOMPARE(services.label, "ｎ＝ 97");
        services.model.act(Action::CopySurveyLink);
        services.model.act(Action::SaveRecords);
        services.model.act(Action::Survey, 100, 3);
        QCOMPARE(services.done.mid(services.done.size() - 4), QStringList({"copy 3-100", "panel まとめて調べる － 3～100 リンクをコピーしました。",
            "save collatz-records-3-100.csv start,steps,highest,record\n3,7,16,both\n6,8,16,steps\n7,16,52,both\n9,19,52,steps\n"
            "15,17,160,highest\n18,20,52,steps\n25,23,88,steps\n27,111,9232,both\n54,112,9232,steps\n73,115,9232,steps\n97,118,9232,steps\n",
            "message 「100-3」は開けません。範囲は小さいほうから書きます。"}));
        services.model.act(Action::CopySurveyLink);
        services.work(1);
        QCOMPARE(text(view.note), "リンクをコピーしました。");
        services.work();
        QCOMPARE(text(view.title) + '|' + text(view.note), "まとめて調べる － 3～100|");
        QCOMPARE(QString::fromStdString(*view.drawing).count("r=\"1.6\""), 98);
    }

    // The chimes synthesised a slice at a time, as the page makes them, are the desktop's
    // wave files, byte for byte, and so are the levels Web Audio takes.
    void chimes()
    {
        for (const char *name : {ProgramText::resetChime, ProgramText::exitChime}) {
            QFile file(QFINDTESTDATA(QStringLiteral("../resources/") + name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.readAll() == QByteArray::fromStdString(Chimes::waveFile(name)), name);
            Chimes::Synthesis sliced(name);
            while (!sliced.advance(1000)) {
            }
            const std::vector<std::int16_t> whole = Chimes::samples(name);
            QVERIFY2(sliced.samples() == whole, name);
            const std::vector<float> levels = sliced.levels();
            QVERIFY2(std::equal(levels.begin(), levels.end(), whole.begin(), whole.end(),
                                [](float level, std::int16_t sample) { return level * 32768 == sample; }), name);
        }
    }

    // Every accepted start is written exactly.
    void everyStartIsExact()
    {
        const std::string fault = exhaustiveCheck();
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("written");
        QTest::newRow("full-width everything") << "\u3000－１２３４５６７８９．５Ｅ０" << -123456789.5 << false;
        QTest::newRow("full-width plus, small exponent") << "＋１ｅ３" << 1000.0 << false;
        QTest::newRow("0") << " 0" << 0.0 << true;
        QTest::newRow("10^14, in full") << " 100000000000000" << 1e14 << true;
        QTest::newRow("10^15, with an exponent") << " 1E+15" << 1e15 << true;
        QTest::newRow("-2.5, in the German locale") << "-2.5" << -2.5 << true;
    }
    // Numbers read in any width, with a sign and an exponent; written, integers below 10^15
    // in full digits, a blank or a minus first; a "." whatever the locale, both ways.
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, written);
        QCOMPARE(::readNumber(text.toStdU16String()), value);
        if (written)
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

QTEST_APPLESS_MAIN(TestCore)
#include "tst_core.moc"
