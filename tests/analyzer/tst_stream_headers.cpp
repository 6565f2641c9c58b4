#include "analyzer/stream_header.h"
#include "base/byte_source.h"
#include "support/riff_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The WAVE files of these tests hold 64 bytes of silence.
QByteArray Wave(const WaveLayout &layout)
{
    return WaveFileBytes(layout, QByteArray(64, '\x80'));
}

QByteArray Id3v2(qsizetype bodySize, bool footer = false)
{
    QByteArray header("ID3\x04\0", 5);
    header.append(footer ? '\x10' : '\0');
    for (int i = 0; i < 4; ++i) {
        header.append(char((bodySize >> (21 - 7 * i)) & 0x7F));
    }
    return header + QByteArray(bodySize, '\0') + (footer ? QByteArray(10, '\0') : QByteArray());
}

QByteArray FrameHeader(quint8 b1, quint8 b2, quint8 b3)
{
    return QByteArray(1, '\xFF') + char(b1) + char(b2) + char(b3);
}

// Header FF FB 90 64: MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo.
const QByteArray kLayer3Header = FrameHeader(0xFB, 0x90, 0x64);

QByteArray Id3v1()
{
    return "TAG" + QByteArray(125, ' ');
}

// A StreamInfo with values no reader writes, to see that a rejection leaves it alone.
StreamInfo Marked()
{
    StreamInfo info;
    info.SampleRate = -7;
    info.DataStart = -7;
    info.AudioStart = -7;
    info.Mp3Format.nBlockSize = 7;
    return info;
}

} // namespace

// Tests the WAVE and MPEG audio header readers.
class TestStreamHeaders : public QObject
{
    Q_OBJECT

private slots:
    void WaveLayouts_data();
    void WaveLayouts();
    void WaveChunkOrder_data();
    void WaveChunkOrder();
    void WaveTruncatedIsRejected();
    void WaveUnsupported_data();
    void WaveUnsupported();
    void MpegLayer3Example();
    void MpegFrameLengths_data();
    void MpegFrameLengths();
    void MpegRejections_data();
    void MpegRejections();
    void MpegAfterId3v2_data();
    void MpegAfterId3v2();
    void MpegAudioLength();
    void ReadersFromPaths();
};

void TestStreamHeaders::WaveLayouts_data()
{
    QTest::addColumn<quint16>("channels");
    QTest::addColumn<quint16>("bits");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("fullScale");
    QTest::newRow("16-bit stereo") << quint16(2) << quint16(16) << 1 << 32768;
    QTest::newRow("16-bit mono") << quint16(1) << quint16(16) << 2 << 32768;
    QTest::newRow("8-bit stereo") << quint16(2) << quint16(8) << 3 << 255;
    QTest::newRow("8-bit mono") << quint16(1) << quint16(8) << 4 << 255;
}

void TestStreamHeaders::WaveLayouts()
{
    QFETCH(quint16, channels);
    QFETCH(quint16, bits);
    QFETCH(int, kind);
    QFETCH(int, fullScale);
    WaveLayout layout;
    layout.channels = channels;
    layout.bits = bits;
    layout.sampleRate = 22050;
    StreamInfo info;
    QCOMPARE(ReadWaveHeader(ByteSource(Wave(layout)), info), WaveHeaderResult::Accepted);
    QCOMPARE(int(info.SampleKind), kind);
    QCOMPARE(info.FullScale, fullScale);
    QCOMPARE(info.SampleRate, 22050);
    QCOMPARE(int(info.Channels), int(channels));
    QCOMPARE(info.BitsPerSample, int(bits));
    QCOMPARE(info.BitRate, 22050 * channels * bits);
    QCOMPARE(info.DataStart, qint64(45));
}

void TestStreamHeaders::WaveChunkOrder_data()
{
    QTest::addColumn<quint32>("fmtSize");
    QTest::addColumn<QByteArray>("between");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<qint64>("dataStart");
    const QByteArray fact = RiffChunk("fact", Le32(1000));
    QTest::newRow("fmt 16, data") << 16U << QByteArray() << true << qint64(45);
    QTest::newRow("fmt 18, data") << 18U << QByteArray() << true << qint64(47);
    QTest::newRow("fmt 16, fact, data") << 16U << fact << true << qint64(57);
    QTest::newRow("fmt 18, fact, data") << 18U << fact << true << qint64(59);
    QTest::newRow("LIST before data") << 16U << RiffChunk("LIST", "INFOxxxx") << false << qint64(0);
    QTest::newRow("two facts") << 16U << fact + fact << false << qint64(0);
    QTest::newRow("fmt 40") << 40U << QByteArray() << false << qint64(0);
    QTest::newRow("fact larger than the file")
        << 16U << QByteArray("fact\xF0\xFF\xFF\xFF", 8) << false << qint64(0);
}

