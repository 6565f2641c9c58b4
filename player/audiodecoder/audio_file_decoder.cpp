#include "audiodecoder/audio_file_decoder.h"

#include "base/byte_source.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The longest an open (on the caller's thread when a file starts) or a read (on the loader's
// thread) may take before the libraries are told to give up: hostile files end in silence.
constexpr auto kOpenTimeLimit = std::chrono::seconds(3);
constexpr auto kReadTimeLimit = std::chrono::seconds(5);
constexpr int kIoBufferSize = 64 * 1024;
constexpr int kMaxSampleRate = 768000;
constexpr int kMaxChannels = 64;
// Lossy codecs that name no pre-roll of their own (Vorbis, WMA, MP3 and others with long or
// variable blocks or a bit reservoir) start decoding this many samples before the wanted
// position, so that they have settled when it is reached.
constexpr std::int64_t kLossyPreroll = 4096;
// A read gives up after this many packets of its stream that yield no sample.
constexpr int kMaxBarrenPackets = 20000;

// The containers whose demuxers may read the bytes: audio files and the common movie
// containers that carry sound. Playlists, concatenation lists and images are not among them.
constexpr const char *kFormats =
    "aac,ac3,aiff,amr,ape,asf,au,caf,dts,eac3,flac,matroska,webm,mov,mp4,m4a,3gp,3g2,mj2,mp3,"
    "mpc,mpc8,ogg,shn,tak,tta,w64,wav,wv,dsf,mlp,truehd,rm,voc,wsaud,mpeg,mpegts,avi,flv,nut,"
    "loas,latm,xwma,s337m,sox,gsm,amrnb,amrwb,iff,ircam,xa,rso,smjpeg,nistsphere,dfpwm";

// Bytes for the demuxer: from a file or from memory.
class Input
{
public:
    virtual ~Input() = default;
    virtual int Read(std::uint8_t *to, int size) = 0;
    virtual std::int64_t Seek(std::int64_t offset, int whence) = 0;
};

class FileInput final : public Input
{
public:
    bool Open(const QString &path) { return OpenForReading(file_, path); }

    int Read(std::uint8_t *to, int size) override
    {
        const qint64 got = file_.read(reinterpret_cast<char *>(to), size);
        if (got < 0)
            return AVERROR(EIO);
        return got == 0 ? AVERROR_EOF : int(got);
    }

    std::int64_t Seek(std::int64_t offset, int whence) override
    {
        const qint64 size = file_.size();
        if (whence & AVSEEK_SIZE)
            return size;
        qint64 target = offset;
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_CUR:
            target += file_.pos();
            break;
        case SEEK_END:
            target += size;
            break;
        case SEEK_SET:
            break;
        default:
            return AVERROR(EINVAL);
        }
        if (target < 0 || !file_.seek(target))
            return AVERROR(EIO);
        return target;
    }

private:
    QFile file_;
};

class MemoryInput final : public Input
{
public:
    explicit MemoryInput(QByteArrayView bytes) : bytes_(bytes) {}

    int Read(std::uint8_t *to, int size) override
    {
        const std::int64_t left = bytes_.size() - position_;
        if (left <= 0)
            return AVERROR_EOF;
        const int count = int(std::min<std::int64_t>(left, size));
        std::memcpy(to, bytes_.data() + position_, size_t(count));
        position_ += count;
        return count;
    }

    std::int64_t Seek(std::int64_t offset, int whence) override
    {
        if (whence & AVSEEK_SIZE)
            return bytes_.size();
        std::int64_t target = offset;
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_CUR:
            target += position_;
            break;
        case SEEK_END:
            target += bytes_.size();
            break;
        case SEEK_SET:
            break;
        default:
            return AVERROR(EINVAL);
        }
        // As in a file, a position past the end is allowed and reads from it find the end;
        // a demuxer skipping a chunk that claims more bytes than there are then stops at once.
        if (target < 0)
            return AVERROR(EINVAL);
        position_ = target;
        return target;
    }

private:
    QByteArrayView bytes_;
    std::int64_t position_ = 0;
};

