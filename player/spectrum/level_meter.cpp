#include "spectrum/level_meter.h"

#include "base/device_pixels.h"
#include "base/rounding.h"
#include "base/twips.h"
#include "spectrum/bin_walk.h"
#include "spectrum/fft_sizes.h"
#include "spectrum/level_meter_bands.h"

#include <algorithm>
#include <cmath>

namespace {

const QColor kYellow(255, 255, 0);

// Largest squared magnitude of the bins the walk reaches in each band.
std::array<double, 24> BandMaxima(const LevelMeterWorkspace &work, int32_t N, int32_t W, double r,
                                  const std::array<int32_t, 24> &edges)
{
    std::array<double, 24> maxima{};
    const auto limits = StrideLimits(W);
    const int32_t last = N / 2 - 1;
    int band = 0;
    for (int32_t j = 1; j <= last; ++j) {
        for (int32_t k = 10; k >= 1; --k) {
            if (j > limits[static_cast<std::size_t>(k)]) {
                j += k - 1;
                break;
            }
        }
        while (band < 24 && !(edges[static_cast<std::size_t>(band)] * r > j))
            ++band;
        if (band == 24)
            break;
        const double power = work.spectra.Power(0, j);
        maxima[static_cast<std::size_t>(band)] =
            std::max(maxima[static_cast<std::size_t>(band)], power);
    }
    for (double &m : maxima)
        m = std::sqrt(m);
    return maxima;
}

// Copies the rows of the bar image (made for the picture's device pixels: as wide as the bar)
// that the bar covers; rows outside the image are left alone.
void DrawBar(QPainter &painter, const QImage &bar, const BarPlacement &place)
{
    if (place.height <= 0)
        return;
    const QRect wanted(0, place.sourceY, bar.width(), place.height);
    const QRect source = wanted & bar.rect();
    if (source.isEmpty())
        return;
    painter.drawImage(QPoint(place.x, place.y + (source.top() - place.sourceY)), bar, source);
}

} // namespace

void MovePeakMarker(LevelMeterState &state, int band, uint8_t VSA, int32_t D)
{
    const auto b = static_cast<std::size_t>(band);
    const float level = static_cast<float>(state.BandLevel[b]);
    if (level > state.BandPeak[b]) {
        state.BandPeak[b] = level;
        state.BandHold[b] = 0;
        return;
    }
    if (state.BandHold[b] < 255)
        ++state.BandHold[b];
    if (VSA == 5 || state.BandHold[b] > 10) {
        const float step = (static_cast<float>(D) * state.FallRate / 10.0f) *
                           static_cast<float>(state.BandHold[b] - 10);
        state.BandPeak[b] -= step;
    }
}

bool DrawLevelMeterFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                         LevelMeterState &state, const QImage &bar, FftEngine &fft,
                         LevelMeterWorkspace &work)
{
    if (input.SampleRate <= 0)
        return false;
    const int32_t D = input.BitsPerSample == 8 ? 6 : 8;
    const float F = input.BitsPerSample == 16 ? 2.5f : (input.BitsPerSample == 8 ? 0.4f : 0.0f);
    const int32_t N = FrameFftSize(input.FastFlag, input.NumFftNormal, input.NumFftFast);
    const int32_t W = RoundToInt32(input.width);
    const int32_t P = RoundToInt32(input.height - 600);
    const double perDecade = P / (D - static_cast<double>(F));
    const double r = static_cast<double>(N) / input.SampleRate;

    state.FallRate = input.FastFlag ? 0.008f : 0.012f;
    const auto &edges = BandEdges(input.FastFlag);

    work.spectra.Compute(window, work.window.Weights(input.WFT, N), input.CH != 1, input.CH == 1,
                         fft);

    painter.setRenderHint(QPainter::Antialiasing, false);
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    painter.fillRect(QRect(QPoint(0, px.Down(600)), QPoint(px.Down(W) - 1, px.Down(600 + P) - 1)),
                     Qt::black);

    const std::array<double, 24> maxima = BandMaxima(work, N, W, r, edges);
    const double fall = static_cast<float>(static_cast<float>(D) * state.FallRate);
    for (int b = 0; b < 24; ++b) {
        const auto i = static_cast<std::size_t>(b);
        const double v = LogLevel(maxima[i]);
        if (state.BandLevel[i] > v)
            state.BandLevel[i] -= fall;
        else
            state.BandLevel[i] = v;
        const double top = P - (state.BandLevel[i] - F) * perDecade;
        const BarPlacement place = PlaceBar(b, top, P, px);
        DrawBar(painter, bar, place);

        MovePeakMarker(state, b, input.VSA, D);
        const float yM = static_cast<float>(P) -
                         (state.BandPeak[i] - F) * static_cast<float>(perDecade) + 600.0f - 30.0f;
        const int left = px.Down(place.xTwips - 52.5);
        const int right = px.Down(place.xTwips + 67.5);
        painter.fillRect(left, px.Down(yM), right - left + 1, 1, kYellow);
    }
    return true;
}
