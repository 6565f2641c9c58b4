#include "analyzer/analysis_stream.h"

#include "analyzer/audio_decoder_module.h"

#include <limits>
#include <vector>

std::optional<::StreamInfo> ReadDecodedStreamInfo(const QString &path)
{
    const std::unique_ptr<AudioDecoder> decoder = MakeAudioDecoder();
    if (!decoder || !decoder->OpenFile(path))
        return std::nullopt;
    // A container may be recognised in bytes that hold no decodable sound: some samples
    // must come out.
    std::vector<std::int16_t> probe(2 * 1024);
    bool end = false;
    if (decoder->Read(0.0, probe.data(), 1024, 2, end) == 0)
        return std::nullopt;
    const DecodedStreamDescription &d = decoder->Description();
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

namespace {

// The header readers' answer for a file they do not accept (Rejected, or Unsupported with
// the WAVE header's description) becomes the general decoder's when that decodes it.
AnalysisStream Decide(const QString &path, AnalysisStream stream)
{
    if (const std::optional<::StreamInfo> decoded = ReadDecodedStreamInfo(path)) {
        stream.result = WaveHeaderResult::Accepted;
        stream.info = *decoded;
        stream.source = SampleSource::Decoded;
    }
    return stream;
}

// What the header readers make of a file: accepted, or the state Decide starts from.
AnalysisStream ReadHeaders(const QString &path)
{
    AnalysisStream stream;
    stream.result = ReadWaveHeader(path, stream.info);
    if (stream.result == WaveHeaderResult::Rejected && ReadMpegAudioHeader(path, stream.info)) {
        stream.result = WaveHeaderResult::Accepted;
        stream.source = SampleSource::Mpeg;
    }
    return stream;
}

} // namespace

AnalysisStream ReadAnalysisStream(const QString &path)
{
    const AnalysisStream stream = ReadHeaders(path);
    // Files the headers do not accept go to the general decoder. When it cannot decode them
    // either, a PCM WAVE file stays Unsupported, with the description its header gave, and
    // anything else stays Rejected.
    return stream.result == WaveHeaderResult::Accepted ? stream : Decide(path, stream);
}

AnalysisProbe::~AnalysisProbe()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        job_.reset();
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

std::optional<AnalysisStream> AnalysisProbe::Start(const QString &path)
{
    Cancel();
    // The WAVE and MPEG readers read a few header bytes: they answer at once.
    AnalysisStream known = ReadHeaders(path);
    if (known.result == WaveHeaderResult::Accepted)
        return known;
    {
        std::lock_guard lock(mutex_);
        job_ = path;
        pending_ = true;
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_all();
    return std::nullopt;
}

std::optional<AnalysisStream> AnalysisProbe::Take()
{
    std::optional<AnalysisStream> taken;
    std::lock_guard lock(mutex_);
    if (result_ && resultGeneration_ == generation_) {
        taken.swap(result_);
        pending_ = false;
    }
    return taken;
}

bool AnalysisProbe::Pending()
{
    std::lock_guard lock(mutex_);
    return pending_;
}

void AnalysisProbe::Cancel()
{
    std::lock_guard lock(mutex_);
    ++generation_;
    job_.reset();
    result_.reset();
    pending_ = false;
}

void AnalysisProbe::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || job_.has_value(); });
        if (stop_)
            return;
        const QString path = std::move(*job_);
        job_.reset();
        const std::uint64_t generation = generation_;
        lock.unlock();

        // The headers are read again for the state the decoder's check starts from (Rejected,
        // or Unsupported with the WAVE header's description).
        AnalysisStream stream = Decide(path, ReadHeaders(path));

        lock.lock();
        // An answer for a file that has been replaced meanwhile is dropped.
        if (generation == generation_) {
            result_ = std::move(stream);
            resultGeneration_ = generation;
        }
    }
}
