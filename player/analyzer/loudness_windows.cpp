#include "analyzer/loudness_windows.h"

#include <algorithm>
#include <cmath>

// The K-weighting filters for any rate, from their analogue prototypes by the bilinear
// transform: a +4 dB shelf above about 1.7 kHz and a high pass at about 38 Hz.
void LoudnessWindows::Reset(int rate, int channels)
{
    *this = LoudnessWindows();
    if (rate <= 0 || channels < 1 || channels > 2)
        return;
    rate_ = rate;
    channels_ = channels;
    blockFrames_ = std::max(1, rate / 100);

    double f0 = 1681.974450955533, Q = 0.7071752369554196;
    double K = std::tan(M_PI * f0 / rate);
    const double Vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double Vb = std::pow(Vh, 0.4996667741545416);
    double a0 = 1.0 + K / Q + K * K;
    shelf_ = {(Vh + Vb * K / Q + K * K) / a0, 2.0 * (K * K - Vh) / a0,
              (Vh - Vb * K / Q + K * K) / a0, 2.0 * (K * K - 1.0) / a0, (1.0 - K / Q + K * K) / a0};

    f0 = 38.13547087602444;
    Q = 0.5003270373238773;
    K = std::tan(M_PI * f0 / rate);
    a0 = 1.0 + K / Q + K * K;
    pass_ = {1.0, -2.0, 1.0, 2.0 * (K * K - 1.0) / a0, (1.0 - K / Q + K * K) / a0};
}

namespace {

// Both channels side by side in one vector register.
using Pair = double __attribute__((vector_size(16)));

// The K-weighting of both channels at once, transposed direct form II, with the delays held
// in registers while a run of frames is filtered. The sums are ordered so that each new output
// waits for one multiply and one add of the previous one.
struct Weighting
{
    Pair b0, b1, b2, a1, a2, c0, c1, c2, d1, d2; // shelf b, a; high pass b, a
    Pair s0, s1, s2, s3;

    Pair operator()(Pair x)
    {
        const Pair y1 = b0 * x + s0;
        s0 = (b1 * x + s1) - a1 * y1;
        s1 = b2 * x - a2 * y1;
        const Pair y2 = c0 * y1 + s2;
        s2 = (c1 * y1 + s3) - d1 * y2;
        s3 = c2 * y1 - d2 * y2;
        return y2;
    }
};

Pair Both(double v)
{
    return Pair{v, v};
}

} // namespace

void LoudnessWindows::Add(const int16_t *samples, std::size_t frames)
{
    if (blockFrames_ == 0)
        return;
    constexpr double scale = 1.0 / 32768.0;
    Weighting k{Both(shelf_[0]), Both(shelf_[1]), Both(shelf_[2]), Both(shelf_[3]), Both(shelf_[4]),
                Both(pass_[0]),  Both(pass_[1]),  Both(pass_[2]),  Both(pass_[3]),  Both(pass_[4]),
                Pair{},          Pair{},          Pair{},          Pair{}};
    for (std::size_t c = 0; c < 2; ++c) {
        k.s0[c] = state_[c][0];
        k.s1[c] = state_[c][1];
        k.s2[c] = state_[c][2];
        k.s3[c] = state_[c][3];
    }
    // A mono frame goes through both lanes; only the first counts.
    const Pair weight{1.0, channels_ == 2 ? 1.0 : 0.0};
    const std::size_t step = static_cast<std::size_t>(channels_);
    const std::size_t other = step - 1;
    std::size_t done = 0;
    while (done < frames) {
        // The frames up to the end of the current block.
        const std::size_t run =
            std::min(frames - done, static_cast<std::size_t>(blockFrames_ - inBlock_));
        const int16_t *p = samples + done * step;
        Pair sum{};
        for (std::size_t i = 0; i < run; ++i, p += step) {
            const Pair y = k(Pair{double(p[0]), double(p[other])} * scale);
            sum += y * y;
        }
        sum *= weight;
        blockSum_ += sum[0] + sum[1];
        inBlock_ += static_cast<int>(run);
        done += run;
        if (inBlock_ == blockFrames_)
            CloseBlock();
    }
    for (std::size_t c = 0; c < 2; ++c)
        state_[c] = {k.s0[c], k.s1[c], k.s2[c], k.s3[c]};
}

void LoudnessWindows::CloseBlock()
{
    blocks_[static_cast<std::size_t>(next_)] = blockSum_;
    next_ = (next_ + 1) % kBlocks;
    blockSum_ = 0;
    inBlock_ = 0;
    if (++closed_ < kBlocks || closed_ % 10 != 0)
        return;
    const std::optional<double> value = ShortTerm();
    if (!value || *value <= kGateLufs)
        return;
    if (histogram_.empty())
        histogram_.assign(kBins, 0);
    const int bin = std::min(kBins - 1, static_cast<int>((*value - kGateLufs) / kBinLu));
    ++histogram_[static_cast<std::size_t>(bin)];
    gatedEnergy_ += std::pow(10.0, (*value + 0.691) / 10.0);
    ++gatedCount_;
}

void LoudnessWindows::ClearRange()
{
    histogram_.clear();
    gatedEnergy_ = 0;
    gatedCount_ = 0;
}

std::optional<double> LoudnessWindows::Range() const
{
    if (gatedCount_ == 0)
        return std::nullopt;
    const double relative = -0.691 + 10.0 * std::log10(gatedEnergy_ / gatedCount_) - 20.0;
    const int first = std::max(0, static_cast<int>(std::ceil((relative - kGateLufs) / kBinLu)));
    int64_t count = 0;
    for (int b = first; b < kBins; ++b)
        count += histogram_[static_cast<std::size_t>(b)];
    if (count == 0)
        return 0.0;
    // The bin holding the value of rank `rank` (0-based) among those above the gate.
    const auto percentile = [&](double fraction) {
        const auto rank = static_cast<int64_t>(fraction * static_cast<double>(count - 1) + 0.5);
        int64_t seen = 0;
        for (int b = first; b < kBins; ++b) {
            seen += histogram_[static_cast<std::size_t>(b)];
            if (seen > rank)
                return b;
        }
        return kBins - 1;
    };
    return (percentile(0.95) - percentile(0.10)) * kBinLu;
}

std::optional<double> LoudnessWindows::Loudness(int blocks) const
{
    if (blockFrames_ == 0)
        return std::nullopt;
    double sum = 0;
    for (int i = 1; i <= blocks; ++i)
        sum += blocks_[static_cast<std::size_t>((next_ - i + kBlocks) % kBlocks)];
    const double mean = sum / (static_cast<double>(blocks) * blockFrames_);
    if (!(mean > 1e-20))
        return std::nullopt;
    return -0.691 + 10.0 * std::log10(mean);
}
