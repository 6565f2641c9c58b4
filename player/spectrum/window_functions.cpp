#include "spectrum/window_functions.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kFourPi = 12.56637061435916;
constexpr double kSixPi = 18.84955592153874;

// Width of the Gaussian window: standard deviation as a fraction of half the block, so the
// weight is exp(-0.5 · ((i - n/2) / (0.4 · n/2))²), 1 at the centre and about 0.044 at the edge.
constexpr double kGaussianSigma = 0.4;

double OptimalBlackmanAlpha(int32_t n)
{
    const double ratio = std::sin(kPi / n) / std::sin(kTwoPi / n);
    return -(ratio * ratio);
}

} // namespace

double WindowWeight(uint8_t window, double i, int32_t n)
{
    const double c1 = window == 0 ? 0.0 : std::cos(kTwoPi * i / n);
    switch (window) {
    case 1:
        return 0.5 - 0.5 * c1;
    case 2:
        return 0.54 - 0.46 * c1;
    case 3:
        return 0.42 - 0.5 * c1 + 0.08 * std::cos(kFourPi * i / n);
    case 4:
        return 0.35875 - 0.48829 * c1 + 0.14128 * std::cos(kFourPi * i / n) -
               0.01168 * std::cos(kSixPi * i / n);
    case 5:
        return 0.42659071 - 0.49656062 * c1 + 0.07684867 * std::cos(kFourPi * i / n);
    case 6: {
        const double alpha = OptimalBlackmanAlpha(n);
        return (alpha + 1) / 2 - 0.5 * c1 - (alpha / 2) * std::cos(kFourPi * i / n);
    }
    case 7:
        return 0.762 - c1 + 0.238 * std::cos(kFourPi * i / n);
    case 8: {
        const double half = n / 2.0;
        const double u = (i - half) / (kGaussianSigma * half);
        return std::exp(-0.5 * u * u);
    }
    case 9:
        return 0.2810639 - 0.5208972 * c1 + 0.1980399 * std::cos(kFourPi * i / n);
    default:
        return 1.0;
    }
}

double ApplyWindow(uint8_t window, double sample, double i, int32_t n)
{
    return WindowWeight(window, i, n) * sample;
}

double LogLevel(double x)
{
    const double a = std::fabs(x);
    if (!(a > 1.0))
        return 0.0;
    return std::log(a) / std::log(10.0);
}

const std::vector<double> &WindowTable::Weights(uint8_t window, int32_t n)
{
    if (n < 0)
        n = 0;
    if (window != window_ || n != n_ || weights_.size() != static_cast<size_t>(n)) {
        window_ = window;
        n_ = n;
        weights_.resize(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i)
            weights_[static_cast<size_t>(i)] = WindowWeight(window, i, n);
    }
    return weights_;
}
