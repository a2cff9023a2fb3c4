// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The chime player as the window uses it, against the sound server that scripts/bench
// starts: the time from a click on 初期化 to the chime reaching the server, found in a
// recording of the server's monitor (paplay of the same file, recorded the same way, is
// the yardstick), the gaps heard in the chimes, the time the click takes on the window's
// thread, and the CPU the player uses while nothing sounds. The recorder asks for blocks
// of 1 ms, which keep the sink's clock as fine as the player's own stream asks for.

#include "Figures.h"
#include "MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int rate = 44100;

class Recorder {
public:
    Recorder()
    {
        m_clock.start();
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] {
            m_bytes += m_process.readAllStandardOutput();
            m_arrivals.push_back({m_clock.nsecsElapsed(), now()});
        });
        m_process.start(QStringLiteral("parec"), {"--latency-msec=1", "--raw", "--format=s16le", "--channels=1",
                                                  "--rate=44100", "--device=@DEFAULT_MONITOR@"});
        if (!QTest::qWaitFor([this] { return m_bytes.size() > rate; }, 5000))
            std::fprintf(stderr, "the recorder did not start\n");
    }
    ~Recorder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    qsizetype now() const { return m_bytes.size() / 2; }
    qint64 elapsed() const { return m_clock.nsecsElapsed(); }
    // The sample the server's monitor made when the clock read "at". The recording arrives
    // in blocks, each some time after its last sample was made: the block that arrived
    // soonest after it, among those of the seconds before and the moment after, sets the
    // monitor's clock. Counting from the last sample to have arrived instead would add that
    // wait to every figure. Without a block in that time, the last sample to have arrived
    // is all there is.
    qsizetype sampleAt(qint64 at) const
    {
        std::optional<double> ahead;
        for (const auto &[time, samples] : m_arrivals) {
            if (std::abs(time - at) < 2'000'000'000) {
                const double blockAhead = double(samples) - double(time) * rate / 1e9;
                ahead = std::max(ahead.value_or(blockAhead), blockAhead);
            }
        }
        return ahead ? std::clamp(qsizetype(*ahead + double(at) * rate / 1e9), qsizetype(0), now()) : now();
    }
    // Milliseconds from the sample "from" to the first one heard after it.
    double heardAfter(qsizetype from) const
    {
        for (qsizetype i = from; i < now(); ++i) {
            if (std::abs(sample(i)) > 300)
                return double(i - from) * 1000 / rate;
        }
        return -1;
    }
    // The gaps in the chime heard after the sample "from": an output that runs dry is
    // heard as silence where the chime sounds, at least 8 samples of it. A gap delays the
    // rest of the chime, so a later one may go uncounted.
    int gapsAfter(qsizetype from, const std::vector<std::int16_t> &chime) const
    {
        const auto lead = qsizetype(std::find_if(chime.begin(), chime.end(), [](std::int16_t s) { return s != 0; }) - chime.begin());
        qsizetype onset = from;
        while (onset < now() && sample(onset) == 0)
            ++onset;
        int gaps = 0;
        for (qsizetype i = lead, silent = 0; i < qsizetype(chime.size()) && onset + i - lead < now(); ++i) {
            silent = sample(onset + i - lead) == 0 && std::abs(chime[i]) > 50 ? silent + 1 : 0;
            gaps += silent == 8;
        }
        return gaps;
    }

private:
    std::int16_t sample(qsizetype i) const
    {
        std::int16_t value;
        std::memcpy(&value, m_bytes.constData() + 2 * i, 2);
        return value;
    }

    QProcess m_process;
    QByteArray m_bytes;
    QElapsedTimer m_clock;
    std::vector<std::pair<qint64, qsizetype>> m_arrivals;
};

// The samples of a wave file as make_chimes writes it: one channel of 16 bits.
std::vector<std::int16_t> waveSamples(const QString &path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype data = bytes.indexOf("data");
    std::vector<std::int16_t> samples(data < 0 ? 0 : (bytes.size() - data - 8) / 2);
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.constData() + data + 8, samples.size() * 2);
    return samples;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *reset = window.findChild<QPushButton *>(QStringLiteral("resetButton"));
    auto recorder = std::make_unique<Recorder>();

    // Clicks soon after each other find the output open; after a pause of a few
    // seconds the player has closed it and opens it again. The recording is searched
    // for gaps from the last sample it had at the click, which comes before the chime.
    std::vector<double> heard, heardAfterPause, handled, yardstick;
    std::vector<qsizetype> clicks, plays;
    for (int round = 0; round < 16; ++round) {
        const bool pause = round % 3 == 2;
        QTest::qWait(pause ? 5500 : 1700);
        clicks.push_back(recorder->now());
        const qint64 clickedAt = recorder->elapsed();
        QTest::mouseClick(reset, Qt::LeftButton);
        handled.push_back(double(recorder->elapsed() - clickedAt) / 1e6);
        QTest::qWait(500);
        (pause ? heardAfterPause : heard).push_back(recorder->heardAfter(recorder->sampleAt(clickedAt)));
    }
    for (int round = 0; round < 8; ++round) {
        QTest::qWait(1700);
        plays.push_back(recorder->now());
        const qint64 startedAt = recorder->elapsed();
        QProcess::startDetached(QStringLiteral("paplay"), {"--latency-msec=5", "pinpon.wav"});
        QTest::qWait(500);
        yardstick.push_back(recorder->heardAfter(recorder->sampleAt(startedAt)));
    }

    // Once the last of paplay's chimes has ended, each has been heard whole.
    QTest::qWait(1500);
    const std::vector<std::int16_t> chime = waveSamples(QStringLiteral("pinpon.wav"));
    const auto gapsAfter = [&](const std::vector<qsizetype> &starts) {
        int gaps = 0;
        for (const qsizetype start : starts)
            gaps += recorder->gapsAfter(start, chime);
        return gaps;
    };
    const int gaps = gapsAfter(clicks), paplayGaps = gapsAfter(plays);

    // The recorder reads a stream all the time; only the window and its player count.
    recorder.reset();
    QTest::qWait(1700);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer idle;
    idle.start();
    // A plain event loop: QTest::qWait would itself wake every few milliseconds.
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const double idleShare = (cpuSeconds() - cpuBefore) / (double(idle.elapsed()) / 1000);

    const Spread click = spread(heard), again = spread(heardAfterPause), play = spread(yardstick),
                 thread = spread(handled);
    std::printf("click on 初期化 to the chime at the server: median %5.1f ms (%.1f to %.1f over %zu clicks; goal 10)\n",
                click.median, click.least, click.most, heard.size());
    std::printf("the same after a pause, the output closed:  median %5.1f ms (%.1f to %.1f over %zu clicks)\n",
                again.median, again.least, again.most, heardAfterPause.size());
    std::printf("paplay's start to the same chime:           median %5.1f ms (%.1f to %.1f over %zu runs)\n",
                play.median, play.least, play.most, yardstick.size());
    std::printf("gaps in the chimes heard (output run dry):  %d in %zu chimes (goal 0); paplay's: %d in %zu\n", gaps,
                clicks.size(), paplayGaps, plays.size());
    std::printf("the click on the window's thread:           median %5.2f ms (at most %.2f ms)\n", thread.median,
                thread.most);
    std::printf("CPU over 10 s with nothing sounding:        %.2f%% of a core (the window's and the player's)\n",
                100 * idleShare);
    return 0;
}
