// The analyzer's sample supply: window sizes and contents, the two buffers' loads, prefetch
// and switch, seeks, the WAVE tail, and MPEG decoding through libmpg123.
#include "analyzer/sample_supply.h"
#include "analyzer/stream_header.h"
#include "support/riff_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

const QString FixtureDir = QStringLiteral(LUMO_FIXTURE_DIR);
const QString DemoDir = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo");

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The ramp the WAVE tests write: every frame names its own index. 16-bit stereo holds the
// index itself (left the low half, right the high half), 16-bit mono its low 16 bits, the
// 8-bit kinds the index modulo 251 (left) and modulo 241 (right).
int Ramp(int kind, int frame, int channel)
{
    switch (kind) {
    case 1:
        return channel == 0 ? (frame & 0xFFFF) : (frame >> 16);
    case 2:
        return frame & 0xFFFF;
    default:
        return channel == 0 ? frame % 251 : frame % 241;
    }
}

int ChannelsOf(int kind)
{
    return (kind == 1 || kind == 3) ? 2 : 1;
}

int BitsOf(int kind)
{
    return kind <= 2 ? 16 : 8;
}

// The frame the window holds at index i, as the pair of raw channel values of the file.
QPair<int, int> RawFrame(const SampleWindow &w, std::size_t i)
{
    switch (w.sampleKind) {
    case 1:
        return {int(w.stereo16[i] & 0xFFFFu), int(w.stereo16[i] >> 16)};
    case 2:
        return {int(std::uint16_t(w.mono16[i])), 0};
    case 3:
        return {w.stereo8[i] & 0xFF, w.stereo8[i] >> 8};
    default:
        return {w.mono8[i], 0};
    }
}

// The raw values the ramp file holds at frame i (file frames beyond the end are silence).
QPair<int, int> ExpectedFrame(int kind, int frame, int fileFrames)
{
    if (frame >= fileFrames) {
        const int silence = kind >= 3 ? 128 : 0;
        return {silence, ChannelsOf(kind) == 2 ? silence : 0};
    }
    return {Ramp(kind, frame, 0), ChannelsOf(kind) == 2 ? Ramp(kind, frame, 1) : 0};
}

// A supply over a ramp WAVE file written into a temporary directory.
struct WaveRig
{
    QTemporaryDir dir;
    QString path;
    StreamInfo info;
    SampleSupply supply;
    int kind = 1;
    int rate = 44100;
    int frames = 0;

    WaveRig(int sampleKind, double seconds, int sampleRate = 44100)
        : kind(sampleKind), rate(sampleRate), frames(int(std::lround(seconds * sampleRate)))
    {
        path = dir.filePath(QStringLiteral("ramp.wav"));
        const int k = kind;
        WriteFile(path, PcmWaveBytes(ChannelsOf(kind), BitsOf(kind), rate, frames,
                                     [k](int i, int c) { return Ramp(k, i, c); }));
        ReadWaveHeader(path, info);
        supply.Allocate(path, info, false);
    }
};

// A supply over an MPEG audio file.
struct MpegRig
{
    QString path;
    StreamInfo info;
    SampleSupply supply;
    bool accepted = false;

    explicit MpegRig(const QString &file) : path(file)
    {
        accepted = ReadMpegAudioHeader(path, info);
        supply.Allocate(path, info, true);
    }
};

// Left (or mono) samples of a 16-bit window as signed values.
std::vector<int> Channel(const SampleWindow &w, int channel)
{
    std::vector<int> out;
    if (w.sampleKind == 1) {
        for (std::uint32_t frame : w.stereo16)
            out.push_back(std::int16_t(channel == 0 ? frame & 0xFFFFu : frame >> 16));
    } else if (w.sampleKind == 2) {
        for (std::int16_t s : w.mono16)
            out.push_back(s);
    }
    return out;
}

// Sign changes of the signal, ignoring samples near zero so that noise cannot add any.
int ZeroCrossings(const std::vector<int> &samples)
{
    int crossings = 0;
    int sign = 0;
    for (int s : samples) {
        const int now = s > 200 ? 1 : (s < -200 ? -1 : 0);
        if (now != 0 && sign != 0 && now != sign)
            ++crossings;
        if (now != 0)
            sign = now;
    }
    return crossings;
}

