#include "spectrum/channel_spectra.h"

#include "spectrum/fft_engine.h"
#include "spectrum/windowed_block.h"

#include <algorithm>

void ChannelSpectra::Compute(const SampleWindow &window, const std::vector<double> &weights,
                             bool left, bool right, FftEngine &fft)
{
    n_ = static_cast<int32_t>(weights.size());
    paired_ = left && right;
    // One spare value: bin N, which the transform's period makes bin 0 again.
    const auto size = static_cast<std::size_t>(n_) + 1;
    if (xr_.size() != size) {
        for (std::vector<double> *v : {&xr_, &xi_, &yr_, &yi_})
            v->assign(size, 0.0);
        xiZero_ = true;
    }
    if (paired_) {
        WindowChannels(window, weights, xr_.data(), xi_.data());
        xiZero_ = false;
    } else {
        WindowChannel(window, right, weights, xr_.data());
        if (!xiZero_)
            std::fill(xi_.begin(), xi_.end(), 0.0);
        xiZero_ = true;
    }
    fft.Transform(n_, xr_.data(), xi_.data(), yr_.data(), yi_.data());
    yr_[size - 1] = yr_[0];
    yi_[size - 1] = yi_[0];
}

void ChannelSpectra::Powers(int channel, std::vector<double> &out) const
{
    const int32_t half = n_ / 2;
    out.resize(static_cast<std::size_t>(half) + 1);
    const double *yr = yr_.data(), *yi = yi_.data();
    double *o = out.data();
    if (!paired_) {
        for (int32_t k = 1; k <= half; ++k)
            o[k] = yr[k] * yr[k] + yi[k] * yi[k];
        return;
    }
    const double *mr = yr + n_, *mi = yi + n_; // mr[-k] is Y[N-k]
    if (channel == 0) {
        for (int32_t k = 1; k <= half; ++k) {
            const double re = yr[k] + mr[-k], im = yi[k] - mi[-k];
            o[k] = 0.25 * (re * re + im * im);
        }
    } else {
        for (int32_t k = 1; k <= half; ++k) {
            const double re = yi[k] + mi[-k], im = mr[-k] - yr[k];
            o[k] = 0.25 * (re * re + im * im);
        }
    }
}
