#pragma once

#include <cmath>
#include <cstdint>

// Nearest integer with halves to even, the rounding every fractional-to-integer conversion uses.
inline double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

// RoundHalfEven as a 32-bit integer, saturated at the type's limits (NaN gives 0).
inline int32_t RoundToInt32(double value)
{
    const double r = std::nearbyint(value);
    if (!(r == r))
        return 0;
    if (r >= 2147483647.0)
        return INT32_MAX;
    if (r <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(r);
}
