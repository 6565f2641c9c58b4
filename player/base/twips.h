#pragma once

#include <cmath>

// Twips per pixel of the picture boxes; the system never asks the display for its resolution.
inline constexpr double kTwipsPerPixel = 15.0;

// Pixel that holds a whole twip coordinate (rounded down).
inline int TwipsToPixel(int twips)
{
    return twips >= 0 ? twips / 15 : -((14 - twips) / 15);
}

// Pixel that holds a twip coordinate (rounded down), held within a range QPainter can take.
inline int TwipsToPixel(double twips)
{
    const double pixel = std::floor(twips / kTwipsPerPixel);
    if (!(pixel > -1.0e6))
        return -1000000;
    if (pixel > 1.0e6)
        return 1000000;
    return static_cast<int>(pixel);
}
