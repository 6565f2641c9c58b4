#include "analyzer/loudness_meter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>

// Owns one libebur128 state.
struct LoudnessState::Meter
{
    ebur128_state *state = nullptr;
    ~Meter()
    {
        if (state)
            ebur128_destroy(&state);
    }
};

namespace {

// Full-scale-relative value of a sample of the window (16-bit signed; 8-bit as stored).
struct Sample16
{
    int16_t left;
    int16_t right;
};

Sample16 FrameAt(const SampleWindow &w, std::size_t i)
{
    switch (w.sampleKind) {
    case 1:
        return {static_cast<int16_t>(w.stereo16[i] & 0xFFFFu),
                static_cast<int16_t>(w.stereo16[i] >> 16)};
    case 2:
        return {w.mono16[i], w.mono16[i]};
    case 3:
        return {static_cast<int16_t>(((w.stereo8[i] & 0xFF) - 128) * 256),
                static_cast<int16_t>(((w.stereo8[i] >> 8) - 128) * 256)};
    case 4:
        return {static_cast<int16_t>((w.mono8[i] - 128) * 256),
                static_cast<int16_t>((w.mono8[i] - 128) * 256)};
    default:
        return {0, 0};
    }
}

int ChannelsOf(uint8_t kind)
{
    return (kind == 1 || kind == 3) ? 2 : (kind == 2 || kind == 4) ? 1 : 0;
}

double ToDb(double ratio)
{
    return ratio > 0 ? std::max(LoudnessState::kFloorDb, 20.0 * std::log10(ratio))
                     : LoudnessState::kFloorDb;
}

std::optional<double> Finite(double value)
{
    if (!std::isfinite(value) || value < -200.0)
        return std::nullopt;
    return value;
}

} // namespace

LoudnessState::LoudnessState() = default;

LoudnessState::~LoudnessState()
{
    Close();
}

void LoudnessState::Close()
{
    meter_.reset();
}

void LoudnessState::Open(int rate, int channels)
{
    Close();
    rate_ = rate;
    channels_ = channels;
    if (rate <= 0 || channels <= 0)
        return;
    auto meter = std::make_unique<Meter>();
    meter->state = ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate),
                                EBUR128_MODE_M | EBUR128_MODE_S | EBUR128_MODE_I |
                                    EBUR128_MODE_LRA | EBUR128_MODE_HISTOGRAM);
    if (meter->state)
        meter_ = std::move(meter);
}

void LoudnessState::Restart()
{
    Close();
    rate_ = channels_ = 0;
    fedUntil_ = playedUntil_ = -1;
    fedFrames_ = 0;
    peak_ = hold_ = {kFloorDb, kFloorDb};
    holdUntil_ = {0, 0};
    clipUntil_ = {-1, -1};
    meanSquare_ = {0, 0};
    momentary_ = shortTerm_ = integrated_ = range_ = std::nullopt;
    nextMomentary_ = nextShortTerm_ = nextIntegrated_ = -1e300;
}

