#pragma once

#include "base/sample_window.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The sample frames of one buffer, one array per sample kind; only the array of the stream's
// kind is used. Kind 1 holds 32-bit frames (low half left, high half right), kind 2 signed
// 16-bit samples, kind 3 16-bit frames of two unsigned bytes (low byte left), kind 4 unsigned
// bytes; 128 is silence in the 8-bit kinds.
struct SampleBuffers
{
    std::vector<std::uint32_t> stereo16;
    std::vector<std::int16_t> mono16;
    std::vector<std::uint16_t> stereo8;
    std::vector<std::uint8_t> mono8;

    // A view of the kind's array, as the renderers read it.
    SampleWindow View(int kind) const;
    // Frames held for the kind (0 for an unknown kind).
    std::size_t Frames(int kind) const { return View(kind).FrameCount(); }
    // Makes the kind's array hold frames elements; new elements are silence.
    void Resize(int kind, std::size_t frames);
    // Overwrites the kind's array with frames of silence.
    void FillSilence(int kind, std::size_t frames);
    // Releases every array.
    void Release();
    // The first byte of the kind's array (nullptr for an unknown or empty kind).
    void *Data(int kind);
};
