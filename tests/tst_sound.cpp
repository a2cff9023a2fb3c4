// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Dialogs.h"
#include "MainWindow.h"
#include "SdlChimePlayer.h"
#include "WaveFile.h"

#include <QtTest>

#include <SDL.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

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
                              quint32(channels * bits / 8) | quint32(bits) << 16};
    auto bytes = [](const auto &value) { return QByteArray(reinterpret_cast<const char *>(&value), sizeof value); };
    return "RIFF" + bytes(fields[0]) + "WAVEfmt " + QByteArray(reinterpret_cast<const char *>(fields + 1), 20) + "data"
           + bytes(claim ? claim : quint32(data.size())) + data;
}

static QByteArray pcm(const Samples &samples) { return QByteArray(reinterpret_cast<const char *>(samples.data()), qsizetype(samples.size() * 2)); }

// Where needle starts in haystack, at from or later and before before, or -1.
static qsizetype find(const Samples &haystack, const Samples &needle, qsizetype from = 0, qsizetype before = 1 << 30)
{
    const auto end = haystack.begin() + std::min(before + qsizetype(needle.size()) - 1, qsizetype(haystack.size()));
    const auto found = from < end - haystack.begin() ? std::search(haystack.begin() + from, end, needle.begin(), needle.end()) : end;
    return found == end ? -1 : found - haystack.begin();
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
    qsizetype find(const Samples &needle) const { return ::find(samples(), needle); }
    const QString path;
};

