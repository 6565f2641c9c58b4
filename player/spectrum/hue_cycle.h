#pragma once

#include <QColor>

#include <cstdint>

// Advances the spectrum colour cycle by one frame: `HuePhase` steps by 4 within a segment of
// 64 frames, `HueSegment` runs through the six segments of the colour wheel.
void AdvanceHue(int16_t &HuePhase, uint8_t &HueSegment);

// The fully saturated colour of a point of the cycle (C1 of the spectrum analyzers).
QColor HueColour(int16_t HuePhase, uint8_t HueSegment);

// The complementary colour (255 - R, 255 - G, 255 - B).
QColor Complement(const QColor &colour);
