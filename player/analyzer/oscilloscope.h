#pragma once

#include "base/sample_window.h"
#include "spectrum/hue_cycle.h"

#include <QColor>

#include <cstdint>

class QPainter;

// What the oscilloscope reads from the player's state on every frame. Sizes are twips.
struct OscilloscopeSettings
{
    std::uint8_t CH = 0; // 0 left, 1 right, 2 both
    int width = 6000;    // W of the picture area
    int height = 3600;   // H of the picture area
    std::uint8_t TimeRange = 10;
    std::int32_t SampleRate = 44100;
    std::int32_t BitsPerSample = 16;
};

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
// area below the 600-twip top strip, advances the colour cycle and draws the waveform of `CH`
// as connected segments, thinned to about one segment per pixel column. The painter works in
// pixels on the picture area's backing image; on a plain 32-bit image the traces are written
// into its pixels directly.
void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window,
                           const OscilloscopeSettings &settings, ScopeColourCycle &cycle);
