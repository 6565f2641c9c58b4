#include "spectrum/spectrum_analyzer.h"

#include "base/device_pixels.h"
#include "base/rounding.h"
#include "base/twips.h"
#include "spectrum/direct_raster.h"
#include "spectrum/fft_sizes.h"
#include "spectrum/hatched_fill.h"
#include "spectrum/hue_cycle.h"
#include "spectrum/spectrum_geometry.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor kGrey(127, 127, 127);
constexpr QRgb kGreyRgb = 0x7F7F7F;

// The bin walk spans the device columns: at a device pixel ratio above 1 the strides are
// narrower and the curve has as much more detail as the screen has columns.
void PrepareWalk(SpectrumWorkspace &work, const SpectrumGeometry &g, int32_t N,
                 const PixelScale &px)
{
    const int32_t walkW = RoundToInt32(g.W * px.Ratio());
    if (work.walkN == N && work.walkW == g.W && work.walkDeviceW == walkW)
        return;
    work.walkN = N;
    work.walkW = g.W;
    work.walkDeviceW = walkW;
    work.steps = WalkBins(N, walkW);
    work.stepX1.clear();
    work.stepX2.clear();
    for (const BinStep &step : work.steps) {
        work.stepX1.push_back(RoundToInt32(LogLevel(step.j) * g.s));
        work.stepX2.push_back(RoundToInt32(LogLevel(step.j + step.k) * g.s));
    }
}

// Level y (twips below the plot's top) of every bin the walk touches, for one channel.
void ComputeLevels(SpectrumWorkspace &work, int channel, const SpectrumGeometry &g, int32_t N)
{
    std::vector<int32_t> &levels = work.levelY[channel];
    levels.resize(static_cast<std::size_t>(N) + 1);
    const auto level = [&](int32_t bin) {
        const double m = std::sqrt(work.spectra.Power(channel, bin));
        levels[static_cast<std::size_t>(bin)] = RoundToInt32((g.D - LogLevel(m)) * g.p);
    };
    int32_t done = -1;
    for (const BinStep &step : work.steps) {
        if (step.j != done)
            level(step.j);
        level(step.j + step.k);
        done = step.j + step.k;
    }
}

// Draws the level rows, the frequency columns and their labels; returns the rectangle the labels
// covered.
QRect DrawGrid(QPainter &painter, DirectRaster &raster, LabelCache &labels,
               const SpectrumGeometry &g, uint8_t CH, const PixelScale &px)
{
    const int right = px.Down(g.W) - 1;
    for (int k = 0; k < g.D; ++k) {
        raster.Row(px.Down(600 + k * g.p), 0, right, kGreyRgb);
        raster.Row(px.Down(600 + g.Q + k * g.p), 0, right, kGreyRgb);
    }
    const int top = px.Down(600);
    const int foot = px.Down(600 + g.P);
    float labelX[3] = {0, 0, 0};
    for (int k = 1; k <= 9; ++k) {
        const double decades[4] = {10.0, 100.0, 1000.0, 10000.0};
        for (int d = 0; d < 4; ++d) {
            const float x = GridLineX(decades[d] * k, g);
            raster.Column(px.Down(x), top, foot - 1, kGreyRgb);
            if (k == 1 && d > 0)
                labelX[d - 1] = x;
        }
    }
    QRect covered;
    const auto text = [&](double x, double y, const QString &label) {
        covered |= labels.Draw(painter, px.Down(x), px.Down(y), label, kGrey);
    };
    const QString frequencies[3] = {QStringLiteral("100Hz"), QStringLiteral("1kHz"),
                                    QStringLiteral("10kHz")};
    const QString levels[4] = {QStringLiteral("0dB"), QStringLiteral("-40dB"),
                               QStringLiteral("-80dB"), QStringLiteral("-120dB")};
    for (int i = 0; i < 3; ++i)
        text(labelX[i] + 30.0, g.P + 400, frequencies[i]);
    for (int i = 0; i < 4; ++i)
        text(30, 630 + 2 * i * g.p, levels[i]);
    if (CH == 2) {
        for (int i = 0; i < 3; ++i)
            text(labelX[i] + 30.0, g.Q + 400, frequencies[i]);
        for (int i = 0; i < 4; ++i)
            text(30, g.Q + 630 + 2 * i * g.p, levels[i]);
    }
    return covered;
}