// The chime reader; the player writing through SDL's disk audio driver, where what
// reaches the "device" is compared sample by sample with the chimes; and the window's
// chimes heard through the sound server that scripts/test starts.
class TestSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const std::string m_here = QCoreApplication::applicationDirPath().toStdString();
    const Samples m_pinpon = WaveFile::load(m_here + "/pinpon.wav").value_or(Samples(1024));
    const Samples m_endpinpon = WaveFile::load(m_here + "/endpinpon.wav").value_or(Samples(1024));
    const Samples m_opening = Samples(m_pinpon.begin(), m_pinpon.begin() + 1024);

    static bool reaches(const SdlChimePlayer &player, Output wanted, int timeout = 5000)
    {
        return QTest::qWaitFor([&] { return player.output() == wanted; }, timeout);
    }
    // Plays the reset chime again and again, as a person clicking would, until its first
    // samples reach the output; false after five seconds.
    bool soundsAgain(SdlChimePlayer &player, const DiskOutput &disk)
    {
        return QTest::qWaitFor([&] { return player.play("pinpon.wav"), QTest::qWaitFor([&] { return disk.find(m_opening) >= 0; }, 500); });
    }

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("samples");
        QTest::newRow("16-bit") << wave(1, 44100, 16, pcm({0, 1000, -1000, 32767, -32768, 5})) << QList<int>{0, 1000, -1000, 32767, -32768, 5};
        // SDL mixes through floating point, where half of full scale comes back one short.
        QTest::newRow("stereo 8-bit, mixed down") << wave(2, 44100, 8, QByteArray("\xC0\xC0\x80\x80", 4)) << QList<int>{16383, 0};
        QTest::newRow("22.05 kHz, resampled") << wave(1, 22050, 16, pcm(Samples(2205, 0))) << QList<int>(4410, 0);
        QTest::newRow("claiming 64 MiB, what is there") << wave(1, 44100, 16, pcm({7, 8, 9}), 64 << 20) << QList<int>{7, 8, 9};
        // Refused: what is not a chime file, or is larger or longer than a chime.
        QTest::newRow("no RIFF header") << wave(1, 44100, 16, pcm({1, 2, 3, 4})).mid(8) << QList<int>{};
        QTest::newRow("six seconds at 1 kHz") << wave(1, 1000, 8, QByteArray(6000, '\x80')) << QList<int>{};
        QTest::newRow("more than 2 MiB, 2.7 seconds") << wave(2, 192000, 16, QByteArray(WaveFile::largestFile, 0)) << QList<int>{};
    }
    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, samples);
        const Samples read = WaveFile::decode(reinterpret_cast<const std::uint8_t *>(file.data()), std::size_t(file.size())).value_or(Samples());
        QCOMPARE(QList<int>(read.begin(), read.end()), samples);
    }

    // A chime in the working directory comes before the one beside the program; a chime
    // that is missing stops the last one and leaves silence; a FIFO named as a chime is
    // never opened, which would wait for ever, and the next chime sounds.
    void lookedUp()
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile own("endpinpon.wav"), third("third.wav");
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write(wave(1, 44100, 16, pcm(Samples(44100, 1234)))) && own.flush());
        QVERIFY(third.open(QIODevice::WriteOnly) && third.write(wave(1, 44100, 16, pcm(Samples(4410, 2345)))) && third.flush());
        QCOMPARE(mkfifo("pinpon.wav", 0600), 0);
        const DiskOutput disk(m_dir.filePath("lookedUp"));
        {
            SdlChimePlayer player;
            player.play("endpinpon.wav");
            QTRY_VERIFY2(disk.find(Samples(2048, 1234)) >= 0, "the working directory's chime was not played");
            const qsizetype missing = qsizetype(disk.samples().size());
            player.play("no-such-chime.wav");
            QTRY_VERIFY(qsizetype(disk.samples().size()) > missing + 22050);
            player.play("pinpon.wav");
            player.play("third.wav");
            QTRY_VERIFY2(disk.find(Samples(2048, 2345)) >= 0, "the chime after a FIFO did not sound");
            const Samples written = disk.samples();
            QVERIFY2(std::all_of(written.begin() + missing + 4096, written.begin() + missing + 22050, [](auto s) { return s == 0; }),
                     "a chime went on after a chime that is missing");
        }
        QCOMPARE(disk.find(m_opening), -1);
        QDir::setCurrent(here);
    }

    // The output closes once the chime has ended and the player has been idle a while,
    // and opens again, anew, at the next chime.
    void idleOutput()
    {
        const DiskOutput disk(m_dir.filePath("idle"));
        SdlChimePlayer player({30s, 100ms});
        player.play("pinpon.wav");
        QVERIFY(reaches(player, Output::Open));
        QVERIFY2(reaches(player, Output::Closed), "the output was not closed when idle");
        QVERIFY2(disk.find(m_pinpon) >= 0, "the output closed before the chime had ended");
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
        QVERIFY2(soundsAgain(player, disk), "a lost output was not opened again");
    }

    // A player whose worker is stuck asking a sound server that never answers ends all
    // the same, within a quarter of a second.
    void endsWhenStuck()
    {
        // A socket that takes calls and never answers them, until it goes away.
        struct SilentServer {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            ~SilentServer() { qunsetenv("PULSE_SERVER"), ::close(socket); }
        } server;
        sockaddr_un address{AF_UNIX, {}};
        const QByteArray path = QFile::encodeName(m_dir.filePath("silent-server"));
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        QCOMPARE(bind(server.socket, reinterpret_cast<sockaddr *>(&address), sizeof address) | listen(server.socket, 4), 0);
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        qputenv("PULSE_SERVER", "unix:" + path);
        QElapsedTimer ending;
        {
            SdlChimePlayer player;
            player.play("pinpon.wav");
            pollfd called{server.socket, POLLIN, 0};
            QTRY_VERIFY2(poll(&called, 1, 0) == 1, "the player never called the sound server");
            ending.start();
        }
        QVERIFY2(ending.elapsed() < 1000, qPrintable(QString("the player took %1 ms to end").arg(ending.elapsed())));
    }

    // Through the sound server, recorded from its monitor: each button's own chime, heard
    // promptly, the exit chime while the question waits.
    void heard()
    {
        qunsetenv("SDL_AUDIODRIVER");
        QByteArray recorded; // before the recorder, whose end may still deliver some
        QProcess parec;
        connect(&parec, &QProcess::readyReadStandardOutput, this, [&] { recorded += parec.readAllStandardOutput(); });
        parec.start("parec", {"--latency-msec=20", "--raw", "--format=s16le", "--channels=1", "--rate=44100", "--device=@DEFAULT_MONITOR@"});
        // Whether the chime came, exactly, within half a second after the sample "from": any
        // of three pieces of ten milliseconds. The monitor misses the first milliseconds of
        // a stream, which the sink plays over what it had already rendered.
        auto heard = [&](qsizetype from, const Samples &chime) {
            const Samples recording(reinterpret_cast<const std::int16_t *>(recorded.cbegin()), reinterpret_cast<const std::int16_t *>(recorded.cend()));
            const auto piece = [&](qsizetype at) { return find(recording, Samples(&chime[at], &chime[at + 441]), from, from + 22050 + at) >= 0; };
            return piece(2205) || piece(4410) || piece(6615);
        };
        MainWindow window;
        window.show();
        QVERIFY2(QTest::qWaitFor([&] { return recorded.size() > 44100; }), "nothing recorded: no sound server?");
        qsizetype clicked = recorded.size() / 2;
        QTest::mouseClick(window.findChild<QWidget *>("resetButton"), Qt::LeftButton);
        QTRY_VERIFY2(heard(clicked, m_pinpon), "the reset chime was not heard");
        QVERIFY2(!heard(clicked, m_endpinpon), "the exit chime was heard on reset");
        clicked = recorded.size() / 2;
        Dialogs dialogs{[&](QWidget *question) {
            QTRY_VERIFY2(heard(clicked, m_endpinpon), "the exit chime was not heard while the question waited");
            question->close();
        }};
        QTest::mouseClick(window.findChild<QWidget *>("exitButton"), Qt::LeftButton);
        QVERIFY(dialogs.done());
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
