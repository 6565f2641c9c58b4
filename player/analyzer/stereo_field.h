#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/label_cache.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <cstdint>
#include <vector>

// The correlation of the two channels (-1 opposite, 0 unrelated, +1 the same) and their
// balance (-1 left only, +1 right only) over one window; `silent` when neither channel has
// any signal (both figures are then 0).
struct StereoMeasure
{
    double correlation = 0;
    double balance = 0;
    bool silent = true;
};
StereoMeasure MeasureStereo(const SampleWindow &window);

// What the stereo field keeps from frame to frame: the goniometer's afterglow as intensities
// (one byte a device pixel, faded every frame) and the pictures that stay the same.
struct StereoFieldState
{
    std::vector<std::uint8_t> glow;
    int glowSide = 0; // device pixels
    QRect glowBox;    // the cells that may still glow
    QImage plot;      // the goniometer as drawn, glow coloured, device pixels
    QImage ground;    // everything that does not move, for groundSize and groundFont
    QSize groundSize;
    qreal groundRatio = 0;
    QFont groundFont;
    LabelCache labels;
    LabelCache values;
    StereoMeasure last;
    // The picture's cacheKey() after the last frame drawn (0: none): a frame on the same
    // picture, untouched since but for a new painter, restores only the figures' rows.
    qint64 frameKey = 0;
    // Out: where the last frame changed the picture (logical pixels).
    std::vector<QRect> changed;
};

// The goniometer's square in a picture of width × height logical pixels.
QRect StereoFieldScope(int width, int height);

// Draws one stereo field frame over the picture area of `input`: the goniometer (mid up, side
// across, so mono is a vertical line and opposite phase a horizontal one) with an afterglow
// of about 60 ms, the correlation meter from -1 to +1 and the balance bar. Returns false when
// the window holds no frames.
bool DrawStereoFieldFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          StereoFieldState &state);
