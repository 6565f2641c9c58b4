#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The samples of one analysis window, as the window buffer of the stream's sample kind holds
// them, plus the stream facts the displays need. Only the span of `sampleKind` is read.
struct AnalysisWindow
{
    // 0 unsupported (no samples), 1 16-bit stereo, 2 16-bit mono, 3 8-bit stereo, 4 8-bit mono.
    uint8_t sampleKind = 0;
    int32_t sampleRate = 44100; // Hz
    int32_t bitsPerSample = 16; // 8 or 16
    // Kind 1: low half the signed left sample, high half the signed right sample.
    std::span<const uint32_t> stereo16;
    // Kind 2: signed 16-bit samples.
    std::span<const int16_t> mono16;
    // Kind 3: low byte (the first in the file) left, high byte right; unsigned, 128 = silence.
    std::span<const uint16_t> stereo8;
    // Kind 4: unsigned 8-bit samples, 128 = silence.
    std::span<const uint8_t> mono8;

    // Frames held for the current kind (0 for kind 0 or any unknown kind).
    std::size_t FrameCount() const;
};
