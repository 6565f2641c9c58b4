#include "spectrum/colour_map.h"

#include <algorithm>
#include <cmath>

namespace {

struct Linear
{
    double r, g, b;
};

// OKLab (L, a, b) to linear sRGB.
Linear FromOklab(double L, double a, double b)
{
    const double l = std::pow(L + 0.3963377774 * a + 0.2158037573 * b, 3.0);
    const double m = std::pow(L - 0.1055613458 * a - 0.0638541728 * b, 3.0);
    const double s = std::pow(L - 0.0894841775 * a - 1.2914855480 * b, 3.0);
    return {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
            -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
            -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
}

bool InGamut(const Linear &c)
{
    constexpr double e = 1e-9;
    return c.r >= -e && c.r <= 1 + e && c.g >= -e && c.g <= 1 + e && c.b >= -e && c.b <= 1 + e;
}

int Encode(double linear)
{
    const double v = std::clamp(linear, 0.0, 1.0);
    const double srgb = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(srgb * 255.0));
}

// Lightness in equal steps; chroma swells in the middle and is reduced where the colour would
// leave the sRGB gamut, so the lightness steps stay even.
QRgb Entry(int index)
{
    const double t = index / 255.0;
    const double L = 0.97 * t;
    const double hue = (290.0 + 170.0 * t) * M_PI / 180.0;
    double chroma = 0.19 * std::pow(std::sin(M_PI * std::min(t * 1.1, 1.0)), 0.8);
    Linear c = FromOklab(L, chroma * std::cos(hue), chroma * std::sin(hue));
    for (int i = 0; i < 60 && !InGamut(c); ++i) {
        chroma *= 0.93;
        c = FromOklab(L, chroma * std::cos(hue), chroma * std::sin(hue));
    }
    return qRgb(Encode(c.r), Encode(c.g), Encode(c.b));
}

} // namespace

const std::array<QRgb, 256> &LevelColourMap()
{
    static const std::array<QRgb, 256> map = [] {
        std::array<QRgb, 256> m{};
        for (int i = 0; i < 256; ++i)
            m[static_cast<std::size_t>(i)] = Entry(i);
        return m;
    }();
    return map;
}