// The samples a decoder must be given before a position so that its output there is what
// continuous decoding gives: none for lossless codecs, the stream's own seek pre-roll where
// the container names one (80 ms for Opus), one frame for codecs whose blocks overlap only
// the frame before (AAC, AC-3), else a safe margin.
std::int64_t Preroll(const AVCodecParameters &par)
{
    const AVCodecDescriptor *kind = avcodec_descriptor_get(par.codec_id);
    if (kind && (kind->props & AV_CODEC_PROP_LOSSLESS) && !(kind->props & AV_CODEC_PROP_LOSSY))
        return 0;
    if (par.seek_preroll > 0)
        return par.seek_preroll;
    switch (par.codec_id) {
    case AV_CODEC_ID_AAC:
    case AV_CODEC_ID_AAC_LATM:
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_EAC3:
        if (par.frame_size > 0 && par.frame_size <= kLossyPreroll)
            return par.frame_size;
        break;
    default:
        break;
    }
    return kLossyPreroll;
}

int ReadInput(void *opaque, std::uint8_t *to, int size)
{
    return static_cast<Input *>(opaque)->Read(to, size);
}

std::int64_t SeekInput(void *opaque, std::int64_t offset, int whence)
{
    return static_cast<Input *>(opaque)->Seek(offset, whence);
}

// Files named inside a file (playlists, references in movie containers) are never opened.
int RefuseNestedOpen(AVFormatContext *, AVIOContext **, const char *, int, AVDictionary **)
{
    return AVERROR(EPERM);
}

} // namespace

struct AudioFileDecoder::State
{
    std::unique_ptr<Input> input;
    AVIOContext *io = nullptr;
    AVFormatContext *format = nullptr;
    AVCodecContext *codec = nullptr;
    SwrContext *swr = nullptr;
    AVPacket *packet = nullptr;
    AVFrame *frame = nullptr;
    int stream = -1;
    AVRational timeBase{1, 1};
    std::int64_t origin = 0;  // stream time of position 0
    std::int64_t preroll = 0; // samples decoded and dropped before a wanted position
    DecodedStreamDescription description;
    bool drained = false; // ReadNext has sent the decoder the end of the stream
    Clock::time_point deadline = Clock::time_point::max();

    // The conversion the resampler is set up for.
    int swrFormat = -1;
    int swrRate = 0;
    int swrOutChannels = 0;
    AVChannelLayout swrLayout{};
    std::vector<std::int16_t> converted;

    ~State() { Close(); }

    bool TimedOut() const { return Clock::now() > deadline; }
    static int Interrupt(void *opaque) { return static_cast<State *>(opaque)->TimedOut() ? 1 : 0; }

    void Close()
    {
        swr_free(&swr);
        av_channel_layout_uninit(&swrLayout);
        swrFormat = -1;
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format)
            avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        input.reset();
        stream = -1;
        description = {};
    }

    bool Open(std::unique_ptr<Input> from);
    bool ConfigureConversion(const AVFrame &f, int outChannels);
    // Converts a frame into `direct` when it fits there (wroteDirect), else into `converted`;
    // returns the frames converted.
    int Convert(const AVFrame &f, int outChannels, std::int16_t *direct, std::size_t room,
                bool &wroteDirect);
    // Decodes from the current read position; see Read. Returns false when the first frame
    // started after latestStart (the seek landed too late for the pre-roll); a negative
    // latestStart takes any start.
    // The sample index at which a packet's samples end; none when it carries no timing.
    std::int64_t EndOf(const AVPacket &p) const
    {
        if (p.pts == AV_NOPTS_VALUE || p.duration <= 0)
            return std::numeric_limits<std::int64_t>::max();
        return av_rescale_q(p.pts + p.duration - origin, timeBase, {1, description.sampleRate});
    }
    bool DecodeFrom(std::int64_t target, std::int16_t *out, std::size_t frames, int channels,
                    std::int64_t latestStart, std::size_t &written, bool &endOfStream);
};

// The largest block FFmpeg may allocate in this process. Some demuxers size a buffer by a
// length field of the file and zero it before reading (a WAVE INFO chunk claiming 2 GB took
// 1.8 GB); no audio frame or packet comes near this, nor does a plane of an 8K video frame.
constexpr std::size_t kMaxFfmpegBlock = std::size_t{128} << 20;

