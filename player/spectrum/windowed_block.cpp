#include "spectrum/windowed_block.h"

#include <algorithm>

namespace {

// Calls visit(frames, left, right) with the window's samples and the two functions that take a
// frame's left and right sample as a double (the same function twice for a mono window).
// False for a window that holds no samples of a known kind.
template <typename Visit> bool VisitSamples(const SampleWindow &window, Visit visit)
{
    switch (window.sampleKind) {
    case 1:
        visit(
            window.stereo16,
            [](uint32_t v) { return static_cast<double>(static_cast<int16_t>(v & 0xFFFFu)); },
            [](uint32_t v) { return static_cast<double>(static_cast<int16_t>(v >> 16)); });
        return true;
    case 2: {
        const auto mono = [](int16_t v) { return static_cast<double>(v); };
        visit(window.mono16, mono, mono);
        return true;
    }
    case 3:
        visit(
            window.stereo8,
            [](uint16_t v) { return static_cast<double>(static_cast<int>(v & 0xFFu) - 128); },
            [](uint16_t v) { return static_cast<double>(static_cast<int>(v >> 8) - 128); });
        return true;
    case 4: {
        const auto mono = [](uint8_t v) { return static_cast<double>(static_cast<int>(v) - 128); };
        visit(window.mono8, mono, mono);
        return true;
    }
    default:
        return false;
    }
}

// How many of the N positions the window holds a frame for.
template <typename Span> std::size_t Filled(const Span &frames, const std::vector<double> &weights)
{
    return std::min(weights.size(), frames.size());
}

} // namespace

void WindowComplex(const SampleWindow &window, bool left, bool right,
                   const std::vector<double> &weights, std::complex<float> *out)
{
    const std::size_t n = weights.size();
    const double *w = weights.data();
    std::size_t filled = 0;
    VisitSamples(window, [&](const auto &frames, auto leftOf, auto rightOf) {
        filled = Filled(frames, weights);
        if (left && right) {
            for (std::size_t i = 0; i < filled; ++i) {
                const auto frame = frames[i];
                out[i] = {static_cast<float>(w[i] * leftOf(frame)),
                          static_cast<float>(w[i] * rightOf(frame))};
            }
        } else if (right) {
            for (std::size_t i = 0; i < filled; ++i)
                out[i] = {static_cast<float>(w[i] * rightOf(frames[i])), 0.0f};
        } else {
            for (std::size_t i = 0; i < filled; ++i)
                out[i] = {static_cast<float>(w[i] * leftOf(frames[i])), 0.0f};
        }
    });
    std::fill(out + filled, out + n, std::complex<float>());
}
