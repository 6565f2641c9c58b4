#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/hue_cycle.h"

#include <QColor>

#include <cstdint>

class QPainter;

// The trace's walk round the colour wheel, kept by the main window between frames.
struct ScopeColourCycle
{
    std::int16_t phase = 0;   // 0 to 252 in steps of 4
    std::uint8_t segment = 0; // 0 to 5
};

// Moves the colour cycle on by one frame.
void AdvanceScopeColour(ScopeColourCycle &cycle);

// The base colour of the cycle's current place; the single trace is its complement.
QColor ScopeBaseColour(const ScopeColourCycle &cycle);

// Draws one oscilloscope frame from a window that was fetched successfully: clears the plot
// area below the 600-twip top strip, advances the colour cycle and draws the waveform of
// `input.CH` as connected segments, thinned to about one segment per pixel column. The painter
// works in pixels on the picture area's backing image; on a plain 32-bit image the traces are
// written into its pixels directly. It reads the channel, the area, the time range and the stream's
// rate and width from `input`.
void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                           ScopeColourCycle &cycle);
