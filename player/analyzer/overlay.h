#pragma once

#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdint>

// Frames per second of the analyzer displays, measured over every ten frames.
struct FrameRateState
{
    int64_t startTick = 0; // steady milliseconds; 0 = not started
    int16_t frameCount = 0;
    float framesPerSecond = 0.0f;
};

// Counts one frame drawn at nowMs; every tenth frame updates the figure from the time since
// the previous update.
void CountFrame(FrameRateState &state, int64_t nowMs);

// The figure as shown, e.g. "24.9fps".
QString FrameRateText(float framesPerSecond);

// Counts a frame and prints the frame rate in white on a black box in the top-right corner of
// a picture widthTwips wide.
void DrawFrameRateOverlay(QPainter &painter, FrameRateState &state, double widthTwips,
                          int64_t nowMs);

// Blanks the overlay's corner of a picture (640 × 240 twips at the top right) in black, as when
// the frame-rate display is switched.
void BlankFrameRateCorner(QImage &canvas);
