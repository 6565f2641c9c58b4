#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"
#include "spectrum/hue_cycle.h"
#include "spectrum/trace_strips.h"

#include <QColor>
#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

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

// What one frame leaves for the next on the same picture: where each trace was drawn.
struct ScopeWorkspace
{
    // The picture's cacheKey() after the last frame written straight into it (0: none), and the
    // area and channels it was drawn for. A frame on the same picture, untouched since but for
    // the new painter, clears only the strips the last traces covered.
    qint64 frameKey = 0;
    std::array<int, 3> key{};
    std::array<TraceStrips, 2> traces;
    std::array<TraceStrips, 2> drawn; // this frame's, swapped into `traces` at its end
    // Out: where the frame changed the picture.
    std::vector<QRect> changed;
};

// Draws one oscilloscope frame from a window that was fetched successfully: clears the plot
// area below the 600-twip top strip, advances the colour cycle and draws the waveform of
// `input.CH` as connected segments, thinned to about one segment per pixel column. The painter
// works in pixels on the picture area's backing image; on a plain 32-bit image the traces are
// written into its pixels directly, and when that image still holds the workspace's last frame
// only what its traces covered is cleared. It reads the channel, the area, the time range and the
// stream's rate and width from `input`.
void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                           ScopeColourCycle &cycle, ScopeWorkspace &work);
// The same with the whole plot cleared.
void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                           ScopeColourCycle &cycle);
