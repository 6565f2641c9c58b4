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

// Frames first … first + count - 1 of the window as 16-bit samples, `channels` per frame
// (8-bit samples moved to the 16-bit range), into out.
void ToPcm16(const SampleWindow &w, std::size_t first, std::size_t count, std::vector<int16_t> &out)
{
    const auto convert = [&](const auto &frames, std::size_t perFrame, auto split) {
        out.resize(count * perFrame);
        int16_t *o = out.data();
        for (std::size_t i = 0; i < count; ++i, o += perFrame)
            split(frames[first + i], o);
    };
    switch (w.sampleKind) {
    case 1:
        convert(w.stereo16, 2, [](uint32_t v, int16_t *o) {
            o[0] = static_cast<int16_t>(v & 0xFFFFu);
            o[1] = static_cast<int16_t>(v >> 16);
        });
        return;
    case 2:
        convert(w.mono16, 1, [](int16_t v, int16_t *o) { o[0] = v; });
        return;
    case 3:
        convert(w.stereo8, 2, [](uint16_t v, int16_t *o) {
            o[0] = static_cast<int16_t>(((v & 0xFF) - 128) * 256);
            o[1] = static_cast<int16_t>(((v >> 8) - 128) * 256);
        });
        return;
    case 4:
        convert(w.mono8, 1,
                [](uint8_t v, int16_t *o) { o[0] = static_cast<int16_t>((v - 128) * 256); });
        return;
    default:
        out.clear();
        return;
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

std::optional<double> Higher(const std::optional<double> &a, const std::optional<double> &b)
{
    if (!a)
        return b;
    return b ? std::max(*a, *b) : a;
}

// The time of the next refresh of a reading due every `period` ms: on the schedule, so that
// ticks that come late do not slow the rate, but never in the past.
double NextRefresh(double due, double period, double nowMs)
{
    return due + period > nowMs ? due + period : nowMs + period;
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
    if (!windows_.Matches(rate, channels))
        windows_.Reset(rate, channels);
    meter->state = ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate),
                                EBUR128_MODE_I | EBUR128_MODE_HISTOGRAM | EBUR128_MODE_TRUE_PEAK);
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
    truePeak_ = maxTruePeak_ = {kFloorDb, kFloorDb};
    windows_.Reset(0, 0);
    momentary_ = shortTerm_ = integrated_ = range_ = std::nullopt;
    maxMomentary_ = maxShortTerm_ = std::nullopt;
    nextMomentary_ = nextShortTerm_ = nextIntegrated_ = -1e300;
}