int Peak(const std::vector<int> &samples)
{
    int peak = 0;
    for (int s : samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An ID3 version 2 tag of the given body size (padding only).
QByteArray Id3v2Tag(int bodySize)
{
    QByteArray tag("ID3\x04\x00\x00", 6);
    for (int i = 0; i < 4; ++i)
        tag.append(char((bodySize >> (21 - 7 * i)) & 0x7F));
    return tag + QByteArray(bodySize, '\0');
}

} // namespace

class TestSampleSupply : public QObject
{
    Q_OBJECT

private slots:
    void windowFrameCount_data();
    void windowFrameCount();
    void windowHoldsFileSamples_data();
    void windowHoldsFileSamples();
    void firstFetchLoadsBufferZero();
    void oneSecondWindowLoadsOnLeavingTick();
    void steadyPlaybackPrefetchesOnce_data();
    void steadyPlaybackPrefetchesOnce();
    void seekBackwardsFailsOneTick();
    void seekBackwardsWithoutPrefetchLoadsAtOnce();
    void waveTailIsSilence_data();
    void waveTailIsSilence();
    void failedLoadKeepsState();
    void unsupportedKindCopiesNothing();
    void mpegLoadDecodesFromFirstFrame();
    void mpegKindsUseTheirBuffers_data();
    void mpegKindsUseTheirBuffers();
    void mpegTone_data();
    void mpegTone();
    void mpegAfterLargeId3Tag();
    void mpegPlaysThroughDemo();
};

void TestSampleSupply::windowFrameCount_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("timeRange");
    QTest::addColumn<int>("frames");
    QTest::newRow("44.1 kHz, 10 ms") << 44100 << 1 << 441;
    QTest::newRow("44.1 kHz, 50 ms") << 44100 << 5 << 2205;
    QTest::newRow("44.1 kHz, 1 s") << 44100 << 100 << 44100;
    QTest::newRow("48 kHz, 200 ms") << 48000 << 20 << 9600;
    // Halves go to the even neighbour, as everywhere in the player.
    QTest::newRow("22.05 kHz, 10 ms: 220.5") << 22050 << 1 << 220;
    QTest::newRow("11.025 kHz, 100 ms: 1102.5") << 11025 << 10 << 1102;
    QTest::newRow("11.025 kHz, 50 ms: 551.25") << 11025 << 5 << 551;
    QTest::newRow("8 kHz, 10 ms") << 8000 << 1 << 80;
}

void TestSampleSupply::windowFrameCount()
{
    QFETCH(int, rate);
    QFETCH(int, timeRange);
    QFETCH(int, frames);
    WaveRig rig(2, 2.0, rate);
    QCOMPARE(rig.info.SampleKind, 2);
    QVERIFY(rig.supply.FetchWindow(0.5f, timeRange));
    QCOMPARE(rig.supply.Window().FrameCount(), std::size_t(frames));
    QCOMPARE(rig.info.SampleRate, rate);
}

void TestSampleSupply::windowHoldsFileSamples_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<float>("first");
    QTest::addColumn<float>("second");
    QTest::addColumn<int>("timeRange");
    for (int kind = 1; kind <= 4; ++kind) {
        const QByteArray k = QByteArray::number(kind);
        QTest::newRow("kind " + k + ", start") << kind << 0.0f << 0.0f << 10;
        QTest::newRow("kind " + k + ", within the buffer") << kind << 0.25f << 3.5f << 5;
        QTest::newRow("kind " + k + ", last second, 1 s window") << kind << 1.5f << 5.375f << 100;
        QTest::newRow("kind " + k + ", 10 ms near the end of the cover")
            << kind << 2.0f << 6.9375f << 1;
    }
}

