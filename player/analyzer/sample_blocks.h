#pragma once

#include "analyzer/buffer_source.h"
#include "analyzer/stream_header.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// A file's samples in play order, as blocks of interleaved signed 16-bit samples. The
// waveform worker reads any decoder through this.
class SampleBlockSource
{
public:
    virtual ~SampleBlockSource() = default;
    virtual int Channels() const = 0;
    virtual int SampleRate() const = 0;
    // The next block (a whole number of frames); false at the end or on a failure.
    virtual bool Next(std::vector<int16_t> &block) = 0;
};

// The PCM data of a WAVE file the header reader accepted (sample kinds 1 to 4); null for any
// other kind.
std::unique_ptr<SampleBlockSource> OpenWaveBlocks(const QString &path, const ::StreamInfo &info);

// MPEG audio decoded by libmpg123 from the first frame header on. For speed the channels are
// mixed to one and the rate may be divided (the waveform needs no more); SampleRate() says
// the rate delivered. Null when the decoder cannot be set up.
std::unique_ptr<SampleBlockSource> OpenMpegBlocks(const QString &path, const ::StreamInfo &info);

// Any other audio file, decoded by FFmpeg's libraries from the start, its channels mixed to
// one. Null when the file holds no audio stream that can be decoded.
std::unique_ptr<SampleBlockSource> OpenDecodedBlocks(const QString &path);

// The blocks of a file the stream readers accepted, from the decoder its samples come from.
std::unique_ptr<SampleBlockSource> OpenSampleBlocks(SampleSource source, const QString &path,
                                                    const ::StreamInfo &info);
