#pragma once

#include "base/sample_window.h"

#include <complex>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

class FftEngine;

// The spectra of the one or two channels a frame shows, in single precision. Two channels share
// one complex transform of N points (left as its real part, right as its imaginary part) and are
// told apart bin by bin on demand, so only the bins a display reads cost anything beyond the
// transform.
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
        const std::complex<float> *y = y_.get();
        if (!paired_)
            return Norm(y[k]);
        const std::complex<float> p = y[k], q = y[n_ - k]; // bin N is kept as a copy of bin 0
        const double a = p.real(), b = p.imag(), c = q.real(), d = q.imag();
        // Left: (Y[k] + conj Y[N-k]) / 2; right: (Y[k] - conj Y[N-k]) / 2i.
        const double re = channel == 0 ? a + c : b + d;
        const double im = channel == 0 ? b - d : c - a;
        return 0.25 * (re * re + im * im);
    }

    // N of the last transform; 0 before the first.
    int32_t Size() const { return n_; }

    // Power(channel, k) for k = 1 … N / 2 into out[1 …]; out holds N / 2 + 1 values.
    void Powers(int channel, std::vector<double> &out) const;

private:
    static double Norm(std::complex<float> v)
    {
        const double re = v.real(), im = v.imag();
        return re * re + im * im;
    }

    // Frees what std::aligned_alloc gave.
    struct Free
    {
        void operator()(std::complex<float> *p) const { std::free(p); }
    };
    using Values = std::unique_ptr<std::complex<float>[], Free>;

    int32_t n_ = 0;
    bool paired_ = false;
    std::size_t size_ = 0; // values held by x_ and y_
    // The transform's input and its N bins plus bin N, on cache-line boundaries as the module's
    // own arrays are, so it runs on them without copying.
    Values x_, y_;
};
