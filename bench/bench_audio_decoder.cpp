// The general decoder's two costs. A five-second load of FLAC, AAC (M4A) and Opus through the
// sample supply, against libavcodec decoding the same stretch bare in the same process (target:
// at most 1.2 times). And the longest timer tick while the worker loads buffers of a two-hour
// M4A after seeks (target: under 8 ms): the time the fetch takes on the calling thread.
// The sounds are made with ffmpeg when the program starts.
#include "analyzer/analysis_stream.h"
#include "analyzer/sample_supply.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace {

constexpr float LoadAt = 10.0f;

// The temporary directory with the encoded sounds, made once.
const QTemporaryDir &Sounds()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        if (!dir.isValid())
            return false;
        auto ff = [](const QStringList &args) {
            QProcess p;
            p.start(QStringLiteral("ffmpeg"),
                    QStringList{"-nostdin", "-hide_banner", "-loglevel", "error", "-y"} + args);
            return p.waitForFinished(600000) && p.exitCode() == 0;
        };
        const QString source = dir.filePath("source.wav");
        bool ok =
            ff({"-f", "lavfi", "-i",
                "anoisesrc=color=pink:amplitude=0.3:sample_rate=44100:duration=30", "-f", "lavfi",
                "-i", "sine=frequency=440:sample_rate=44100:duration=30", "-filter_complex",
                "amix=inputs=2,aformat=channel_layouts=stereo", "-c:a", "pcm_s16le", source});
        ok = ok && ff({"-i", source, "-c:a", "flac", dir.filePath("sound.flac")});
        ok = ok && ff({"-i", source, "-c:a", "aac", "-b:a", "128k", dir.filePath("sound.m4a")});
        ok = ok && ff({"-i", source, "-c:a", "libopus", "-b:a", "96k", dir.filePath("sound.opus")});
        ok = ok && ff({"-stream_loop", "239", "-i", dir.filePath("sound.m4a"), "-c", "copy",
                       dir.filePath("two_hours.m4a")});
        return ok;
    }();
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

// Ticks every millisecond while the worker loads the buffer for a new position in a two-hour
// M4A, over 24 seeks across the file; the counters give the longest and the mean time one
// fetch kept the calling thread, and the time until the buffer was there.
void BM_TickWhileLoading(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const QString path = Sounds().filePath(QStringLiteral("two_hours.m4a"));
    const auto openStart = Clock::now();
    const AnalysisStream stream = ReadAnalysisStream(path);
    const double openMs =
        std::chrono::duration<double, std::milli>(Clock::now() - openStart).count();
    if (stream.source != SampleSource::Decoded) {
        state.SkipWithError("not decoded");
        return;
    }
    double longest = 0, total = 0, loadTotal = 0;
    int ticks = 0, seeks = 0;
    for (auto _ : state) {
        SampleSupply supply;
        supply.Allocate(path, stream.info, stream.source, SampleSupply::LoadMode::Worker);
        for (int k = 0; k < 24; ++k) {
            const float p = float((k * 7919) % 7180) + 0.5f;
            const auto seekStart = Clock::now();
            for (int tick = 0; tick < 30000; ++tick) {
                const auto t0 = Clock::now();
                supply.FetchWindow(p, 10);
                const double ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
                longest = std::max(longest, ms);
                total += ms;
                ++ticks;
                const float s = supply.BufferStart(supply.CurrentBuffer());
                if (!supply.Loading() && s >= 0 && s <= p && p < s + 4.9f)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            loadTotal +=
                std::chrono::duration<double, std::milli>(Clock::now() - seekStart).count();
            ++seeks;
        }
    }
    state.counters["open_ms"] = openMs;
    state.counters["max_tick_ms"] = longest;
    state.counters["mean_tick_ms"] = ticks ? total / ticks : 0;
    state.counters["mean_load_ms"] = seeks ? loadTotal / seeks : 0;
}
BENCHMARK(BM_TickWhileLoading)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
