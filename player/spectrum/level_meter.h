#pragma once

#include "base/analysis_window.h"
#include "spectrum/window_functions.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <vector>

class FftEngine;
struct FrameRateState;

// What one level meter frame is drawn with, read afresh on every frame.
struct LevelMeterSettings
{
    uint8_t VSA = 4; // 4 markers hold then fall, 5 markers are thrown up first
    uint8_t CH = 0;  // 1 shows the right channel, 0 and 2 the left
    uint8_t WFT = 1;
    bool FastFlag = false;
    int16_t NumFftNormal = 0;
    int16_t NumFftFast = 0;
    double picWidth = 6000;  // twips
    double picHeight = 3600; // twips
};

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
    std::vector<double> input, zeros, re, im;
};

// Moves the peak marker of one band for a bar level (decades); D is the scale's top.
void MovePeakMarker(LevelMeterState &state, int band, uint8_t VSA, int32_t D);

// Draws one level meter frame on `painter` (over `Pic`, one pixel per 15 twips); each bar is a
// copy of the matching rows of `bar` (the 8-pixel-wide `PicBar` image). The frame-rate overlay
// follows when `frameRate` is given. Returns false, drawing nothing, for a sample rate that is
// not positive.
bool DrawLevelMeterFrame(QPainter &painter, const AnalysisWindow &window,
                         const LevelMeterSettings &settings, LevelMeterState &state,
                         const QImage &bar, FftEngine &fft, LevelMeterWorkspace &work,
                         FrameRateState *frameRate = nullptr);
