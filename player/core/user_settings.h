#pragma once

#include "core/volume.h"

#include <QString>

// What the player keeps per user beside lumo.ini (which keeps its own twelve lines): the
// volume and mute, the analyzer delay, the waveform in the position bar and whether a start
// resumes the last play list. An ini file read
// and written through QSettings.
struct UserSettings
{
    static constexpr int kMaxDelayMs = 500;
    static constexpr int kDelayStepMs = 10;

    VolumeState volume;      // keys Sound/Volume, Sound/Muted
    int AnalyzerDelayMs = 0; // key Analyzer/DelayMs
    bool WaveformBar = true; // key Display/WaveformBar
    bool Resume = false;     // key Session/Resume: a start without files resumes the last list

    bool operator==(const UserSettings &) const = default;
};

// A delay held to 0 … 500 ms and rounded to the nearest step of 10 ms.
int ClampAnalyzerDelay(int ms);

// Reads the file; missing keys, a missing file and values out of range give the defaults
// (a delay out of range is held to the range).
UserSettings ReadUserSettings(const QString &path);
// Writes the file, creating its folder; false when it could not be written.
bool WriteUserSettings(const QString &path, const UserSettings &settings);
// Where the file lives: lumo-user.ini in the user's configuration folder for the player.
QString UserSettingsFilePath();
