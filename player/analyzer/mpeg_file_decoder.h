#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

// Decodes an MPEG audio file through libmpg123 reading the file itself, so that positions
// come from libmpg123's own seeking (its frame index, sample-exact for VBR as for CBR) and
// every read drops the encoder delay and padding the LAME/Xing header names (gapless): sample
// 0 is the first sample the encoder was given, whatever the position of the read.
class MpegFileDecoder
{
public:
    MpegFileDecoder();
    ~MpegFileDecoder();
    MpegFileDecoder(const MpegFileDecoder &) = delete;
    MpegFileDecoder &operator=(const MpegFileDecoder &) = delete;

    // Opens a regular file for 16-bit output with the given rate and channel count (1 or 2).
    bool Open(const QString &path, int sampleRate, int channels);
    bool IsOpen() const;
    // Writes up to `frames` interleaved sample frames from sample `first` on; returns the
    // frames written (fewer at the end of the stream, 0 on failure).
    std::size_t Read(std::int64_t first, std::int16_t *out, std::size_t frames);

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    int channels_ = 0;
};
