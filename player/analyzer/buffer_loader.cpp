#include "analyzer/buffer_loader.h"

BufferLoader::~BufferLoader()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        job_.reset();
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BufferLoader::Request(LoadJob job)
{
    {
        std::lock_guard lock(mutex_);
        job_ = std::move(job);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_all();
}

std::optional<LoadResult> BufferLoader::Take()
{
    std::optional<LoadResult> taken;
    std::lock_guard lock(mutex_);
    taken.swap(result_);
    return taken;
}

void BufferLoader::Cancel()
{
    std::lock_guard lock(mutex_);
    job_.reset();
    result_.reset();
}

bool BufferLoader::Busy()
{
    std::lock_guard lock(mutex_);
    return running_ || job_.has_value();
}

void BufferLoader::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || job_.has_value(); });
        if (stop_)
            return;
        LoadJob job = std::move(*job_);
        job_.reset();
        running_ = true;
        lock.unlock();

        LoadResult result;
        result.generation = job.generation;
        result.position = job.position;
        if (job.source)
            result.ok =
                job.source->Load(job.position, result.buffers, job.frames, result.endOfStream);
        // The source is released here, on this thread, when the supply has let go of it.
        job.source.reset();

        lock.lock();
        running_ = false;
        result_ = std::move(result);
    }
}
