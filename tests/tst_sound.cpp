// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Dialogs.h"
#include "MainWindow.h"
#include "SdlChimePlayer.h"
#include "WaveFile.h"

#include <QtNetwork>
#include <QtTest>

#include <SDL.h>
#include <sys/stat.h>

using Samples = std::vector<std::int16_t>;
using Output = SdlChimePlayer::Output;
using namespace std::chrono_literals;

// SDL allocates through this: nothing the program does with a chime needs more than a
// few megabytes, whatever a file claims.
static void *bounded(std::size_t size) { return size > 16 << 20 ? nullptr : std::malloc(size); }
[[maybe_unused]] static const int allocating = SDL_SetMemoryFunctions(bounded, std::calloc, std::realloc, std::free);

// A RIFF WAVE file holding data, its data chunk claiming its true size unless told; its
// fields are little-endian, as on the machines these tests run on.
static QByteArray wave(quint16 channels, quint32 rate, quint16 bits, const QByteArray &data, quint32 claim = 0)
{
    const quint32 fields[] = {36 + quint32(data.size()), 16, 1u | channels << 16, rate, rate * channels * bits / 8,
                              quint32(channels * bits / 8) | quint32(bits) << 16, claim ? claim : quint32(data.size())};
    return "RIFF" + QByteArray(reinterpret_cast<const char *>(fields), 4) + "WAVEfmt " + QByteArray(reinterpret_cast<const char *>(fields + 1), 20)
           + "data" + QByteArray(reinterpret_cast<const char *>(fields + 6), 4) + data;
}

// SDL's disk audio driver, which writes what reaches the "device" to a file, in real
// time, from the moment it is opened.
struct DiskOutput {
    explicit DiskOutput(const QString &path)
        : path(path)
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path));
    }
    Samples samples() const
    {
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return Samples(reinterpret_cast<const std::int16_t *>(bytes.data()), reinterpret_cast<const std::int16_t *>(bytes.end()));
    }
    // Where needle starts in what was written, from a sample on if given, or -1.
    qsizetype find(const Samples &needle, qsizetype from = 0) const
    {
        const Samples written = samples();
        const auto found = std::search(written.begin() + std::min(from, qsizetype(written.size())), written.end(), needle.begin(), needle.end());
        return found == written.end() ? -1 : found - written.begin();
    }
    const QString path;
};

// The chime reader; the player and the window's chimes through SDL's disk audio driver,
// where what reaches the "device" is compared sample by sample with the chimes.
class TestSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const std::string m_here = QCoreApplication::applicationDirPath().toStdString();
    const Samples m_pinpon = WaveFile::load(m_here + "/pinpon.wav").value_or(Samples(1024));
    const Samples m_endpinpon = WaveFile::load(m_here + "/endpinpon.wav").value_or(Samples(1024));
    const Samples m_opening = Samples(m_pinpon.begin(), m_pinpon.begin() + 1024);

    static bool reaches(const SdlChimePlayer &player, Output wanted) { return QTest::qWaitFor([&] { return player.output() == wanted; }); }

