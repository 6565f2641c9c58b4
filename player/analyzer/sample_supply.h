#pragma once

#include "analyzer/stream_header.h"
#include "base/sample_window.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// The samples of the sound that plays, for the analyzer displays: two five-second buffers
// read from a WAVE file or decoded from MPEG audio, the next one prefetched in the last
// second of the current one, and the analysis window copied out for the playing position.
class SampleSupply
{
public:
    static constexpr float BufferSeconds = 5.0f;

    // Forgets the buffers: both starts empty, both indices 1, all arrays released.
    void Reset();
    // Sizes both buffers for five seconds of the stream's sample kind.
    void Allocate(const QString &path, const ::StreamInfo &info, bool mpeg);
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
    // Loads the next buffer at p: exposed for the load benchmark.
    bool LoadBuffer(float p);

    // The MPEG bytes a load at p decodes: the offset from the first frame header at which p
    // plays, and whole frames of nBlockSize bytes that cover five seconds.
    struct MpegRange
    {
        qint64 offset = 0;
        qint64 bytes = 0;
    };
    static MpegRange MpegInputRange(const ::Mp3Format &format, float p);

private:
    struct Buffers
    {
        std::vector<std::uint32_t> stereo16;
        std::vector<std::int16_t> mono16;
        std::vector<std::uint16_t> stereo8;
        std::vector<std::uint8_t> mono8;
    };

    bool ReadWave(float p, Buffers &target);
    bool DecodeMpeg(float p, Buffers &target);
    bool CopyWindow(float d, int timeRange);
    std::size_t FramesOf(const Buffers &b) const;

    QString path_;
    ::StreamInfo info_;
    bool mpeg_ = false;
    std::size_t allocatedFrames_ = 0;
    std::array<Buffers, 2> buffers_;
    Buffers window_;
    std::array<float, 2> start_{-1.0f, -1.0f};
    int current_ = 1;
    int fill_ = 1;
    int loads_ = 0;
};