void LoudnessState::Feed(const SampleWindow &window, int32_t sampleRate, int64_t firstFrame,
                         double nowMs)
{
    const int channels = ChannelsOf(window.sampleKind);
    if (channels == 0 || sampleRate <= 0)
        return;
    if (!meter_ || rate_ != sampleRate || channels_ != channels) {
        Open(sampleRate, channels);
        fedUntil_ = playedUntil_ = -1;
        fedFrames_ = 0;
    }
    const auto count = static_cast<int64_t>(window.FrameCount());
    const int64_t last = firstFrame + count - 1;
    // A seek back by more than a second: the bars follow the new place.
    if (playedUntil_ >= 0 && last < playedUntil_ - rate_)
        playedUntil_ = firstFrame - 1;

    const double dt = std::max(0.0, (nowMs - lastMs_) / 1000.0);
    lastMs_ = nowMs;
    const double fullScale = 32768.0;
    const double alpha = 1.0 - std::exp(-std::log(100.0) / (kVuSeconds * rate_));
    std::array<double, 2> framePeak{0, 0};
    const int64_t playFrom = std::max(firstFrame, playedUntil_ + 1);
    for (int64_t f = playFrom; f <= last; ++f) {
        const Sample16 s = FrameAt(window, static_cast<std::size_t>(f - firstFrame));
        const double v[2] = {s.left / fullScale, s.right / fullScale};
        for (std::size_t c = 0; c < 2; ++c) {
            framePeak[c] = std::max(framePeak[c], std::fabs(v[c]));
            meanSquare_[c] += alpha * (v[c] * v[c] - meanSquare_[c]);
        }
    }
    if (last >= playFrom)
        playedUntil_ = last;
    // The bars drop 20 dB a second from their last value; new peaks lift them at once.
    for (std::size_t c = 0; c < 2; ++c) {
        const double db = ToDb(framePeak[c]);
        peak_[c] = std::max(db, std::max(kFloorDb, peak_[c] - 20.0 * dt));
        if (db >= hold_[c] || nowMs >= holdUntil_[c]) {
            hold_[c] = peak_[c];
            holdUntil_[c] = nowMs + kPeakHoldMs;
        }
        if (db >= kClipDb)
            clipUntil_[c] = nowMs + kClipHoldMs;
    }

    // libebur128 takes each frame once: a gap is skipped, frames seen before are not repeated.
    const int64_t feedFrom = std::max(firstFrame, fedUntil_ + 1);
    if (!meter_ || last < feedFrom)
        return;
    const auto frames = static_cast<std::size_t>(last - feedFrom + 1);
    interleaved_.resize(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const Sample16 s = FrameAt(window, static_cast<std::size_t>(feedFrom - firstFrame) + i);
        if (channels == 2) {
            interleaved_[2 * i] = s.left;
            interleaved_[2 * i + 1] = s.right;
        } else {
            interleaved_[i] = s.left;
        }
    }
    if (ebur128_add_frames_short(meter_->state, interleaved_.data(), frames) == EBUR128_SUCCESS)
        fedFrames_ += static_cast<int64_t>(frames);
    fedUntil_ = last;
    // Reading the loudness sums seconds of samples: each value is refreshed at the rate a
    // reader can follow, not on every frame.
    if (nowMs >= nextMomentary_) {
        momentary_ = MeasureMomentary();
        nextMomentary_ = nowMs + 100;
    }
    if (nowMs >= nextShortTerm_) {
        shortTerm_ = MeasureShortTerm();
        nextShortTerm_ = nowMs + 200;
    }
    if (nowMs >= nextIntegrated_) {
        integrated_ = MeasureIntegrated();
        range_ = MeasureRange();
        nextIntegrated_ = nowMs + 500;
    }
}

double LoudnessState::RmsDb(int channel) const
{
    return ToDb(std::sqrt(meanSquare_[static_cast<std::size_t>(channel & 1)]));
}

std::optional<double> LoudnessState::MeasureMomentary() const
{
    double value = 0;
    if (!meter_ || ebur128_loudness_momentary(meter_->state, &value) != EBUR128_SUCCESS)
        return std::nullopt;
    return Finite(value);
}

std::optional<double> LoudnessState::MeasureShortTerm() const
{
    double value = 0;
    if (!meter_ || ebur128_loudness_shortterm(meter_->state, &value) != EBUR128_SUCCESS)
        return std::nullopt;
    return Finite(value);
}

std::optional<double> LoudnessState::MeasureIntegrated() const
{
    double value = 0;
    if (!meter_ || ebur128_loudness_global(meter_->state, &value) != EBUR128_SUCCESS)
        return std::nullopt;
    return Finite(value);
}

std::optional<double> LoudnessState::MeasureRange() const
{
    double value = 0;
    if (!meter_ || ebur128_loudness_range(meter_->state, &value) != EBUR128_SUCCESS)
        return std::nullopt;
    return Finite(value);
}