// The window is the file's frames from floor(p x rate) on: a load at `first`, then a copy at
// `second` from the same buffer.
void TestSampleSupply::windowHoldsFileSamples()
{
    QFETCH(int, kind);
    QFETCH(float, first);
    QFETCH(float, second);
    QFETCH(int, timeRange);
    WaveRig rig(kind, 9.0);
    QCOMPARE(int(rig.info.SampleKind), kind);
    QVERIFY(rig.supply.FetchWindow(first, timeRange));
    QVERIFY(rig.supply.FetchWindow(second, timeRange));
    // A prefetch may have loaded the other buffer; the window still comes from the first.
    QCOMPARE(rig.supply.CurrentBuffer(), 0);
    QCOMPARE(rig.supply.BufferStart(0), first);

    const SampleWindow w = rig.supply.Window();
    const std::size_t count = std::size_t(timeRange) * 441;
    QCOMPARE(w.FrameCount(), count);
    const int firstFrame = int(std::floor(double(second) * rig.rate));
    for (std::size_t i = 0; i < count; ++i) {
        const auto expected = ExpectedFrame(kind, firstFrame + int(i), rig.frames);
        if (RawFrame(w, i) != expected)
            QFAIL(qPrintable(QStringLiteral("frame %1: %2/%3, expected %4/%5")
                                 .arg(i)
                                 .arg(RawFrame(w, i).first)
                                 .arg(RawFrame(w, i).second)
                                 .arg(expected.first)
                                 .arg(expected.second)));
    }
}

void TestSampleSupply::firstFetchLoadsBufferZero()
{
    WaveRig rig(1, 2.0);
    QCOMPARE(rig.supply.CurrentBuffer(), 1);
    QCOMPARE(rig.supply.FillBuffer(), 1);
    QCOMPARE(rig.supply.BufferStart(0), -1.0f);
    QCOMPARE(rig.supply.BufferStart(1), -1.0f);
    QCOMPARE(rig.supply.BufferFrames(0), std::size_t(220500));
    QCOMPARE(rig.supply.BufferFrames(1), std::size_t(220500));

    QVERIFY(rig.supply.FetchWindow(0.75f, 10));
    QCOMPARE(rig.supply.CurrentBuffer(), 0);
    QCOMPARE(rig.supply.FillBuffer(), 0);
    QCOMPARE(rig.supply.BufferStart(0), 0.75f);
    QCOMPARE(rig.supply.BufferStart(1), -1.0f);
    QCOMPARE(rig.supply.Loads(), 1);

    rig.supply.Reset();
    QCOMPARE(rig.supply.CurrentBuffer(), 1);
    QCOMPARE(rig.supply.FillBuffer(), 1);
    QCOMPARE(rig.supply.BufferStart(0), -1.0f);
    QCOMPARE(rig.supply.BufferFrames(0), std::size_t(0));
    QCOMPARE(rig.supply.Window().FrameCount(), std::size_t(0));
}

// With a one-second window the buffer covers p only below start + 4, so the last-second
// prefetch never happens: the tick that leaves the buffer loads the next one and still draws.
void TestSampleSupply::oneSecondWindowLoadsOnLeavingTick()
{
    WaveRig rig(1, 14.0);
    QList<float> loadedAt;
    const float step = 1.0f / 32; // exact in binary, so the ticks land on 4.0 and 8.0
    for (int tick = 0; tick * step < 12.5f; ++tick) {
        const float p = tick * step;
        const int loads = rig.supply.Loads();
        QVERIFY2(rig.supply.FetchWindow(p, 100), qPrintable(QString::number(p)));
        QCOMPARE(rig.supply.Window().FrameCount(), std::size_t(44100));
        // Nothing is ever waiting: every load is used at once.
        QCOMPARE(rig.supply.CurrentBuffer(), rig.supply.FillBuffer());
        if (rig.supply.Loads() != loads) {
            QCOMPARE(rig.supply.Loads(), loads + 1);
            loadedAt << p;
            QCOMPARE(rig.supply.BufferStart(rig.supply.CurrentBuffer()), p);
        }
        const auto raw = RawFrame(rig.supply.Window(), 0);
        QCOMPARE(raw.first | (raw.second << 16), int(std::floor(double(p) * 44100)));
    }
    QCOMPARE(loadedAt, (QList<float>{0.0f, 4.0f, 8.0f, 12.0f}));
}

