#pragma once

#include <optional>

// Tells a seek from steady play by the analysed position of successive frames: the position
// moved back, or leapt ahead by more than a few seconds. A pause (the same position again)
// is no jump; the first position after a reset is none either.
class PlayJump
{
public:
    // Records the position (seconds) and says whether it jumped since the previous one.
    bool Jumped(double position)
    {
        const bool jumped =
            last_ && (position < *last_ - kBackTolerance || position > *last_ + kLeap);
        last_ = position;
        return jumped;
    }
    void Reset() { last_.reset(); }

private:
    static constexpr double kBackTolerance = 0.25;
    static constexpr double kLeap = 2.0;
    std::optional<double> last_;
};
