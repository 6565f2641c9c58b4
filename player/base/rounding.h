#pragma once

#include <cmath>
#include <cstdint>

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), the rule
// the player uses wherever a fractional value becomes a whole number.
inline std::int64_t RoundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// RoundHalfEven as a 32-bit integer, saturated at the type's limits (NaN gives 0).
inline std::int32_t RoundToInt32(double value)
{
    const double r = std::nearbyint(value);
    if (!(r == r))
        return 0;
    if (r >= 2147483647.0)
        return INT32_MAX;
    if (r <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(r);
}

// Rounds to two decimals, as media times are compared and shown.
inline double RoundTo2(double value)
{
    return std::nearbyint(value * 100.0) / 100.0;
}