void TestSampleSupply::steadyPlaybackPrefetchesOnce_data()
{
    QTest::addColumn<int>("timeRange");
    QTest::addColumn<QList<float>>("loads");
    QTest::addColumn<QList<float>>("switches");
    // Prefetch at start + 4; switch once start + 5 - w is no longer above p.
    QTest::newRow("10 ms") << 1 << QList<float>{0.0f, 4.0f, 8.0f, 12.0f}
                           << QList<float>{5.0f, 9.0f};
    QTest::newRow("100 ms") << 10 << QList<float>{0.0f, 4.0f, 8.0f, 12.0f}
                            << QList<float>{4.90625f, 8.90625f};
    QTest::newRow("500 ms") << 50 << QList<float>{0.0f, 4.0f, 8.0f, 12.0f}
                            << QList<float>{4.5f, 8.5f};
}

// Steady playback: one prefetch in the last second, then the switch to it, every tick drawn.
void TestSampleSupply::steadyPlaybackPrefetchesOnce()
{
    QFETCH(int, timeRange);
    QFETCH(QList<float>, loads);
    QFETCH(QList<float>, switches);
    WaveRig rig(2, 14.0);
    QList<float> loadedAt, switchedAt;
    int current = -1;
    const float step = 1.0f / 32;
    for (int tick = 0; tick * step < 12.5f; ++tick) {
        const float p = tick * step;
        const int before = rig.supply.Loads();
        QVERIFY2(rig.supply.FetchWindow(p, timeRange), qPrintable(QString::number(p)));
        if (rig.supply.Loads() != before)
            loadedAt << p;
        if (current != -1 && rig.supply.CurrentBuffer() != current)
            switchedAt << p;
        current = rig.supply.CurrentBuffer();
        const float start = rig.supply.BufferStart(current);
        // A prefetched buffer waits exactly while the window is in the last second.
        const bool waiting = rig.supply.FillBuffer() != current;
        QCOMPARE(waiting, p >= start + 4.0f);
        if (waiting)
            QCOMPARE(rig.supply.BufferStart(rig.supply.FillBuffer()), start + 4.0f);
        QCOMPARE(int(std::uint16_t(rig.supply.Window().mono16[0])),
                 int(std::floor(double(p) * 44100)) & 0xFFFF);
    }
    // The first load is not a switch (buffer 1 to 0 happens in the first tick).
    QCOMPARE(loadedAt, loads);
    QCOMPARE(switchedAt, switches);
}

// A seek backwards while a prefetched buffer waits: that buffer starts after p, so the tick
// fails; the next tick loads at the new position.
void TestSampleSupply::seekBackwardsFailsOneTick()
{
    WaveRig rig(1, 12.0);
    for (float p : {0.0f, 2.0f, 4.0f, 4.5f, 5.0f, 7.0f, 8.0f})
        QVERIFY(rig.supply.FetchWindow(p, 10));
    QCOMPARE(rig.supply.Loads(), 3);
    QCOMPARE(rig.supply.BufferStart(rig.supply.CurrentBuffer()), 4.0f);
    QCOMPARE(rig.supply.BufferStart(rig.supply.FillBuffer()), 8.0f);

    QVERIFY(!rig.supply.FetchWindow(2.0f, 10));
    QCOMPARE(rig.supply.Loads(), 3);
    QCOMPARE(rig.supply.BufferStart(rig.supply.CurrentBuffer()), 8.0f);

    QVERIFY(rig.supply.FetchWindow(2.03125f, 10));
    QCOMPARE(rig.supply.Loads(), 4);
    QCOMPARE(rig.supply.CurrentBuffer(), rig.supply.FillBuffer());
    QCOMPARE(rig.supply.BufferStart(rig.supply.CurrentBuffer()), 2.03125f);
    const auto raw = RawFrame(rig.supply.Window(), 0);
    QCOMPARE(raw.first | (raw.second << 16), int(std::floor(2.03125 * 44100)));
}

