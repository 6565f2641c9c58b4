// The sample supply's two costs: loading a five-second MPEG buffer and copying a one-second
// window per tick.
#include "analyzer/sample_supply.h"
#include "analyzer/stream_header.h"

#include <benchmark/benchmark.h>

namespace {

const QString DemoMp3 = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.mp3");
const QString DemoWav = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.wav");
constexpr float LoadAt = 10.0f;

// A whole load: open, read and decode five seconds into the next buffer.
void BM_SupplyLoadMpeg(benchmark::State &state)
{
    StreamInfo info;
    if (!ReadMpegAudioHeader(DemoMp3, info)) {
        state.SkipWithError("demo.mp3 not accepted");
        return;
    }
    SampleSupply supply;
    supply.Allocate(DemoMp3, info, true);
    for (auto _ : state) {
        if (!supply.LoadBuffer(LoadAt)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(supply.BufferFrames(supply.FillBuffer()));
    }
    state.counters["frames"] = double(supply.BufferFrames(supply.FillBuffer()));
}
BENCHMARK(BM_SupplyLoadMpeg)->Unit(benchmark::kMillisecond);

// One tick's work in steady playback: the window copy out of a loaded buffer.
void BM_FetchWindow(benchmark::State &state)
{
    const int timeRange = int(state.range(0));
    const bool mpeg = state.range(1) != 0;
    const QString path = mpeg ? DemoMp3 : DemoWav;
    StreamInfo info;
    const bool accepted = mpeg ? ReadMpegAudioHeader(path, info)
                               : ReadWaveHeader(path, info) == WaveHeaderResult::Accepted;
    if (!accepted) {
        state.SkipWithError("demo file not accepted");
        return;
    }
    SampleSupply supply;
    supply.Allocate(path, info, mpeg);
    if (!supply.FetchWindow(LoadAt, timeRange)) {
        state.SkipWithError("first load failed");
        return;
    }
    // Positions within the loaded buffer, away from its last second: no load happens.
    int tick = 0;
    for (auto _ : state) {
        const float p = LoadAt + float(tick++ % 96) / 32.0f;
        if (!supply.FetchWindow(p, timeRange)) {
            state.SkipWithError("fetch failed");
            break;
        }
        benchmark::DoNotOptimize(supply.Window().FrameCount());
    }
    if (supply.Loads() != 1)
        state.SkipWithError("a fetch loaded");
}
BENCHMARK(BM_FetchWindow)
    ->ArgNames({"TimeRange", "mpeg"})
    ->Args({100, 1})
    ->Args({100, 0})
    ->Args({10, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace
