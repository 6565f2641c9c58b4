#pragma once

#include "base/frame_input.h"
#include "base/play_jump.h"
#include "base/sample_window.h"
#include "spectrum/channel_spectra.h"
#include "spectrum/label_cache.h"
#include "spectrum/window_functions.h"

#include <QImage>
#include <QPainter>
#include <QVector>

#include <array>
#include <cstdint>
#include <vector>

class FftEngine;

// The FFT bins one pixel row of a spectrogram area shows: the strongest of first … last.
struct RowBins
{
    int32_t first = 1;
    int32_t last = 1;
};

// Rows of an area `rows` pixels high (row 0 at the top), on the spectrum analyzers'
// logarithmic axis: bin j lies LogLevel(j) / LogLevel(N/2) of the height above the foot.
std::vector<RowBins> SpectrogramRows(int rows, int32_t N);

// The history of the waterfall, one image per area, plus the buffers a frame reuses. The
// images are rings: column `next` is written next, so scrolling costs no copying.
// The frequency grid of one area, worked out once per layout: tick marks, dotted lines and
// their labels.
struct SpectrogramGrid
{
    int width = 0; // the area's width in device pixels the grid was made for
    QVector<QLine> ticks;
    QVector<QPoint> dots;
    QVector<QPair<QPoint, QString>> labels;
};

struct SpectrogramState
{
    std::array<QImage, 2> history;
    int next = 0;
    int32_t N = 0;
    uint8_t CH = 255;
    int32_t D = 0;
    int32_t rate = 0;
    std::array<std::vector<RowBins>, 2> rows;
    std::array<SpectrogramGrid, 2> grid;
    QImage legend; // the colour scale, drawn once
    PlayJump jump;
    WindowTable window;
    LabelCache labels;
    ChannelSpectra spectra;
    std::vector<double> power;
    // The powers at which the colour map steps to its entries 1 … 255, for the range D.
    int32_t thresholdD = 0;
    std::array<double, 255> thresholds{};

    // Forgets the history (a new file or a seek): the waterfall starts black.
    void Clear();
};

// Draws one spectrogram frame on `painter` (over the picture `Pic`, one pixel per 15 twips):
// the analysis window of this frame becomes the newest column at the right of the waterfall,
// level as colour over the spectrum analyzers' decibel range. A jump of the position clears
// the history first. Returns false, drawing nothing, for a sample width other than 8 or 16
// bits or a rate that is not positive.
// `position` is the analysed position in seconds; the input's CH, WFT, FFT sizes, picture
// size, sample rate and width are read.
bool DrawSpectrogramFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          double position, SpectrogramState &state, FftEngine &fft);
