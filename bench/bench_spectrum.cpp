// One frame of each spectrum display at the largest FFT size.
#include "spectrum/fft_engine.h"
#include "spectrum/level_meter.h"
#include "spectrum/spectrum_analyzer.h"
#include "support/sample_windows.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <vector>

namespace {

constexpr int kN = 16384;

FftEngine &Engine()
{
    static FftEngine engine(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    return engine;
}

// Music-like stereo frames: a few tones and some noise in each channel.
const std::vector<uint32_t> &Frames()
{
    static const std::vector<uint32_t> frames = [] {
        std::vector<uint32_t> f(kN);
        uint32_t noise = 12345;
        for (int i = 0; i < kN; ++i) {
            noise = noise * 1103515245u + 12345u;
            const double n = static_cast<int>((noise >> 16) & 0x7FFF) - 16384;
            const double left = 9000 * std::sin(0.0142 * i) + 4000 * std::sin(0.31 * i) + 0.1 * n;
            const double right = 7000 * std::sin(0.05 * i) + 3000 * std::sin(0.9 * i) + 0.1 * n;
            f[static_cast<std::size_t>(i)] =
                static_cast<uint16_t>(static_cast<int16_t>(left)) |
                (static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(right))) << 16);
        }
        return f;
    }();
    return frames;
}

void SpectrumFrame(benchmark::State &state, uint8_t mode)
{
    QImage image(640, 360, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FrameInput settings;
    settings.VSA = mode;
    settings.CH = 2;
    settings.NumFftNormal = 4;
    settings.width = 9600;
    settings.height = 5400;
    SpectrumState hue;
    SpectrumWorkspace work;
    const SampleWindow window = Stereo16Window(Frames());
    DrawSpectrumFrame(painter, window, settings, hue, Engine(), work);
    if (!Engine().IsBound())
        state.SkipWithError("libfft.so not found beside the benchmark");
    for (auto _ : state)
        DrawSpectrumFrame(painter, window, settings, hue, Engine(), work);
}

void BM_SpectrumAnalyzerA(benchmark::State &state)
{
    SpectrumFrame(state, 2);
}

void BM_SpectrumAnalyzerB(benchmark::State &state)
{
    SpectrumFrame(state, 3);
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
BENCHMARK(BM_SpectrumAnalyzerB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LevelMeter)->Unit(benchmark::kMicrosecond);
