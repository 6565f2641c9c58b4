#include "support/bench_frames.h"

#include <QFileInfo>

#include <cmath>

FftEngine &BenchFftEngine()
{
    static FftEngine engine(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    return engine;
}

const std::vector<uint32_t> &MusicLikeFrames()
{
    static const std::vector<uint32_t> frames = [] {
        std::vector<uint32_t> f(kBenchFftSize);
        uint32_t noise = 12345;
        for (int i = 0; i < kBenchFftSize; ++i) {
            noise = noise * 1103515245u + 12345u;
            const double n = static_cast<int>((noise >> 16) & 0x7FFF) - 16384;
            const double left = 9000 * std::sin(0.0142 * i) + 4000 * std::sin(0.31 * i) + 0.1 * n;
            const double right = 7000 * std::sin(0.05 * i) + 3000 * std::sin(0.9 * i) + 0.1 * n;
            f[static_cast<std::size_t>(i)] =
                static_cast<uint16_t>(static_cast<int16_t>(left)) |
                (static_cast<uint32_t>(static_cast<uint16_t>(static_cast<int16_t>(right))) << 16);
        }
        return f;
    }();
    return frames;
}
