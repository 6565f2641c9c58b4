// The position bar's waveform of a five-minute MP3 (libmpg123) and a five-minute FLAC (the
// general decoder): the time until the worker has every column (target for the MP3: under
// 1 s), and the ticks of the window meanwhile: every 10 ms the window copies the columns done
// and draws them, as the position bar does. The longest tick's own work and the longest delay
// of a tick behind its time are reported (target: under 8 ms), also for ticks while no
// waveform is computed: what the machine itself adds. The sounds are made with
// ffmpeg when the program starts.
#include "analyzer/analysis_stream.h"
#include "analyzer/sample_blocks.h"
#include "analyzer/waveform.h"

#include "support/bench_sounds.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

constexpr int kColumns = 201;
constexpr int kBarHeight = 17;
constexpr double kSeconds = 300;

// The temporary directory with the five-minute sounds, made once.
const QTemporaryDir &Sounds()
{
    static QTemporaryDir dir;
    static const bool made = EncodeNoiseAndTone(
        dir, 300,
        {{"five.mp3", {"-c:a", "libmp3lame", "-b:a", "160k"}}, {"five.flac", {"-c:a", "flac"}}});
    (void)made; // without ffmpeg the files are missing and each benchmark says so
    return dir;
}

// What UpdateWaveformBar does on a tick: copy the columns done and draw them.
void DrawBar(const WaveformWorker &worker, std::vector<WaveformColumn> &columns, QImage &canvas)
{
    const int done = worker.Snapshot(columns);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setPen(QColor(120, 164, 214));
    const double middle = (canvas.height() - 1) / 2.0;
    const int count = std::min<int>(done, static_cast<int>(columns.size()));
    for (int x = 0; x < count; ++x) {
        const WaveformColumn &c = columns[static_cast<std::size_t>(x)];
        const int top = static_cast<int>(std::lround(middle - c.high / 32768.0 * (middle + 0.5)));
        const int foot = static_cast<int>(std::lround(middle - c.low / 32768.0 * (middle + 0.5)));
        painter.drawLine(x, top, x, foot);
    }
}

void BM_WaveformReady(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    // 0: MP3, 1: FLAC, 2: no waveform (the ticks alone, for the machine's own delays).
    const int kind = int(state.range(0));
    const bool flac = kind != 0;
    state.SetLabel(kind == 0 ? "MP3" : (kind == 1 ? "FLAC" : "ticks alone"));
    const QString path = Sounds().filePath(flac ? "five.flac" : "five.mp3");
    const AnalysisStream stream = ReadAnalysisStream(path);
    if (stream.result != WaveHeaderResult::Accepted) {
        state.SkipWithError("no five-minute sound");
        return;
    }
    QImage canvas(kColumns, kBarHeight, QImage::Format_RGB32);
    std::vector<WaveformColumn> columns;
    double readyTotal = 0, longestWork = 0, longestLate = 0;
    int runs = 0;
    for (auto _ : state) {
        WaveformWorker worker;
        const auto start = Clock::now();
        if (kind != 2)
            worker.Start([&] { return OpenSampleBlocks(stream.source, path, stream.info); },
                         kSeconds, kColumns);
        auto due = start;
        for (int n = 0; kind == 2 ? n < 40 : !worker.Finished() && !worker.Failed(); ++n) {
            due += std::chrono::milliseconds(10);
            std::this_thread::sleep_until(due);
            const auto woke = Clock::now();
            longestLate = std::max(longestLate,
                                   std::chrono::duration<double, std::milli>(woke - due).count());
            DrawBar(worker, columns, canvas);
            longestWork =
                std::max(longestWork,
                         std::chrono::duration<double, std::milli>(Clock::now() - woke).count());
        }
        if (kind != 2 && worker.Failed()) {
            state.SkipWithError("the waveform failed");
            return;
        }
        // Finished is seen at the tick after it: the time is that of the tick, within 10 ms.
        readyTotal += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ++runs;
    }
    state.counters["ready_ms"] = runs ? readyTotal / runs : 0;
    state.counters["max_tick_work_ms"] = longestWork;
    state.counters["max_tick_late_ms"] = longestLate;
}
BENCHMARK(BM_WaveformReady)
    ->DenseRange(0, 2)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
