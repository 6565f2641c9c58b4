#include "analyzer/analysis_stream.h"

#include "analyzer/audio_file_decoder.h"

#include <limits>
#include <vector>

std::optional<::StreamInfo> ReadDecodedStreamInfo(const QString &path)
{
    AudioFileDecoder decoder;
    if (!decoder.OpenFile(path))
        return std::nullopt;
    // A container may be recognised in bytes that hold no decodable sound: some samples
    // must come out.
    std::vector<std::int16_t> probe(2 * 1024);
    bool end = false;
    if (decoder.Read(0.0, probe.data(), 1024, 2, end) == 0)
        return std::nullopt;
    const DecodedStreamDescription &d = decoder.Description();
    ::StreamInfo info;
    info.SampleRate = d.sampleRate;
    info.Channels = qint16(d.channels);
    info.BitsPerSample = 16;
    info.StoredBitsPerSample = d.bitsPerSample;
    info.BitRate = qint32(std::min<std::int64_t>(d.bitRate, std::numeric_limits<qint32>::max()));
    info.SampleKind = d.channels == 1 ? 2 : 1;
    info.FullScale = 32768;
    return info;
}

AnalysisStream ReadAnalysisStream(const QString &path)
{
    AnalysisStream stream;
    stream.result = ReadWaveHeader(path, stream.info);
    if (stream.result == WaveHeaderResult::Accepted)
        return stream;
    if (stream.result == WaveHeaderResult::Rejected && ReadMpegAudioHeader(path, stream.info)) {
        stream.result = WaveHeaderResult::Accepted;
        stream.source = SampleSource::Mpeg;
        return stream;
    }
    if (const std::optional<::StreamInfo> decoded = ReadDecodedStreamInfo(path)) {
        stream.result = WaveHeaderResult::Accepted;
        stream.info = *decoded;
        stream.source = SampleSource::Decoded;
    }
    // Otherwise a PCM WAVE file of a layout nothing decodes stays Unsupported, with the
    // description its header gave; anything else stays Rejected.
    return stream;
}
