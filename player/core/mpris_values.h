#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How the player's state reads on the desktop's media-player interface (MPRIS) and how that
// interface's requests map back onto the player's own choices.
namespace Mpris {

// "Playing", "Paused" or "Stopped" for the transport state CT (1, 2, 0).
QString PlaybackStatus(int ct);

// "Track" for solo repeat, "Playlist" for all repeat, "None" for the other play modes.
QString LoopStatus(int playMode);
// The play mode a loop status asks for, given the current mode: "None" leaves a non-repeating
// mode as it is and turns solo repeat into solo and all repeat into all. Empty for unknown
// texts and when nothing changes.
std::optional<int> PlayModeForLoop(const QString &loop, int playMode);
// The play mode for shuffle on (random) or off (random becomes all); empty when nothing changes.
std::optional<int> PlayModeForShuffle(bool shuffle, int playMode);

// The speed index (0: ×0.5, 1: ×1, 2: ×2) nearest to a rate within 0.5-2; empty outside.
std::optional<int> SpeedIndexForRate(double rate);
double RateOfSpeedIndex(int index);

// The object path naming a play-list entry; the path for no track when index is negative.
QString TrackPath(int index);

// The media types the player opens, as its desktop entry lists them.
QStringList PlayableMimeTypes();

} // namespace Mpris
