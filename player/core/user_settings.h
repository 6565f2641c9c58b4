#pragma once

#include <QString>

// This user's settings kept apart from lumo.ini, so that its twelve lines keep their meaning:
// an INI file of keys and values at $XDG_CONFIG_HOME/lumo/lumo-user.ini. Other parts of the
// player may keep their own keys in the same file; reading and writing touch only these.
struct UserSettings
{
    static constexpr int kMaxDelayMs = 500;
    static constexpr int kDelayStepMs = 10;

    int AnalyzerDelayMs = 0; // key Analyzer/DelayMs
    bool WaveformBar = true; // key Display/WaveformBar

    bool operator==(const UserSettings &) const = default;
};

// A delay held to 0 … 500 ms and rounded to the nearest step of 10 ms.
int ClampAnalyzerDelay(int ms);

// The file's path: UserSettingsDirectory() + "/lumo-user.ini".
QString UserSettingsPath();

// Reads the file; a missing file, key or unreadable value gives the default of that value.
UserSettings ReadUserSettings(const QString &path);

// Writes the two keys, leaving the file's other keys alone. Returns whether it was stored.
bool WriteUserSettings(const QString &path, const UserSettings &settings);
