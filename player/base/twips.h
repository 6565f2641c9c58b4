#pragma once

#include "base/rounding.h"

#include <cmath>

// The one conversion between twips, the unit the windows are laid out and drawn in, and
// pixels. The system never asks the display for its resolution: a pixel is always 15 twips.
// Pixels to twips is a multiplication by TwipsPerPixel; twips to pixels takes one of the
// rounding rules below, each named for what it does.
inline constexpr int TwipsPerPixel = 15;

// The pixel that holds a whole twip coordinate (rounded down, also below zero).
inline int TwipsToPixelDown(int twips)
{
    return twips >= 0 ? twips / TwipsPerPixel : -((TwipsPerPixel - 1 - twips) / TwipsPerPixel);
}

// The pixel that holds a twip coordinate (rounded down), held within a range QPainter can take.
inline int TwipsToPixelDown(double twips)
{
    const double pixel = std::floor(twips / TwipsPerPixel);
    if (!(pixel > -1.0e6))
        return -1000000;
    if (pixel > 1.0e6)
        return 1000000;
    return static_cast<int>(pixel);
}

// The nearest pixel, halves to the even neighbour, saturated at the limits of 32 bits.
inline int TwipsToPixelNearest(double twips)
{
    return RoundToInt32(twips / TwipsPerPixel);
}

// Twips as a fractional number of pixels, for drawing at sub-pixel positions.
inline double TwipsToPixelExact(double twips)
{
    return twips / TwipsPerPixel;
}
