// The oscilloscope: the analysis window's waveform as a line in a cycling colour.
#include "analyzer/oscilloscope.h"

#include "spectrum/direct_raster.h"
#include "spectrum/hue_cycle.h"

#include "base/device_pixels.h"
#include "base/rounding.h"
#include "base/twips.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QVarLengthArray>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

// Height of the strip above the plot that holds the audio picture and stays untouched.
constexpr int PlotTop = 600;
// At most this many pixel columns (logical ones: as many more device columns as the picture's
// device pixel ratio gives) take part in thinning the window.
constexpr int MaxColumns = 640;

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
    PixelScale px;

    int X(int i) const { return px.Nearest(static_cast<double>(RoundHalfEven(twipsPerIndex * i))); }
};

// The pixel rows a trace covers in each pixel column: the union of its line segments. A
// polyline whose x never runs backwards covers one unbroken run of rows per column, so a
// frame is drawn as at most one vertical run per column, however steep the waveform.
class ColumnSpans
{
public:
    explicit ColumnSpans(int columns) : top_(columns, INT_MAX), bottom_(columns, INT_MIN) {}

    // Adds the aliased line between two pixel points.
    void AddSegment(QPoint a, QPoint b)
    {
        if (a.x() > b.x())
            std::swap(a, b);
        const int first = std::max(a.x(), 0);
        const int last = std::min(b.x(), static_cast<int>(top_.size()) - 1);
        const int dx = b.x() - a.x();
        const double slope = dx == 0 ? 0.0 : double(b.y() - a.y()) / dx;
        for (int c = first; c <= last; ++c) {
            double ya = a.y(), yb = b.y();
            if (dx != 0) {
                ya = a.y() + slope * (std::max(c - 0.5, double(a.x())) - a.x());
                yb = a.y() + slope * (std::min(c + 0.5, double(b.x())) - a.x());
            }
            const auto [low, high] = std::minmax(ya, yb);
            top_[c] = std::min(top_[c], static_cast<int>(std::floor(low + 0.5)));
            bottom_[c] = std::max(bottom_[c], static_cast<int>(std::floor(high + 0.5)));
        }
    }

    // Paints the runs in an opaque colour: straight into the pixels of a plain 32-bit image,
    // which costs a fraction of the raster engine's per-row work on one-pixel-wide runs, and as
    // rectangles of the same pixels through any other painter.
    void Fill(DirectRaster &raster, QRgb colour) const
    {
        for (int c = 0; c < static_cast<int>(top_.size()); ++c)
            if (top_[c] <= bottom_[c])
                raster.Column(c, top_[c], bottom_[c], colour);
    }

    // Records the runs in `strips`.
    void Cover(TraceStrips &strips) const
    {
        for (int c = 0; c < static_cast<int>(top_.size()); ++c)
            if (top_[c] <= bottom_[c])
                strips.Cover(c, c, top_[c], bottom_[c]);
    }

private:
    QVarLengthArray<int, 1024> top_, bottom_;
};

// Draws the segments through the points 0, s, 2s, … below n; from the first point the window
// does not hold on, the trace runs flat along its centre line.
void DrawTrace(DirectRaster &raster, const SampleWindow &window, const Sweep &sweep,
               const Trace &trace, int columns, TraceStrips &drawn)
{
    if (sweep.n <= sweep.s)
        return; // not one whole segment
    const int last = (sweep.n - 1) / sweep.s * sweep.s;
    const int silence = window.sampleKind >= 3 ? 128 : 0;
    const std::size_t held = window.FrameCount();

    ColumnSpans spans(columns);
    QPoint previous;
    int i = 0;
    for (; i <= last && static_cast<std::size_t>(i) < held; i += sweep.s) {
        const SampleFrame frame = *window.FrameAt(static_cast<std::size_t>(i));
        const int value = (trace.right ? frame.right : frame.left) - silence;
        const double y = static_cast<double>(RoundHalfEven(trace.centre - value * trace.scale));
        const QPoint point(sweep.X(i), sweep.px.Nearest(y));
        if (i > 0)
            spans.AddSegment(previous, point);
        previous = point;
    }
    spans.Fill(raster, trace.colour.rgb());
    spans.Cover(drawn);

    if (i <= last) {
        const int from = sweep.X(i == 0 ? 0 : i - sweep.s);
        const int y = sweep.px.Nearest(trace.centre);
        raster.Row(y, from, sweep.X(last), trace.colour.rgb());
        drawn.Cover(from, sweep.X(last), y, y);
    }
}

