// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "Form1.h"
#include "MMControl.h"
#include "PlayCue.h"
#include "WaveFile.h"

#include <QtTest>

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <thread>

using Samples = std::vector<std::int16_t>;

// SDL allocates through this: nothing the program does with a chime needs more than a
// few megabytes, whatever a file claims.
static void *bounded(std::size_t size) { return size > 16 << 20 ? nullptr : std::malloc(size); }
[[maybe_unused]] static const int allocating = SDL_SetMemoryFunctions(bounded, std::calloc, std::realloc, std::free);

// A RIFF WAVE file holding data, its data chunk claiming its true size unless told; its
// fields are little-endian, as on the machines these tests run on.
#pragma pack(push, 1)
struct WaveHeader {
    char riff[4]; quint32 riffSize; char waveFmt[8]; quint32 fmtSize; quint16 tag, channels; quint32 rate, byteRate;
    quint16 blockAlign, bits; char data[4]; quint32 dataSize;
};
#pragma pack(pop)
static QByteArray wave(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray &data, quint32 claim = 0)
{
    const WaveHeader header{{'R', 'I', 'F', 'F'}, quint32(36 + data.size()), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}, 16, tag, channels, rate,
                            rate * channels * bits / 8, quint16(channels * bits / 8), bits, {'d', 'a', 't', 'a'}, claim ? claim : quint32(data.size())};
    return QByteArray(reinterpret_cast<const char *>(&header), sizeof header) + data;
}

static QByteArray pcm(const Samples &samples) { return QByteArray(reinterpret_cast<const char *>(samples.data()), qsizetype(samples.size() * 2)); }

// Where needle starts in haystack, at from or later and before before, or -1.
static qsizetype find(const Samples &haystack, const Samples &needle, qsizetype from, qsizetype before)
{
    const auto end = haystack.begin() + std::min(before + qsizetype(needle.size()) - 1, qsizetype(haystack.size()));
    const auto found = std::search(haystack.begin() + from, end, needle.begin(), needle.end());
    return found == end ? -1 : found - haystack.begin();
}

