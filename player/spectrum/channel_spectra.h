#pragma once

#include "base/sample_window.h"

#include <cstdint>
#include <vector>

class FftEngine;

// The spectra of the one or two channels a frame shows. Two channels share one complex
// transform of N points (left as its real part, right as its imaginary part) and are told
// apart bin by bin on demand, so only the bins a display reads cost anything beyond the
// transform; one channel takes the module's real transform.
class ChannelSpectra
{
public:
    // Transforms the weighted samples (N = weights.size()) of the left channel, the right one
    // or both; a mono window gives the same samples for both.
    void Compute(const SampleWindow &window, const std::vector<double> &weights, bool left,
                 bool right, FftEngine &fft);

    // Squared magnitude of bin k (0 … N) of channel c's unscaled N-point transform; with one
    // channel computed, that channel's whatever c is. 0 while the module is missing.
    double Power(int channel, int32_t k) const
    {
        const auto at = [](int32_t i) { return static_cast<std::size_t>(i); };
        if (!paired_)
            return yr_[at(k)] * yr_[at(k)] + yi_[at(k)] * yi_[at(k)];
        const int32_t j = n_ - k; // bin N is kept as a copy of bin 0
        const double a = yr_[at(k)], b = yi_[at(k)], c = yr_[at(j)], d = yi_[at(j)];
        // Left: (Y[k] + conj Y[N-k]) / 2; right: (Y[k] - conj Y[N-k]) / 2i.
        const double re = channel == 0 ? a + c : b + d;
        const double im = channel == 0 ? b - d : c - a;
        return 0.25 * (re * re + im * im);
    }

    // Power(channel, k) for k = 1 … N / 2 into out[1 …]; out holds N / 2 + 1 values.
    void Powers(int channel, std::vector<double> &out) const;

private:
    int32_t n_ = 0;
    bool paired_ = false;
    bool xiZero_ = false; // xi_ holds zeros from an earlier one-channel frame
    std::vector<double> xr_, xi_, yr_, yi_;
};
