// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#include "MMControl.h"
#include "PlayCue.h"
#include "WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

// The real player writing through SDL's disk audio driver: what reaches the "device"
// is compared sample by sample with the chimes.
class TestDiskAudio : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void chimeFromItsFirstSample();
    void secondCueContinuesWithItsFirstSample();

private:
    std::vector<std::int16_t> output() const;
    static qsizetype find(const std::vector<std::int16_t> &haystack, const std::vector<std::int16_t> &needle,
                          qsizetype from, qsizetype to);

    QTemporaryDir m_dir;
    QString m_outputFile;
    std::vector<std::int16_t> m_pinpon, m_endpinpon;
    std::string m_pinponPath, m_endpinponPath;
    MMControl *m_device = nullptr;
};

void TestDiskAudio::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_outputFile = m_dir.filePath("output.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_outputFile));
    m_pinponPath = QFINDTESTDATA("../resources/pinpon.wav").toStdString();
    m_endpinponPath = QFINDTESTDATA("../resources/endpinpon.wav").toStdString();
    m_pinpon = *WaveFile::load(m_pinponPath);
    m_endpinpon = *WaveFile::load(m_endpinponPath);
    static MMControl device;
    m_device = &device;
}

std::vector<std::int16_t> TestDiskAudio::output() const
{
    QFile file(m_outputFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> samples(std::size_t(bytes.size()) / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

// Where needle starts within [from, to) of haystack, or -1.
qsizetype TestDiskAudio::find(const std::vector<std::int16_t> &haystack, const std::vector<std::int16_t> &needle,
                              qsizetype from, qsizetype to)
{
    for (qsizetype at = from; at < to && at + qsizetype(needle.size()) <= qsizetype(haystack.size()); ++at) {
        if (std::equal(needle.begin(), needle.end(), haystack.begin() + at))
            return at;
    }
    return -1;
}

void TestDiskAudio::chimeFromItsFirstSample()
{
    const qsizetype before = qsizetype(output().size());
    PlayCue(*m_device, m_pinponPath);
    std::this_thread::sleep_for(std::chrono::milliseconds(1700));
    const std::vector<std::int16_t> written = output();

    // Silence until the cue, then the whole chime to its last sample, within a few
    // device buffers of the call.
    const qsizetype start = find(written, m_pinpon, std::max<qsizetype>(0, before - 1), before + 3 * 4096);
    QVERIFY2(start >= 0, "the chime was not written in full from its first sample");
    for (qsizetype i = std::max<qsizetype>(0, before - 1); i < start; ++i)
        QCOMPARE(written[std::size_t(i)], std::int16_t(0));
}

void TestDiskAudio::secondCueContinuesWithItsFirstSample()
{
    const qsizetype before = qsizetype(output().size());
    PlayCue(*m_device, m_pinponPath);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    PlayCue(*m_device, m_endpinponPath);
    std::this_thread::sleep_for(std::chrono::milliseconds(1800));
    const std::vector<std::int16_t> written = output();

    // The first chime starts...
    qsizetype first = -1;
    const std::vector<std::int16_t> opening(m_pinpon.begin(), m_pinpon.begin() + 2048);
    first = find(written, opening, std::max<qsizetype>(0, before - 1), before + 3 * 4096);
    QVERIFY2(first >= 0, "the first chime did not start");
    // ...the second follows in full, from its first sample...
    const qsizetype second = find(written, m_endpinpon, first + 2048, first + qsizetype(0.4 * 44100));
    QVERIFY2(second >= 0, "the second chime was not written in full from its first sample");
    // ...about 0.1 s into the first, which is cut off there.
    const qsizetype played = second - first;
    QVERIFY2(played > 0.05 * 44100 && played < 0.25 * 44100, qPrintable(QString::number(played)));
    qsizetype same = 0;
    while (same < played && written[std::size_t(first + same)] == m_pinpon[std::size_t(same)])
        ++same;
    // Up to the switch the output is the first chime; at most the part of one device
    // buffer that fell between "Stop" and "Sound" may be silent.
    for (qsizetype i = first + same; i < second; ++i)
        QCOMPARE(written[std::size_t(i)], std::int16_t(0));
    QVERIFY2(played - same < 4096, qPrintable(QString::number(played - same)));
}

QTEST_GUILESS_MAIN(TestDiskAudio)
#include "tst_diskaudio.moc"
