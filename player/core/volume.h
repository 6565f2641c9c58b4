#pragma once

// The player's volume: a whole percentage 0-100 and a mute switch, independent of each other
// (unmuting brings back the volume that was set).
struct VolumeState
{
    int percent = 100;
    bool muted = false;

    bool operator==(const VolumeState &) const = default;
};

// One key press or wheel notch moves the volume by this many percent.
constexpr int VolumeStep = 5;

// The volume after the given number of steps up (positive) or down, kept within 0-100.
int SteppedVolume(int percent, int steps);

// Whole wheel notches in an accumulated wheel angle (120 eighths of a degree a notch); the
// notches taken are removed from the accumulator, the rest is kept for the next event.
int TakeWheelNotches(int &accumulatedAngle);

// A volume given as a fraction (1.0 is full), rounded to a whole percentage within 0-100;
// not-a-number gives 0.
int VolumeFromFraction(double fraction);
