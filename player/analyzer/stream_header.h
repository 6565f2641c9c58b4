#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

class ByteSource;

// The MPEG audio input of the decoder, with the fields of the Layer-3 wave format it replaces.
// nBlockSize is the mean frame length in bytes and nAvgBytesPerSec the coded bytes per second.
struct Mp3Format
{
    quint16 wFormatTag = 0;
    quint16 nChannels = 0;
    quint32 nSamplesPerSec = 0;
    quint32 nAvgBytesPerSec = 0;
    quint16 nBlockAlign = 0;
    quint16 wBitsPerSample = 0;
    quint16 cbSize = 0;
    quint16 wID = 0;
    quint32 fdwFlags = 0;
    quint16 nBlockSize = 0;
    quint16 nFramesPerBlock = 0;
    quint16 nCodecDelay = 0;
};

// Description of the analysed sound stream. File positions count from 1.
struct StreamInfo
{
    qint64 DataStart = 0;
    qint32 SampleRate = 0;
    qint16 Channels = 0;
    qint32 BitsPerSample = 0;
    qint32 BitRate = 0;
    // 1 16-bit stereo, 2 16-bit mono, 3 8-bit stereo, 4 8-bit mono, 0 unsupported.
    quint8 SampleKind = 0;
    // Never 0, so that it is always a safe divisor.
    qint32 FullScale = 1;
    qint64 AudioStart = 0;
    qint64 AudioLength = 0;
    ::Mp3Format Mp3Format;
    // Files decoded by the general decoder: the bits per sample the container stores (0 for
    // lossy codecs), while BitsPerSample is the decoded width, 16.
    qint32 StoredBitsPerSample = 0;
};

// Outcome of the WAVE reader: not a PCM WAVE file (try the MPEG reader), a PCM WAVE file whose
// sample layout the analyzer cannot show ("このWAVEファイルはサポートされていません。"),
// or a file ready for analysis.
enum class WaveHeaderResult { Rejected, Unsupported, Accepted };

// Reads the RIFF WAVE header; on Rejected info is left unchanged.
WaveHeaderResult ReadWaveHeader(const ByteSource &source, StreamInfo &info);
WaveHeaderResult ReadWaveHeader(const QString &path, StreamInfo &info);

// Reads the first MPEG audio frame header, right after an ID3 version 2 tag or at the start of
// the file; true when accepted. On rejection info is left unchanged.
bool ReadMpegAudioHeader(const ByteSource &source, StreamInfo &info);
bool ReadMpegAudioHeader(const QString &path, StreamInfo &info);

// One decoded MPEG audio frame header.
struct MpegFrameHeader
{
    int version = 0; // 1, 2, or 25 for MPEG-2.5
    int layer = 0;   // 1 to 3
    int bitRateKbps = 0;
    int sampleRate = 0;
    int channels = 0;
    int frameLength = 0; // mean length in bytes, padding spread over all frames
};

// Decodes four header bytes; nothing without frame sync, with layer code 0, bit-rate index
// 0 or 15, or sample-rate index 3.
std::optional<MpegFrameHeader> DecodeMpegFrameHeader(QByteArrayView bytes);
