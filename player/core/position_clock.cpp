#include "core/position_clock.h"

#include <algorithm>
#include <cmath>

std::optional<std::int64_t> PositionClock::Estimate(std::int64_t nowMs, std::int64_t durationMs)
{
    if (!anchor || !anchor->moving) {
        return std::nullopt;
    }
    const std::int64_t age = nowMs - anchor->atMs;
    if (age < 0 || age >= RefreshMs) {
        return std::nullopt;
    }
    std::int64_t position =
        anchor->positionMs + std::llround(static_cast<double>(age) * anchor->rate);
    if (reported) {
        position = std::max(position, *reported);
    }
    if (position > durationMs - EndMarginMs) {
        return std::nullopt;
    }
    reported = position;
    return position;
}

std::int64_t PositionClock::Take(std::int64_t positionMs, std::int64_t nowMs, double rate)
{
    const bool moving = anchor && rate > 0.0 && positionMs > anchor->positionMs;
    anchor = Anchor{positionMs, nowMs, rate, moving};
    if (reported && positionMs < *reported && *reported - positionMs <= JitterMs) {
        return *reported;
    }
    reported = positionMs;
    return positionMs;
}

void PositionClock::Drop()
{
    anchor.reset();
    reported.reset();
}
