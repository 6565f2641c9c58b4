#pragma once

// Hand-built analysis windows for the tests and benchmarks of the analyzer displays.
#include "base/sample_window.h"

#include <cstdint>
#include <span>
#include <vector>

// A window of 16-bit stereo frames (low half left, high half right) the caller keeps alive.
SampleWindow Stereo16Window(std::span<const std::uint32_t> frames);
// A window of 16-bit mono samples the caller keeps alive.
SampleWindow Mono16Window(std::span<const std::int16_t> samples);

// The samples of a hand-built window of any sample kind, held here while views point into them.
class WindowSamples
{
public:
    explicit WindowSamples(std::uint8_t kind = 0) : kind_(kind) {}

    // Appends one frame: signed values for kinds 1 and 2, raw bytes (128 = silence) for kinds
    // 3 and 4. Mono kinds keep `left`; kind 0 keeps nothing.
    void Append(int left, int right);
    // The window over the samples appended so far.
    SampleWindow View() const;

private:
    std::uint8_t kind_;
    std::vector<std::uint32_t> stereo16_;
    std::vector<std::int16_t> mono16_;
    std::vector<std::uint16_t> stereo8_;
    std::vector<std::uint8_t> mono8_;
};
