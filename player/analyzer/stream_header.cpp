#include "analyzer/stream_header.h"

#include "base/byte_source.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr qint64 kWaveHeaderSize = 36;
constexpr qint64 kChunkHeaderSize = 8;
constexpr qint64 kId3v1Size = 128;
constexpr quint32 kMaxSampleRate = 768000;

using BitRateRow = std::array<int, 16>;

constexpr BitRateRow kMpeg1Layer1 = {0,   32,  64,  96,  128, 160, 192, 224,
                                     256, 288, 320, 352, 384, 416, 448, 0};
constexpr BitRateRow kMpeg1Layer2 = {0,   32,  48,  56,  64,  80,  96,  112,
                                     128, 160, 192, 224, 256, 320, 384, 0};
constexpr BitRateRow kMpeg1Layer3 = {0,   32,  40,  48,  56,  64,  80,  96,
                                     112, 128, 160, 192, 224, 256, 320, 0};
constexpr BitRateRow kMpeg2Layer1 = {0,   32,  48,  56,  64,  80,  96,  112,
                                     128, 144, 160, 176, 192, 224, 256, 0};
constexpr BitRateRow kMpeg2Layer23 = {0,  8,  16, 24,  32,  40,  48,  56,
                                      64, 80, 96, 112, 128, 144, 160, 0};

const BitRateRow &BitRateTable(int version, int layer)
{
    if (version == 1) {
        return layer == 1 ? kMpeg1Layer1 : (layer == 2 ? kMpeg1Layer2 : kMpeg1Layer3);
    }
    return version == 2 && layer == 1 ? kMpeg2Layer1 : kMpeg2Layer23;
}

int SampleRateOf(int version, int index)
{
    constexpr std::array<int, 3> kMpeg1 = {44100, 48000, 32000};
    const int rate = kMpeg1[static_cast<size_t>(index)];
    return version == 1 ? rate : (version == 2 ? rate / 2 : rate / 4);
}

// numerator / denominator rounded to the nearest integer, halves to even.
qint64 DivideRounded(qint64 numerator, qint64 denominator)
{
    const qint64 quotient = numerator / denominator;
    const qint64 twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) {
        return quotient + 1;
    }
    return quotient;
}

// Bytes per frame for each kbit/s of bit rate and 1 Hz of sample rate, times 1000.
qint64 FrameBytesFactor(int version, int layer)
{
    if (layer == 1) {
        return 48000;
    }
    return layer == 3 && version != 1 ? 72000 : 144000;
}

// Length in bytes of the ID3 version 2 tag at the start of the file; 0 without one.
qint64 Id3v2TagLength(const ByteSource &source)
{
    const std::optional<QByteArray> header = source.ReadExact(0, 10);
    if (!header || !header->startsWith("ID3")) {
        return 0;
    }
    const auto byte = [&](qsizetype i) { return qint64(static_cast<quint8>((*header)[i])); };
    const qint64 base = (byte(5) & 0x10) != 0 ? 20 : 10;
    return base + (byte(6) << 21) + (byte(7) << 14) + (byte(8) << 7) + byte(9);
}

quint8 SampleKindOf(qint32 bits, qint16 channels, qint32 sampleRate)
{
    if (sampleRate <= 0 || quint32(sampleRate) > kMaxSampleRate) {
        return 0;
    }
    if (bits == 16) {
        return channels == 2 ? 1 : (channels == 1 ? 2 : 0);
    }
    if (bits == 8) {
        return channels == 2 ? 3 : (channels == 1 ? 4 : 0);
    }
    return 0;
}

qint32 FullScaleOf(qint32 bits)
{
    if (bits == 8) {
        return 255;
    }
    if (bits < 1) {
        return 1;
    }
    return bits > 31 ? std::numeric_limits<qint32>::max() : qint32(1) << (bits - 1);
}

} // namespace

