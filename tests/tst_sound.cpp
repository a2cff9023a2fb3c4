// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "CueDevice.h"
#include "MMControl.h"
#include "PlayCue.h"
#include "WaveBytes.h"
#include "WaveFile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include <sys/stat.h>

using namespace WaveBytes;
using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

// Records what is stored into it, and plays the way the device does: "Sound" starts
// the opened file from its first sample, "Stop" silences whatever sounds.
class RecordingDevice : public CueDevice {
public:
    QStringList stores;
    QString fileName, opened, playing;

    void setCommand(std::string_view command) override
    {
        const QString c = QString::fromLatin1(command.data(), qsizetype(command.size()));
        stores << "command=" + c;
        if (c == "Stop")
            playing.clear();
        else if (c == "Close")
            opened.clear();
        else if (c == "Open")
            opened = fileName;
        else if (c == "Sound")
            playing = opened;
    }
    void setFileName(std::string_view name) override
    {
        fileName = QString::fromLatin1(name.data(), qsizetype(name.size()));
        stores << "file=" + fileName;
    }
};

std::string chimePath(const char *name)
{
    return QFINDTESTDATA(QStringLiteral("../resources/") + name).toStdString();
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void fiveStoresInOrder();
    void aNewCueCutsThePlayingOne();

    void decodesPcm_data();
    void decodesPcm();
    void rejectsWhatIsNotPlayable_data();
    void rejectsWhatIsNotPlayable();
    void unreadableFiles();
    void chimesAreWhatTheyShouldBe_data();
    void chimesAreWhatTheyShouldBe();

    void lookupOrder();
    void silentWithoutFileOrOutput();
};

void TestSound::fiveStoresInOrder()
{
    RecordingDevice device;
    PlayCue(device, "pinpon.wav");
    QCOMPARE(device.stores, (QStringList{"command=Stop", "command=Close", "file=pinpon.wav", "command=Open",
                                         "command=Sound"}));
}

void TestSound::aNewCueCutsThePlayingOne()
{
    RecordingDevice device;
    PlayCue(device, "pinpon.wav");
    QCOMPARE(device.playing, QStringLiteral("pinpon.wav"));
    PlayCue(device, "endpinpon.wav");
    QCOMPARE(device.playing, QStringLiteral("endpinpon.wav"));
    QCOMPARE(device.stores.size(), 10);
    QCOMPARE(device.stores.at(5), QStringLiteral("command=Stop"));
}

void TestSound::decodesPcm_data()
{
    QTest::addColumn<Bytes>("file");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("first");

    const std::vector<std::int16_t> ramp{0, 1000, -1000, 32767, -32768, 5};
    QTest::newRow("16-bit mono 44.1 kHz, exact") << wave(format(1, 1, 44100, 16), pcm16(ramp)) << 6 << 0;

    std::vector<std::int16_t> stereo;
    for (int i = 0; i < 4410; ++i)
        stereo.insert(stereo.end(), {std::int16_t(8000), std::int16_t(8000)});
    QTest::newRow("16-bit stereo, mixed down") << wave(format(1, 2, 44100, 16), pcm16(stereo)) << 4410 << 8000;

    QTest::newRow("8-bit unsigned") << wave(format(1, 1, 44100, 8), Bytes(441, 128 + 64)) << 441 << 64 * 256;

    Bytes wide;
    for (int i = 0; i < 100; ++i)
        wide.insert(wide.end(), {0x00, 0x00, 0x20});
    QTest::newRow("24-bit") << wave(format(1, 1, 44100, 24), wide) << 100 << 0x2000;

    Bytes extensible = format(0xFFFE, 1, 44100, 16);
    put16(extensible, 22);
    put16(extensible, 16);
    put32(extensible, 4);
    extensible.insert(extensible.end(), {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71});
    QTest::newRow("extensible PCM") << wave(extensible, pcm16({100, 200})) << 2 << 100;

    QTest::newRow("mu-law") << wave(format(7, 1, 44100, 8), Bytes(80, 0x80)) << 80 << 32124;
    QTest::newRow("16-bit at 22.05 kHz") << wave(format(1, 1, 22050, 16), pcm16(std::vector<std::int16_t>(2205, 1000)))
                                         << 4410 << 1000;

    Bytes claimsTooMuch = wave(format(1, 1, 44100, 16), pcm16({7, 8, 9}), 0xFFFFFFF0u);
    QTest::newRow("data chunk claiming 4 GiB plays what is there") << claimsTooMuch << 3 << 7;

    Bytes oddTail = wave(format(1, 1, 44100, 16), pcm16({7, 8, 9}));
    oddTail.push_back(0x55);
    QTest::newRow("half a sample at the end") << oddTail << 3 << 7;
}

void TestSound::decodesPcm()
{
    QFETCH(Bytes, file);
    QFETCH(int, frames);
    QFETCH(int, first);
    const auto samples = WaveFile::decode(file.data(), file.size());
    QVERIFY(samples);
    QVERIFY2(std::abs(int(samples->size()) - frames) <= frames / 100 + 1, qPrintable(QString::number(samples->size())));
    QVERIFY2(std::abs(samples->at(0) - first) <= 2, qPrintable(QString::number(samples->at(0))));
    if (QTest::currentDataTag() == QLatin1String("16-bit mono 44.1 kHz, exact"))
        QCOMPARE(*samples, (std::vector<std::int16_t>{0, 1000, -1000, 32767, -32768, 5}));
}

