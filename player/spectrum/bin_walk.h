#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Stride limits L[1] to L[10] for a picture width in twips (L[0] is unused).
std::array<int32_t, 11> StrideLimits(int32_t W);

// One step of the walk over the FFT bins: bin j and its stride k.
struct BinStep
{
    int32_t j = 0;
    int32_t k = 1;
};

// The bins visited from 1 while j ≤ N/2 - 1: above L[k] the walk jumps so that each step spans
// k bins, so high bins, crowded on the logarithmic axis, cost one step per ten bins.
std::vector<BinStep> WalkBins(int32_t N, int32_t W);
