#pragma once

#include "analyzer/buffer_source.h"
#include "analyzer/sample_buffers.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// One buffer to load: from which source, for which file (generation), where, how long.
struct LoadJob
{
    std::shared_ptr<BufferSource> source;
    std::uint64_t generation = 0;
    float position = 0;
    std::size_t frames = 0;
};

// A finished load, handed over whole.
struct LoadResult
{
    std::uint64_t generation = 0;
    float position = 0;
    bool ok = false;
    bool endOfStream = false;
    SampleBuffers buffers;
};

// Runs buffer loads on a thread of its own, one at a time, so that the caller never waits for
// a file or a decoder. A new request replaces one that has not started; the newest finished
// load waits to be taken. The thread starts with the first request and ends with the loader.
class BufferLoader
{
public:
    BufferLoader() = default;
    ~BufferLoader();
    BufferLoader(const BufferLoader &) = delete;
    BufferLoader &operator=(const BufferLoader &) = delete;

    void Request(LoadJob job);
    // The finished load, if there is one; never waits for a load to finish.
    std::optional<LoadResult> Take();
    // Forgets the waiting request and the finished load.
    void Cancel();
    // True while a request waits or runs.
    bool Busy();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<LoadJob> job_;
    std::optional<LoadResult> result_;
    bool running_ = false;
    bool stop_ = false;
    std::thread thread_;
};
