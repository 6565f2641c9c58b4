#include "core/replay_gain.h"

#include <algorithm>
#include <cmath>

namespace {

// R128 gains aim at -23 LUFS, ReplayGain 2.0 at -18 LUFS.
constexpr double R128ToReplayGainDb = 5.0;

} // namespace

void TakeR128Comment(const QString &comment, ReplayGainTags &tags)
{
    const qsizetype equals = comment.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return;
    const QString key = comment.left(equals).trimmed().toUpper();
    bool ok = false;
    const int q78 = comment.mid(equals + 1).trimmed().toInt(&ok);
    // Q7.8 in a signed 16-bit value.
    if (!ok || q78 < -32768 || q78 > 32767)
        return;
    const double db = q78 / 256.0 + R128ToReplayGainDb;
    if (key == QLatin1String("R128_TRACK_GAIN") && !tags.trackGain)
        tags.trackGain = db;
    else if (key == QLatin1String("R128_ALBUM_GAIN") && !tags.albumGain)
        tags.albumGain = db;
}

double ReplayGainDb(const ReplayGainTags &tags, ReplayGainMode mode)
{
    if (mode == ReplayGainMode::Off)
        return 0.0;
    const bool album = mode == ReplayGainMode::Album && tags.albumGain;
    const std::optional<double> gain = album ? tags.albumGain : tags.trackGain;
    const std::optional<double> peak = album && tags.albumPeak ? tags.albumPeak : tags.trackPeak;
    if (!gain || !std::isfinite(*gain))
        return 0.0;
    double db = std::clamp(*gain, -60.0, 60.0);
    if (peak && std::isfinite(*peak) && *peak > 0.0)
        db = std::min(db, -20.0 * std::log10(*peak));
    return db;
}
