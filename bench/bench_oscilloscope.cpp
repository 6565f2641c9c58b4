// One oscilloscope frame on the large 640 × 360 area from one second of 44.1 kHz stereo, the
// longest window the time range allows, and from the shortest (10 ms).
#include "analyzer/oscilloscope.h"
#include "support/sample_windows.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

// Music-like stereo: a few partials and some noise, different on each side.
WindowSamples Stereo(int frames)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 1500.0);
    WindowSamples pcm(1);
    for (int i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        const double tone = 9000 * std::sin(2 * std::numbers::pi * 220 * t) +
                            5000 * std::sin(2 * std::numbers::pi * 1375 * t) +
                            2500 * std::sin(2 * std::numbers::pi * 5100 * t);
        const auto left = static_cast<std::int16_t>(std::lround(tone + noise(random)));
        const auto right = static_cast<std::int16_t>(std::lround(0.7 * tone - noise(random)));
        pcm.Append(left, right);
    }
    return pcm;
}

// Arguments: channel (0 or 2), time range in units of 10 ms, and 1 to clip the painter, which
// makes the trace go through the raster engine's rectangle fills instead of the image's pixels.
void OscilloscopeFrame(benchmark::State &state)
{
    const int timeRange = static_cast<int>(state.range(1));
    const WindowSamples pcm = Stereo(441 * timeRange);
    const SampleWindow window = pcm.View();
    FrameInput settings;
    settings.CH = static_cast<std::uint8_t>(state.range(0));
    settings.width = 9600;
    settings.height = 5400;
    settings.TimeRange = static_cast<std::uint8_t>(timeRange);
    ScopeColourCycle cycle;
    QImage picture(640, 360, QImage::Format_RGB32);
    picture.fill(Qt::black);

    for (auto _ : state) {
        QPainter painter(&picture);
        if (state.range(2) != 0)
            painter.setClipRect(picture.rect());
        DrawOscilloscopeFrame(painter, window, settings, cycle);
        painter.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
}

} // namespace

BENCHMARK(OscilloscopeFrame)
    ->ArgNames({"CH", "TimeRange", "Clipped"})
    ->Args({2, 100, 0})
    ->Args({0, 100, 0})
    ->Args({2, 1, 0})
    ->Args({2, 100, 1})
    ->Unit(benchmark::kMicrosecond);
