#include "core/volume.h"

#include <algorithm>
#include <cmath>

int SteppedVolume(int percent, int steps)
{
    const long long next =
        static_cast<long long>(percent) + static_cast<long long>(steps) * VolumeStep;
    return static_cast<int>(std::clamp<long long>(next, 0, 100));
}

int TakeWheelNotches(int &accumulatedAngle)
{
    const int notches = accumulatedAngle / 120;
    accumulatedAngle -= notches * 120;
    return notches;
}

int VolumeFromFraction(double fraction)
{
    if (!(fraction > 0))
        return 0;
    return static_cast<int>(std::lround(std::min(fraction, 1.0) * 100));
}
