#pragma once

#include <cmath>
#include <cstdint>

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), the rule
// the player uses wherever a fractional value becomes a whole number.
inline std::int64_t RoundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// Rounds to two decimals, as media times are compared and shown.
inline double RoundTo2(double value)
{
    return std::nearbyint(value * 100.0) / 100.0;
}