void TestStreamHeaders::WaveChunkOrder()
{
    QFETCH(quint32, fmtSize);
    QFETCH(QByteArray, between);
    QFETCH(bool, accepted);
    QFETCH(qint64, dataStart);
    WaveLayout layout;
    layout.fmtSize = fmtSize;
    layout.between = between;
    const QByteArray file = Wave(layout);
    StreamInfo info = Marked();
    const WaveHeaderResult result = ReadWaveHeader(ByteSource(file), info);
    if (!accepted) {
        QCOMPARE(result, WaveHeaderResult::Rejected);
        QCOMPARE(info.SampleRate, -7);
        return;
    }
    QCOMPARE(result, WaveHeaderResult::Accepted);
    QCOMPARE(info.DataStart, dataStart);
    QCOMPARE(file.mid(dataStart - 9, 4), QByteArray("data"));
}

void TestStreamHeaders::WaveTruncatedIsRejected()
{
    WaveLayout layout;
    layout.between = RiffChunk("fact", Le32(1000));
    const QByteArray file = Wave(layout);
    // Every cut before the end of the data chunk header.
    for (qsizetype size = 0; size < 56; ++size) {
        StreamInfo info = Marked();
        QCOMPARE(ReadWaveHeader(ByteSource(file.left(size)), info), WaveHeaderResult::Rejected);
        QCOMPARE(info.DataStart, qint64(-7));
    }
    StreamInfo info;
    QCOMPARE(ReadWaveHeader(ByteSource(file.left(56)), info), WaveHeaderResult::Accepted);
}

void TestStreamHeaders::WaveUnsupported_data()
{
    QTest::addColumn<quint16>("formatTag");
    QTest::addColumn<quint16>("channels");
    QTest::addColumn<quint16>("bits");
    QTest::addColumn<quint32>("sampleRate");
    QTest::addColumn<WaveHeaderResult>("result");
    QTest::addColumn<int>("fullScale");
    QTest::newRow("24-bit") << quint16(1) << quint16(2) << quint16(24) << 44100U
                            << WaveHeaderResult::Unsupported << 8388608;
    QTest::newRow("32-bit") << quint16(1) << quint16(2) << quint16(32) << 44100U
                            << WaveHeaderResult::Unsupported << 2147483647;
    QTest::newRow("no bits") << quint16(1) << quint16(1) << quint16(0) << 44100U
                             << WaveHeaderResult::Unsupported << 1;
    QTest::newRow("six channels") << quint16(1) << quint16(6) << quint16(16) << 48000U
                                  << WaveHeaderResult::Unsupported << 32768;
    QTest::newRow("no channels") << quint16(1) << quint16(0) << quint16(16) << 48000U
                                 << WaveHeaderResult::Unsupported << 32768;
    QTest::newRow("rate 0") << quint16(1) << quint16(2) << quint16(16) << 0U
                            << WaveHeaderResult::Unsupported << 32768;
    QTest::newRow("absurd rate") << quint16(1) << quint16(2) << quint16(16) << 0xFFFFFFFFU
                                 << WaveHeaderResult::Unsupported << 32768;
    QTest::newRow("float samples")
        << quint16(3) << quint16(2) << quint16(32) << 44100U << WaveHeaderResult::Rejected << 0;
    QTest::newRow("extensible") << quint16(0xFFFE) << quint16(2) << quint16(16) << 44100U
                                << WaveHeaderResult::Rejected << 0;
}

void TestStreamHeaders::WaveUnsupported()
{
    QFETCH(quint16, formatTag);
    QFETCH(quint16, channels);
    QFETCH(quint16, bits);
    QFETCH(quint32, sampleRate);
    QFETCH(WaveHeaderResult, result);
    QFETCH(int, fullScale);
    WaveLayout layout;
    layout.formatTag = formatTag;
    layout.channels = channels;
    layout.bits = bits;
    layout.sampleRate = sampleRate;
    StreamInfo info;
    QCOMPARE(ReadWaveHeader(ByteSource(Wave(layout)), info), result);
    if (result == WaveHeaderResult::Unsupported) {
        QCOMPARE(int(info.SampleKind), 0);
        QCOMPARE(info.FullScale, fullScale);
    }
}

