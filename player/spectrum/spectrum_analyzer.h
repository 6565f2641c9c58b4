#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/bin_walk.h"
#include "spectrum/channel_spectra.h"
#include "spectrum/hatched_fill.h"
#include "spectrum/label_cache.h"
#include "spectrum/trace_strips.h"
#include "spectrum/window_functions.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

class FftEngine;

// The colour cycle, kept for the whole run and never reset.
struct SpectrumState
{
    int16_t HuePhase = 0;
    uint8_t HueSegment = 0;
};

// Buffers and tables reused from frame to frame, so a frame allocates nothing once warm.
struct SpectrumWorkspace
{
    WindowTable window;
    LabelCache labels;
    ChannelSpectra spectra;
    // Bin walk and segment x positions for (walkN, walkW), the walk made over walkDeviceW, the
    // width in twips of device pixels.
    int32_t walkN = 0;
    int32_t walkW = 0;
    int32_t walkDeviceW = 0;
    std::vector<BinStep> steps;
    std::vector<int32_t> stepX1;
    std::vector<int32_t> stepX2;
    std::array<std::vector<int32_t>, 2> levelY;
    HatchCoverage hatch;
    // The plot's black ground, grid and labels, drawn once for the inputs in `backgroundKey`
    // and copied onto every frame; null until a frame could use it.
    QImage background;
    QRect backgroundRect;
    std::array<double, 10> backgroundKey{};
    QFont backgroundFont;
    // The picture's cacheKey() after the last frame drawn over the copied background (0: none)
    // and where each channel's trace covered it then. A frame on the same picture, untouched
    // since but for the new painter, restores only those strips.
    qint64 frameKey = 0;
    std::array<TraceStrips, 2> traces;
    std::array<TraceStrips, 2> drawn; // this frame's, swapped into `traces` at its end
    // The hatched display's top stroked row per column and channel after the last frame, when
    // every stroke of that frame was one of these; empty otherwise. A hatched frame overwrites
    // each column from its new top down, so it restores only what lies above.
    std::array<std::vector<int>, 2> hatchTops;
    // The peak-hold trace of the line display: per channel the highest level (smallest y,
    // twips below the plot's top) of every bin, falling by the input's PeakFall; kept for the
    // geometry in holdKey, empty while no trace is shown.
    std::array<std::vector<int32_t>, 2> holdY;
    std::array<int32_t, 4> holdKey{};
    // Out: where the last frame's background and traces changed the picture (the frame-rate
    // overlay not included).
    std::vector<QRect> changed;
};

// Draws one spectrum analyzer frame on `painter` (over the picture `Pic`, one logical pixel per
// 15 twips, drawn in the device pixels of its picture) from the analysis window of this frame;
// `input.VSA` 3 draws hatched areas, any other value lines, under which a light peak-hold trace
// follows when `input.PeakFall` is set. Returns false, drawing nothing, when the stream's sample
// width is neither 8 nor 16 bits or its sample rate is not positive.
bool DrawSpectrumFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                       SpectrumState &state, FftEngine &fft, SpectrumWorkspace &work);