// The black plot, the grid, the labels and the dual display's dividing line, drawn the same on
// every frame; returns the rectangle the labels covered.
QRect DrawBackground(QPainter &painter, LabelCache &labels, const SpectrumGeometry &g, uint8_t CH,
                     const QRect &plot, const PixelScale &px)
{
    painter.fillRect(plot, Qt::black);
    DirectRaster raster(painter);
    const QRect covered = DrawGrid(painter, raster, labels, g, CH, px);
    if (CH == 2)
        raster.Row(px.Down(600 + g.Q), 0, px.Down(g.W) - 1, 0xFFFFFF);
    return covered;
}

// Draws the background of the frame once into work.background when its inputs changed. Only
// for a painter whose pixels are written directly (DirectRaster); returns false when the frame
// must draw its background itself.
bool PrepareBackground(QPainter &painter, SpectrumWorkspace &work, const SpectrumGeometry &g,
                       uint8_t CH, const QRect &plot, const PixelScale &px)
{
    const auto *target = static_cast<const QImage *>(painter.device());
    const std::array<double, 10> key{double(g.W),
                                     double(g.P),
                                     double(g.Q),
                                     double(g.D),
                                     g.p,
                                     g.s,
                                     g.r,
                                     double(CH),
                                     double(target->width()) * 65536.0 + target->height(),
                                     double(target->format())};
    if (work.background.isNull() || key != work.backgroundKey ||
        painter.font() != work.backgroundFont ||
        work.background.dotsPerMeterX() != target->dotsPerMeterX() ||
        work.background.dotsPerMeterY() != target->dotsPerMeterY()) {
        QImage image(target->size(), target->format());
        image.setDotsPerMeterX(target->dotsPerMeterX());
        image.setDotsPerMeterY(target->dotsPerMeterY());
        image.fill(Qt::black);
        QPainter canvas(&image);
        canvas.setFont(painter.font());
        const QRect covered = DrawBackground(canvas, work.labels, g, CH, plot, px);
        canvas.end();
        // Labels reaching outside the plot blend with what lies there: such frames draw their
        // background themselves.
        const QRect touched = covered & image.rect();
        const bool usable = touched.isEmpty() || plot.contains(touched);
        work.background = image;
        work.backgroundRect = usable ? plot & image.rect() : QRect();
        work.backgroundKey = key;
        work.backgroundFont = painter.font();
        work.frameKey = 0;
    }
    return !work.backgroundRect.isEmpty();
}

// Copies the background over the plot, or, when the picture still holds this workspace's last
// frame, over the strips its traces covered; a hatched frame after a hatched one restores
// after drawing instead (RestoreAboveStrokes). Returns false for a whole plot restored.
bool RestoreBackground(DirectRaster &raster, const QImage &target, SpectrumWorkspace &work,
                       bool afterHatched)
{
    const bool partial = work.frameKey != 0 && target.cacheKey() == work.frameKey + 1;
    if (!partial) {
        raster.Copy(work.background, work.backgroundRect);
        return false;
    }
    if (afterHatched)
        return true;
    // Strip by strip, down its rows: an even stride through memory, which the processor
    // fetches ahead of the copies.
    const QRect area = work.backgroundRect;
    const DirectRaster::RowCopier copy = raster.CopierFrom(work.background);
    for (const TraceStrips &trace : work.traces)
        for (int s = 0; s < trace.Count(); ++s) {
            const QRect strip = trace.Strip(s) & area;
            for (int y = strip.top(); y <= strip.bottom(); ++y)
                copy(y, strip.left(), strip.right());
        }
    return true;
}

// After a hatched frame drawn over the last one: restores, column by column, the rows the last
// strokes covered above the new ones.
void RestoreAboveStrokes(DirectRaster &raster, const SpectrumWorkspace &work,
                         const std::vector<int> &last, const QRect &area)
{
    const DirectRaster::RowCopier copy = raster.CopierFrom(work.background);
    const std::vector<int> &now = work.hatch.Tops();
    const int baseRow = work.hatch.BaseRow();
    const std::size_t columns = std::min(last.size(), now.size());
    for (std::size_t x = 0; x < columns; ++x) {
        const int bottom = std::min(now[x], baseRow) - 1;
        if (last[x] <= bottom)
            copy.Column(static_cast<int>(x), std::max(last[x], area.top()),
                        std::min(bottom, area.bottom()));
    }
}

