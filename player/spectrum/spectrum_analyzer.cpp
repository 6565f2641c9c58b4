#include "spectrum/spectrum_analyzer.h"

#include "base/rounding.h"
#include "base/twips.h"
#include "spectrum/direct_raster.h"
#include "spectrum/fft_engine.h"
#include "spectrum/fft_sizes.h"
#include "spectrum/hatched_fill.h"
#include "spectrum/hue_cycle.h"
#include "spectrum/spectrum_geometry.h"
#include "spectrum/windowed_block.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor kGrey(127, 127, 127);
constexpr QRgb kGreyRgb = 0x7F7F7F;

// Sizes the arrays to 0 … N. The inputs and outputs are rewritten in full by every frame; the
// imaginary input is cleared again in case a transform wrote to it.
void PrepareBuffers(SpectrumWorkspace &work, int32_t N)
{
    const auto size = static_cast<std::size_t>(N) + 1;
    for (int c = 0; c < 2; ++c) {
        work.input[c].resize(size);
        work.re[c].resize(size);
        work.im[c].resize(size);
    }
    work.zeros.assign(size, 0.0);
}

void PrepareWalk(SpectrumWorkspace &work, const SpectrumGeometry &g, int32_t N)
{
    if (work.walkN == N && work.walkW == g.W)
        return;
    work.walkN = N;
    work.walkW = g.W;
    work.steps = WalkBins(N, g.W);
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
    const std::vector<double> &re = work.re[channel];
    const std::vector<double> &im = work.im[channel];
    std::vector<int32_t> &levels = work.levelY[channel];
    levels.resize(static_cast<std::size_t>(N) + 1);
    const auto level = [&](int32_t bin) {
        const auto b = static_cast<std::size_t>(bin);
        const double m = std::sqrt(re[b] * re[b] + im[b] * im[b]);
        levels[b] = RoundToInt32((g.D - LogLevel(m)) * g.p);
    };
    int32_t done = -1;
    for (const BinStep &step : work.steps) {
        if (step.j != done)
            level(step.j);
        level(step.j + step.k);
        done = step.j + step.k;
    }
}

void DrawGrid(QPainter &painter, DirectRaster &raster, LabelCache &labels,
              const SpectrumGeometry &g, uint8_t CH)
{
    const int right = TwipsToPixelDown(g.W) - 1;
    for (int k = 0; k < g.D; ++k) {
        raster.Row(TwipsToPixelDown(600 + k * g.p), 0, right, kGreyRgb);
        raster.Row(TwipsToPixelDown(600 + g.Q + k * g.p), 0, right, kGreyRgb);
    }
    const int top = TwipsToPixelDown(600);
    const int foot = TwipsToPixelDown(600 + g.P);
    float labelX[3] = {0, 0, 0};
    for (int k = 1; k <= 9; ++k) {
        const double decades[4] = {10.0, 100.0, 1000.0, 10000.0};
        for (int d = 0; d < 4; ++d) {
            const float x = GridLineX(decades[d] * k, g);
            raster.Column(TwipsToPixelDown(x), top, foot - 1, kGreyRgb);
            if (k == 1 && d > 0)
                labelX[d - 1] = x;
        }
    }
    const auto text = [&](double x, double y, const QString &label) {
        labels.Draw(painter, TwipsToPixelDown(x), TwipsToPixelDown(y), label, kGrey);
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
}

void DrawLines(DirectRaster &raster, const SpectrumWorkspace &work, int channel, int32_t offset,
               QRgb colour)
{
    const std::vector<int32_t> &levels = work.levelY[channel];
    for (std::size_t i = 0; i < work.steps.size(); ++i) {
        const BinStep &step = work.steps[i];
        raster.Line(TwipsToPixelDown(work.stepX1[i]),
                    TwipsToPixelDown(offset + levels[static_cast<std::size_t>(step.j)]),
                    TwipsToPixelDown(work.stepX2[i]),
                    TwipsToPixelDown(offset + levels[static_cast<std::size_t>(step.j + step.k)]),
                    colour);
    }
}

void DrawHatched(DirectRaster &raster, SpectrumWorkspace &work, int channel, int32_t offset,
                 double base, QRgb colour)
{
    const std::vector<int32_t> &levels = work.levelY[channel];
    work.hatch.Reset(TwipsToPixelDown(work.walkW) + 1, TwipsToPixelDown(base));
    for (std::size_t i = 0; i < work.steps.size(); ++i) {
        const BinStep &step = work.steps[i];
        HatchedFill(raster, work.stepX1[i], offset + levels[static_cast<std::size_t>(step.j)],
                    work.stepX2[i], offset + levels[static_cast<std::size_t>(step.j + step.k)],
                    base, colour, &work.hatch);
    }
    work.hatch.Draw(raster, colour);
}

} // namespace

bool DrawSpectrumFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                       SpectrumState &state, FftEngine &fft, SpectrumWorkspace &work)
{
    if ((input.BitsPerSample != 8 && input.BitsPerSample != 16) || input.SampleRate <= 0)
        return false;
    const int32_t N = FrameFftSize(input.FastFlag, input.NumFftNormal, input.NumFftFast);
    const uint8_t CH = input.CH > 2 ? 2 : input.CH;
    const SpectrumGeometry g = MakeSpectrumGeometry(input.width, input.height, N, input.SampleRate,
                                                    input.BitsPerSample, CH);
    PrepareBuffers(work, N);

    const bool left = CH != 1;
    const bool right = CH != 0;
    const std::vector<double> &weights = work.window.Weights(input.WFT, N);
    for (int c = 0; c < 2; ++c) {
        if (c == 0 ? !left : !right)
            continue;
        WindowChannel(window, c == 1, weights, work.input[c].data());
        fft.Transform(N, work.input[c].data(), work.zeros.data(), work.re[c].data(),
                      work.im[c].data());
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, TwipsToPixelDown(600)),
                           QPoint(TwipsToPixelDown(g.W) - 1, TwipsToPixelDown(600 + g.P) - 1)),
                     Qt::black);
    DirectRaster raster(painter);
    DrawGrid(painter, raster, work.labels, g, CH);
    if (CH == 2)
        raster.Row(TwipsToPixelDown(600 + g.Q), 0, TwipsToPixelDown(g.W) - 1, 0xFFFFFF);

    AdvanceHue(state.HuePhase, state.HueSegment);
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    const QColor c2 = Complement(c1);

    PrepareWalk(work, g, N);
    const double height = static_cast<float>(input.height);
    for (int c = 0; c < 2; ++c) {
        if (c == 0 ? !left : !right)
            continue;
        ComputeLevels(work, c, g, N);
        const int32_t offset = (c == 1 && CH == 2) ? 600 + g.Q : 600;
        const double base = (c == 0 && CH == 2) ? 600.0 + g.Q : height;
        const QRgb colour = (c == 0 ? c1 : c2).rgb();
        if (input.VSA == 3)
            DrawHatched(raster, work, c, offset, base, colour);
        else
            DrawLines(raster, work, c, offset, colour);
    }
    return true;
}
