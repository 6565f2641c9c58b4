#pragma once

#include "analyzer/sample_buffers.h"
#include "analyzer/stream_header.h"

#include <QString>

#include <cstddef>
#include <memory>

// Where the samples of an analysed file come from: read from a PCM WAVE file, decoded from
// MPEG audio by libmpg123, or decoded by FFmpeg's libraries.
enum class SampleSource { Wave, Mpeg, Decoded };

// Reads or decodes the frames of one sample buffer from one file. Not thread-safe: one
// thread at a time loads from a source.
class BufferSource
{
public:
    virtual ~BufferSource() = default;
    // Fills the array of the stream's sample kind in target with up to `frames` frames that
    // play from p (seconds) on. A WAVE buffer is always `frames` long (silence past the end of
    // the file); decoded buffers end where the stream ends. endOfStream is set when the file
    // ended within the buffer. False when nothing could be read or decoded.
    virtual bool Load(float p, SampleBuffers &target, std::size_t frames, bool &endOfStream) = 0;
};

// The source for a file that the stream readers accepted with the given description.
std::unique_ptr<BufferSource> MakeBufferSource(SampleSource source, const QString &path,
                                               const ::StreamInfo &info);
