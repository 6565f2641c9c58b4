// One frame of each spectrum display at the largest FFT size.
#include "spectrum/channel_spectra.h"
#include "spectrum/fft_engine.h"
#include "spectrum/level_meter.h"
#include "spectrum/spectrum_analyzer.h"
#include "support/sample_windows.h"

#include "support/bench_frames.h"
#include "support/cold_cache.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cmath>
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

// Both channels on the large 640 × 360 area at the largest FFT size.
FrameInput DualLargeFrame(uint8_t mode)
{
    FrameInput settings;
    settings.VSA = mode;
    settings.CH = 2;
    settings.NumFftNormal = 4;
    settings.width = 9600;
    settings.height = 5400;
    return settings;
}

void SpectrumFrame(benchmark::State &state, uint8_t mode)
{
    QImage image(640, 360, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const FrameInput settings = DualLargeFrame(mode);
    SpectrumState hue;
    SpectrumWorkspace work;
    const SampleWindow window = Stereo16Window(Frames());
    DrawSpectrumFrame(painter, window, settings, hue, Engine(), work);
    if (!Engine().IsBound())
        state.SkipWithError("libfft.so not found beside the benchmark");
    for (auto _ : state)
        DrawSpectrumFrame(painter, window, settings, hue, Engine(), work);
}

// Frames as the running player draws them: the window moves on by 10 ms of 44.1 kHz sound each
// frame, and between frames the rest of the player (window system, painting, decoding) has
// pushed the frame's data out of the caches; only the frame itself is timed.
void MovingFrames(benchmark::State &state, uint8_t mode)
{
    constexpr std::size_t kHop = 441;
    static const std::vector<uint32_t> music = [] {
        const std::vector<uint32_t> &base = Frames();
        std::vector<uint32_t> longer;
        for (int copies = 0; copies < 8; ++copies)
            longer.insert(longer.end(), base.begin(), base.end());
        return longer;
    }();
    QImage image(640, 360, QImage::Format_RGB32);
    image.fill(Qt::black);
    const FrameInput settings = DualLargeFrame(mode);
    SpectrumState hue;
    SpectrumWorkspace work;
    std::size_t start = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PushOutCoreCaches();
        start = start + kHop + kN > music.size() ? 0 : start + kHop;
        SampleWindow window;
        window.sampleKind = 1;
        window.stereo16 = std::span<const uint32_t>(music).subspan(start, kN);
        state.ResumeTiming();
        QPainter painter(&image);
        DrawSpectrumFrame(painter, window, settings, hue, Engine(), work);
    }
}

void BM_SpectrumAnalyzerAMoving(benchmark::State &state)
{
    MovingFrames(state, 2);
}

void BM_SpectrumAnalyzerBMoving(benchmark::State &state)
{
    MovingFrames(state, 3);
}

void BM_SpectrumAnalyzerA(benchmark::State &state)
{
    SpectrumFrame(state, 2);
}

void BM_SpectrumAnalyzerB(benchmark::State &state)
{
    SpectrumFrame(state, 3);
}

// The weighting and transform of both channels that every dual spectrum frame starts with.
// Argument 1 pushes the arrays out of the core's caches first, as in the running player.
void BM_ChannelSpectraDual(benchmark::State &state)
{
    const bool cold = state.range(0) != 0;
    const SampleWindow window = Stereo16Window(Frames());
    std::vector<double> weights(kN);
    for (int i = 0; i < kN; ++i)
        weights[static_cast<std::size_t>(i)] = 0.5 - 0.5 * std::cos(6.283185307179586 * i / kN);
    ChannelSpectra spectra;
    spectra.Compute(window, weights, true, true, Engine());
    if (!Engine().IsBound())
        state.SkipWithError("libfft.so not found beside the benchmark");
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            PushOutCoreCaches();
            state.ResumeTiming();
        }
        spectra.Compute(window, weights, true, true, Engine());
        benchmark::DoNotOptimize(spectra.Power(1, 100));
    }
}

void BM_LevelMeter(benchmark::State &state)
{
    QImage image(400, 240, QImage::Format_RGB32);
    QImage bar(8, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 8; ++x)
            bar.setPixelColor(x, y, QColor(160 - y / 2, 55 + y, 255 - y / 4));
    QPainter painter(&image);
    FrameInput settings;
    settings.VSA = 5;
    settings.NumFftNormal = 4;
    LevelMeterState meter;
    LevelMeterWorkspace work;
    const SampleWindow window = Stereo16Window(Frames());
    DrawLevelMeterFrame(painter, window, settings, meter, bar, Engine(), work);
    for (auto _ : state)
        DrawLevelMeterFrame(painter, window, settings, meter, bar, Engine(), work);
}

} // namespace

BENCHMARK(BM_SpectrumAnalyzerA)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrumAnalyzerAMoving)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrumAnalyzerBMoving)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrumAnalyzerB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChannelSpectraDual)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LevelMeter)->Unit(benchmark::kMicrosecond);
