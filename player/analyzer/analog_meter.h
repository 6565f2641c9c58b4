#pragma once

#include "base/frame_input.h"
#include "base/sample_window.h"

#include <QImage>

#include <cstdint>

class QPainter;

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
AnalogLevels MeasureAnalogLevels(const SampleWindow &window, const FrameInput &input);

// One frame of a needle's ballistics: it falls by fallRate × F per frame and rises five times
// as fast without overshooting the level, and never passes full scale F (in decades).
void MoveNeedle(float &needle, double level, float fallRate, double fullScaleDecades);

// Where a needle stands on its scale, 0 (rest, 30 degrees) to 1 (full scale, 150 degrees).
double NeedleFraction(float needle, const FrameInput &input);

// Draws one analog meter frame from whatever the window holds: sets FallRate for this frame,
// measures, moves both needles and paints the pictures and needles over the whole area.
// The painter works in pixels on the picture area's backing image. It reads the speed, the
// area, the time range and the stream's rate, width and full scale from `input`.
void DrawAnalogMeterFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          const AnalogMeterPictures &pictures, AnalogNeedles &needles,
                          float &FallRate);
