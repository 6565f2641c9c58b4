#pragma once

#include "analyzer/sample_blocks.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The lowest and highest sample (channels mixed) of one pixel column of the position bar.
struct WaveformColumn
{
    int16_t low = 0;
    int16_t high = 0;
};

// Gathers blocks of a sound of known length into `columns` columns of min and max: frame f
// of totalFrames falls into column f × columns / totalFrames (frames beyond the length into
// the last one).
class WaveformBuilder
{
public:
    WaveformBuilder(int columns, int64_t totalFrames);
    void Add(const std::vector<int16_t> &block, int channels);
    const std::vector<WaveformColumn> &Columns() const { return columns_; }
    // Columns wholly behind the frames taken so far.
    int Done() const;

private:
    std::vector<WaveformColumn> columns_;
    std::vector<bool> touched_;
    int64_t total_;
    int64_t frame_ = 0;
};

// Computes a whole file's waveform on a thread of its own, column by column; the window
// reads the columns done so far on its ticks. Starting anew or destroying it cancels the
// running work at once (at the end of the block being decoded).
class WaveformWorker
{
public:
    using SourceFactory = std::function<std::unique_ptr<SampleBlockSource>()>;

    ~WaveformWorker();
    // Opens the source on the worker thread; a sound of `seconds` in `columns` columns.
    void Start(SourceFactory open, double seconds, int columns);
    void Cancel();
    bool Running() const { return thread_.joinable(); }
    // Copies the columns computed so far; returns how many are done (all when finished).
    int Snapshot(std::vector<WaveformColumn> &out) const;
    bool Finished() const { return finished_; }
    bool Failed() const { return failed_; }

private:
    void Run(SourceFactory open, double seconds, int columns);

    std::thread thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> failed_{false};
    mutable std::mutex mutex_;
    std::vector<WaveformColumn> columns_;
    int done_ = 0;
};
