#include "spectrum/spectrogram.h"

#include "base/device_pixels.h"
#include "base/twips.h"
#include "spectrum/colour_map.h"
#include "spectrum/direct_raster.h"
#include "spectrum/fft_sizes.h"
#include "spectrum/spectrum_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QColor kGrey(127, 127, 127);
constexpr int kTopBand = 600; // twips above the plot, as on the spectrum analyzers

// Device pixel rows of the areas: [0] upper (or the only one), [1] lower in dual mode. The
// history keeps one column per logical pixel (one per frame, so that the waterfall moves as
// fast on every screen) and one row per device pixel.
struct Areas
{
    int top[2] = {0, 0};
    int height[2] = {0, 0};
    int count = 1;
    int width = 0;   // device pixels
    int columns = 0; // history columns
};

Areas AreasOf(const SpectrumGeometry &g, uint8_t CH, const PixelScale &px)
{
    Areas a;
    a.width = px.Down(g.W);
    a.columns = TwipsToPixelDown(g.W);
    const int top = px.Down(kTopBand);
    const int foot = px.Down(kTopBand + g.P);
    a.top[0] = top;
    if (CH == 2) {
        const int middle = px.Down(kTopBand + g.Q);
        a.count = 2;
        a.height[0] = middle - top;
        a.top[1] = middle + 1; // the white line between the halves
        a.height[1] = std::max(0, foot - a.top[1]);
    } else {
        a.height[0] = foot - top;
    }
    return a;
}

SpectrogramGrid MakeGrid(int top, int height, int width, int32_t N, int32_t sampleRate,
                         int textHeight, const PixelScale &px);

void Prepare(SpectrogramState &state, const Areas &a, int32_t N, uint8_t CH, int32_t D,
             int32_t rate, int textHeight, const PixelScale &px)
{
    bool same = state.N == N && state.CH == CH && state.D == D && state.rate == rate;
    for (int i = 0; i < a.count; ++i)
        same = same &&
               state.history[static_cast<std::size_t>(i)].size() == QSize(a.columns, a.height[i]) &&
               state.grid[static_cast<std::size_t>(i)].width == a.width;
    if (same)
        return;
    state.N = N;
    state.CH = CH;
    state.D = D;
    state.rate = rate;
    state.next = 0;
    for (std::size_t i = 0; i < 2; ++i) {
        if (static_cast<int>(i) < a.count && a.columns > 0 && a.height[i] > 0) {
            state.history[i] = QImage(a.columns, a.height[i], QImage::Format_RGB32);
            state.history[i].fill(Qt::black);
            state.rows[i] = SpectrogramRows(a.height[i], N);
            state.grid[i] = MakeGrid(a.top[i], a.height[i], a.width, N, rate, textHeight, px);
        } else {
            state.history[i] = QImage();
            state.rows[i].clear();
            state.grid[i] = {};
        }
    }
    state.power.resize(static_cast<std::size_t>(N) + 1);
}

// Writes the newest column of one area from one channel's transform.
void WriteColumn(SpectrogramState &state, std::size_t area, int channel, int32_t D)
{
    QImage &image = state.history[area];
    if (image.isNull())
        return;
    state.spectra.Powers(channel, state.power);
    const std::array<QRgb, 256> &map = LevelColourMap();
    const std::vector<RowBins> &rows = state.rows[area];
    if (state.thresholdD != D) {
        // Entry i of the map from level·255/D rounded, level the decades above 1 of the
        // magnitude (half those of the power): the power from which entry i applies.
        state.thresholdD = D;
        for (int i = 1; i < 256; ++i)
            state.thresholds[static_cast<std::size_t>(i - 1)] =
                std::pow(10.0, 2.0 * (i - 0.5) * D / 255.0);
    }
    const int x = state.next;
    for (int y = 0; y < image.height(); ++y) {
        const RowBins &r = rows[static_cast<std::size_t>(y)];
        double strongest = 0.0;
        for (int32_t j = r.first; j <= r.last; ++j)
            strongest = std::max(strongest, state.power[static_cast<std::size_t>(j)]);
        const auto index =
            std::upper_bound(state.thresholds.begin(), state.thresholds.end(), strongest) -
            state.thresholds.begin();
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = map[static_cast<std::size_t>(index)];
    }
}

// Paints the ring so that the newest column lies at the right edge, its columns spread over
// `width` device pixels.
void Blit(QPainter &painter, const QImage &image, int top, int next, int width)
{
    const int columns = image.width();
    const int older = columns - next; // columns next … columns-1, the oldest first
    if (columns == width) {
        painter.drawImage(QPoint(0, top), image, QRect(next, 0, older, image.height()));
        if (next > 0)
            painter.drawImage(QPoint(older, top), image, QRect(0, 0, next, image.height()));
        return;
    }
    const int split = static_cast<int>(std::lround(double(older) * width / columns));
    painter.drawImage(QRect(0, top, split, image.height()), image,
                      QRect(next, 0, older, image.height()));
    if (next > 0)
        painter.drawImage(QRect(split, top, width - split, image.height()), image,
                          QRect(0, 0, next, image.height()));
}