// Clears the rows the last frame's traces covered, strip by strip, inside the plot.
void ClearStrips(DirectRaster &raster, const ScopeWorkspace &work, const QRect &plot)
{
    for (const TraceStrips &trace : work.traces)
        for (int s = 0; s < trace.Count(); ++s) {
            const QRect strip = trace.Strip(s) & plot;
            for (int y = strip.top(); y <= strip.bottom(); ++y)
                raster.Row(y, strip.left(), strip.right(), 0x000000);
        }
}

} // namespace

void AdvanceScopeColour(ScopeColourCycle &cycle)
{
    AdvanceHue(cycle.phase, cycle.segment);
}

QColor ScopeBaseColour(const ScopeColourCycle &cycle)
{
    return HueColour(cycle.phase, cycle.segment);
}

void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                           ScopeColourCycle &cycle)
{
    ScopeWorkspace work;
    DrawOscilloscopeFrame(painter, window, input, cycle, work);
}

void DrawOscilloscopeFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                           ScopeColourCycle &cycle, ScopeWorkspace &work)
{
    const int width = input.width;
    const int height = input.height;
    const double range = std::ldexp(1.0, std::clamp<int>(input.BitsPerSample, 1, 32));
    const int plot = height - PlotTop;
    const int half = static_cast<int>(RoundHalfEven(plot / 2.0));

    // Bounded so that stepping through the window can never overflow.
    const int n = static_cast<int>(std::clamp<std::int64_t>(
        RoundHalfEven(static_cast<double>(input.TimeRange) * input.SampleRate / 100.0), 0,
        INT_MAX / 4));
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    const int columns = std::clamp(px.Nearest(width), 1, px.Pixels(MaxColumns));
    const int stride = std::max(1, static_cast<int>(RoundHalfEven(double(n) / columns)));
    const Sweep sweep{n, stride, n > 0 ? double(width) / n : 0.0, px};

    const int pixelColumns = std::max(px.Nearest(width), 0) + 1;
    const QRect plotRect(QPoint(0, px.Nearest(PlotTop)),
                         QPoint(px.Nearest(width), px.Nearest(height)));
    DirectRaster raster(painter);
    QImage *image = raster.Direct() ? static_cast<QImage *>(painter.device()) : nullptr;
    const std::array<int, 3> key{width, height, input.CH};
    const bool partial =
        image && work.frameKey != 0 && image->cacheKey() == work.frameKey + 1 && work.key == key;
    if (partial)
        ClearStrips(raster, work, plotRect);
    else
        painter.fillRect(plotRect, Qt::black);
    for (TraceStrips &strips : work.drawn)
        strips.Reset(image ? image->width() : 0);

    AdvanceScopeColour(cycle);
    const QColor base = ScopeBaseColour(cycle);
    const QColor trace = Complement(base);

    if (input.CH == 0 || input.CH == 1) {
        DrawTrace(raster, window, sweep, Trace{input.CH == 1, PlotTop + half, plot / range, trace},
                  pixelColumns, work.drawn[0]);
    } else {
        const double scale = half / range;
        const int upper = static_cast<int>(RoundHalfEven(PlotTop + 0.5 * half));
        const int lower = static_cast<int>(RoundHalfEven(PlotTop + 1.5 * half));
        DrawTrace(raster, window, sweep, Trace{false, upper, scale, trace}, pixelColumns,
                  work.drawn[0]);
        DrawTrace(raster, window, sweep, Trace{true, lower, scale, base}, pixelColumns,
                  work.drawn[1]);
    }

    work.changed.clear();
    if (!image) {
        const QPaintDevice *device = painter.device();
        work.changed.push_back(QRect(0, 0, device->width(), device->height()));
        work.frameKey = 0;
        return;
    }
    if (partial)
        for (std::size_t c = 0; c < 2; ++c)
            CollectChanged(work.traces[c], work.drawn[c], image->rect(), work.changed);
    else
        work.changed.push_back(image->rect());
    std::swap(work.traces, work.drawn);
    work.key = key;
    work.frameKey = image->cacheKey();
}
