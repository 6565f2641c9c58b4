// One frame of the spectrogram, the loudness meter and the stereo field, and the position bar's
// waveform of a five-minute MP3.
#include "analyzer/loudness_meter.h"
#include "analyzer/sample_blocks.h"
#include "analyzer/stereo_field.h"
#include "analyzer/stream_header.h"
#include "analyzer/waveform.h"
#include "spectrum/fft_engine.h"
#include "spectrum/spectrogram.h"

#include "support/bench_frames.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <vector>

namespace {

constexpr int kN = kBenchFftSize;

FftEngine &Engine()
{
    return BenchFftEngine();
}
const std::vector<uint32_t> &Frames()
{
    return MusicLikeFrames();
}

SampleWindow Window(std::size_t first = 0, std::size_t count = kN)
{
    SampleWindow window;
    window.sampleKind = 1;
    window.stereo16 = std::span<const uint32_t>(Frames().data() + first, count);
    return window;
}

// A frame at 640 × 360, N = 16384, both channels; with the module missing the transforms are
// left out, which shows what scrolling and drawing the column cost alone.
void SpectrogramFrame(benchmark::State &state, FftEngine &fft)
{
    QImage image(640, 360, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FrameInput input;
    input.CH = 2;
    input.NumFftNormal = 4;
    input.width = 9600;
    input.height = 5400;
    SpectrogramState history;
    double position = 1.0;
    DrawSpectrogramFrame(painter, Window(), input, position, history, fft);
    if (&fft == &Engine() && !fft.IsBound())
        state.SkipWithError("libfft.so not found beside the benchmark");
    for (auto _ : state) {
        position += 0.04;
        DrawSpectrogramFrame(painter, Window(), input, position, history, fft);
    }
}

void BM_SpectrogramFrame(benchmark::State &state)
{
    SpectrogramFrame(state, Engine());
}

void BM_SpectrogramDrawOnly(benchmark::State &state)
{
    static FftEngine none(QStringLiteral("/nonexistent"));
    SpectrogramFrame(state, none);
}

// 40 ms of new samples in a 200 ms window at 44.1 kHz, fed and drawn at 400 × 240.
void BM_LoudnessFrame(benchmark::State &state)
{
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    LoudnessState meter;
    LoudnessPictures pictures;
    constexpr int span = 8820, tick = 1764;
    int64_t first = 0;
    double now = 0;
    for (auto _ : state) {
        const auto at = static_cast<std::size_t>(first % (kN - span));
        meter.Feed(Window(at, span), 44100, first, now);
        DrawLoudnessFrame(painter, meter, pictures, 400, 240, now);
        first += tick;
        now += 40;
    }
}

// The feeding alone: peaks, RMS and libebur128.
void BM_LoudnessFeed(benchmark::State &state)
{
    LoudnessState meter;
    constexpr int span = 8820, tick = 1764;
    int64_t first = 0;
    double now = 0;
    for (auto _ : state) {
        const auto at = static_cast<std::size_t>(first % (kN - span));
        meter.Feed(Window(at, span), 44100, first, now);
        first += tick;
        now += 40;
    }
}

// A stereo field frame in fast mode (10 ms frames) over a 100 ms window moving 10 ms a frame,
// at 400 × 240 (argument 0) or in the large area, 640 × 360 (argument 1).
void BM_StereoFieldFrame(benchmark::State &state)
{
    const bool large = state.range(0) != 0;
    QImage image(large ? 640 : 400, large ? 360 : 240, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FrameInput input;
    input.FastFlag = true;
    input.width = image.width() * 15;
    input.height = image.height() * 15;
    StereoFieldState field;
    constexpr std::size_t span = 4410, step = 441;
    std::size_t first = 0;
    for (auto _ : state) {
        DrawStereoFieldFrame(painter, Window(first, span), input, field);
        first = (first + step) % (kN - span);
    }
}

// The demo tune repeated to five minutes (its tag left out), as a file.
QString FiveMinuteMp3(QTemporaryDir &dir)
{
    QFile demo(QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.mp3"));
    if (!demo.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = demo.readAll();
    if (bytes.startsWith("ID3") && bytes.size() > 10) {
        const auto b = [&](int i) { return static_cast<int>(static_cast<uchar>(bytes[i])); };
        const int tag = 10 + ((b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9));
        bytes = bytes.mid(tag);
    }
    StreamInfo info;
    const QString path = dir.filePath(QStringLiteral("five.mp3"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return QString();
    out.write(bytes);
    out.close();
    if (!ReadMpegAudioHeader(path, info) || info.Mp3Format.nAvgBytesPerSec == 0)
        return QString();
    const qint64 wanted = 300LL * info.Mp3Format.nAvgBytesPerSec;
    QByteArray all;
    while (all.size() < wanted)
        all += bytes;
    out.open(QIODevice::WriteOnly);
    out.write(all);
    return path;
}

void BM_WaveformFiveMinuteMp3(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = FiveMinuteMp3(dir);
    StreamInfo info;
    if (path.isEmpty() || !ReadMpegAudioHeader(path, info)) {
        state.SkipWithError("no five-minute MP3");
        return;
    }
    for (auto _ : state) {
        auto source = OpenMpegBlocks(path, info);
        WaveformBuilder builder(201, 300LL * source->SampleRate());
        std::vector<int16_t> block;
        while (source->Next(block))
            builder.Add(block, source->Channels());
        benchmark::DoNotOptimize(builder.Columns().data());
    }
}

} // namespace

BENCHMARK(BM_SpectrogramFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrogramDrawOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoudnessFeed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoudnessFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StereoFieldFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WaveformFiveMinuteMp3)->Unit(benchmark::kMillisecond);
