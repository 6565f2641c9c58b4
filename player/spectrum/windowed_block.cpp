#include "spectrum/windowed_block.h"

#include <algorithm>

namespace {

template <typename Span, typename Extract>
void Weigh(const Span &frames, const std::vector<double> &weights, double *out, Extract extract)
{
    const std::size_t n = weights.size();
    const std::size_t filled = std::min(n, frames.size());
    for (std::size_t i = 0; i < filled; ++i)
        out[i] = weights[i] * extract(frames[i]);
    std::fill(out + filled, out + n, 0.0);
}

} // namespace

void WindowChannel(const SampleWindow &window, bool right, const std::vector<double> &weights,
                   double *out)
{
    switch (window.sampleKind) {
    case 1:
        if (right)
            Weigh(window.stereo16, weights, out,
                  [](uint32_t v) { return static_cast<double>(static_cast<int16_t>(v >> 16)); });
        else
            Weigh(window.stereo16, weights, out, [](uint32_t v) {
                return static_cast<double>(static_cast<int16_t>(v & 0xFFFFu));
            });
        return;
    case 2:
        Weigh(window.mono16, weights, out, [](int16_t v) { return static_cast<double>(v); });
        return;
    case 3:
        if (right)
            Weigh(window.stereo8, weights, out,
                  [](uint16_t v) { return static_cast<double>(static_cast<int>(v >> 8) - 128); });
        else
            Weigh(window.stereo8, weights, out, [](uint16_t v) {
                return static_cast<double>(static_cast<int>(v & 0xFFu) - 128);
            });
        return;
    case 4:
        Weigh(window.mono8, weights, out,
              [](uint8_t v) { return static_cast<double>(static_cast<int>(v) - 128); });
        return;
    default:
        std::fill(out, out + weights.size(), 0.0);
        return;
    }
}
