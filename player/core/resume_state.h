#pragma once

#include <QStringList>

// Where the user left off: the play list, its current entry and the position in it. Kept in
// the per-user settings file beside the settings (group Session).
struct ResumeState
{
    QStringList entries;
    int index = 0;
    double position = 0; // seconds

    bool operator==(const ResumeState &) const = default;
};

// Reads the state; a missing file or group gives an empty list. An index outside the list
// becomes 0, a position that is negative or not a number becomes 0, and at most the play
// list's capacity of entries is taken.
ResumeState ReadResumeState(const QString &path);
// Writes the state into the file, leaving its other keys as they are.
bool WriteResumeState(const QString &path, const ResumeState &state);
