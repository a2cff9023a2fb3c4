// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Dialogs.h"
#include "MainWindow.h"
#include "SdlChimePlayer.h"
#include "WaveFile.h"

#include <QtNetwork>
#include <QtTest>

#include <sys/stat.h>

using Samples = std::vector<std::int16_t>;
using Output = SdlChimePlayer::Output;
using namespace std::chrono_literals;

// A mono 16-bit RIFF WAVE file at 44.1 kHz; its fields are little-endian, as on the
// machines these tests run on.
static QByteArray wave(const Samples &samples)
{
    const quint32 size = quint32(samples.size() * 2);
    const quint32 fields[] = {36 + size, 16, 1 | 1 << 16, 44100, 88200, 2 | 16 << 16, size};
    const auto bytes = [](const void *data, qsizetype length) { return QByteArray(static_cast<const char *>(data), length); };
    return "RIFF" + bytes(fields, 4) + "WAVEfmt " + bytes(fields + 1, 20) + "data" + bytes(fields + 6, 4) + bytes(samples.data(), size);
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
    // Where needle starts in what was written, or -1.
    qsizetype find(const Samples &needle) const
    {
        const Samples written = samples();
        const auto found = std::search(written.begin(), written.end(), needle.begin(), needle.end());
        return found == written.end() ? -1 : found - written.begin();
    }
    const QString path;
};

// The player and the window's chimes through SDL's disk audio driver, where what
// reaches the "device" is compared sample by sample with the chimes.
class TestSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const std::string m_here = QCoreApplication::applicationDirPath().toStdString();
    const Samples m_pinpon = WaveFile::load(m_here + "/pinpon.wav").value_or(Samples(1024));
    const Samples m_endpinpon = WaveFile::load(m_here + "/endpinpon.wav").value_or(Samples(1024));
    const Samples m_opening = Samples(m_pinpon.begin(), m_pinpon.begin() + 1024);

    static bool reaches(const SdlChimePlayer &player, Output wanted) { return QTest::qWaitFor([&] { return player.output() == wanted; }); }

private slots:
    // A chime in the working directory comes before the one beside the program; a chime
    // that is missing stops the last one and leaves silence; a FIFO named as a chime is
    // never opened, which would wait for ever, and the next chime sounds.
    void lookedUp()
    {
        const QString here = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile own("endpinpon.wav"), third("third.wav");
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write(wave(Samples(44100, 1234))) && own.flush());
        QVERIFY(third.open(QIODevice::WriteOnly) && third.write(wave(Samples(4410, 2345))) && third.flush());
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
