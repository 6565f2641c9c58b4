#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/bin_walk.h"
#include "spectrum/hatched_fill.h"
#include "spectrum/label_cache.h"
#include "spectrum/window_functions.h"

#include <QPainter>

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
    std::array<std::vector<double>, 2> input;
    std::array<std::vector<double>, 2> re;
    std::array<std::vector<double>, 2> im;
    std::vector<double> zeros;
    // Bin walk and segment x positions for (walkN, walkW).
    int32_t walkN = 0;
    int32_t walkW = 0;
    std::vector<BinStep> steps;
    std::vector<int32_t> stepX1;
    std::vector<int32_t> stepX2;
    std::array<std::vector<int32_t>, 2> levelY;
    HatchCoverage hatch;
};

// Draws one spectrum analyzer frame on `painter` (over the picture `Pic`, one pixel per 15
// twips) from the analysis window of this frame; `input.VSA` 3 draws hatched areas, any other
// value lines. Returns false, drawing nothing, when the stream's sample width is neither 8 nor
// 16 bits or its sample rate is not positive.
bool DrawSpectrumFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                       SpectrumState &state, FftEngine &fft, SpectrumWorkspace &work);
