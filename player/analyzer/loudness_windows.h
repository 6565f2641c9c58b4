#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The momentary (400 ms) and short-term (3 s) loudness of ITU-R BS.1770 and the loudness range
// of EBU Tech 3342, from running sums: every frame is K-weighted once and its energy added to
// a 10 ms block; a reading sums the last 40 or 300 blocks. Every 100 ms, once 3 s have been
// heard, the short-term loudness goes into a histogram for the range. Channels weigh 1 each
// (left, right, or the one mono channel).
class LoudnessWindows
{
public:
    // Starts again for a stream of `rate` frames a second and 1 or 2 channels.
    void Reset(int rate, int channels);

    // Whether the sums are those of a stream of `rate` frames a second and `channels` channels.
    bool Matches(int rate, int channels) const
    {
        return channels_ == channels && blockFrames_ == std::max(1, rate / 100) && rate_ == rate;
    }
    // Forgets the short-term values gathered for the range; the running sums go on.
    void ClearRange();

    // Adds frames of 16-bit samples, interleaved when there are two channels.
    void Add(const int16_t *samples, std::size_t frames);

    // LUFS over the last 400 ms / 3 s of complete blocks (blocks not yet heard count as
    // silence); empty for silence or before a reset.
    std::optional<double> Momentary() const { return Loudness(40); }
    std::optional<double> ShortTerm() const { return Loudness(kBlocks); }
    // LU between the 10th and the 95th percentile of the short-term loudness values above the
    // gates (-70 LUFS, and 20 LU below their mean); empty before the first value.
    std::optional<double> Range() const;

private:
    static constexpr int kBlocks = 300;
    // The range's histogram: bins of 0.02 LU from -70 LUFS up.
    static constexpr double kGateLufs = -70.0;
    static constexpr double kBinLu = 0.02;
    static constexpr int kBins = 4500;

    void CloseBlock();
    std::optional<double> Loudness(int blocks) const;

    int rate_ = 0;
    int channels_ = 0;
    int blockFrames_ = 0;
    int inBlock_ = 0;
    double blockSum_ = 0;
    std::array<double, 5> shelf_{}; // b0 b1 b2 a1 a2
    std::array<double, 5> pass_{};
    // Per channel: the shelf's two delays, then the high pass's two.
    std::array<std::array<double, 4>, 2> state_{};
    std::array<double, kBlocks> blocks_{}; // ring of block energies, `next` written next
    int next_ = 0;
    int64_t closed_ = 0; // blocks closed since the reset
    std::vector<uint32_t> histogram_;
    double gatedEnergy_ = 0; // sum of the mean squares of the values above -70 LUFS
    int64_t gatedCount_ = 0;
};
