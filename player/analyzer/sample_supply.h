#pragma once

#include "analyzer/buffer_source.h"
#include "analyzer/sample_buffers.h"
#include "analyzer/stream_header.h"
#include "base/sample_window.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class BufferLoader;

// The samples of the sound that plays, for the analyzer displays: two five-second buffers
// read from a WAVE file or decoded (MPEG audio, or any format FFmpeg reads), the next one
// prefetched before the window leaves the current one, and the analysis window copied out
// for the playing position.
//
// Synchronous mode loads inside the fetch that needs a buffer (unit tests, benchmarks).
// Worker mode, which the player uses, hands every load to a worker thread and takes the
// finished buffer in a later fetch: a fetch never waits, and while no buffer covers the
// position the window is silence, never samples of another file or position.
class SampleSupply
{
public:
    static constexpr float BufferSeconds = 5.0f;
    enum class LoadMode { Synchronous, Worker };

    SampleSupply();
    ~SampleSupply();
    SampleSupply(const SampleSupply &) = delete;
    SampleSupply &operator=(const SampleSupply &) = delete;

    // Forgets the buffers: both starts empty, both indices 1, all arrays released.
    void Reset();
    // Sizes both buffers for five seconds of the stream's sample kind; in worker mode the
    // buffer at the start of the file is requested at once.
    void Allocate(const QString &path, const ::StreamInfo &info, SampleSource source,
                  LoadMode mode);
    void Allocate(const QString &path, const ::StreamInfo &info, bool mpeg)
    {
        Allocate(path, info, mpeg ? SampleSource::Mpeg : SampleSource::Wave, LoadMode::Synchronous);
    }
    // Describes a stream whose samples cannot be had yet (its file is still being examined):
    // every fetch gives a window of silence of the described kind, in worker mode.
    void AwaitStream(const ::StreamInfo &info);
    // The window of timeRange x 10 ms that starts at the playing position p (seconds).
    bool FetchWindow(float p, int timeRange);
    // The window the last successful fetch copied (empty for sample kind 0).
    SampleWindow Window() const;

    float BufferStart(int index) const { return start_[static_cast<size_t>(index & 1)]; }
    int CurrentBuffer() const { return current_; }
    int FillBuffer() const { return fill_; }
    // Frames held by a buffer, for tests and the load benchmark.
    std::size_t BufferFrames(int index) const;
    // Loads done since the last reset.
    int Loads() const { return loads_; }
    // Loads the next buffer at p (synchronous mode): exposed for the load benchmark.
    bool LoadBuffer(float p);
    // Worker mode: true while a requested buffer has not been taken over yet.
    bool Loading() const { return pending_; }

private:
    bool FetchSynchronous(float p, int timeRange);
    bool FetchFromWorker(float p, int timeRange);
    void TakeFinishedLoad();
    void RequestLoad(float p);
    bool Covers(int buffer, float p, float w) const;
    bool CopyWindow(float d, int timeRange);
    void CopySilence(int timeRange);
    std::int64_t WindowFrames(int timeRange) const;

    ::StreamInfo info_;
    LoadMode mode_ = LoadMode::Synchronous;
    std::shared_ptr<BufferSource> source_;
    std::unique_ptr<BufferLoader> loader_;
    std::size_t allocatedFrames_ = 0;
    std::array<SampleBuffers, 2> buffers_;
    SampleBuffers window_;
    std::array<float, 2> start_{-1.0f, -1.0f};
    std::array<bool, 2> endOfStream_{false, false};
    int current_ = 1;
    int fill_ = 1;
    int loads_ = 0;
    // Worker mode: the file's generation (results of earlier files are dropped), the
    // requested load, and the last position whose load failed.
    std::uint64_t generation_ = 0;
    bool pending_ = false;
    float pendingAt_ = 0;
    float failedAt_ = -1.0f;
};