// The frequency grid of one area: ticks at 10 Hz … 90 kHz on the left edge, dotted lines and
// labels at 100 Hz, 1 kHz and 10 kHz.
SpectrogramGrid MakeGrid(int top, int height, int width, int32_t N, int32_t sampleRate,
                         int textHeight, const PixelScale &px)
{
    SpectrogramGrid grid;
    grid.width = width;
    if (height <= 0)
        return grid;
    const SpectrumGeometry axis =
        MakeSpectrumGeometry(double(height * TwipsPerPixel), 0, N, sampleRate, 16, 0);
    const int foot = top + height - 1;
    const QString names[3] = {QStringLiteral("100Hz"), QStringLiteral("1kHz"),
                              QStringLiteral("10kHz")};
    for (int d = 0; d < 4; ++d) {
        const double decade = std::pow(10.0, d + 1);
        for (int k = 1; k <= 9; ++k) {
            const int y = foot - TwipsToPixelDown(static_cast<double>(GridLineX(decade * k, axis)));
            if (y < top || y > foot)
                continue;
            grid.ticks.append(QLine(0, y, px.Pixels(k == 1 ? 7 : 3), y));
            if (k != 1 || d == 0)
                continue;
            for (int x = px.Pixels(12); x < width; x += px.Pixels(4))
                grid.dots.append(QPoint(x, y));
            grid.labels.append({QPoint(px.Pixels(2), y - textHeight), names[d - 1]});
        }
    }
    return grid;
}

void DrawGrid(QPainter &painter, LabelCache &labels, const SpectrogramGrid &grid)
{
    painter.setPen(kGrey);
    painter.drawLines(grid.ticks);
    DirectRaster raster(painter);
    for (const QPoint &dot : grid.dots)
        raster.Row(dot.y(), dot.x(), dot.x(), kGrey.rgb());
    for (const auto &[at, text] : grid.labels)
        labels.Draw(painter, at.x(), at.y(), text, kGrey);
}

// The colour scale in the band above the plot: "0dB" at the bright end, the floor of the
// level range at the dark end.
void DrawLegend(QPainter &painter, LabelCache &labels, QImage &legend, int32_t D, int width,
                const PixelScale &px)
{
    const int band = px.Down(kTopBand);
    painter.fillRect(QRect(0, 0, std::min(width, px.Pixels(260)), band), Qt::black);
    const int left = px.Pixels(56), right = px.Pixels(184), y0 = band / 2 - px.Pixels(4);
    if (legend.size() != QSize(right - left, px.Pixels(9))) {
        const std::array<QRgb, 256> &map = LevelColourMap();
        legend = QImage(right - left, px.Pixels(9), QImage::Format_RGB32);
        for (int x = 0; x < legend.width(); ++x)
            for (int y = 0; y < legend.height(); ++y)
                legend.setPixel(x, y,
                                map[static_cast<std::size_t>(x * 255 / (legend.width() - 1))]);
    }
    painter.drawImage(left, y0, legend);
    const int textY = y0 + px.Pixels(4) - painter.fontMetrics().height() / 2;
    labels.Draw(painter, px.Pixels(4), textY, QStringLiteral("-%1dB").arg(20 * D), kGrey);
    labels.Draw(painter, right + px.Pixels(6), textY, QStringLiteral("0dB"), kGrey);
}

} // namespace

std::vector<RowBins> SpectrogramRows(int rows, int32_t N)
{
    std::vector<RowBins> out(static_cast<std::size_t>(std::max(rows, 0)));
    const int32_t half = N / 2;
    const double top = std::log10(static_cast<double>(half));
    for (int y = 0; y < rows; ++y) {
        // Row y covers heights [h, h + 1) pixels above the foot.
        const double h = rows - 1 - y;
        const double lo = std::pow(10.0, h / rows * top);
        const double hi = std::pow(10.0, (h + 1) / rows * top);
        RowBins r;
        r.first = static_cast<int32_t>(std::ceil(lo));
        r.last = static_cast<int32_t>(std::ceil(hi)) - 1;
        if (r.last < r.first) // a bin spreads over several rows: the nearest one
            r.first = r.last =
                static_cast<int32_t>(std::lround(std::pow(10.0, (h + 0.5) / rows * top)));
        r.first = std::clamp(r.first, int32_t{1}, half);
        r.last = std::clamp(r.last, r.first, half);
        out[static_cast<std::size_t>(y)] = r;
    }
    return out;
}

void SpectrogramState::Clear()
{
    for (QImage &image : history)
        if (!image.isNull())
            image.fill(Qt::black);
    next = 0;
    jump.Reset();
}

bool DrawSpectrogramFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          double position, SpectrogramState &state, FftEngine &fft)
{
    if ((input.BitsPerSample != 8 && input.BitsPerSample != 16) || input.SampleRate <= 0)
        return false;
    const int32_t N = FrameFftSize(input.FastFlag, input.NumFftNormal, input.NumFftFast);
    const uint8_t CH = input.CH > 2 ? 2 : input.CH;
    const SpectrumGeometry g = MakeSpectrumGeometry(input.width, input.height, N, input.SampleRate,
                                                    input.BitsPerSample, CH);
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    const Areas areas = AreasOf(g, CH, px);
    if (areas.width <= 0 || areas.columns <= 0)
        return false;
    if (state.jump.Jumped(position))
        state.Clear();
    Prepare(state, areas, N, CH, g.D, input.SampleRate, painter.fontMetrics().height(), px);

    state.spectra.Compute(window, state.window.Weights(input.WFT, N), CH != 1, CH != 0, fft);
    for (int area = 0; area < areas.count; ++area)
        WriteColumn(state, static_cast<std::size_t>(area), CH == 2 ? area : CH, g.D);
    state.next = (state.next + 1) % areas.columns;

    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawLegend(painter, state.labels, state.legend, g.D, areas.width, px);
    for (int area = 0; area < areas.count; ++area) {
        const QImage &image = state.history[static_cast<std::size_t>(area)];
        if (image.isNull())
            continue;
        Blit(painter, image, areas.top[area], state.next, areas.width);
        DrawGrid(painter, state.labels, state.grid[static_cast<std::size_t>(area)]);
    }
    if (areas.count == 2) {
        painter.setPen(Qt::white);
        painter.drawLine(0, areas.top[1] - 1, areas.width - 1, areas.top[1] - 1);
    }
    return true;
}
