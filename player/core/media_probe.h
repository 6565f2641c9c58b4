#pragma once

#include <QString>

#include <optional>

// What a quick look into a media file found: whether it can be played at all, whether it is a
// sound (audio streams and no moving picture; a cover picture does not count) and how long it
// lasts. MIDI files are told apart, as they play through a synthesiser rather than a decoder.
struct MediaProbe
{
    bool playable = false;
    bool sound = false;
    bool midi = false;
    std::optional<double> seconds;
};

// Looks into the file with the media framework's discoverer, waiting at most timeoutMs. Safe to
// call from any thread; it starts the framework if nothing has yet.
MediaProbe ProbeMediaFile(const QString &path, int timeoutMs = 5000);
