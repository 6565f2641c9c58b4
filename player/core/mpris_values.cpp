#include "core/mpris_values.h"

#include <cmath>

namespace Mpris {

QString PlaybackStatus(int ct)
{
    switch (ct) {
    case 1:
        return QStringLiteral("Playing");
    case 2:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QString LoopStatus(int playMode)
{
    if (playMode == 3)
        return QStringLiteral("Track");
    if (playMode == 4)
        return QStringLiteral("Playlist");
    return QStringLiteral("None");
}

std::optional<int> PlayModeForLoop(const QString &loop, int playMode)
{
    int mode = playMode;
    if (loop == QLatin1String("Track"))
        mode = 3;
    else if (loop == QLatin1String("Playlist"))
        mode = 4;
    else if (loop == QLatin1String("None"))
        mode = playMode == 3 ? 0 : playMode == 4 ? 1 : playMode;
    if (mode == playMode)
        return std::nullopt;
    return mode;
}

std::optional<int> PlayModeForShuffle(bool shuffle, int playMode)
{
    if (shuffle && playMode != 2)
        return 2;
    if (!shuffle && playMode == 2)
        return 1;
    return std::nullopt;
}

std::optional<int> SpeedIndexForRate(double rate)
{
    if (!(rate >= 0.5 && rate <= 2.0))
        return std::nullopt;
    // Halfway points on a doubling scale: ×0.5 below √0.5, ×2 from √2.
    if (rate < std::sqrt(0.5))
        return 0;
    if (rate < std::sqrt(2.0))
        return 1;
    return 2;
}

double RateOfSpeedIndex(int index)
{
    return index == 0 ? 0.5 : index == 2 ? 2.0 : 1.0;
}

QString TrackPath(int index)
{
    if (index < 0)
        return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
    return QStringLiteral("/io/github/lumo/Lumo/Track/%1").arg(index);
}

QStringList PlayableMimeTypes()
{
    return {
        QStringLiteral("video/x-msvideo"),
        QStringLiteral("video/avi"),
        QStringLiteral("video/mpeg"),
        QStringLiteral("video/x-mpeg"),
        QStringLiteral("video/x-ms-wmv"),
        QStringLiteral("video/x-ms-asf"),
        QStringLiteral("audio/x-wav"),
        QStringLiteral("audio/wav"),
        QStringLiteral("audio/vnd.wave"),
        QStringLiteral("audio/mpeg"),
        QStringLiteral("audio/mp3"),
        QStringLiteral("audio/x-mp3"),
        QStringLiteral("audio/mp2"),
        QStringLiteral("audio/x-mp2"),
        QStringLiteral("audio/x-ms-wma"),
        QStringLiteral("audio/midi"),
        QStringLiteral("audio/x-midi"),
        QStringLiteral("image/bmp"),
        QStringLiteral("image/jpeg"),
        QStringLiteral("image/gif"),
        QStringLiteral("audio/flac"),
        QStringLiteral("audio/x-flac"),
        QStringLiteral("audio/ogg"),
        QStringLiteral("audio/x-ogg"),
        QStringLiteral("audio/x-vorbis+ogg"),
        QStringLiteral("audio/vorbis"),
        QStringLiteral("audio/opus"),
        QStringLiteral("audio/x-opus+ogg"),
        QStringLiteral("audio/x-speex+ogg"),
        QStringLiteral("audio/mp4"),
        QStringLiteral("audio/x-m4a"),
        QStringLiteral("audio/m4a"),
        QStringLiteral("audio/aac"),
        QStringLiteral("audio/x-aac"),
        QStringLiteral("audio/x-matroska"),
        QStringLiteral("audio/webm"),
        QStringLiteral("audio/x-wavpack"),
        QStringLiteral("audio/x-ape"),
        QStringLiteral("audio/aiff"),
        QStringLiteral("audio/x-aiff"),
        QStringLiteral("audio/x-aifc"),
        QStringLiteral("audio/basic"),
        QStringLiteral("audio/x-w64"),
        QStringLiteral("audio/ac3"),
        QStringLiteral("audio/vnd.dts"),
        QStringLiteral("audio/x-caf"),
        QStringLiteral("audio/x-musepack"),
        QStringLiteral("audio/x-tta"),
        QStringLiteral("video/mp4"),
        QStringLiteral("video/x-m4v"),
        QStringLiteral("video/x-matroska"),
        QStringLiteral("video/webm"),
        QStringLiteral("video/quicktime"),
        QStringLiteral("video/3gpp"),
        QStringLiteral("audio/x-mpegurl"),
        QStringLiteral("audio/mpegurl"),
        QStringLiteral("application/vnd.apple.mpegurl"),
        QStringLiteral("application/x-mpegurl"),
        QStringLiteral("audio/x-scpls"),
        QStringLiteral("application/xspf+xml"),
    };
}

} // namespace Mpris