void TestSampleSupply::seekBackwardsWithoutPrefetchLoadsAtOnce()
{
    WaveRig rig(1, 12.0);
    QVERIFY(rig.supply.FetchWindow(6.0f, 10));
    QVERIFY(rig.supply.FetchWindow(1.0f, 10));
    QCOMPARE(rig.supply.Loads(), 2);
    QCOMPARE(rig.supply.BufferStart(rig.supply.CurrentBuffer()), 1.0f);
    const auto raw = RawFrame(rig.supply.Window(), 0);
    QCOMPARE(raw.first | (raw.second << 16), 44100);
}

void TestSampleSupply::waveTailIsSilence_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("16-bit stereo") << 1;
    QTest::newRow("16-bit mono") << 2;
    QTest::newRow("8-bit stereo") << 3;
    QTest::newRow("8-bit mono") << 4;
}

// A buffer that held samples from an earlier load and is reloaded near the end of the file
// holds silence beyond the end, not the earlier samples.
void TestSampleSupply::waveTailIsSilence()
{
    QFETCH(int, kind);
    WaveRig rig(kind, 6.0);
    SampleSupply &s = rig.supply;
    QVERIFY(s.FetchWindow(0.0f, 10));  // buffer 0 at 0
    QVERIFY(s.FetchWindow(4.0f, 10));  // buffer 1 prefetched at 4: file 4..6 s, then silence
    QVERIFY(s.FetchWindow(0.5f, 10));  // still buffer 0
    QVERIFY(s.FetchWindow(4.95f, 10)); // switch to buffer 1
    QCOMPARE(s.CurrentBuffer(), 1);
    QVERIFY(s.FetchWindow(1.0f, 10)); // seek back: buffer 0 reloaded at 1
    QCOMPARE(s.CurrentBuffer(), 0);
    QVERIFY(s.FetchWindow(5.0f, 10)); // prefetch: buffer 1 reloaded at 5, 1 s of samples
    QCOMPARE(s.BufferStart(1), 5.0f);
    QVERIFY(s.FetchWindow(5.9375f, 100)); // switch; window 5.9375..6.9375 crosses the end
    QCOMPARE(s.CurrentBuffer(), 1);
    QCOMPARE(s.Loads(), 4);

    const SampleWindow w = s.Window();
    const int firstFrame = int(std::floor(5.9375 * 44100));
    int silent = 0;
    for (std::size_t i = 0; i < w.FrameCount(); ++i) {
        const int frame = firstFrame + int(i);
        const auto expected = ExpectedFrame(kind, frame, rig.frames);
        QCOMPARE(RawFrame(w, i), expected);
        silent += frame >= rig.frames;
    }
    QVERIFY(silent > 40000);
    // The window further on is silence only: the earlier load's file 5..6 s lay there.
    QVERIFY(s.FetchWindow(6.5f, 100));
    const SampleWindow later = s.Window();
    const int quiet = kind >= 3 ? 128 : 0;
    for (std::size_t i = 0; i < later.FrameCount(); ++i)
        QCOMPARE(RawFrame(later, i), qMakePair(quiet, ChannelsOf(kind) == 2 ? quiet : 0));
}

// A load that fails leaves the target buffer empty, the fill index where it was, and reports
// failure; the next tick tries again.
void TestSampleSupply::failedLoadKeepsState()
{
    WaveRig rig(1, 8.0);
    QVERIFY(rig.supply.FetchWindow(0.0f, 10));
    QVERIFY(QFile::rename(rig.path, rig.path + QStringLiteral(".gone")));
    QVERIFY(!rig.supply.FetchWindow(4.0f, 10));
    QCOMPARE(rig.supply.CurrentBuffer(), 0);
    QCOMPARE(rig.supply.FillBuffer(), 0);
    QCOMPARE(rig.supply.BufferStart(1), -1.0f);
    QCOMPARE(rig.supply.Loads(), 1);
    // A position before the start of the file fails the same way.
    QVERIFY(!rig.supply.FetchWindow(-1.0f, 10));
    QCOMPARE(rig.supply.FillBuffer(), 0);
    QVERIFY(QFile::rename(rig.path + QStringLiteral(".gone"), rig.path));
    QVERIFY(rig.supply.FetchWindow(4.0f, 10));
    QCOMPARE(rig.supply.Loads(), 2);
    QCOMPARE(rig.supply.BufferStart(1), 4.0f);
}