private slots:
    // A chime file is resampled whole, a stereo one of three seconds too; one at the output's
    // own rate comes out as it is; one whose data chunk claims more than the file holds gives
    // what is there; one larger than 2 MiB, or longer than five seconds, is refused.
    void reads()
    {
        const auto decoded = [](const QByteArray &file) { return WaveFile::decode(reinterpret_cast<const std::uint8_t *>(file.data()), std::size_t(file.size())).value_or(Samples()); };
        const auto samples = [&decoded](const QByteArray &file) { return decoded(file).size(); };
        QCOMPARE(samples(wave(1, 22050, 16, QByteArray(4410, 0))), 4410u);
        const Samples chime(m_pinpon.begin(), m_pinpon.begin() + 4410);
        QCOMPARE(decoded(wave(1, 44100, 16, QByteArray(reinterpret_cast<const char *>(chime.data()), 8820))), chime);
        QCOMPARE(samples(wave(1, 44100, 16, QByteArray(6, 7), 64 << 20)), 3u);
        QCOMPARE(samples(wave(2, 44100, 16, QByteArray(529200, 0))), 132300u);
        QCOMPARE(samples(wave(2, 192000, 16, QByteArray(WaveFile::largestFile, 0))), 0u);
        QCOMPARE(samples(wave(1, 1000, 8, QByteArray(6000, '\x80'))), 0u);
    }

    // A chime in the working directory comes before the one beside the program; the next
    // chime cuts it off; a chime that is missing stops the last one and leaves silence; a
    // FIFO named as a chime is never opened, which would wait for ever, and the next chime
    // sounds.
    void lookedUp()
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile own("endpinpon.wav"), third("third.wav");
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write(wave(1, 44100, 16, QByteArray(88200, '\x12'))) && own.flush());
        QVERIFY(third.open(QIODevice::WriteOnly) && third.write(wave(1, 44100, 16, QByteArray(88200, '\x23'))) && third.flush());
        QCOMPARE(mkfifo("pinpon.wav", 0600), 0);
        const DiskOutput disk(m_dir.filePath("lookedUp"));
        {
            SdlChimePlayer player;
            player.prepare({"third.wav"});
            player.play("endpinpon.wav");
            QTRY_VERIFY2(disk.find(Samples(2048, 0x1212)) >= 0, "the working directory's chime was not played");
            player.play("third.wav");
            QTRY_VERIFY2(disk.find(Samples(2048, 0x2323)) >= 0, "the next chime did not sound");
            const Samples first = disk.samples();
            QVERIFY2(std::count(first.begin(), first.end(), 0x1212) < 44100, "a chime waited for the one still sounding");
            const qsizetype missing = qsizetype(first.size());
            player.play("no-such-chime.wav");
            QTRY_VERIFY(qsizetype(disk.samples().size()) > missing + 22050);
            player.play("pinpon.wav");
            player.play("endpinpon.wav");
            QTRY_VERIFY2(disk.find(Samples(2048, 0x1212), missing) >= 0, "the chime after a FIFO did not sound");
            const Samples written = disk.samples();
            QVERIFY2(std::all_of(written.begin() + missing + 4096, written.begin() + missing + 22050, [](auto s) { return s == 0; }),
                     "a chime went on after a chime that is missing");
        }
        QCOMPARE(disk.find(m_opening), -1);
        QDir::setCurrent(here);
    }

    // The output closes once the chime has ended and the player has been idle a while,
    // and opens again, anew, at the next chime. This output runs slower than the clock, as
    // on a busy machine, and still plays the chime to its end.
    void idleOutput()
    {
        const DiskOutput disk(m_dir.filePath("idle"));
        qputenv("SDL_DISKAUDIODELAY", "9");
        const auto unset = qScopeGuard([] { qunsetenv("SDL_DISKAUDIODELAY"); });
        SdlChimePlayer player({30s, 100ms});
        player.play("pinpon.wav");
        QVERIFY(reaches(player, Output::Open));
        QVERIFY2(reaches(player, Output::Closed), "the output was not closed when idle");
        // What the output wrote last is in the file once it has been closed.
        QTRY_VERIFY2_WITH_TIMEOUT(disk.find(m_pinpon) >= 0, "the output closed before the chime had ended", 2000);
        player.play("endpinpon.wav");
        QTRY_VERIFY(disk.find(m_endpinpon) >= 0);
        QCOMPARE(disk.find(m_opening), -1);
    }

    // An output that cannot be opened is asked for again at a chime after the retry
    // interval; one that went away is opened again at the next chime.
    void lostOutput()
    {
        const QString link = m_dir.filePath("lost-link");
        const DiskOutput disk(link);
        SdlChimePlayer player({200ms});
        QVERIFY(QFile::link(m_dir.filePath("no-such-folder/file"), link));
        player.play("pinpon.wav");
        QVERIFY(reaches(player, Output::Unavailable));
        // Writing to /dev/full fails, as a sound server that went away does.
        QVERIFY(QFile::remove(link) && QFile::link("/dev/full", link));
        QVERIFY2(QTest::qWaitFor([&] { return player.play("pinpon.wav"), player.output() == Output::Open; }), "the player did not retry");
        QVERIFY(QFile::remove(link) && QFile::link(m_dir.filePath("lost"), link));
        // The reset chime again and again, as a person clicking would, until it is heard.
        QVERIFY2(QTest::qWaitFor([&] { return player.play("pinpon.wav"), QTest::qWaitFor([&] { return disk.find(m_opening) >= 0; }, 500); }),
                 "a lost output was not opened again");
    }

    // A player whose worker is stuck asking a sound server that never answers ends all
    // the same, within a quarter of a second.
    void endsWhenStuck()
    {
        // A socket that takes calls and never answers them, until it goes away.
        QLocalServer server;
        QVERIFY(server.listen(m_dir.filePath("silent-server")));
        const auto unset = qScopeGuard([] { qunsetenv("PULSE_SERVER"); });
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(server.fullServerName()));
        QElapsedTimer ending;
        {
            SdlChimePlayer player;
            player.play("pinpon.wav");
            QTRY_VERIFY2(server.hasPendingConnections(), "the player never called the sound server");
            ending.start();
        }
        QVERIFY2(ending.elapsed() < 1000, qPrintable(QString("the player took %1 ms to end").arg(ending.elapsed())));
    }

    // The window's buttons play their own chimes: the reset chime, and the exit chime
    // while the question waits.
    void windowChimes()
    {
        const DiskOutput disk(m_dir.filePath("window"));
        MainWindow window;
        window.show();
        QTest::mouseClick(window.findChild<QWidget *>("resetButton"), Qt::LeftButton);
        QTRY_VERIFY2(disk.find(m_pinpon) >= 0, "the reset chime was not played");
        Dialogs dialogs{[&](QWidget *question) {
            QTRY_VERIFY2(disk.find(m_endpinpon) >= 0, "the exit chime was not played while the question waited");
            question->close();
        }};
        QTest::mouseClick(window.findChild<QWidget *>("exitButton"), Qt::LeftButton);
        QVERIFY(dialogs.done());
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
