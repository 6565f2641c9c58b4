#pragma once

#include <cstdint>
#include <optional>

// Answers position reads of a playing stream from the last real read plus the steady-clock time
// since, so the media pipeline is asked at most once per refresh interval instead of on every
// poll. It only extrapolates from a read that showed the stream moving, never past the next
// refresh and never into the last stretch before the end. While playing, the reported position
// does not step back by a small jitter at a refresh. Times and positions are in milliseconds.
class PositionClock
{
public:
    // How long an extrapolation may run before the pipeline is read again. Qt's own backend
    // reports the position at this period, so the bar moves no coarser than with real reads.
    static constexpr std::int64_t RefreshMs = 100;
    // The stretch before the end that is always read for real, so an estimate can never reach
    // the duration (the end is detected by comparing the two).
    static constexpr std::int64_t EndMarginMs = 250;
    // A real read at most this far behind what was last reported keeps the reported position;
    // a larger difference is taken as it is.
    static constexpr std::int64_t JitterMs = 50;

    // The position at nowMs, or nothing when the pipeline must be read for real.
    std::optional<std::int64_t> Estimate(std::int64_t nowMs, std::int64_t durationMs);
    // Takes a real read made at nowMs of a stream playing at rate; returns the position to report.
    std::int64_t Take(std::int64_t positionMs, std::int64_t nowMs, double rate);
    // Forgets every read: the next position is read for real and reported as it is.
    void Drop();

private:
    struct Anchor
    {
        std::int64_t positionMs;
        std::int64_t atMs;
        double rate;
        // Whether this read was ahead of the one before it, so the stream is moving.
        bool moving;
    };
    std::optional<Anchor> anchor;
    std::optional<std::int64_t> reported;
};
