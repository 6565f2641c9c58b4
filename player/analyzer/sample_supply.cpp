#include "analyzer/sample_supply.h"

#include "analyzer/buffer_loader.h"
#include "base/rounding.h"

#include <cmath>

SampleSupply::SampleSupply() = default;

SampleSupply::~SampleSupply() = default;

void SampleSupply::Reset()
{
    current_ = fill_ = 1;
    start_ = {-1.0f, -1.0f};
    endOfStream_ = {false, false};
    for (SampleBuffers *b : {&buffers_[0], &buffers_[1], &window_})
        b->Release();
    allocatedFrames_ = 0;
    loads_ = 0;
    // Loads under way belong to the file before: their results are dropped when they arrive.
    ++generation_;
    pending_ = false;
    failedAt_ = -1.0f;
    if (loader_)
        loader_->Cancel();
}

void SampleSupply::Allocate(const QString &path, const ::StreamInfo &info, SampleSource source,
                            LoadMode mode)
{
    Reset();
    info_ = info;
    mode_ = mode;
    source_ = MakeBufferSource(source, path, info);
    if (info.SampleKind < 1 || info.SampleKind > 4 || info.SampleRate <= 0)
        return;
    allocatedFrames_ = static_cast<std::size_t>(BufferSeconds * info.SampleRate);
    for (SampleBuffers &b : buffers_)
        b.FillSilence(info.SampleKind, allocatedFrames_);
    if (mode_ == LoadMode::Worker) {
        if (!loader_)
            loader_ = std::make_unique<BufferLoader>();
        // Playback starts at the beginning: have that buffer ready before the first tick.
        RequestLoad(0.0f);
    }
}

void SampleSupply::AwaitStream(const ::StreamInfo &info)
{
    Reset();
    info_ = info;
    mode_ = LoadMode::Worker;
    // No source: nothing is ever requested, every window is silence.
    source_.reset();
}

std::size_t SampleSupply::BufferFrames(int index) const
{
    return buffers_[static_cast<size_t>(index & 1)].Frames(info_.SampleKind);
}

bool SampleSupply::Covers(int buffer, float p, float w) const
{
    const float s = start_[static_cast<size_t>(buffer & 1)];
    const float end = s + BufferSeconds - w;
    return s != -1.0f && p >= s && end > p;
}

bool SampleSupply::FetchWindow(float p, int timeRange)
{
    return mode_ == LoadMode::Worker ? FetchFromWorker(p, timeRange)
                                     : FetchSynchronous(p, timeRange);
}

bool SampleSupply::FetchSynchronous(float p, int timeRange)
{
    const float w = static_cast<float>(timeRange) / 100.0f;
    const float s = start_[static_cast<size_t>(current_)];
    if (Covers(current_, p, w)) {
        if (p >= s + BufferSeconds - 1.0f && current_ == fill_ && !LoadBuffer(p))
            return false;
    } else {
        if (current_ == fill_ && !LoadBuffer(p))
            return false;
        current_ ^= 1;
    }
    return CopyWindow(p - start_[static_cast<size_t>(current_)], timeRange);
}

bool SampleSupply::LoadBuffer(float p)
{
    if (mode_ == LoadMode::Worker) {
        RequestLoad(p);
        return true;
    }
    fill_ ^= 1;
    const auto fill = static_cast<size_t>(fill_);
    bool end = false;
    const bool ok = p >= 0 && source_ && allocatedFrames_ + (info_.SampleKind == 0) > 0 &&
                    source_->Load(p, buffers_[fill], allocatedFrames_, end);
    if (!ok) {
        start_[fill] = -1.0f;
        fill_ ^= 1;
        return false;
    }
    start_[fill] = p;
    endOfStream_[fill] = end;
    ++loads_;
    return true;
}

void SampleSupply::RequestLoad(float p)
{
    if (!loader_ || !source_ || p < 0)
        return;
    pending_ = true;
    pendingAt_ = p;
    loader_->Request({source_, generation_, p, allocatedFrames_});
}

void SampleSupply::TakeFinishedLoad()
{
    if (!loader_)
        return;
    std::optional<LoadResult> result = loader_->Take();
    if (!result || result->generation != generation_)
        return;
    if (result->position == pendingAt_)
        pending_ = false;
    if (!result->ok) {
        failedAt_ = result->position;
        return;
    }
    fill_ ^= 1;
    const auto fill = static_cast<size_t>(fill_);
    std::swap(buffers_[fill], result->buffers);
    start_[fill] = result->position;
    endOfStream_[fill] = result->endOfStream;
    ++loads_;
}

bool SampleSupply::FetchFromWorker(float p, int timeRange)
{
    TakeFinishedLoad();
    if (info_.SampleKind == 0)
        return true;
    const float w = static_cast<float>(timeRange) / 100.0f;
    // A buffer that waits becomes current once the window leaves the current one.
    if (!Covers(current_, p, w) && current_ != fill_ && Covers(fill_, p, w))
        current_ = fill_;
    if (Covers(current_, p, w)) {
        const float s = start_[static_cast<size_t>(current_)];
        // Ask for the next buffer a second before the window leaves this one, so that it is
        // ready in time whatever the window's length.
        if (p >= s + BufferSeconds - w - 1.0f && current_ == fill_ && !pending_ &&
            !endOfStream_[static_cast<size_t>(current_)])
            RequestLoad(p);
        if (CopyWindow(p - s, timeRange))
            return true;
        // The buffer ends before the window does: the end of the stream.
        CopySilence(timeRange);
        return true;
    }
    // Nothing covers p (the start, a seek): ask for a buffer at p unless the one requested
    // will cover it or a load at about this position has just failed; draw silence meanwhile.
    const bool awaited = pending_ && p >= pendingAt_ && pendingAt_ + BufferSeconds - w > p;
    const bool failedHere = failedAt_ >= 0 && p >= failedAt_ && p < failedAt_ + 1.0f;
    if (!awaited && !failedHere)
        RequestLoad(p);
    CopySilence(timeRange);
    return true;
}

std::int64_t SampleSupply::WindowFrames(int timeRange) const
{
    return RoundHalfEven(static_cast<double>(timeRange) * info_.SampleRate / 100.0);
}

void SampleSupply::CopySilence(int timeRange)
{
    const std::int64_t count = WindowFrames(timeRange);
    window_.FillSilence(info_.SampleKind, count > 0 ? static_cast<std::size_t>(count) : 0);
}

bool SampleSupply::CopyWindow(float d, int timeRange)
{
    const int kind = info_.SampleKind;
    if (kind == 0)
        return true;
    const qint64 count = WindowFrames(timeRange);
    const qint64 first = static_cast<qint64>(std::floor(d * info_.SampleRate));
    const SampleBuffers &source = buffers_[static_cast<size_t>(current_)];
    const qint64 available = static_cast<qint64>(source.Frames(kind));
    if (first < 0 || count < 0 || first + count > available)
        return false;
    auto copy = [first, count](const auto &from, auto &to) {
        to.assign(from.begin() + first, from.begin() + first + count);
    };
    switch (kind) {
    case 1:
        copy(source.stereo16, window_.stereo16);
        break;
    case 2:
        copy(source.mono16, window_.mono16);
        break;
    case 3:
        copy(source.stereo8, window_.stereo8);
        break;
    default:
        copy(source.mono8, window_.mono8);
        break;
    }
    return true;
}

SampleWindow SampleSupply::Window() const
{
    return window_.View(info_.SampleKind);
}