void TestStreamHeaders::MpegLayer3Example()
{
    const QByteArray file = kLayer3Header + QByteArray(5000, '\0');
    StreamInfo info;
    QVERIFY(ReadMpegAudioHeader(ByteSource(file), info));
    QCOMPARE(int(info.Channels), 2);
    QCOMPARE(info.SampleRate, 44100);
    QCOMPARE(info.BitRate, 131072);
    QCOMPARE(info.BitsPerSample, 16);
    QCOMPARE(int(info.SampleKind), 1);
    QCOMPARE(info.FullScale, 32768);
    QCOMPARE(info.AudioStart, qint64(5));
    QCOMPARE(info.AudioLength, qint64(5000));

    QCOMPARE(int(info.Mp3Format.nChannels), 2);
    QCOMPARE(info.Mp3Format.nSamplesPerSec, 44100U);
    QCOMPARE(info.Mp3Format.nAvgBytesPerSec, 16000U);
    QCOMPARE(int(info.Mp3Format.nBlockSize), 418);
}

void TestStreamHeaders::MpegFrameLengths_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("layer");
    QTest::addColumn<int>("kbps");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("frameLength");
    QTest::newRow("MPEG-1 I") << FrameHeader(0xFF, 0x14, 0x00) << 1 << 1 << 32 << 48000 << 2 << 32;
    QTest::newRow("MPEG-1 I 448") << FrameHeader(0xFF, 0xE8, 0xC0) << 1 << 1 << 448 << 32000 << 1
                                  << 672;
    QTest::newRow("MPEG-1 II") << FrameHeader(0xFD, 0xA4, 0x00) << 1 << 2 << 192 << 48000 << 2
                               << 576;
    QTest::newRow("MPEG-1 III") << FrameHeader(0xFB, 0xE8, 0xC0) << 1 << 3 << 320 << 32000 << 1
                                << 1440;
    QTest::newRow("MPEG-2 I") << FrameHeader(0xF7, 0xE8, 0x40) << 2 << 1 << 256 << 16000 << 2
                              << 768;
    QTest::newRow("MPEG-2 II") << FrameHeader(0xF5, 0x44, 0x00) << 2 << 2 << 32 << 24000 << 2
                               << 192;
    QTest::newRow("MPEG-2 III") << FrameHeader(0xF3, 0x80, 0x00) << 2 << 3 << 64 << 22050 << 2
                                << 209;
    QTest::newRow("MPEG-2.5 I") << FrameHeader(0xE7, 0x30, 0x00) << 25 << 1 << 24 << 11025 << 2
                                << 104;
    QTest::newRow("MPEG-2.5 II") << FrameHeader(0xE5, 0xE4, 0x00) << 25 << 2 << 160 << 12000 << 2
                                 << 1920;
    QTest::newRow("MPEG-2.5 III") << FrameHeader(0xE3, 0x18, 0xC0) << 25 << 3 << 8 << 8000 << 1
                                  << 72;
}

void TestStreamHeaders::MpegFrameLengths()
{
    QFETCH(QByteArray, header);
    QFETCH(int, version);
    QFETCH(int, layer);
    QFETCH(int, kbps);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, frameLength);
    const std::optional<MpegFrameHeader> frame = DecodeMpegFrameHeader(header);
    QVERIFY(frame);
    QCOMPARE(frame->version, version);
    QCOMPARE(frame->layer, layer);
    QCOMPARE(frame->bitRateKbps, kbps);
    QCOMPARE(frame->sampleRate, rate);
    QCOMPARE(frame->channels, channels);
    QCOMPARE(frame->frameLength, frameLength);

    StreamInfo info;
    QVERIFY(ReadMpegAudioHeader(ByteSource(header + QByteArray(100, '\0')), info));
    QCOMPARE(int(info.Mp3Format.nBlockSize), frameLength);
    QCOMPARE(int(info.Mp3Format.nAvgBytesPerSec), kbps * 125);
    QCOMPARE(int(info.SampleKind), channels == 2 ? 1 : 2);
}

void TestStreamHeaders::MpegRejections_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("layer code 0") << FrameHeader(0xF9, 0x90, 0x00);
    QTest::newRow("bit-rate index 0") << FrameHeader(0xFB, 0x00, 0x00);
    QTest::newRow("bit-rate index 15") << FrameHeader(0xFB, 0xF0, 0x00);
    QTest::newRow("sample-rate index 3") << FrameHeader(0xFB, 0x9C, 0x00);
    QTest::newRow("no frame sync") << FrameHeader(0x7B, 0x90, 0x64);
    QTest::newRow("first byte not FF") << QByteArray("\xFE\xFB\x90\x64", 4);
    QTest::newRow("three bytes") << kLayer3Header.left(3);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("frame not right after the tag") << Id3v2(100) + '\0' + kLayer3Header;
    QTest::newRow("tag longer than the file") << Id3v2(100).left(50) + kLayer3Header;
    QTest::newRow("file ends inside the tag header") << QByteArray("ID3\x04\0\0\0", 7);
    QTest::newRow("WAVE file") << RiffChunk("RIFF", "WAVE");
}

