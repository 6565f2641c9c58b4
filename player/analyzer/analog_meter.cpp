// The analog level meter: two needles over the meter face, following the average magnitude
// of each channel on a logarithmic scale.
#include "analyzer/analog_meter.h"

#include "spectrum/window_functions.h"

#include "base/device_pixels.h"
#include "base/rounding.h"
#include "base/twips.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

constexpr int PlotTop = 600;
constexpr int PivotY = 2925;
constexpr int FacePictureTop = 1300;
constexpr int HubRadius = 100;
const QColor LeftNeedleColour(0, 127, 255);
const QColor RightNeedleColour(255, 0, 127);

// The lower end of the scale in decades: about -40 dB below full scale of the sample width.
double ScaleStart(std::int32_t bitsPerSample)
{
    if (bitsPerSample == 16)
        return 2.5;
    if (bitsPerSample == 8)
        return 0.4;
    return 0.0;
}

bool EightBit(std::uint8_t kind)
{
    return kind == 3 || kind == 4;
}

// The magnitude of a sample on the 16-bit scale: the absolute value of a 16-bit sample; an
// 8-bit byte centred on its silence at 128 and widened to 16 bits, so that silence reads 0
// and the running rounding of the average treats it as it treats a 16-bit sample.
int Magnitude(std::uint8_t kind, int sample)
{
    if (EightBit(kind))
        return std::abs(sample - 128) * 256;
    return std::abs(sample);
}

// Draws a needle two logical pixels wide (as many one-device-pixel lines side by side) from its
// pivot at fraction f of its swing, then the hub; on a painter that draws in device pixels `s`.
void DrawNeedle(QPainter &painter, double f, double length, int px, int py, const QColor &colour,
                const PixelScale &s)
{
    const double a = f * 2.0 * std::numbers::pi / 3.0 + std::numbers::pi / 6.0;
    const double tipX = px - length * std::cos(a);
    const double tipY = py - length * std::sin(a);

    painter.setPen(QPen(colour, 0));
    for (int column = 0; column < s.Pixels(2); ++column)
        painter.drawLine(s.Nearest(px) + column, s.Nearest(py), s.Nearest(tipX) + column,
                         s.Nearest(tipY));

    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(Qt::NoBrush);
    const double radius = s.Exact(HubRadius);
    painter.drawEllipse(QPointF(s.Nearest(px), s.Nearest(py)), radius, radius);
    painter.fillRect(QRect(QPoint(s.Nearest(px - HubRadius), s.Nearest(py + 15)),
                           QPoint(s.Nearest(px + HubRadius), s.Nearest(py + 115))),
                     Qt::black);
}

} // namespace

AnalogLevels MeasureAnalogLevels(const SampleWindow &window, const FrameInput &input)
{
    const std::int64_t tenth = RoundHalfEven(input.SampleRate / 10.0);
    std::int64_t span = input.FastFlag ? tenth : RoundHalfEven(tenth / 2.0);
    const int stride = input.FastFlag ? 4 : 8;
    const std::int64_t windowLength =
        RoundHalfEven(static_cast<double>(input.TimeRange) * input.SampleRate / 100.0);
    if (windowLength < span)
        span = windowLength;
    if (span <= 0)
        return {};

    const double points = static_cast<double>(span) / stride;
    std::int32_t sumLeft = 0, sumRight = 0;
    for (std::int64_t i = 0; i <= span; i += stride) {
        const auto frame = window.FrameAt(static_cast<std::size_t>(i));
        if (!frame)
            continue;
        const int left = Magnitude(window.sampleKind, frame->left);
        const int right = Magnitude(window.sampleKind, frame->right);
        sumLeft = static_cast<std::int32_t>(RoundHalfEven(left / points + sumLeft));
        sumRight = static_cast<std::int32_t>(RoundHalfEven(right / points + sumRight));
    }
    // 8-bit levels are given on their own full scale of 255.
    const double scale = EightBit(window.sampleKind) ? 255.0 / 32768.0 : 1.0;
    return {LogLevel(sumLeft * scale), LogLevel(sumRight * scale)};
}

void MoveNeedle(float &needle, double level, float fallRate, double fullScaleDecades)
{
    if (needle > level) {
        needle = static_cast<float>(needle - fallRate * fullScaleDecades);
    } else {
        needle = static_cast<float>(needle + 5.0f * fallRate * fullScaleDecades);
        if (needle > level)
            needle = static_cast<float>(level);
    }
    if (needle > fullScaleDecades)
        needle = static_cast<float>(fullScaleDecades);
}

double NeedleFraction(float needle, const FrameInput &input)
{
    const double start = ScaleStart(input.BitsPerSample);
    const double full = LogLevel(input.FullScale);
    if (needle - start <= 0.0 || full - start <= 0.0)
        return 0.0;
    return (needle - start) / (full - start);
}

void DrawAnalogMeterFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          const AnalogMeterPictures &pictures, AnalogNeedles &needles,
                          float &FallRate)
{
    FallRate = input.FastFlag ? 0.005f : 0.01f;
    const AnalogLevels levels = MeasureAnalogLevels(window, input);
    const double full = LogLevel(input.FullScale);
    MoveNeedle(needles.left, levels.left, FallRate, full);
    MoveNeedle(needles.right, levels.right, FallRate, full);

    const int width = input.width;
    const double length = 0.55 * (input.height - PlotTop);
    painter.fillRect(QRect(0, 0, TwipsToPixelNearest(width), TwipsToPixelNearest(input.height)),
                     Qt::black);
    painter.drawImage(0, 0, pictures.ImageAudio);
    painter.drawImage(0, TwipsToPixelNearest(FacePictureTop), pictures.ImageAlmBack);

    // The pictures are placed in logical pixels (a picture made for the device pixel ratio
    // says so itself); the needles are drawn in device pixels.
    const DevicePixelPainting devicePixels(painter);
    DrawNeedle(painter, NeedleFraction(needles.left, input), length,
               static_cast<int>(RoundHalfEven(width / 4.0)), PivotY, LeftNeedleColour,
               devicePixels.Scale());
    DrawNeedle(painter, NeedleFraction(needles.right, input), length,
               static_cast<int>(RoundHalfEven(3.0 * width / 4.0)), PivotY, RightNeedleColour,
               devicePixels.Scale());
}
