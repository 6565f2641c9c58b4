#pragma once

#include "core/volume.h"

#include <QString>

// What the player keeps per user beside lumo.ini (which keeps its own twelve lines): the
// volume and mute. An ini file read and written through QSettings.
struct UserSettings
{
    VolumeState volume;

    bool operator==(const UserSettings &) const = default;
};

// Reads the file; missing keys, a missing file and values out of range give the defaults.
UserSettings ReadUserSettings(const QString &path);
// Writes the file, creating its folder; false when it could not be written.
bool WriteUserSettings(const QString &path, const UserSettings &settings);
// Where the file lives: lumo-user.ini in the user's configuration folder for the player.
QString UserSettingsFilePath();
