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
    windows_.Reset(rate, channels);
    meter->state = ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate),
                                EBUR128_MODE_I | EBUR128_MODE_HISTOGRAM);
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
        if (db >= kClipDb)
            clipUntil_[c] = nowMs + kClipHoldMs;
    }

    // The loudness takes each frame once: a gap is skipped, frames seen before are not repeated.
    if (!meter_ || last < feedFrom)
        return;
    const auto frames = static_cast<std::size_t>(last - feedFrom + 1);
    windows_.Add(at(feedFrom), frames);
    if (ebur128_add_frames_short(meter_->state, at(feedFrom), frames) == EBUR128_SUCCESS)
        fedFrames_ += static_cast<int64_t>(frames);
    fedUntil_ = last;
    // Each value is refreshed at the rate a reader can follow, not on every frame.
    if (nowMs >= nextMomentary_) {
        momentary_ = windows_.Momentary();
        nextMomentary_ = nowMs + 100;
    }
    if (nowMs >= nextShortTerm_) {
        shortTerm_ = windows_.ShortTerm();
        nextShortTerm_ = nowMs + 200;
    }
    if (nowMs >= nextIntegrated_) {
        integrated_ = MeasureIntegrated();
        range_ = windows_.Range();
        nextIntegrated_ = nowMs + 500;
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