bool AudioFileDecoder::State::Open(std::unique_ptr<Input> from)
{
    static std::once_flag limited;
    std::call_once(limited, [] { av_max_alloc(kMaxFfmpegBlock); });
    Close();
    input = std::move(from);
    deadline = Clock::now() + kOpenTimeLimit;
    auto *buffer = static_cast<std::uint8_t *>(av_malloc(kIoBufferSize));
    if (!buffer)
        return false;
    io = avio_alloc_context(buffer, kIoBufferSize, 0, input.get(), ReadInput, nullptr, SeekInput);
    if (!io) {
        av_free(buffer);
        return false;
    }
    format = avformat_alloc_context();
    if (!format)
        return false;
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    format->interrupt_callback = {Interrupt, this};
    format->io_open = RefuseNestedOpen;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "format_whitelist", kFormats, 0);
    const int opened = avformat_open_input(&format, nullptr, nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) {
        format = nullptr; // freed by avformat_open_input
        return false;
    }
    if (avformat_find_stream_info(format, nullptr) < 0)
        return false;
    const AVCodec *decoder = nullptr;
    stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (stream < 0 || !decoder)
        return false;
    AVStream *st = format->streams[stream];
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (int(i) != stream)
            format->streams[i]->discard = AVDISCARD_ALL;
    const AVCodecParameters *par = st->codecpar;
    if (par->sample_rate <= 0 || par->sample_rate > kMaxSampleRate ||
        par->ch_layout.nb_channels < 1 || par->ch_layout.nb_channels > kMaxChannels ||
        st->time_base.num <= 0 || st->time_base.den <= 0)
        return false;
    codec = avcodec_alloc_context3(decoder);
    if (!codec || avcodec_parameters_to_context(codec, par) < 0)
        return false;
    codec->pkt_timebase = st->time_base;
    codec->thread_count = 1;
    if (avcodec_open2(codec, decoder, nullptr) < 0)
        return false;
    packet = av_packet_alloc();
    frame = av_frame_alloc();
    if (!packet || !frame)
        return false;
    timeBase = st->time_base;
    origin = st->start_time != AV_NOPTS_VALUE && st->start_time > 0 ? st->start_time : 0;
    preroll = Preroll(*par);

    description.sampleRate = par->sample_rate;
    description.channels = par->ch_layout.nb_channels;
    description.bitsPerSample = par->bits_per_raw_sample > 0
                                    ? par->bits_per_raw_sample
                                    : av_get_bits_per_sample(par->codec_id);
    description.bitRate =
        par->bit_rate > 0 ? par->bit_rate : std::max<std::int64_t>(0, format->bit_rate);
    if (st->duration != AV_NOPTS_VALUE && st->duration > 0)
        description.seconds = double(st->duration) * av_q2d(st->time_base);
    else if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        description.seconds = double(format->duration) / AV_TIME_BASE;
    if (description.bitRate == 0 && description.seconds > 0) {
        const std::int64_t size = input->Seek(0, AVSEEK_SIZE);
        if (size > 0)
            description.bitRate = std::int64_t(double(size) * 8 / description.seconds);
    }
    return true;
}

bool AudioFileDecoder::State::ConfigureConversion(const AVFrame &f, int outChannels)
{
    if (swr && swrFormat == f.format && swrRate == f.sample_rate && swrOutChannels == outChannels &&
        av_channel_layout_compare(&swrLayout, &f.ch_layout) == 0)
        return true;
    swr_free(&swr);
    av_channel_layout_uninit(&swrLayout);
    swrFormat = -1;
    const int inChannels = f.ch_layout.nb_channels;
    if (inChannels < 1 || inChannels > kMaxChannels || f.sample_rate <= 0 ||
        f.sample_rate > kMaxSampleRate)
        return false;
    AVChannelLayout in{};
    if (f.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&in, inChannels);
    else if (av_channel_layout_copy(&in, &f.ch_layout) < 0)
        return false;
    AVChannelLayout out{};
    av_channel_layout_default(&out, outChannels);
    int result = swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, description.sampleRate, &in,
                                     AVSampleFormat(f.format), f.sample_rate, 0, nullptr);
    if (result >= 0 && inChannels != outChannels) {
        // The front left and right channels (the first two when the layout names none); a
        // single channel feeds both sides; two channels mix into one at half level each.
        std::vector<double> matrix(size_t(outChannels) * size_t(inChannels), 0.0);
        int left = av_channel_layout_index_from_channel(&in, AV_CHAN_FRONT_LEFT);
        int right = av_channel_layout_index_from_channel(&in, AV_CHAN_FRONT_RIGHT);
        if (left < 0 || right < 0 || left == right) {
            left = 0;
            right = inChannels > 1 ? 1 : 0;
        }
        if (outChannels == 2) {
            matrix[size_t(left)] = 1.0;
            matrix[size_t(inChannels + right)] = 1.0;
        } else {
            matrix[size_t(left)] += 0.5;
            matrix[size_t(right)] += 0.5;
        }
        result = swr_set_matrix(swr, matrix.data(), inChannels);
    }
    if (result >= 0)
        result = swr_init(swr);
    av_channel_layout_uninit(&out);
    if (result < 0) {
        av_channel_layout_uninit(&in);
        swr_free(&swr);
        return false;
    }
    swrLayout = in;
    swrFormat = f.format;
    swrRate = f.sample_rate;
    swrOutChannels = outChannels;
    return true;
}

