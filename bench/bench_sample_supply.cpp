// The sample supply's two costs: loading a five-second MPEG buffer (against libmpg123 alone
// decoding the same range in the same process) and copying a one-second window per tick.
#include "analyzer/sample_supply.h"
#include "analyzer/stream_header.h"

#include <benchmark/benchmark.h>
#include <mpg123.h>

#include <QFile>

#include <vector>

namespace {

const QString DemoMp3 = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.mp3");
const QString DemoWav = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.wav");
constexpr float LoadAt = 10.0f;

// The bytes a load at LoadAt decodes, read once: the five-second range from the byte at
// which LoadAt plays.
QByteArray LoadRange(const StreamInfo &info)
{
    const SampleSupply::MpegRange range = SampleSupply::MpegInputRange(info.Mp3Format, LoadAt);
    QFile file(DemoMp3);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(info.AudioStart - 1 - 4 + range.offset))
        return {};
    return file.read(range.bytes);
}

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

// The floor: a fresh libmpg123 feed decoder over the same range, bytes already in memory.
void BM_Mpg123Alone(benchmark::State &state)
{
    StreamInfo info;
    if (!ReadMpegAudioHeader(DemoMp3, info)) {
        state.SkipWithError("demo.mp3 not accepted");
        return;
    }
    const QByteArray input = LoadRange(info);
    std::vector<unsigned char> out(std::size_t(input.size() / info.Mp3Format.nBlockSize + 1) *
                                   1152 * 4);
    mpg123_init();
    std::size_t total = 0;
    for (auto _ : state) {
        int error = MPG123_OK;
        mpg123_handle *handle = mpg123_new(nullptr, &error);
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
        mpg123_format_none(handle);
        mpg123_format(handle, info.SampleRate, MPG123_STEREO, MPG123_ENC_SIGNED_16);
        mpg123_open_feed(handle);
        mpg123_feed(handle, reinterpret_cast<const unsigned char *>(input.data()),
                    std::size_t(input.size()));
        total = 0;
        for (;;) {
            std::size_t done = 0;
            const int result = mpg123_read(handle, out.data() + total, out.size() - total, &done);
            total += done;
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
                break;
        }
        mpg123_delete(handle);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["frames"] = double(total / 4);
}
BENCHMARK(BM_Mpg123Alone)->Unit(benchmark::kMillisecond);

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

BENCHMARK_MAIN();