void TestSampleSupply::unsupportedKindCopiesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("24bit.wav"));
    QVERIFY(WriteFile(path, PcmWaveBytes(2, 24, 44100, 4410, [](int, int) { return 0x123456; })));
    StreamInfo info;
    QCOMPARE(ReadWaveHeader(path, info), WaveHeaderResult::Unsupported);
    QCOMPARE(info.SampleKind, 0);
    SampleSupply supply;
    supply.Allocate(path, info, false);
    QCOMPARE(supply.BufferFrames(0), std::size_t(0));
    // There are no samples to read or copy, and that is no failure: the displays draw
    // silence rather than skipping every frame.
    QVERIFY(supply.FetchWindow(0.0f, 10));
    QVERIFY(supply.FetchWindow(3.0f, 100));
    QCOMPARE(supply.Window().sampleKind, 0);
    QCOMPARE(supply.Window().FrameCount(), std::size_t(0));
    // Kind 0 in the MPEG path fails as well.
    SampleSupply mpeg;
    mpeg.Allocate(path, info, true);
    QVERIFY(!mpeg.LoadBuffer(0.0f));
    QCOMPARE(mpeg.FillBuffer(), 1);
}

// The fixture's header gives the 418-byte frame; a load decodes from the first frame on.
void TestSampleSupply::mpegLoadDecodesFromFirstFrame()
{
    MpegRig rig(FixtureDir + QStringLiteral("/tone128_stereo.mp3"));
    QVERIFY(rig.accepted);
    QCOMPARE(rig.info.Mp3Format.nBlockSize, 418);
    QCOMPARE(rig.info.Mp3Format.nAvgBytesPerSec, 16000u);
    QCOMPARE(rig.info.AudioStart, qint64(5));
    QVERIFY(rig.supply.LoadBuffer(0.0f));
    // The 4-second file holds fewer bytes than a load asks for: its whole length decodes,
    // about four seconds of frames (the first frame is the encoder's information frame).
    const std::size_t frames = rig.supply.BufferFrames(0);
    QVERIFY2(frames > std::size_t(3.9 * 44100) && frames < std::size_t(4.2 * 44100),
             qPrintable(QString::number(frames)));
    // A load in the middle of the file starts at a frame boundary as well and decodes.
    QVERIFY(rig.supply.LoadBuffer(1.3f));
    QCOMPARE(rig.supply.BufferStart(1), 1.3f);
    QVERIFY(rig.supply.BufferFrames(1) > std::size_t(2.5 * 44100));
}

void TestSampleSupply::mpegKindsUseTheirBuffers_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kind");
    QTest::newRow("stereo: 32-bit frames") << "tone128_stereo.mp3" << 1;
    QTest::newRow("mono: 16-bit samples") << "tone128_mono.mp3" << 2;
}

void TestSampleSupply::mpegKindsUseTheirBuffers()
{
    QFETCH(QString, file);
    QFETCH(int, kind);
    MpegRig rig(FixtureDir + QLatin1Char('/') + file);
    QVERIFY(rig.accepted);
    QCOMPARE(int(rig.info.SampleKind), kind);
    QVERIFY(rig.supply.FetchWindow(1.0f, 10));
    const SampleWindow w = rig.supply.Window();
    QCOMPARE(w.FrameCount(), std::size_t(4410));
    QCOMPARE(w.stereo16.size(), kind == 1 ? std::size_t(4410) : std::size_t(0));
    QCOMPARE(w.mono16.size(), kind == 2 ? std::size_t(4410) : std::size_t(0));
    QVERIFY(w.stereo8.empty() && w.mono8.empty());
}

void TestSampleSupply::mpegTone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<float>("p");
    QTest::addColumn<int>("leftHz");
    QTest::addColumn<int>("rightHz");
    QTest::newRow("128k stereo, 440 Hz left, 1 kHz right")
        << FixtureDir + "/tone128_stereo.mp3" << 1.0f << 440 << 1000;
    QTest::newRow("128k stereo, loaded mid-file")
        << FixtureDir + "/tone128_stereo.mp3" << 2.7f << 440 << 1000;
    QTest::newRow("128k mono, 440 Hz") << FixtureDir + "/tone128_mono.mp3" << 0.5f << 440 << 0;
    QTest::newRow("64k stereo after ID3v2, 1 kHz")
        << FixtureDir + "/tone_2s.mp3" << 0.5f << 1000 << 1000;
}

// Decoded samples are the file's tone: 0.1 s of a sine of f Hz crosses zero 0.2 f times and
// peaks near half of full scale (the fixtures are made at half volume).
void TestSampleSupply::mpegTone()
{
    QFETCH(QString, file);
    QFETCH(float, p);
    QFETCH(int, leftHz);
    QFETCH(int, rightHz);
    MpegRig rig(file);
    QVERIFY(rig.accepted);
    QVERIFY(rig.supply.FetchWindow(p, 10));
    const SampleWindow w = rig.supply.Window();
    const QList<int> hz{leftHz, rightHz};
    for (int channel = 0; channel < (w.sampleKind == 1 ? 2 : 1); ++channel) {
        const std::vector<int> samples = Channel(w, channel);
        QCOMPARE(samples.size(), std::size_t(rig.info.SampleRate / 10));
        const int expected = hz[channel] / 5;
        const int crossings = ZeroCrossings(samples);
        QVERIFY2(std::abs(crossings - expected) <= 2,
                 qPrintable(QStringLiteral("channel %1: %2 crossings, expected %3")
                                .arg(channel)
                                .arg(crossings)
                                .arg(expected)));
        const int peak = Peak(samples);
        QVERIFY2(peak > 14000 && peak < 19000, qPrintable(QString::number(peak)));
    }
}

// A 100 KB ID3 version 2 tag in front does not fit 16 bits; the audio behind it still decodes.
void TestSampleSupply::mpegAfterLargeId3Tag()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tagged.mp3"));
    const QByteArray audio = ReadAll(FixtureDir + QStringLiteral("/tone128_stereo.mp3"));
    QVERIFY(!audio.isEmpty());
    QVERIFY(WriteFile(path, Id3v2Tag(100 * 1024) + audio));
    MpegRig rig(path);
    QVERIFY(rig.accepted);
    QCOMPARE(rig.info.AudioStart, qint64(10 + 100 * 1024 + 4 + 1));
    QVERIFY(rig.supply.FetchWindow(0.5f, 10));
    const std::vector<int> left = Channel(rig.supply.Window(), 0);
    const std::vector<int> right = Channel(rig.supply.Window(), 1);
    QVERIFY(std::abs(ZeroCrossings(left) - 88) <= 2);
    QVERIFY(std::abs(ZeroCrossings(right) - 200) <= 2);
}

// The 32-second demo at 160 kbit/s, ticked every 40 ms: every window up to the last five
// seconds' tail is supplied, with one load about every four seconds.
void TestSampleSupply::mpegPlaysThroughDemo()
{
    MpegRig rig(DemoDir + QStringLiteral("/demo.mp3"));
    QVERIFY(rig.accepted);
    QCOMPARE(rig.info.SampleKind, 1);
    QStringList failures;
    for (int tick = 0; tick * 0.04f < 31.0f; ++tick) {
        const float p = tick * 0.04f;
        if (!rig.supply.FetchWindow(p, 10))
            failures << QString::number(p);
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char(' '))));
    QCOMPARE(rig.supply.Loads(), 8);
    // A load in the middle holds at least the five seconds the fetch assumes.
    QVERIFY(rig.supply.LoadBuffer(10.0f));
    QVERIFY2(rig.supply.BufferFrames(rig.supply.FillBuffer()) >= std::size_t(220500),
             qPrintable(QString::number(rig.supply.BufferFrames(rig.supply.FillBuffer()))));
}

QTEST_GUILESS_MAIN(TestSampleSupply)
#include "tst_sample_supply.moc"