void TestSound::rejectsWhatIsNotPlayable_data()
{
    QTest::addColumn<Bytes>("file");
    const Bytes good = wave(format(1, 1, 44100, 16), pcm16({1, 2, 3, 4}));
    QTest::newRow("empty") << Bytes{};
    QTest::newRow("not RIFF") << Bytes{'O', 'g', 'g', 'S', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0, 0, 0};
    QTest::newRow("text") << Bytes(200, 'x');
    QTest::newRow("truncated header") << Bytes(good.begin(), good.begin() + 10);
    QTest::newRow("truncated format chunk") << Bytes(good.begin(), good.begin() + 24);
    QTest::newRow("no data chunk") << Bytes(good.begin(), good.begin() + 36);
    QTest::newRow("empty data chunk") << wave(format(1, 1, 44100, 16), {});
    QTest::newRow("zero channels") << wave(format(1, 0, 44100, 16), pcm16({1, 2}));
    QTest::newRow("sixty channels") << wave(format(1, 60, 44100, 16), Bytes(120, 0));
    QTest::newRow("compressed (IMA ADPCM)") << wave(format(0x11, 1, 44100, 4), Bytes(64, 0));
    QTest::newRow("six seconds at 1 kHz") << wave(format(1, 1, 1000, 8), Bytes(6000, 128));
    QTest::newRow("larger than a chime file may be") << wave(format(1, 1, 44100, 16), Bytes(WaveFile::largestFile, 0));
    QTest::newRow("zero rate") << wave(format(1, 1, 0, 16), pcm16({1, 2}));
    QTest::newRow("12-bit") << wave(format(1, 1, 44100, 12), Bytes(64, 0));
    Bytes badAlign = format(1, 2, 44100, 16);
    badAlign[12] = 3;
    QTest::newRow("block size not the frame size") << wave(badAlign, Bytes(64, 0));
    Bytes hugeFormat = good;
    hugeFormat[16] = 0xFF, hugeFormat[17] = 0xFF, hugeFormat[18] = 0xFF, hugeFormat[19] = 0xFF;
    QTest::newRow("format chunk claiming 4 GiB") << hugeFormat;
}

void TestSound::rejectsWhatIsNotPlayable()
{
    QFETCH(Bytes, file);
    QVERIFY(!WaveFile::decode(file.data(), file.size()));
}

void TestSound::unreadableFiles()
{
    QTemporaryDir dir;
    QVERIFY(!WaveFile::load(dir.filePath("missing.wav").toStdString()));
    QVERIFY(!WaveFile::load(dir.path().toStdString()));
    std::ofstream(dir.filePath("empty.wav").toStdString());
    QVERIFY(!WaveFile::load(dir.filePath("empty.wav").toStdString()));
    // Opening a FIFO would wait for a writer for ever.
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("fifo.wav")).constData(), 0600), 0);
    QVERIFY(!WaveFile::load(dir.filePath("fifo.wav").toStdString()));
}

void TestSound::chimesAreWhatTheyShouldBe_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("reset") << "pinpon.wav";
    QTest::newRow("exit") << "endpinpon.wav";
}

void TestSound::chimesAreWhatTheyShouldBe()
{
    QFETCH(QString, name);
    const std::string path = chimePath(qPrintable(name));
    std::ifstream file(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    QVERIFY(bytes.size() > 44);
    // 16-bit PCM mono at 44.1 kHz, as written.
    QCOMPARE(bytes[22], std::uint8_t(1));
    QCOMPARE(bytes[34], std::uint8_t(16));
    QCOMPARE(std::uint32_t(bytes[24] | bytes[25] << 8 | bytes[26] << 16), 44100u);

    const auto samples = WaveFile::load(path);
    QVERIFY(samples);
    QVERIFY(samples->size() < std::size_t(1.5 * 44100));
    int peak = 0;
    for (std::int16_t s : *samples)
        peak = std::max(peak, std::abs(int(s)));
    QVERIFY(peak > 16000);
    // A soft attack: the first millisecond stays well below the peak...
    for (std::size_t i = 0; i < 44; ++i)
        QVERIFY(std::abs(samples->at(i)) < peak / 4);
    // ...and 150 ms of silence at the end.
    for (std::size_t i = samples->size() - std::size_t(0.150 * 44100); i < samples->size(); ++i)
        QCOMPARE(samples->at(i), std::int16_t(0));
}

void TestSound::lookupOrder()
{
    const std::vector<std::string> path = MMControl::searchPath("pinpon.wav");
    QVERIFY(path.size() >= 3);
    QCOMPARE(QString::fromStdString(path[0]), QStringLiteral("pinpon.wav"));
    const QString here = QCoreApplication::applicationDirPath() + '/';
    QCOMPARE(QString::fromStdString(path[1]), here + "pinpon.wav");
    QCOMPARE(QString::fromStdString(path[2]), here + "../share/collatz/pinpon.wav");
    QVERIFY(QString::fromStdString(path.back()).endsWith("/share/collatz/pinpon.wav"));
    QCOMPARE(MMControl::searchPath("/x/y.wav"), std::vector<std::string>{"/x/y.wav"});
}

// No file and no sound output: every command is carried out silently and at once.
void TestSound::silentWithoutFileOrOutput()
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    MMControl device;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) {
        PlayCue(device, "no-such-chime.wav");
        PlayCue(device, chimePath("pinpon.wav"));
    }
    QVERIFY(clock.elapsed() < 2000);
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"
