#include "support/test_signals.h"

#include "spectrum/fft_engine.h"

#include <cmath>
#include <numbers>

std::vector<int16_t> Sine(double frequency, int rate, int count, double amplitude)
{
    std::vector<int16_t> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate)));
    return samples;
}

std::vector<uint32_t> Stereo(const std::vector<int16_t> &left, const std::vector<int16_t> &right)
{
    std::vector<uint32_t> frames(left.size());
    for (std::size_t i = 0; i < left.size(); ++i)
        frames[i] = static_cast<uint16_t>(left[i]) |
                    (static_cast<uint32_t>(static_cast<uint16_t>(right[i])) << 16);
    return frames;
}

FftEngine &BuiltFftEngine()
{
    static FftEngine engine(QStringLiteral(LUMO_BIN_DIR));
    return engine;
}
