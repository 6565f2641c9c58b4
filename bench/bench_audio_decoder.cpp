// The general decoder's two costs. A five-second load of FLAC, AAC (M4A) and Opus through the
// sample supply, against libavcodec decoding the same stretch bare in the same process (target:
// at most 1.2 times). And the longest timer tick while a two-hour M4A is opened and its
// buffers load after seeks (target: under 8 ms): the time the work takes on the calling thread.
// The sounds are made with ffmpeg when the program starts.
#include "analyzer/analysis_stream.h"
#include "analyzer/sample_supply.h"

#include "support/bench_sounds.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>

namespace {

constexpr float LoadAt = 10.0f;

// The temporary directory with the encoded sounds, made once.
const QTemporaryDir &Sounds()
{
    static QTemporaryDir dir;
    static const bool made =
        EncodeNoiseAndTone(dir, 30,
                           {{"sound.flac", {"-c:a", "flac"}},
                            {"sound.m4a", {"-c:a", "aac", "-b:a", "128k"}},
                            {"sound.opus", {"-c:a", "libopus", "-b:a", "96k"}}}) &&
        RunFfmpeg({"-stream_loop", "239", "-i", dir.filePath("sound.m4a"), "-c", "copy",
                   dir.filePath("two_hours.m4a")});
    // Without ffmpeg the files are missing and each benchmark reports that it was skipped.
    (void)made;
    return dir;
}

QString SoundPath(int format)
{
    static const char *const names[] = {"sound.flac", "sound.m4a", "sound.opus"};
    return Sounds().filePath(QString::fromLatin1(names[format]));
}

const char *FormatName(int format)
{
    static const char *const names[] = {"FLAC", "AAC", "Opus"};
    return names[format];
}

// A whole load through the supply: seek, decode, convert five seconds into the next buffer.
void BM_SupplyLoad(benchmark::State &state)
{
    const QString path = SoundPath(int(state.range(0)));
    state.SetLabel(FormatName(int(state.range(0))));
    const AnalysisStream stream = ReadAnalysisStream(path);
    if (stream.source != SampleSource::Decoded) {
        state.SkipWithError("not decoded");
        return;
    }
    SampleSupply supply;
    supply.Allocate(path, stream.info, stream.source, SampleSupply::LoadMode::Synchronous);
    for (auto _ : state) {
        if (!supply.LoadBuffer(LoadAt)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(supply.BufferFrames(supply.FillBuffer()));
    }
    state.counters["frames"] = double(supply.BufferFrames(supply.FillBuffer()));
}
BENCHMARK(BM_SupplyLoad)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The floor: libavformat and libavcodec alone, the file open already, seeking to the same
// position and decoding the frames up to five seconds after it, without conversion.
void BM_BareDecode(benchmark::State &state)
{
    const QByteArray path = SoundPath(int(state.range(0))).toLocal8Bit();
    state.SetLabel(FormatName(int(state.range(0))));
    AVFormatContext *format = nullptr;
    if (avformat_open_input(&format, path.constData(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(format, nullptr) < 0) {
        state.SkipWithError("open failed");
        return;
    }
    const AVCodec *decoder = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    AVStream *stream = format->streams[index];
    AVCodecContext *codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codec, stream->codecpar);
    codec->pkt_timebase = stream->time_base;
    avcodec_open2(codec, decoder, nullptr);
    AVPacket *packet = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    const std::int64_t until = std::int64_t((LoadAt + 5) * codec->sample_rate);
    const std::int64_t ts =
        av_rescale_q(std::int64_t(LoadAt * AV_TIME_BASE), AV_TIME_BASE_Q, stream->time_base);
    std::int64_t decoded = 0;
    for (auto _ : state) {
        avformat_seek_file(format, index, INT64_MIN, ts, ts, 0);
        avcodec_flush_buffers(codec);
        decoded = 0;
        std::int64_t reached = 0;
        while (reached < until && av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == index && avcodec_send_packet(codec, packet) >= 0)
                while (avcodec_receive_frame(codec, frame) >= 0) {
                    decoded += frame->nb_samples;
                    reached = av_rescale_q(frame->pts, stream->time_base, {1, codec->sample_rate}) +
                              frame->nb_samples;
                    av_frame_unref(frame);
                }
            av_packet_unref(packet);
        }
        benchmark::DoNotOptimize(decoded);
    }
    state.counters["frames"] = double(decoded);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
}
BENCHMARK(BM_BareDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Ticks every millisecond while a two-hour M4A is opened and then seeked 24 times across the
// file: the probe examines the file on its worker (the tick that starts it reads only the
// WAVE and MPEG headers), then the supply's worker loads the buffer for each new position.
// The counters give the longest and the mean time one tick kept the calling thread, the time
// until the probe answered and the time until each buffer was there.
void BM_TickWhileLoading(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    auto since = [](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
    };
    const QString path = Sounds().filePath(QStringLiteral("two_hours.m4a"));
    if (ReadAnalysisStream(path).source != SampleSource::Decoded) {
        state.SkipWithError("not decoded");
        return;
    }
    double longest = 0, total = 0, openTotal = 0, loadTotal = 0;
    int ticks = 0, opens = 0, seeks = 0;
    auto tick = [&](auto &&work) {
        const auto t0 = Clock::now();
        const bool done = work();
        const double ms = since(t0);
        longest = std::max(longest, ms);
        total += ms;
        ++ticks;
        if (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return done;
    };
    for (auto _ : state) {
        AnalysisProbe probe;
        SampleSupply supply;
        const auto openStart = Clock::now();
        std::optional<AnalysisStream> stream;
        tick([&] {
            stream = probe.Start(path);
            return stream.has_value();
        });
        while (!stream && !tick([&] {
            stream = probe.Take();
            return stream.has_value();
        })) {
        }
        openTotal += since(openStart);
        ++opens;
        if (stream->source != SampleSource::Decoded) {
            state.SkipWithError("the probe did not decode");
            return;
        }
        supply.Allocate(path, stream->info, stream->source, SampleSupply::LoadMode::Worker);
        for (int k = 0; k < 24; ++k) {
            const float p = float((k * 7919) % 7180) + 0.5f;
            const auto seekStart = Clock::now();
            for (int n = 0; n < 30000; ++n)
                if (tick([&] {
                        supply.FetchWindow(p, 10);
                        const float s = supply.BufferStart(supply.CurrentBuffer());
                        return !supply.Loading() && s >= 0 && s <= p && p < s + 4.9f;
                    }))
                    break;
            loadTotal += since(seekStart);
            ++seeks;
        }
    }
    state.counters["open_ms"] = opens ? openTotal / opens : 0;
    state.counters["max_tick_ms"] = longest;
    state.counters["mean_tick_ms"] = ticks ? total / ticks : 0;
    state.counters["mean_load_ms"] = seeks ? loadTotal / seeks : 0;
}
BENCHMARK(BM_TickWhileLoading)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