void LoudnessState::ResetReadings()
{
    if (meter_) {
        // libebur128 has no reset of its own: a fresh state for the same stream.
        const int64_t fedUntil = fedUntil_, playedUntil = playedUntil_;
        Open(rate_, channels_);
        fedUntil_ = fedUntil;
        playedUntil_ = playedUntil;
    }
    fedFrames_ = 0;
    windows_.ClearRange();
    maxTruePeak_ = {kFloorDb, kFloorDb};
    integrated_ = range_ = maxMomentary_ = maxShortTerm_ = std::nullopt;
    nextIntegrated_ = -1e300;
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
    const double alpha = 1.0 - std::exp(-std::log(100.0) / (kVuSeconds * rate_));
    const int64_t playFrom = std::max(firstFrame, playedUntil_ + 1);
    const int64_t feedFrom = std::max(firstFrame, fedUntil_ + 1);
    // The frames either part still needs, as 16-bit samples.
    const int64_t from = std::min(playFrom, feedFrom);
    if (last >= from)
        ToPcm16(window, static_cast<std::size_t>(from - firstFrame),
                static_cast<std::size_t>(last - from + 1), pcm_);
    const auto at = [&](int64_t frame) {
        return pcm_.data() + static_cast<std::size_t>(frame - from) * std::size_t(channels);
    };
    std::array<int, 2> framePeak{0, 0};
    std::array<double, 2> meanSquare = meanSquare_;
    const double scale = 1.0 / (32768.0 * 32768.0);
    const int other = channels - 1; // the right channel's offset; a mono frame is both
    for (int64_t f = playFrom; f <= last; ++f) {
        const int16_t *p = at(f);
        const int v[2] = {p[0], p[other]};
        for (std::size_t c = 0; c < 2; ++c) {
            framePeak[c] = std::max(framePeak[c], std::abs(v[c]));
            meanSquare[c] += alpha * (v[c] * v[c] * scale - meanSquare[c]);
        }
    }
    meanSquare_ = meanSquare;
    if (last >= playFrom)
        playedUntil_ = last;
    // The bars drop 20 dB a second from their last value; new peaks lift them at once.
    for (std::size_t c = 0; c < 2; ++c) {
        const double db = ToDb(framePeak[c] / 32768.0);
        peak_[c] = std::max(db, std::max(kFloorDb, peak_[c] - 20.0 * dt));
        if (db >= hold_[c] || nowMs >= holdUntil_[c]) {
            hold_[c] = peak_[c];
            holdUntil_[c] = nowMs + kPeakHoldMs;
        }
    }

    // The loudness takes each frame once: a gap is skipped, frames seen before are not repeated.
    if (!meter_ || last < feedFrom) {
        FollowTruePeak({0, 0}, dt, nowMs);
        return;
    }
    const auto frames = static_cast<std::size_t>(last - feedFrom + 1);
    windows_.Add(at(feedFrom), frames);
    const bool added =
        ebur128_add_frames_short(meter_->state, at(feedFrom), frames) == EBUR128_SUCCESS;
    if (added)
        fedFrames_ += static_cast<int64_t>(frames);
    fedUntil_ = last;
    std::array<double, 2> framePeakTp{0, 0};
    for (std::size_t c = 0; c < 2; ++c)
        if (added)
            ebur128_prev_true_peak(meter_->state, c < std::size_t(channels) ? unsigned(c) : 0u,
                                   &framePeakTp[c]);
    FollowTruePeak(framePeakTp, dt, nowMs);
    // Each value is refreshed at the rate a reader can follow, not on every frame.
    if (nowMs >= nextMomentary_) {
        momentary_ = windows_.Momentary();
        maxMomentary_ = Higher(maxMomentary_, momentary_);
        nextMomentary_ = NextRefresh(nextMomentary_, 100, nowMs);
    }
    if (nowMs >= nextShortTerm_) {
        shortTerm_ = windows_.ShortTerm();
        maxShortTerm_ = Higher(maxShortTerm_, shortTerm_);
        nextShortTerm_ = NextRefresh(nextShortTerm_, 100, nowMs);
    }
    if (nowMs >= nextIntegrated_) {
        integrated_ = MeasureIntegrated();
        range_ = windows_.Range();
        nextIntegrated_ = NextRefresh(nextIntegrated_, 500, nowMs);
    }
}

void LoudnessState::FollowTruePeak(const std::array<double, 2> &ratio, double dt, double nowMs)
{
    // The bar drops 20 dB a second like the sample peak; new peaks lift it at once.
    for (std::size_t c = 0; c < 2; ++c) {
        const double db = ToDb(ratio[c]);
        truePeak_[c] = std::max(db, std::max(kFloorDb, truePeak_[c] - 20.0 * dt));
        maxTruePeak_[c] = std::max(maxTruePeak_[c], db);
        if (db > kClipDbtp)
            clipUntil_[c] = nowMs + kClipHoldMs;
    }
}

double LoudnessState::RmsDb(int channel) const
{
    return ToDb(std::sqrt(meanSquare_[static_cast<std::size_t>(channel & 1)]));
}

std::optional<double> LoudnessState::MeasureIntegrated() const
{
    double value = 0;
    if (!meter_ || ebur128_loudness_global(meter_->state, &value) != EBUR128_SUCCESS)
        return std::nullopt;
    return Finite(value);
}
