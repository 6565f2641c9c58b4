#pragma once

#include "base/sample_window.h"

#include <QImage>

#include <cstdint>

class QPainter;

// What the analog level meter reads from the player's state on every frame. Sizes are twips.
struct AnalogMeterSettings
{
    bool FastFlag = false;
    int width = 6000;  // W of the picture area
    int height = 3600; // H of the picture area
    std::uint8_t TimeRange = 10;
    std::int32_t SampleRate = 44100;
    std::int32_t BitsPerSample = 16;
    std::int32_t FullScale = 32768;
};

// The two needles in decades of sample magnitude, kept by the main window between frames
// and cleared to 0 when the sample buffers are allocated.
struct AnalogNeedles
{
    float left = 0.0f;
    float right = 0.0f;
};

// The measured level of each channel in decades: lg of the average sample magnitude.
struct AnalogLevels
{
    double left = 0.0;
    double right = 0.0;
};

// The pictures the meter is drawn over: the audio picture and the meter face.
struct AnalogMeterPictures
{
    QImage ImageAudio;
    QImage ImageAlmBack;
};

// Averages the magnitudes of a thinned span at the start of the window, per channel, with the
// running rounding of the meter, and returns their decimal logarithms. 8-bit samples are
// centred on 128 and averaged on the 16-bit scale, their level given on the 8-bit full scale
// of 255, so that it does not depend on the sample rate. Frames the window does not hold are
// skipped.
AnalogLevels MeasureAnalogLevels(const SampleWindow &window, const AnalogMeterSettings &settings);

// One frame of a needle's ballistics: it falls by fallRate × F per frame and rises five times
// as fast without overshooting the level, and never passes full scale F (in decades).
void MoveNeedle(float &needle, double level, float fallRate, double fullScaleDecades);

// Where a needle stands on its scale, 0 (rest, 30 degrees) to 1 (full scale, 150 degrees).
double NeedleFraction(float needle, const AnalogMeterSettings &settings);

// Draws one analog meter frame from whatever the window holds: sets FallRate for this frame,
// measures, moves both needles and paints the pictures and needles over the whole area.
// The painter works in pixels on the picture area's backing image.
void DrawAnalogMeterFrame(QPainter &painter, const SampleWindow &window,
                          const AnalogMeterSettings &settings, const AnalogMeterPictures &pictures,
                          AnalogNeedles &needles, float &FallRate);
