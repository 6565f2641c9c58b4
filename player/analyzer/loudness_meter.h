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
// are kept per channel in dBFS, true peak (4x oversampled, libebur128) in dBTP. Every sample
// of the file is taken once, in play order, for the EBU R 128 loudness: the momentary and
// short-term readings and the range come from the meter's own running sums, the integrated
// loudness and the true peak from libebur128.
class LoudnessState
{
public:
    static constexpr double kFloorDb = -90.0;
    static constexpr double kPeakHoldMs = 1500.0;
    static constexpr double kClipHoldMs = 2000.0;
    // The clip light follows the true peak above -1 dBTP.
    static constexpr double kClipDbtp = -1.0;
    // VU ballistics: 99 % of a step within 300 ms.
    static constexpr double kVuSeconds = 0.3;

    LoudnessState();
    ~LoudnessState();
    LoudnessState(const LoudnessState &) = delete;
    LoudnessState &operator=(const LoudnessState &) = delete;

    // A new file: integrated loudness and range start again, the bars fall to the floor.
    void Restart();
    // The user's reset: the integrated loudness, the range, the maximum readings and the
    // held true peaks start again from the next frames; the bars and the momentary and
    // short-term readings go on.
    void ResetReadings();

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
    // True peak of the frames taken last and its maximum since the reset, dBTP.
    double TruePeakDb(int channel) const
    {
        return truePeak_[static_cast<std::size_t>(channel & 1)];
    }
    double MaxTruePeakDb(int channel) const
    {
        return maxTruePeak_[static_cast<std::size_t>(channel & 1)];
    }
    bool ClipLit(int channel, double nowMs) const
    {
        return nowMs < clipUntil_[static_cast<std::size_t>(channel & 1)];
    }
    // LUFS (momentary 400 ms, short-term 3 s, integrated) and LU (range); empty while
    // unmeasured or below the gate.
    // Refreshed by Feed: momentary and short-term every 100 ms (ten times a second, as EBU
    // Mode asks), integrated and range every 500 ms.
    std::optional<double> Momentary() const { return momentary_; }
    std::optional<double> ShortTerm() const { return shortTerm_; }
    std::optional<double> Integrated() const { return integrated_; }
    std::optional<double> Range() const { return range_; }
    // The highest momentary and short-term readings since the reset.
    std::optional<double> MaxMomentary() const { return maxMomentary_; }
    std::optional<double> MaxShortTerm() const { return maxShortTerm_; }
    // Frames taken for the loudness since the restart.
    int64_t FedFrames() const { return fedFrames_; }

private:
    void Open(int rate, int channels);
    std::optional<double> MeasureIntegrated() const;
    // Moves the true-peak bars, maxima and clip lights by the true peak (as a ratio to full
    // scale) of the frames just taken, dt seconds after the last frame.
    void FollowTruePeak(const std::array<double, 2> &ratio, double dt, double nowMs);
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
    std::array<double, 2> truePeak_{kFloorDb, kFloorDb};
    std::array<double, 2> maxTruePeak_{kFloorDb, kFloorDb};
    std::array<double, 2> meanSquare_{0, 0};
    std::vector<int16_t> pcm_; // the frames of the last window still to be taken
    LoudnessWindows windows_;
    std::optional<double> momentary_, shortTerm_, integrated_, range_;
    std::optional<double> maxMomentary_, maxShortTerm_;
    double nextMomentary_ = -1e300, nextShortTerm_ = -1e300, nextIntegrated_ = -1e300;
};

// How the loudness meter shows its readings: the EBU scale of the loudness bar, and absolute
// readings (LUFS) or readings relative to a target (LU). The scale's 0 LU is the target.
struct LoudnessDisplay
{
    bool wideScale = false; // "EBU +18": -36 to +18 LU; else "EBU +9": -18 to +9 LU
    bool relative = false;
    int target = -23; // LUFS

    bool operator==(const LoudnessDisplay &) const = default;
};

// Pictures and texts the loudness meter draws every frame, made once.
struct LoudnessPictures
{
    QImage lit, dim; // the peak bar's segments, lit and dark
    // One cache per text colour: grey captions and scale, light channel names.
    LabelCache labels;
    LabelCache names;
    LabelCache values; // the held true peaks and the maximum readings
    // The parts that stay from frame to frame, drawn for the size, channel count and font in
    // groundKey and groundFont.
    QImage ground;
    std::array<int, 4> groundKey{};
    LoudnessDisplay groundDisplay;
    QFont groundFont;
    // The picture's cacheKey() after the last frame drawn over the whole ground (0: none).
    qint64 frameKey = 0;
    // The four readings as last drawn, re-rendered only when their text changes.
    std::array<QString, 4> readingText;
    std::array<QImage, 4> readingImage;
};

// Draws one loudness meter frame over a picture of width × height pixels: per channel the
// true-peak bar with its held maximum and clip light and the RMS bar, the momentary loudness
// bar with the short-term mark on the chosen EBU scale, and the momentary, short-term and
// integrated loudness, the loudness range and the maximum readings.
void DrawLoudnessFrame(QPainter &painter, const LoudnessState &state, LoudnessPictures &pictures,
                       int width, int height, double nowMs, const LoudnessDisplay &display = {});
