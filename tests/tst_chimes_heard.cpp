// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "DialogSteps.h"
#include "Form1.h"
#include "WaveFile.h"

#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

constexpr int rate = 44100;
constexpr int audible = 300;

// Records the sound server's default monitor through parec while the test runs, so
// that what the window plays is heard as a person would hear it.
class Recorder {
public:
    bool start()
    {
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
                         [this] { m_bytes += m_process.readAllStandardOutput(); });
        m_process.start(QStringLiteral("parec"),
                        {"--latency-msec=10", "--raw", "--format=s16le", "--channels=1", "--rate=44100",
                         "--device=@DEFAULT_MONITOR@"});
        if (!m_process.waitForStarted(3000))
            return false;
        // Wait for the stream to flow before anything is played.
        return QTest::qWaitFor([this] { return m_bytes.size() > rate / 5 * 2; }, 5000);
    }
    ~Recorder()
    {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    // The index of the next sample to arrive: "now" on the recording's clock.
    qsizetype now() const { return m_bytes.size() / 2; }
    std::int16_t at(qsizetype i) const
    {
        std::int16_t s;
        std::memcpy(&s, m_bytes.constData() + 2 * i, 2);
        return s;
    }
    qsizetype firstSound(qsizetype from) const
    {
        for (qsizetype i = from; i < now(); ++i)
            if (std::abs(at(i)) > audible)
                return i;
        return -1;
    }
    // Normalised correlation of the recording at offset with the samples.
    double match(qsizetype offset, const std::vector<std::int16_t> &samples, std::size_t length) const
    {
        double xy = 0, xx = 0, yy = 0;
        for (std::size_t i = 0; i < length && offset + qsizetype(i) < now(); ++i) {
            const double x = at(offset + qsizetype(i)), y = samples[i];
            xy += x * y, xx += x * x, yy += y * y;
        }
        return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
    }
    // The offset in [from, to) where the whole of the samples fits best. The opening
    // finds the place roughly; a tone repeats every period, so the whole chime, with its
    // second note, settles it.
    qsizetype align(qsizetype from, qsizetype to, const std::vector<std::int16_t> &samples) const
    {
        auto best = [&](qsizetype first, qsizetype last, std::size_t length) {
            qsizetype found = -1;
            double bestMatch = -1;
            for (qsizetype at = std::max<qsizetype>(0, first); at < last; ++at) {
                const double m = match(at, samples, length);
                if (m > bestMatch)
                    bestMatch = m, found = at;
            }
            return found;
        };
        const qsizetype rough = best(from, to, 2048);
        return best(rough - 400, rough + 400, samples.size());
    }

private:
    QProcess m_process;
    QByteArray m_bytes;
};

} // namespace

// The chimes through a real sound server, recorded from its monitor.
class TestChimesHeard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void resetIsHeardPromptly();
    void secondResetChimeIsHeardInFull();
    void exitIsHeardWhileTheQuestionWaits();

private:
    void click(const char *name)
    {
        QTest::mouseClick(m_form->findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton);
    }

    std::unique_ptr<Form1> m_form;
    std::unique_ptr<Recorder> m_recorder;
    std::vector<std::int16_t> m_pinpon;
};

void TestChimesHeard::initTestCase()
{
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    const bool server = info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
    if (!server) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL("no sound server: scripts/test starts one");
        QSKIP("no sound server to play to; scripts/test starts one");
    }
    m_pinpon = *WaveFile::load(QFINDTESTDATA("../resources/pinpon.wav").toStdString());
}

void TestChimesHeard::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_recorder = std::make_unique<Recorder>();
    QVERIFY(m_recorder->start());
}

void TestChimesHeard::cleanup()
{
    m_recorder.reset();
    m_form.reset();
}

void TestChimesHeard::resetIsHeardPromptly()
{
    QTest::qWait(200);
    const qsizetype clicked = m_recorder->now();
    QCOMPARE(m_recorder->firstSound(clicked - rate / 10), -1);
    click("Command3");
    QTest::qWait(1800);
    const qsizetype heard = m_recorder->firstSound(clicked);
    QVERIFY2(heard >= 0, "the reset chime was not heard");
    QVERIFY2(heard - clicked < rate / 2, qPrintable(QString::number(double(heard - clicked) / rate)));
    // And it is the reset chime, as written.
    const qsizetype start = m_recorder->align(heard - 2048, heard + 2048, m_pinpon);
    const double fit = m_recorder->match(start, m_pinpon, m_pinpon.size());
    QVERIFY2(fit > 0.98, qPrintable(QString::number(fit)));
}

void TestChimesHeard::secondResetChimeIsHeardInFull()
{
    QTest::qWait(200);
    click("Command3");
    QTest::qWait(150);
    const qsizetype second = m_recorder->now();
    click("Command3");
    QTest::qWait(2000);
    const qsizetype start = m_recorder->align(second - rate / 20, second + rate / 2, m_pinpon);
    QVERIFY(start >= 0);
    QVERIFY2(start + qsizetype(m_pinpon.size()) <= m_recorder->now(), "the recording ended too soon");
    // The whole second chime, with nothing of the first mixed in.
    const double fit = m_recorder->match(start, m_pinpon, m_pinpon.size());
    QVERIFY2(fit > 0.98, qPrintable(QString::number(fit)));
}

void TestChimesHeard::exitIsHeardWhileTheQuestionWaits()
{
    QTest::qWait(200);
    const qsizetype clicked = m_recorder->now();
    qsizetype heardWhileAsking = -1;
    ModalScript script;
    script.then([&](QWidget *box) {
        QTest::qWait(700);
        heardWhileAsking = m_recorder->firstSound(clicked);
        DialogSteps::answer(false)(box);
    });
    click("Command2");
    QVERIFY(script.done());
    QVERIFY2(heardWhileAsking >= 0, "the exit chime was not heard while the question waited");
    QVERIFY(heardWhileAsking - clicked < rate / 2);
    QVERIFY(m_form->isVisible());
}

QTEST_MAIN(TestChimesHeard)
#include "tst_chimes_heard.moc"