void TestStreamHeaders::MpegRejections()
{
    QFETCH(QByteArray, file);
    StreamInfo info = Marked();
    QVERIFY(!ReadMpegAudioHeader(ByteSource(file), info));
    QCOMPARE(info.AudioStart, qint64(-7));
    QCOMPARE(int(info.Mp3Format.nBlockSize), 7);
}

void TestStreamHeaders::MpegAfterId3v2_data()
{
    QTest::addColumn<qsizetype>("body");
    QTest::addColumn<bool>("footer");
    QTest::addColumn<qint64>("frameOffset");
    QTest::newRow("1000-byte tag") << qsizetype(1000) << false << qint64(1010);
    QTest::newRow("1000-byte tag with footer") << qsizetype(1000) << true << qint64(1020);
    QTest::newRow("tag over 32767 bytes") << qsizetype(40000) << false << qint64(40010);
    QTest::newRow("tag over 64 KiB") << qsizetype(300000) << true << qint64(300020);
}

void TestStreamHeaders::MpegAfterId3v2()
{
    QFETCH(qsizetype, body);
    QFETCH(bool, footer);
    QFETCH(qint64, frameOffset);
    const QByteArray tag = Id3v2(body, footer);
    QCOMPARE(qint64(tag.size()), frameOffset);
    const QByteArray file = tag + kLayer3Header + QByteArray(1000, '\0');
    StreamInfo info;
    QVERIFY(ReadMpegAudioHeader(ByteSource(file), info));
    QCOMPARE(info.AudioStart, frameOffset + 5);
    QCOMPARE(info.AudioLength, qint64(1000));
    QCOMPARE(file.at(info.AudioStart - 2), kLayer3Header.at(3));
}

void TestStreamHeaders::MpegAudioLength()
{
    const QByteArray plain = Id3v2(20) + kLayer3Header + QByteArray(3000, '\0');
    StreamInfo without;
    StreamInfo with;
    QVERIFY(ReadMpegAudioHeader(ByteSource(plain), without));
    QVERIFY(ReadMpegAudioHeader(ByteSource(plain + Id3v1()), with));
    QCOMPARE(without.AudioLength, qint64(3000));
    QCOMPARE(with.AudioLength, without.AudioLength);

    const QByteArray tagged = plain.left(plain.size() - 128) + Id3v1();
    QVERIFY(ReadMpegAudioHeader(ByteSource(tagged), with));
    QCOMPARE(with.AudioLength, qint64(3000 - 128));

    // "TAG" that overlaps the frame header is no ID3 version 1 tag.
    const QByteArray tiny = FrameHeader(0xFB, 'T', 'A') + 'G' + QByteArray(125, '\0');
    QCOMPARE(tiny.size(), 130);
    QCOMPARE(tiny.mid(tiny.size() - 128, 3), QByteArray("TAG"));
    QVERIFY(ReadMpegAudioHeader(ByteSource(tiny), with));
    QCOMPARE(with.AudioLength, qint64(126));
}

void TestStreamHeaders::ReadersFromPaths()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wave = dir.filePath(QStringLiteral("a.wav"));
    const QString mpeg = dir.filePath(QStringLiteral("a.mp3"));
    QFile waveFile(wave);
    QVERIFY(waveFile.open(QIODevice::WriteOnly));
    waveFile.write(Wave(WaveLayout()));
    waveFile.close();
    QFile mpegFile(mpeg);
    QVERIFY(mpegFile.open(QIODevice::WriteOnly));
    mpegFile.write(Id3v2(40000) + kLayer3Header + QByteArray(1000, '\0') + Id3v1());
    mpegFile.close();

    StreamInfo info;
    QCOMPARE(ReadWaveHeader(wave, info), WaveHeaderResult::Accepted);
    QCOMPARE(info.DataStart, qint64(45));
    QVERIFY(!ReadMpegAudioHeader(wave, info));
    QCOMPARE(ReadWaveHeader(mpeg, info), WaveHeaderResult::Rejected);
    QVERIFY(ReadMpegAudioHeader(mpeg, info));
    QCOMPARE(info.AudioStart, qint64(40015));
    QCOMPARE(info.AudioLength, qint64(1000));
    QCOMPARE(ReadWaveHeader(dir.filePath(QStringLiteral("missing.wav")), info),
             WaveHeaderResult::Rejected);
    QVERIFY(!ReadMpegAudioHeader(dir.path(), info));
}

QTEST_GUILESS_MAIN(TestStreamHeaders)
#include "tst_stream_headers.moc"
