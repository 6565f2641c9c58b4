#pragma once

#include "analyzer/loudness_windows.h"
#include "base/sample_window.h"
#include "spectrum/label_cache.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The measurements of the loudness meter, carried from frame to frame. Sample peak and RMS
// are kept per channel in dBFS. Every sample of the file is taken once, in play order, for the
// EBU R 128 loudness: the momentary and short-term readings and the range come from the
// meter's own running sums, the integrated loudness from libebur128.
class LoudnessState
{
public:
    static constexpr double kFloorDb = -90.0;
    static constexpr double kPeakHoldMs = 1500.0;
    static constexpr double kClipHoldMs = 2000.0;
    static constexpr double kClipDb = -0.1;
    // VU ballistics: 99 % of a step within 300 ms.
    static constexpr double kVuSeconds = 0.3;

    LoudnessState();
    ~LoudnessState();
    LoudnessState(const LoudnessState &) = delete;
    LoudnessState &operator=(const LoudnessState &) = delete;

    // A new file: integrated loudness and range start again, the bars fall to the floor.
    void Restart();

    // Takes the window (of a stream at sampleRate) whose first frame is frame `firstFrame` of
    // the file, at the steady
    // time nowMs. Only frames after those already taken count: frames taken before are never
    // fed again (a pause or a seek back), and frames never seen are skipped (a seek ahead or
    // a late tick). The bars follow the frames in play order; after a seek back they go on
    // from the new place while the loudness waits for unseen frames.
    void Feed(const SampleWindow &window, int32_t sampleRate, int64_t firstFrame, double nowMs);

    int Channels() const { return channels_; }
    double PeakDb(int channel) const { return peak_[static_cast<std::size_t>(channel & 1)]; }
    double HoldDb(int channel) const { return hold_[static_cast<std::size_t>(channel & 1)]; }
    double RmsDb(int channel) const;
    bool ClipLit(int channel, double nowMs) const
    {
        return nowMs < clipUntil_[static_cast<std::size_t>(channel & 1)];
    }
    // LUFS (momentary 400 ms, short-term 3 s, integrated) and LU (range); empty while
    // unmeasured or below the gate.
    // Refreshed by Feed: momentary every 100 ms, short-term every 200 ms, integrated and
    // range every 500 ms.
    std::optional<double> Momentary() const { return momentary_; }
    std::optional<double> ShortTerm() const { return shortTerm_; }
    std::optional<double> Integrated() const { return integrated_; }
    std::optional<double> Range() const { return range_; }
    // Frames taken for the loudness since the restart.
    int64_t FedFrames() const { return fedFrames_; }

private:
    void Open(int rate, int channels);
    std::optional<double> MeasureIntegrated() const;
    void Close();

    // The libebur128 measurement of the current file.
    struct Meter;
    std::unique_ptr<Meter> meter_;
    int rate_ = 0;
    int channels_ = 0;
    int64_t fedUntil_ = -1;    // last frame given to libebur128
    int64_t playedUntil_ = -1; // last frame the bars saw
    int64_t fedFrames_ = 0;
    double lastMs_ = 0;
    std::array<double, 2> peak_{kFloorDb, kFloorDb};
    std::array<double, 2> hold_{kFloorDb, kFloorDb};
    std::array<double, 2> holdUntil_{0, 0};
    std::array<double, 2> clipUntil_{-1, -1};
    std::array<double, 2> meanSquare_{0, 0};
    std::vector<int16_t> pcm_; // the frames of the last window still to be taken
    LoudnessWindows windows_;
    std::optional<double> momentary_, shortTerm_, integrated_, range_;
    double nextMomentary_ = -1e300, nextShortTerm_ = -1e300, nextIntegrated_ = -1e300;
};

// Pictures and texts the loudness meter draws every frame, made once.
struct LoudnessPictures
{
    QImage lit, dim; // the peak bar's segments, lit and dark
    // One cache per text colour: grey captions and scale, light channel names.
    LabelCache labels;
    LabelCache names;
    // The parts that stay from frame to frame, drawn for the size, channel count and font in
    // groundKey and groundFont.
    QImage ground;
    std::array<int, 4> groundKey{};
    QFont groundFont;
    // The picture's cacheKey() after the last frame drawn over the whole ground (0: none).
    qint64 frameKey = 0;
    // The four readings as last drawn, re-rendered only when their text changes.
    std::array<QString, 4> readingText;
    std::array<QImage, 4> readingImage;
};

// Draws one loudness meter frame over a picture of width × height pixels: per channel the
// sample-peak bar with its hold mark and clip light and the RMS bar on one dBFS scale, and
// below them the momentary, short-term and integrated loudness and the loudness range.
void DrawLoudnessFrame(QPainter &painter, const LoudnessState &state, LoudnessPictures &pictures,
                       int width, int height, double nowMs);
