#include "spectrum/channel_spectra.h"

#include "spectrum/fft_engine.h"
#include "spectrum/windowed_block.h"

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t kLine = 64;

// n complex values on a cache-line boundary, zeroed.
std::complex<float> *AlignedValues(std::size_t n)
{
    const std::size_t bytes = (n * sizeof(std::complex<float>) + kLine - 1) / kLine * kLine;
    void *memory = std::aligned_alloc(kLine, bytes);
    if (!memory)
        throw std::bad_alloc();
    auto *values = static_cast<std::complex<float> *>(memory);
    std::fill(values, values + n, std::complex<float>());
    return values;
}

} // namespace

void ChannelSpectra::Compute(const SampleWindow &window, const std::vector<double> &weights,
                             bool left, bool right, FftEngine &fft)
{
    n_ = static_cast<int32_t>(weights.size());
    paired_ = left && right;
    // One spare value: bin N, which the transform's period makes bin 0 again.
    const auto size = static_cast<std::size_t>(n_) + 1;
    if (size_ != size) {
        x_.reset(AlignedValues(size));
        y_.reset(AlignedValues(size));
        size_ = size;
    }
    WindowComplex(window, left || !right, right, weights, x_.get());
    fft.Transform(n_, reinterpret_cast<const float *>(x_.get()),
                  reinterpret_cast<float *>(y_.get()));
    y_[size - 1] = y_[0];
}

void ChannelSpectra::Powers(int channel, std::vector<double> &out) const
{
    const int32_t half = n_ / 2;
    out.resize(static_cast<std::size_t>(half) + 1);
    const std::complex<float> *y = y_.get();
    double *o = out.data();
    if (!paired_) {
        for (int32_t k = 1; k <= half; ++k)
            o[k] = Norm(y[k]);
        return;
    }
    const std::complex<float> *m = y + n_; // m[-k] is Y[N-k]
    if (channel == 0) {
        for (int32_t k = 1; k <= half; ++k) {
            const double re = double(y[k].real()) + m[-k].real();
            const double im = double(y[k].imag()) - m[-k].imag();
            o[k] = 0.25 * (re * re + im * im);
        }
    } else {
        for (int32_t k = 1; k <= half; ++k) {
            const double re = double(y[k].imag()) + m[-k].imag();
            const double im = double(m[-k].real()) - y[k].real();
            o[k] = 0.25 * (re * re + im * im);
        }
    }
}
