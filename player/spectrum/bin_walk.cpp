#include "spectrum/bin_walk.h"

#include <cmath>

std::array<int32_t, 11> StrideLimits(int32_t W)
{
    std::array<int32_t, 11> limits{};
    for (int k = 1; k <= 10; ++k)
        limits[static_cast<std::size_t>(k)] =
            static_cast<int32_t>(std::floor((0.00821 * k + 0.00866) * W));
    return limits;
}

std::vector<BinStep> WalkBins(int32_t N, int32_t W)
{
    const auto limits = StrideLimits(W);
    std::vector<BinStep> steps;
    const int32_t last = N / 2 - 1;
    for (int32_t j = 1; j <= last; ++j) {
        int32_t k = 1;
        for (int32_t c = 10; c >= 1; --c) {
            if (j > limits[static_cast<std::size_t>(c)]) {
                k = c;
                j += c - 1;
                break;
            }
        }
        steps.push_back({j, k});
    }
    return steps;
}
