// The oscilloscope: the analysis window's waveform as a polyline in a cycling colour.
#include "analyzer/oscilloscope.h"

#include "core/rounding.h"
#include "display/layout_geometry.h"

#include <QPainter>
#include <QPoint>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace {

// Height of the strip above the plot that holds the audio picture and stays untouched.
constexpr int PlotTop = 600;
// At most this many pixel columns take part in thinning the window.
constexpr int MaxColumns = 640;

int ToPixel(double twips)
{
    return static_cast<int>(RoundHalfEven(twips / TwipsPerPixel));
}

// One channel's trace: which side of the frame it shows, about which centre line, at which
// scale and colour.
struct Trace
{
    bool right;
    int centre;   // twips
    double scale; // twips per sample step
    QColor colour;
};

// Where the samples of one frame land: the window length n, the stride s and the
// twips per window index.
struct Sweep
{
    int n;
    int s;
    double twipsPerIndex;

    int X(int i) const { return ToPixel(static_cast<double>(RoundHalfEven(twipsPerIndex * i))); }
};

// Draws the points 0, s, 2s, … below n as one polyline; from the first point the window does
// not hold on, the trace runs flat along its centre line.
void DrawTrace(QPainter &painter, const SampleWindow &window, const Sweep &sweep,
               const Trace &trace)
{
    if (sweep.n <= sweep.s)
        return; // not one whole segment
    const int last = (sweep.n - 1) / sweep.s * sweep.s;
    const int silence = window.kind >= 3 ? 128 : 0;
    const std::size_t held = window.Frames();

    QVarLengthArray<QPoint, 1024> points;
    int i = 0;
    for (; i <= last && static_cast<std::size_t>(i) < held; i += sweep.s) {
        const SampleFrame frame = *window.FrameAt(static_cast<std::size_t>(i));
        const int value = (trace.right ? frame.right : frame.left) - silence;
        const double y = static_cast<double>(RoundHalfEven(trace.centre - value * trace.scale));
        points.append(QPoint(sweep.X(i), ToPixel(y)));
    }

    painter.setPen(QPen(trace.colour, 0));
    if (points.size() >= 2)
        painter.drawPolyline(points.constData(), static_cast<int>(points.size()));
    if (i <= last) {
        const int from = points.isEmpty() ? 0 : i - sweep.s;
        const int y = ToPixel(trace.centre);
        painter.drawLine(sweep.X(from), y, sweep.X(last), y);
    }
}

} // namespace

void AdvanceScopeColour(ScopeColourCycle &cycle)
{
    cycle.phase = static_cast<std::int16_t>(cycle.phase + 4);
    if (cycle.phase >= 255) {
        cycle.phase = 0;
        cycle.segment = static_cast<std::uint8_t>(cycle.segment >= 5 ? 0 : cycle.segment + 1);
    }
}

QColor ScopeBaseColour(const ScopeColourCycle &cycle)
{
    const int p = std::clamp<int>(cycle.phase, 0, 255);
    switch (cycle.segment) {
    case 0:
        return QColor(255, p, 0);
    case 1:
        return QColor(255 - p, 255, 0);
    case 2:
        return QColor(0, 255, p);
    case 3:
        return QColor(0, 255 - p, 255);
    case 4:
        return QColor(p, 0, 255);
    default:
        return QColor(255, 0, 255 - p);
    }
}

QColor Complement(const QColor &colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window,
                           const OscilloscopeSettings &settings, ScopeColourCycle &cycle)
{
    const int width = settings.width;
    const int height = settings.height;
    const double range = std::ldexp(1.0, std::clamp<int>(settings.BitsPerSample, 1, 32));
    const int plot = height - PlotTop;
    const int half = static_cast<int>(RoundHalfEven(plot / 2.0));

    const int n = static_cast<int>(
        RoundHalfEven(static_cast<double>(settings.TimeRange) * settings.SampleRate / 100.0));
    const int columns =
        std::clamp(static_cast<int>(RoundHalfEven(width / double(TwipsPerPixel))), 1, MaxColumns);
    const int stride = std::max(1, static_cast<int>(RoundHalfEven(double(n) / columns)));
    const Sweep sweep{n, stride, n > 0 ? double(width) / n : 0.0};

    painter.fillRect(QRect(QPoint(0, ToPixel(PlotTop)), QPoint(ToPixel(width), ToPixel(height))),
                     Qt::black);

    AdvanceScopeColour(cycle);
    const QColor base = ScopeBaseColour(cycle);
    const QColor trace = Complement(base);

    if (settings.CH == 0 || settings.CH == 1) {
        DrawTrace(painter, window, sweep,
                  Trace{settings.CH == 1, PlotTop + half, plot / range, trace});
        return;
    }
    const double scale = half / range;
    const int upper = static_cast<int>(RoundHalfEven(PlotTop + 0.5 * half));
    const int lower = static_cast<int>(RoundHalfEven(PlotTop + 1.5 * half));
    DrawTrace(painter, window, sweep, Trace{false, upper, scale, trace});
    DrawTrace(painter, window, sweep, Trace{true, lower, scale, base});
}