// The chime reader; the player writing through SDL's disk audio driver, where what
// reaches the "device" is compared sample by sample with the chimes; and the window's
// chimes heard through the sound server that scripts/test starts.
class TestSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const std::string m_here = QCoreApplication::applicationDirPath().toStdString();
    const Samples m_pinpon = WaveFile::load(m_here + "/pinpon.wav").value_or(Samples());
    const Samples m_endpinpon = WaveFile::load(m_here + "/endpinpon.wav").value_or(Samples());

    // What a new player, made in this working directory, writes for these cues, given a
    // tenth of a second apart.
    Samples played(const std::vector<std::string> &cues, const QString &folder = QDir::currentPath())
    {
        static int run = 0;
        const QString output = m_dir.filePath(QString::number(++run)), here = QDir::currentPath();
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QDir::setCurrent(folder);
        {
            MMControl device;
            for (const std::string &cue : cues) {
                PlayCue(device, cue);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1600));
        }
        QDir::setCurrent(here);
        QFile file(output);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return Samples(reinterpret_cast<const std::int16_t *>(bytes.data()), reinterpret_cast<const std::int16_t *>(bytes.data() + bytes.size()));
    }

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("samples");
        QTest::newRow("16-bit") << wave(1, 1, 44100, 16, pcm({0, 1000, -1000, 32767, -32768, 5})) << QList<int>{0, 1000, -1000, 32767, -32768, 5};
        // SDL mixes through floating point, where half of full scale comes back one short.
        QTest::newRow("stereo 8-bit, mixed down") << wave(1, 2, 44100, 8, QByteArray("\xC0\xC0\x80\x80", 4)) << QList<int>{16383, 0};
        QTest::newRow("22.05 kHz, resampled") << wave(1, 1, 22050, 16, pcm(Samples(2205, 0))) << QList<int>(4410, 0);
        QTest::newRow("claiming 64 MiB, what is there") << wave(1, 1, 44100, 16, pcm({7, 8, 9}), 64 << 20) << QList<int>{7, 8, 9};
        // Refused: what is not a chime file, or is larger or longer than a chime.
        QTest::newRow("no RIFF header") << wave(1, 1, 44100, 16, pcm({1, 2, 3, 4})).mid(8) << QList<int>{};
        QTest::newRow("six seconds at 1 kHz") << wave(1, 1, 1000, 8, QByteArray(6000, '\x80')) << QList<int>{};
        QTest::newRow("more than 2 MiB, 2.7 seconds") << wave(1, 2, 192000, 16, QByteArray(WaveFile::largestFile, 0)) << QList<int>{};
    }
    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, samples);
        const Samples read = WaveFile::decode(reinterpret_cast<const std::uint8_t *>(file.data()), std::size_t(file.size())).value_or(Samples());
        QCOMPARE(QList<int>(read.begin(), read.end()), samples);
    }

    // A cue plays its chime whole from its first sample, soon after the output opens; the
    // next cue cuts it off at once. A chime in the working directory comes before the one
    // beside the program; a cue whose chime is missing stops the last one and leaves
    // silence; a FIFO named as a chime is silent, never opened, which would wait for ever.
    void cues()
    {
        const qsizetype soon = 44100 / 10;
        const Samples opening(m_pinpon.begin(), m_pinpon.begin() + 2048);
        const Samples cut = played({"pinpon.wav", "endpinpon.wav"});
        const qsizetype first = find(cut, opening, 0, soon);
        const qsizetype second = find(cut, m_endpinpon, first + 1, first + qsizetype(m_pinpon.size()));
        QVERIFY2(first >= 0 && second > first, "the second chime did not cut the first");
        // Until the switch the first chime sounds; the buffer between "Stop" and "Sound"
        // may go out silent.
        const auto same = std::mismatch(cut.begin() + first, cut.begin() + second, m_pinpon.begin()).first - cut.begin();
        QVERIFY2(second - same <= 256, qPrintable(QString::number(second - same)));

        QFile own(m_dir.filePath("endpinpon.wav"));
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write(wave(1, 1, 44100, 16, pcm(Samples(44100, 1234)))) && own.flush());
        const QByteArray fifo = QFile::encodeName(m_dir.filePath("pinpon.wav"));
        QCOMPARE(mkfifo(fifo, 0600), 0);
        // Opening the FIFO's other end succeeds only while something has it open to read.
        auto opened = std::async(std::launch::async, [fifo] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const int end = ::open(fifo, O_WRONLY | O_NONBLOCK);
            return end >= 0 && ::close(end) == 0;
        });
        const Samples here = played({"endpinpon.wav", "no-such-chime.wav", "pinpon.wav"}, m_dir.path());
        const qsizetype tone = find(here, Samples(2048, 1234), 0, soon);
        QVERIFY2(tone >= 0 && find(here, opening, 0, 44100) < 0 && find(here, Samples(&m_endpinpon[0], &m_endpinpon[2048]), 0, 44100) < 0,
                 "the working directory's chime did not come first");
        QVERIFY2(qsizetype(here.size()) > tone + 44100 && std::all_of(here.begin() + tone + 22050, here.begin() + tone + 44100, [](auto s) { return s == 0; }),
                 "a chime went on after a cue whose chime is missing");
        QVERIFY2(!opened.get(), "a FIFO named as a chime was opened");
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
            const auto *samples = reinterpret_cast<const std::int16_t *>(recorded.constData());
            const Samples recording(samples, samples + recorded.size() / 2);
            const auto piece = [&](qsizetype at) { return find(recording, Samples(&chime[at], &chime[at + 441]), from, from + 22050 + at) >= 0; };
            return piece(2205) || piece(4410) || piece(6615);
        };
        Form1 form;
        form.show();
        QVERIFY2(QTest::qWaitFor([&] { return recorded.size() > 44100; }) && QTest::qWaitForWindowExposed(&form), "nothing recorded: no sound server?");
        qsizetype clicked = recorded.size() / 2;
        QTest::mouseClick(form.findChild<QWidget *>("Command3"), Qt::LeftButton);
        QTest::qWait(1600);
        QVERIFY2(heard(clicked, m_pinpon) && !heard(clicked, m_endpinpon), "the reset chime was not heard");
        clicked = recorded.size() / 2;
        QTimer::singleShot(1000, this, [&] {
            QApplication::activeModalWidget()->close();
            QVERIFY2(heard(clicked, m_endpinpon), "the exit chime was not heard while the question waited");
        });
        QTest::mouseClick(form.findChild<QWidget *>("Command2"), Qt::LeftButton);
    }
};

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
