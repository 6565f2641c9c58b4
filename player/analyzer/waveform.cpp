#include "analyzer/waveform.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

WaveformBuilder::WaveformBuilder(int columns, int64_t totalFrames)
    : columns_(static_cast<std::size_t>(std::max(columns, 0))), touched_(columns_.size(), false),
      total_(std::max<int64_t>(totalFrames, 1))
{
}

void WaveformBuilder::Add(const std::vector<int16_t> &block, int channels)
{
    if (columns_.empty() || channels <= 0)
        return;
    const auto count = static_cast<int64_t>(columns_.size());
    const std::size_t frames = block.size() / static_cast<std::size_t>(channels);
    for (std::size_t f = 0; f < frames; ++f, ++frame_) {
        int sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += block[f * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
        const auto mixed = static_cast<int16_t>(sum / channels);
        const auto column = static_cast<std::size_t>(std::min(frame_ * count / total_, count - 1));
        WaveformColumn &target = columns_[column];
        if (!touched_[column]) {
            target = {mixed, mixed};
            touched_[column] = true;
        } else {
            target.low = std::min(target.low, mixed);
            target.high = std::max(target.high, mixed);
        }
    }
}

int WaveformBuilder::Done() const
{
    const auto count = static_cast<int64_t>(columns_.size());
    return static_cast<int>(std::min(frame_ * count / total_, count));
}

WaveformWorker::~WaveformWorker()
{
    Cancel();
}

void WaveformWorker::Cancel()
{
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
    cancel_ = false;
    const std::lock_guard lock(mutex_);
    columns_.clear();
    done_ = 0;
    finished_ = false;
    failed_ = false;
}

void WaveformWorker::Start(SourceFactory open, double seconds, int columns)
{
    Cancel();
    thread_ = std::thread(&WaveformWorker::Run, this, std::move(open), seconds, columns);
}

int WaveformWorker::Snapshot(std::vector<WaveformColumn> &out) const
{
    const std::lock_guard lock(mutex_);
    out = columns_;
    return done_;
}

void WaveformWorker::Run(SourceFactory open, double seconds, int columns)
{
    // Background work: the window's ticks and the analyzer's loads go first on a busy machine.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    const std::unique_ptr<SampleBlockSource> source = open ? open() : nullptr;
    if (!source || seconds <= 0 || columns <= 0) {
        failed_ = true;
        return;
    }
    WaveformBuilder builder(columns,
                            static_cast<int64_t>(std::llround(seconds * source->SampleRate())));
    std::vector<int16_t> block;
    int published = -1;
    while (!cancel_ && source->Next(block)) {
        builder.Add(block, source->Channels());
        const int done = builder.Done();
        if (done != published) {
            const std::lock_guard lock(mutex_);
            columns_ = builder.Columns();
            done_ = done;
            published = done;
        }
    }
    if (cancel_)
        return;
    const std::lock_guard lock(mutex_);
    columns_ = builder.Columns();
    done_ = columns;
    finished_ = true;
}
