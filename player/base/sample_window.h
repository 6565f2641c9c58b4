#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// One sample frame as it lies in the window: signed values for the 16-bit kinds, the raw
// unsigned bytes (128 = silence) for the 8-bit kinds. Mono frames carry the sample twice.
struct SampleFrame
{
    int left = 0;
    int right = 0;
};

// A read-only view of one analysis window, as the sample supply's window buffer of the
// stream's sample kind holds it, without copying. Only the span of `sampleKind` is read, so
// the view cannot claim more frames than its memory holds.
struct SampleWindow
{
    // 0 unsupported (no samples), 1 16-bit stereo, 2 16-bit mono, 3 8-bit stereo, 4 8-bit mono.
    std::uint8_t sampleKind = 0;
    // Kind 1: low half the signed left sample, high half the signed right sample.
    std::span<const std::uint32_t> stereo16;
    // Kind 2: signed 16-bit samples.
    std::span<const std::int16_t> mono16;
    // Kind 3: low byte (the first in the file) left, high byte right; unsigned, 128 = silence.
    std::span<const std::uint16_t> stereo8;
    // Kind 4: unsigned 8-bit samples, 128 = silence.
    std::span<const std::uint8_t> mono8;

    // Frames held for the current kind (0 for kind 0 or any unknown kind).
    std::size_t FrameCount() const
    {
        switch (sampleKind) {
        case 1:
            return stereo16.size();
        case 2:
            return mono16.size();
        case 3:
            return stereo8.size();
        case 4:
            return mono8.size();
        default:
            return 0;
        }
    }

    // The frame at index i, or nothing when the window does not hold it.
    std::optional<SampleFrame> FrameAt(std::size_t i) const
    {
        if (i >= FrameCount())
            return std::nullopt;
        switch (sampleKind) {
        case 1:
            return SampleFrame{static_cast<std::int16_t>(stereo16[i] & 0xFFFFu),
                               static_cast<std::int16_t>(stereo16[i] >> 16)};
        case 2:
            return SampleFrame{mono16[i], mono16[i]};
        case 3:
            return SampleFrame{stereo8[i] & 0xFF, stereo8[i] >> 8};
        default:
            return SampleFrame{mono8[i], mono8[i]};
        }
    }
};
