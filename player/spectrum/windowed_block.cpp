#include "spectrum/windowed_block.h"

#include <algorithm>

namespace {

// store(i, weights[i] × sample of frame i) for every i below N, with 0 where the window holds
// no frame i.
template <typename Span, typename Extract, typename Store>
void Weigh(const Span &frames, const std::vector<double> &weights, Extract extract, Store store)
{
    const std::size_t n = weights.size();
    const std::size_t filled = std::min(n, frames.size());
    for (std::size_t i = 0; i < filled; ++i)
        store(i, weights[i] * extract(frames[i]));
    for (std::size_t i = filled; i < n; ++i)
        store(i, 0.0);
}

template <typename Store>
void WeighChannel(const SampleWindow &window, bool right, const std::vector<double> &weights,
                  Store store)
{
    switch (window.sampleKind) {
    case 1:
        if (right)
            Weigh(
                window.stereo16, weights,
                [](uint32_t v) { return static_cast<double>(static_cast<int16_t>(v >> 16)); },
                store);
        else
            Weigh(
                window.stereo16, weights,
                [](uint32_t v) { return static_cast<double>(static_cast<int16_t>(v & 0xFFFFu)); },
                store);
        return;
    case 2:
        Weigh(
            window.mono16, weights, [](int16_t v) { return static_cast<double>(v); }, store);
        return;
    case 3:
        if (right)
            Weigh(
                window.stereo8, weights,
                [](uint16_t v) { return static_cast<double>(static_cast<int>(v >> 8) - 128); },
                store);
        else
            Weigh(
                window.stereo8, weights,
                [](uint16_t v) { return static_cast<double>(static_cast<int>(v & 0xFFu) - 128); },
                store);
        return;
    case 4:
        Weigh(
            window.mono8, weights,
            [](uint8_t v) { return static_cast<double>(static_cast<int>(v) - 128); }, store);
        return;
    default:
        for (std::size_t i = 0; i < weights.size(); ++i)
            store(i, 0.0);
        return;
    }
}

} // namespace

void WindowChannel(const SampleWindow &window, bool right, const std::vector<double> &weights,
                   double *out)
{
    WeighChannel(window, right, weights, [out](std::size_t i, double v) { out[i] = v; });
}