// Records where one channel's trace may have written: each segment's rows over its columns,
// down (or up) to the base for the hatched display, one pixel of margin each way.
void CoverTrace(TraceStrips &strips, const SpectrumWorkspace &work,
                const std::vector<int32_t> &levels, int32_t offset, double base, bool hatched,
                const PixelScale &px)
{
    const int baseRow = px.Down(base);
    for (std::size_t i = 0; i < work.steps.size(); ++i) {
        const BinStep &step = work.steps[i];
        const int y1 = px.Down(offset + levels[static_cast<std::size_t>(step.j)]);
        const int y2 = px.Down(offset + levels[static_cast<std::size_t>(step.j + step.k)]);
        int top = std::min(y1, y2);
        int bottom = std::max(y1, y2);
        if (hatched) {
            top = std::min(top, baseRow);
            bottom = std::max(bottom, baseRow);
        }
        strips.Cover(px.Down(work.stepX1[i]) - 1, px.Down(work.stepX2[i]) + 1, top - 1, bottom + 1);
    }
}

// Draws one channel's trace as lines between its levels. On a direct raster, a chain of upright
// segments in one pixel column (the crowded high bins) is one column from the chain's highest
// to its lowest point: the same pixels, each written once.
void DrawLines(DirectRaster &raster, const SpectrumWorkspace &work,
               const std::vector<int32_t> &levels, int32_t offset, QRgb colour,
               const PixelScale &px)
{
    const bool merge = raster.Direct();
    int column = 0, top = 0, bottom = -1;
    int32_t chainEnd = -1; // the bin the open column's chain ends at; -1: none open
    const auto flush = [&] {
        if (chainEnd >= 0)
            raster.Column(column, top, bottom, colour);
        chainEnd = -1;
    };
    for (std::size_t i = 0; i < work.steps.size(); ++i) {
        const BinStep &step = work.steps[i];
        const int x1 = px.Down(work.stepX1[i]);
        const int x2 = px.Down(work.stepX2[i]);
        const int y1 = px.Down(offset + levels[static_cast<std::size_t>(step.j)]);
        const int y2 = px.Down(offset + levels[static_cast<std::size_t>(step.j + step.k)]);
        if (merge && x1 == x2) {
            if (chainEnd != step.j || column != x1) {
                flush();
                column = x1;
                top = y1;
                bottom = y1;
            }
            top = std::min({top, y1, y2});
            bottom = std::max({bottom, y1, y2});
            chainEnd = step.j + step.k;
            continue;
        }
        flush();
        raster.Line(x1, y1, x2, y2, colour);
    }
    flush();
}

// Lifts the peak-hold levels of one channel to this frame's levels and lets the rest fall by
// `fall` twips, bin by bin along the walk.
void HoldPeaks(SpectrumWorkspace &work, int channel, double fall)
{
    const std::vector<int32_t> &levels = work.levelY[channel];
    std::vector<int32_t> &hold = work.holdY[static_cast<std::size_t>(channel)];
    if (hold.size() != levels.size()) {
        hold = levels;
        return;
    }
    const auto drop = static_cast<int32_t>(std::lround(fall));
    const auto follow = [&](int32_t bin) {
        const auto b = static_cast<std::size_t>(bin);
        hold[b] = std::min(levels[b], hold[b] + drop);
    };
    int32_t done = -1;
    for (const BinStep &step : work.steps) {
        if (step.j != done)
            follow(step.j);
        follow(step.j + step.k);
        done = step.j + step.k;
    }
}

void DrawHatched(DirectRaster &raster, SpectrumWorkspace &work, int channel, int32_t offset,
                 double base, QRgb colour, const PixelScale &px)
{
    const std::vector<int32_t> &levels = work.levelY[channel];
    work.hatch.Reset(px.Down(work.walkW) + 1, px.Down(base));
    for (std::size_t i = 0; i < work.steps.size(); ++i) {
        const BinStep &step = work.steps[i];
        HatchedFill(raster, work.stepX1[i], offset + levels[static_cast<std::size_t>(step.j)],
                    work.stepX2[i], offset + levels[static_cast<std::size_t>(step.j + step.k)],
                    base, colour, &work.hatch, px);
    }
    work.hatch.Draw(raster, colour);
}

} // namespace