int AudioFileDecoder::State::Convert(const AVFrame &f, int outChannels, std::int16_t *direct,
                                     std::size_t room, bool &wroteDirect)
{
    wroteDirect = false;
    if (f.nb_samples <= 0 || !ConfigureConversion(f, outChannels))
        return 0;
    const int capacity = swr_get_out_samples(swr, f.nb_samples);
    if (capacity <= 0)
        return 0;
    std::uint8_t *to = nullptr;
    if (direct && std::size_t(capacity) <= room) {
        wroteDirect = true;
        to = reinterpret_cast<std::uint8_t *>(direct);
    } else {
        converted.resize(size_t(capacity) * size_t(outChannels));
        to = reinterpret_cast<std::uint8_t *>(converted.data());
    }
    const int n = swr_convert(swr, &to, capacity,
                              const_cast<const std::uint8_t **>(f.extended_data), f.nb_samples);
    return std::max(n, 0);
}

bool AudioFileDecoder::State::DecodeFrom(std::int64_t target, std::int16_t *out, std::size_t frames,
                                         int channels, std::int64_t latestStart,
                                         std::size_t &written, bool &endOfStream)
{
    std::int64_t cursor = target; // the next sample index to write
    std::int64_t next = -1;       // the index after the last decoded frame
    bool first = true;
    bool flushed = false;
    bool started = false; // a packet has gone to the decoder
    const std::int64_t skipUntil = std::max<std::int64_t>(0, target - preroll);
    int barren = 0;
    // Takes one decoded frame: the part at or after the cursor goes to out.
    auto take = [&](const AVFrame &f) -> bool {
        std::int64_t ts = f.pts != AV_NOPTS_VALUE ? f.pts : f.best_effort_timestamp;
        std::int64_t index = ts != AV_NOPTS_VALUE
                                 ? av_rescale_q(ts - origin, timeBase, {1, description.sampleRate})
                                 : next;
        if (first) {
            first = false;
            if (latestStart >= 0 && index > latestStart)
                return false;
        }
        if (ts == AV_NOPTS_VALUE && next < 0)
            index = 0;
        // A frame that continues exactly at the cursor is converted straight into out.
        std::int16_t *direct = index == cursor ? out + written * size_t(channels) : nullptr;
        bool wroteDirect = false;
        const int n = Convert(f, channels, direct, frames - written, wroteDirect);
        next = index + n;
        if (wroteDirect) {
            barren = 0;
            written += size_t(n);
            cursor += n;
            return true;
        }
        if (n == 0 || next <= cursor)
            return true;
        barren = 0;
        if (index > cursor) {
            const std::size_t gap =
                size_t(std::min<std::int64_t>(index - cursor, std::int64_t(frames - written)));
            std::fill_n(out + written * size_t(channels), gap * size_t(channels), std::int16_t(0));
            written += gap;
            cursor += std::int64_t(gap);
        }
        const std::int64_t skip = cursor - index;
        const std::size_t count =
            size_t(std::min<std::int64_t>(n - skip, std::int64_t(frames - written)));
        std::memcpy(out + written * size_t(channels), converted.data() + skip * channels,
                    count * size_t(channels) * sizeof(std::int16_t));
        written += count;
        cursor += std::int64_t(count);
        return true;
    };
    while (written < frames) {
        if (TimedOut() || ++barren > kMaxBarrenPackets)
            return true;
        if (!flushed) {
            const int got = av_read_frame(format, packet);
            if (got < 0) {
                flushed = true;
                avcodec_send_packet(codec, nullptr);
            } else if (packet->stream_index != stream ||
                       (!started && EndOf(*packet) <= skipUntil)) {
                // Packets that end before the pre-roll begins (a seek lands on the start of a
                // page or a cluster) are not decoded.
                av_packet_unref(packet);
                continue;
            } else {
                started = true;
                const int sent = avcodec_send_packet(codec, packet);
                av_packet_unref(packet);
                if (sent < 0 && sent != AVERROR(EAGAIN))
                    continue; // a damaged packet: skip it
            }
        }
        for (;;) {
            const int received = avcodec_receive_frame(codec, frame);
            if (received == AVERROR_EOF) {
                endOfStream = true;
                return true;
            }
            if (received < 0)
                break;
            const bool ok = take(*frame);
            av_frame_unref(frame);
            if (!ok)
                return false;
            if (written >= frames)
                return true;
        }
        if (flushed) {
            endOfStream = true;
            return true;
        }
    }
    return true;
}

