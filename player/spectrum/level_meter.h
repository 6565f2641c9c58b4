#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/channel_spectra.h"
#include "spectrum/window_functions.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <vector>

class FftEngine;

// Bars and peak markers of the 24 bands, kept across frames; cleared when the analyzer's
// sample buffers are allocated.
struct LevelMeterState
{
    std::array<double, 24> BandLevel{};
    std::array<float, 24> BandPeak{};
    std::array<uint8_t, 24> BandHold{};
    float FallRate = 0.0f;

    void Clear() { *this = LevelMeterState(); }
};

// Buffers reused from frame to frame.
struct LevelMeterWorkspace
{
    WindowTable window;
    ChannelSpectra spectra;
};

// Moves the peak marker of one band for a bar level (decades); D is the scale's top.
void MovePeakMarker(LevelMeterState &state, int band, uint8_t VSA, int32_t D);

// Draws one level meter frame on `painter` (over `Pic`, one logical pixel per 15 twips, drawn in
// the device pixels of its picture); each bar is a copy of the matching rows of `bar` (the
// 8 × 200 `PicBar` image at the picture's device pixel ratio, held at ratio 1 so that one of
// its pixels is one device pixel). `input.CH` 1 shows the
// right channel, 0 and 2 the left. Returns false, drawing nothing, for a sample rate that is
// not positive.
bool DrawLevelMeterFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                         LevelMeterState &state, const QImage &bar, FftEngine &fft,
                         LevelMeterWorkspace &work);
