#pragma once

#include "core/volume.h"

#include <QString>

// What the player keeps per user beside lumo.ini (which keeps its own twelve lines): the
// volume and mute, the analyzer delay, the waveform in the position bar and the loudness
// meter's scale and readings, ReplayGain and whether a start
// resumes the last play list. An ini file read
// and written through QSettings.
struct UserSettings
{
    static constexpr int kMaxDelayMs = 500;
    static constexpr int kDelayStepMs = 10;

    VolumeState volume;      // keys Sound/Volume, Sound/Muted
    int AnalyzerDelayMs = 0; // key Analyzer/DelayMs
    bool WaveformBar = true; // key Display/WaveformBar
    // Loudness tags applied to sound files: 0 off, 1 track, 2 album; key Sound/ReplayGain.
    int ReplayGain = 0;
    // The loudness meter's scale and readings.
    bool LoudnessWideScale = false; // key Loudness/Scale: 9 ("EBU +9") or 18 ("EBU +18")
    bool LoudnessRelative = false;  // key Loudness/Readings: LUFS or LU
    int LoudnessTarget = -23;       // key Loudness/Target: -23, -16 or -14 LUFS
    int PeakFall = 0;               // key Analyzer/PeakFall: one of kPeakFalls, dB a second
    bool Resume = false; // key Session/Resume: a start without files resumes the last list

    bool operator==(const UserSettings &) const = default;
};

// The targets the relative loudness readings may be taken against, LUFS.
inline constexpr int kLoudnessTargets[] = {-23, -16, -14};

// The fall rates of spectrum analyzer A's peak-hold trace, dB a second; 0 shows no trace.
inline constexpr int kPeakFalls[] = {0, 5, 10, 20, 40};

// A delay held to 0 … 500 ms and rounded to the nearest step of 10 ms.
int ClampAnalyzerDelay(int ms);

// Reads the file; missing keys, a missing file and values out of range give the defaults
// (a delay out of range is held to the range).
UserSettings ReadUserSettings(const QString &path);
// Writes the file, creating its folder; false when it could not be written.
bool WriteUserSettings(const QString &path, const UserSettings &settings);
// Where the file lives: lumo-user.ini in the user's configuration folder for the player.
QString UserSettingsFilePath();