std::optional<MpegFrameHeader> DecodeMpegFrameHeader(QByteArrayView bytes)
{
    if (bytes.size() < 4) {
        return std::nullopt;
    }
    const auto b = [&](qsizetype i) { return int(static_cast<quint8>(bytes[i])); };
    if (b(0) != 0xFF || (b(1) & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    MpegFrameHeader header;
    header.version = (b(1) & 0x10) == 0 ? 25 : ((b(1) & 0x08) != 0 ? 1 : 2);
    const int layerCode = (b(1) >> 1) & 3;
    const int bitRateIndex = b(2) >> 4;
    const int sampleRateIndex = (b(2) >> 2) & 3;
    if (layerCode == 0 || bitRateIndex == 0 || bitRateIndex == 15 || sampleRateIndex == 3) {
        return std::nullopt;
    }
    header.layer = 4 - layerCode;
    header.bitRateKbps = BitRateTable(header.version, header.layer)[size_t(bitRateIndex)];
    header.sampleRate = SampleRateOf(header.version, sampleRateIndex);
    header.channels = (b(3) >> 6) == 3 ? 1 : 2;
    header.frameLength = int(DivideRounded(
        FrameBytesFactor(header.version, header.layer) * header.bitRateKbps, header.sampleRate));
    return header;
}

WaveHeaderResult ReadWaveHeader(const ByteSource &source, StreamInfo &info)
{
    const std::optional<QByteArray> header = source.ReadExact(0, kWaveHeaderSize);
    if (!header || !header->startsWith("RIFF") || header->mid(8, 8) != "WAVEfmt " ||
        LittleEndian16(*header, 20) != 1) {
        return WaveHeaderResult::Rejected;
    }
    qint64 position = kWaveHeaderSize + (LittleEndian32(*header, 16) == 18 ? 2 : 0);
    std::optional<QByteArray> chunk = source.ReadExact(position, kChunkHeaderSize);
    if (chunk && chunk->startsWith("fact")) {
        position += kChunkHeaderSize + LittleEndian32(*chunk, 4);
        chunk = source.ReadExact(position, kChunkHeaderSize);
    }
    if (!chunk || !chunk->startsWith("data")) {
        return WaveHeaderResult::Rejected;
    }
    StreamInfo read = info;
    read.DataStart = position + kChunkHeaderSize + 1;
    read.Channels = qint16(LittleEndian16(*header, 22));
    read.SampleRate = qint32(LittleEndian32(*header, 24));
    read.BitRate = qint32(std::min<qint64>(qint64(LittleEndian32(*header, 28)) * 8,
                                           std::numeric_limits<qint32>::max()));
    read.BitsPerSample = LittleEndian16(*header, 34);
    read.SampleKind = SampleKindOf(read.BitsPerSample, read.Channels, read.SampleRate);
    read.FullScale = FullScaleOf(read.BitsPerSample);
    info = read;
    return read.SampleKind == 0 ? WaveHeaderResult::Unsupported : WaveHeaderResult::Accepted;
}

WaveHeaderResult ReadWaveHeader(const QString &path, StreamInfo &info)
{
    QFile file;
    if (!OpenForReading(file, path)) {
        return WaveHeaderResult::Rejected;
    }
    return ReadWaveHeader(ByteSource(file), info);
}

bool ReadMpegAudioHeader(const ByteSource &source, StreamInfo &info)
{
    const qint64 fileLength = source.Size();
    const qint64 tagLength = Id3v2TagLength(source);
    const std::optional<QByteArray> bytes = source.ReadExact(tagLength, 4);
    const std::optional<MpegFrameHeader> frame =
        bytes ? DecodeMpegFrameHeader(*bytes) : std::nullopt;
    if (!frame) {
        return false;
    }
    qint64 audioLength = fileLength - tagLength - 4;
    const qint64 id3v1Start = fileLength - kId3v1Size;
    if (id3v1Start >= tagLength + 4 && source.Read(id3v1Start, 3) == "TAG") {
        audioLength -= kId3v1Size;
    }

    StreamInfo read = info;
    read.SampleRate = frame->sampleRate;
    read.Channels = qint16(frame->channels);
    read.AudioStart = tagLength + 4 + 1;
    read.AudioLength = audioLength;
    read.BitRate = frame->bitRateKbps * 1024;
    read.BitsPerSample = 16;
    read.SampleKind = frame->channels == 2 ? 1 : 2;
    read.FullScale = 32768;

    Mp3Format &format = read.Mp3Format;
    format.wFormatTag = 85;
    format.nChannels = quint16(frame->channels);
    format.nSamplesPerSec = quint32(frame->sampleRate);
    format.nAvgBytesPerSec = quint32(frame->bitRateKbps) * 125U;
    format.nBlockAlign = 1;
    format.wBitsPerSample = 0;
    format.cbSize = 12;
    format.wID = 1;
    format.fdwFlags = 2;
    format.nBlockSize = quint16(frame->frameLength);
    format.nFramesPerBlock = 1;
    format.nCodecDelay = 1393;
    info = read;
    return true;
}

bool ReadMpegAudioHeader(const QString &path, StreamInfo &info)
{
    QFile file;
    if (!OpenForReading(file, path)) {
        return false;
    }
    return ReadMpegAudioHeader(ByteSource(file), info);
}
