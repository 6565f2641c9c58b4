#pragma once

#include "file_kinds.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The seven check box values as the association tool stores them (0 or 1 each).
using KindValues = std::array<int, NumFileKinds>;

// Reads the first seven lines of specify.ini; nullopt when the file is missing, unreadable or
// has fewer than seven lines. Lines may end in CR LF, LF or CR.
std::optional<QStringList> ReadStoredStates(const QString &path);

// The first seven lines of specify.ini's leading bytes, as ReadStoredStates takes them.
// wholeFile says whether head is all of the file; when it is not, a line that runs to the end
// of head is cut off and gives nullopt.
std::optional<QStringList> ParseStoredStates(const QByteArray &head, bool wholeFile);

// The check box value of a stored line: its leading number (surrounding spaces ignored, as
// "Val" reads it), where any non-zero number counts as ticked.
int StateValue(const QString &line);

// The file's bytes: each value in numeric print format (" 1 ") ended by CR LF.
QByteArray FormatStoredStates(const KindValues &values);

// The lines that FormatStoredStates writes, without their line ends.
QStringList StoredStatesOf(const KindValues &values);

// Where specify.ini lives: in the program's directory when that is a writable directory, else
// in the user's configuration directory for the player ($XDG_CONFIG_HOME/lumo), as lumo.ini.
QString StoredStatesPath(const QString &programDirectory);

// Replaces specify.ini in one step, creating its directory when needed; false when it cannot
// be written.
bool WriteStoredStates(const QString &path, const KindValues &values);