AudioFileDecoder::AudioFileDecoder() : d(std::make_unique<State>())
{
    // Damaged files are expected; the libraries' complaints about them are not shown.
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_FATAL);
        return true;
    }();
    (void)quiet;
}

AudioFileDecoder::~AudioFileDecoder() = default;

bool AudioFileDecoder::OpenFile(const QString &path)
{
    auto input = std::make_unique<FileInput>();
    if (!input->Open(path)) {
        d->Close();
        return false;
    }
    if (d->Open(std::move(input)))
        return true;
    d->Close();
    return false;
}

bool AudioFileDecoder::OpenMemory(QByteArrayView bytes)
{
    if (d->Open(std::make_unique<MemoryInput>(bytes)))
        return true;
    d->Close();
    return false;
}

bool AudioFileDecoder::IsOpen() const
{
    return d->codec != nullptr;
}

const DecodedStreamDescription &AudioFileDecoder::Description() const
{
    return d->description;
}

std::size_t AudioFileDecoder::Read(double seconds, std::int16_t *out, std::size_t frames,
                                   int channels, bool &endOfStream)
{
    endOfStream = false;
    if (!IsOpen() || !out || frames == 0 || (channels != 1 && channels != 2) ||
        !std::isfinite(seconds) || seconds < 0 || seconds > 1e7)
        return 0;
    d->deadline = Clock::now() + kReadTimeLimit;
    const int rate = d->description.sampleRate;
    const std::int64_t target = std::llround(seconds * rate);
    // Seek before the target and decode up to it; if the seek lands after the target, start
    // further back, and at last from the beginning.
    for (const std::int64_t back : {d->preroll, std::int64_t(3) * rate, std::int64_t(-1)}) {
        const std::int64_t from = back < 0 ? 0 : std::max<std::int64_t>(0, target - back);
        const std::int64_t ts =
            d->origin + av_rescale_q(from, {1, rate}, d->timeBase) - (from == 0 ? 1 : 0);
        if (avformat_seek_file(d->format, d->stream, INT64_MIN, ts, ts, 0) < 0 &&
            (from != 0 || avformat_seek_file(d->format, -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BYTE) < 0))
            return 0;
        avcodec_flush_buffers(d->codec);
        d->drained = false;
        swr_free(&d->swr);
        d->swrFormat = -1;
        std::size_t written = 0;
        endOfStream = false;
        const std::int64_t latest =
            back >= 0 && from > 0 ? std::max<std::int64_t>(0, target - d->preroll) : -1;
        if (d->DecodeFrom(target, out, frames, channels, latest, written, endOfStream))
            return written;
    }
    return 0;
}

bool AudioFileDecoder::ReadNext(std::vector<std::int16_t> &block, int channels)
{
    if (!IsOpen() || (channels != 1 && channels != 2))
        return false;
    d->deadline = Clock::now() + kReadTimeLimit;
    for (int barren = 0; barren <= kMaxBarrenPackets && !d->TimedOut(); ++barren) {
        // Frames the decoder holds come first; then the next packet of the stream.
        const int received = avcodec_receive_frame(d->codec, d->frame);
        if (received >= 0) {
            bool direct = false;
            const int n = d->Convert(*d->frame, channels, nullptr, 0, direct);
            av_frame_unref(d->frame);
            if (n > 0) {
                block.assign(d->converted.begin(),
                             d->converted.begin() + std::ptrdiff_t(n) * channels);
                return true;
            }
            continue;
        }
        if (received == AVERROR_EOF || d->drained)
            return false;
        if (av_read_frame(d->format, d->packet) < 0) {
            d->drained = true;
            avcodec_send_packet(d->codec, nullptr);
            continue;
        }
        if (d->packet->stream_index == d->stream)
            avcodec_send_packet(d->codec, d->packet); // a damaged packet is skipped
        av_packet_unref(d->packet);
    }
    return false;
}

// The module's one export (declared in analyzer/audio_decoder.h).
AudioDecoder *NewAudioDecoder()
{
    return new AudioFileDecoder();
}
