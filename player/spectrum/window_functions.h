#pragma once

#include <cstdint>
#include <vector>

// Weight of window function `window` (0 to 9) at position i of a periodic block of length n.
// An index above 9 weighs like the rectangular window.
double WindowWeight(uint8_t window, double i, int32_t n);

// The window-weighted sample: WindowWeight(window, i, n) × sample.
double ApplyWindow(uint8_t window, double sample, double i, int32_t n);

// Decimal logarithm of |x| with a floor at zero: 0 when |x| is 1 or less.
double LogLevel(double x);

// The weights of one window function for one block length, recomputed only when either changes.
class WindowTable
{
public:
    // Weights for positions 0 to n - 1, identical to WindowWeight(window, i, n).
    const std::vector<double> &Weights(uint8_t window, int32_t n);

private:
    uint8_t window_ = 0;
    int32_t n_ = 0;
    std::vector<double> weights_;
};
