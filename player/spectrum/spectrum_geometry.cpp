#include "spectrum/spectrum_geometry.h"

#include "base/rounding.h"
#include "spectrum/window_functions.h"

SpectrumGeometry MakeSpectrumGeometry(double widthTwips, double heightTwips, int32_t N,
                                      int32_t sampleRate, int32_t bitsPerSample, uint8_t CH)
{
    SpectrumGeometry g;
    g.W = RoundToInt32(widthTwips);
    g.P = RoundToInt32(heightTwips - 600);
    g.Q = RoundToInt32(g.P / 2.0);
    g.D = bitsPerSample == 8 ? 6 : 8;
    g.p = (CH == 2 ? g.Q : g.P) / static_cast<double>(g.D);
    g.s = g.W / LogLevel(N / 2);
    g.r = static_cast<double>(N) / sampleRate;
    return g;
}

float GridLineX(double f, const SpectrumGeometry &geometry)
{
    return static_cast<float>(LogLevel(f * geometry.r) * geometry.s);
}
