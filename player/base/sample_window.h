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

// A read-only view of the analysis window that the sample supply filled, without copying.
// The sample kind says which span holds the frames: kind 1 (16-bit stereo) and kind 2
// (16-bit mono) use `pcm16`, kind 3 (8-bit stereo) and kind 4 (8-bit mono) use `pcm8`;
// stereo frames are interleaved left, right. Kind 0 has no samples. The channel count and
// frame count follow from the kind and the span, so the view cannot claim more frames than
// its memory holds.
struct SampleWindow
{
    std::uint8_t kind = 0;
    std::span<const std::int16_t> pcm16;
    std::span<const std::uint8_t> pcm8;
    // The sample supply's frames as whole elements: kind 1 as 32-bit frames (low half left,
    // high half right), kind 3 as 16-bit frames (low byte left). Used instead of the
    // interleaved spans when set.
    std::span<const std::uint32_t> frames32;
    std::span<const std::uint16_t> frames16;

    int Channels() const
    {
        switch (kind) {
        case 1:
        case 3:
            return 2;
        case 2:
        case 4:
            return 1;
        default:
            return 0;
        }
    }

    std::size_t Frames() const
    {
        const int channels = Channels();
        if (channels == 0)
            return 0;
        if (kind == 1 && !frames32.empty())
            return frames32.size();
        if (kind == 3 && !frames16.empty())
            return frames16.size();
        const std::size_t values = (kind <= 2) ? pcm16.size() : pcm8.size();
        return values / static_cast<std::size_t>(channels);
    }

    // The frame at index i, or nothing when the window does not hold it.
    std::optional<SampleFrame> FrameAt(std::size_t i) const
    {
        if (i >= Frames())
            return std::nullopt;
        if (kind == 1 && !frames32.empty())
            return SampleFrame{static_cast<std::int16_t>(frames32[i] & 0xFFFFu),
                               static_cast<std::int16_t>(frames32[i] >> 16)};
        if (kind == 3 && !frames16.empty())
            return SampleFrame{frames16[i] & 0xFF, frames16[i] >> 8};
        switch (kind) {
        case 1:
            return SampleFrame{pcm16[2 * i], pcm16[2 * i + 1]};
        case 2:
            return SampleFrame{pcm16[i], pcm16[i]};
        case 3:
            return SampleFrame{pcm8[2 * i], pcm8[2 * i + 1]};
        default:
            return SampleFrame{pcm8[i], pcm8[i]};
        }
    }
};
