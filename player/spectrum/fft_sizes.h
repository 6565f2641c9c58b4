#pragma once

#include <array>
#include <cstdint>

// The five FFT sizes the analyzer offers, indexed by `NumFftNormal` and `NumFftFast`.
inline constexpr std::array<int32_t, 5> FftSizes{1024, 2048, 4096, 8192, 16384};

// The FFT size of a frame: index `NumFftFast` when `FastFlag` is set, else `NumFftNormal`; an
// index outside 0 to 4 is held to the nearest end.
inline int32_t FrameFftSize(bool FastFlag, int16_t NumFftNormal, int16_t NumFftFast)
{
    int index = FastFlag ? NumFftFast : NumFftNormal;
    index = index < 0 ? 0 : (index > 4 ? 4 : index);
    return FftSizes[static_cast<std::size_t>(index)];
}