bool DrawSpectrumFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                       SpectrumState &state, FftEngine &fft, SpectrumWorkspace &work)
{
    work.changed.clear();
    if ((input.BitsPerSample != 8 && input.BitsPerSample != 16) || input.SampleRate <= 0)
        return false;
    const int32_t N = FrameFftSize(input.FastFlag, input.NumFftNormal, input.NumFftFast);
    const uint8_t CH = input.CH > 2 ? 2 : input.CH;
    const SpectrumGeometry g = MakeSpectrumGeometry(input.width, input.height, N, input.SampleRate,
                                                    input.BitsPerSample, CH);
    const bool left = CH != 1;
    const bool right = CH != 0;
    work.spectra.Compute(window, work.window.Weights(input.WFT, N), left, right, fft);

    painter.setRenderHint(QPainter::Antialiasing, false);
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    const QRect plot(QPoint(0, px.Down(600)), QPoint(px.Down(g.W) - 1, px.Down(600 + g.P) - 1));
    DirectRaster raster(painter);
    const bool copied = raster.Direct() && PrepareBackground(painter, work, g, CH, plot, px);
    const auto *target = static_cast<const QImage *>(painter.device());
    const bool hatched = input.VSA == 3;
    // The last frame's strokes are known column by column: a hatched frame restores after
    // drawing, above its own strokes.
    const bool afterHatched =
        hatched && (!left || !work.hatchTops[0].empty()) && (!right || !work.hatchTops[1].empty());
    bool partial = false;
    if (copied)
        partial = RestoreBackground(raster, *target, work, afterHatched);
    else
        DrawBackground(painter, work.labels, g, CH, plot, px);
    if (!partial)
        for (TraceStrips &trace : work.traces)
            trace.Reset(0);
    const bool fixUp = partial && afterHatched;

    AdvanceHue(state.HuePhase, state.HueSegment);
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    const QColor c2 = Complement(c1);

    PrepareWalk(work, g, N, px);
    // The peak-hold trace of the line display: a new geometry starts it again.
    const bool holding = !hatched && input.PeakFall > 0;
    const std::array<int32_t, 4> holdKey{N, g.W, g.P, CH};
    if (!holding || holdKey != work.holdKey)
        work.holdY = {};
    work.holdKey = holdKey;
    // One frame's fall: dB a second over the frame's interval, 20 dB a decade of level.
    const double fall = input.PeakFall * (input.FastFlag ? 0.01 : 0.04) / 20.0 * g.p;
    const int columns = copied ? target->width() : 0;
    const double height = static_cast<float>(input.height);
    for (int c = 0; c < 2; ++c) {
        TraceStrips &strips = work.drawn[static_cast<std::size_t>(c)];
        strips.Reset(columns);
        if (c == 0 ? !left : !right) {
            work.hatchTops[static_cast<std::size_t>(c)].clear();
            continue;
        }
        ComputeLevels(work, c, g, N);
        const int32_t offset = (c == 1 && CH == 2) ? 600 + g.Q : 600;
        const double base = (c == 0 && CH == 2) ? 600.0 + g.Q : height;
        const QRgb colour = (c == 0 ? c1 : c2).rgb();
        std::vector<int> &hatchTops = work.hatchTops[static_cast<std::size_t>(c)];
        if (hatched) {
            DrawHatched(raster, work, c, offset, base, colour, px);
            if (fixUp)
                RestoreAboveStrokes(raster, work, hatchTops, work.backgroundRect);
            if (copied && !work.hatch.Spilled())
                hatchTops = work.hatch.Tops();
            else
                hatchTops.clear();
        } else {
            if (holding) {
                HoldPeaks(work, c, fall);
                const std::vector<int32_t> &hold = work.holdY[static_cast<std::size_t>(c)];
                DrawLines(raster, work, hold, offset, 0xB4B4B4, px);
                if (copied)
                    CoverTrace(strips, work, hold, offset, base, false, px);
            }
            DrawLines(raster, work, work.levelY[c], offset, colour, px);
            hatchTops.clear();
        }
        if (copied)
            CoverTrace(strips, work, work.levelY[c], offset, base, hatched, px);
    }
    if (copied) {
        if (!partial)
            work.changed.push_back(work.backgroundRect);
        for (std::size_t c = 0; c < 2; ++c)
            CollectChanged(work.traces[c], work.drawn[c], target->rect(), work.changed);
        std::swap(work.traces, work.drawn);
        work.frameKey = target->cacheKey();
    } else {
        const QPaintDevice *device = painter.device();
        work.changed = {QRect(0, 0, device->width(), device->height())};
        work.frameKey = 0;
    }
    return true;
}
