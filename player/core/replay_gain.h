#pragma once

#include <QString>

#include <optional>

// How loudness tags are applied: not at all, per track, or per album (the track's gain where
// a file has no album gain).
enum class ReplayGainMode { Off = 0, Track = 1, Album = 2 };

// The loudness tags of one file, in ReplayGain 2.0 terms: gains in dB towards -18 LUFS, peaks
// as fractions of full scale.
struct ReplayGainTags
{
    std::optional<double> trackGain, albumGain, trackPeak, albumPeak;

    bool operator==(const ReplayGainTags &) const = default;
};

// Takes one "KEY=value" comment of an Ogg stream (Vorbis, Opus): the R128 gains of Opus files
// (Q7.8 fixed point, towards -23 LUFS) become ReplayGain gains; anything else is left.
void TakeR128Comment(const QString &comment, ReplayGainTags &tags);

// The gain in dB to apply in the mode, held down so that the tagged peak does not clip; 0
// when the mode is off or the file has no gain.
double ReplayGainDb(const ReplayGainTags &tags, ReplayGainMode mode);
