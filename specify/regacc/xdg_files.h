#pragma once

#include <QByteArray>
#include <QString>

// The user's configuration directory: $XDG_CONFIG_HOME when absolute, else ~/.config.
QString XdgConfigHome();

// The user's data directory: $XDG_DATA_HOME when absolute, else ~/.local/share.
QString XdgDataHome();

// Outcome of reading a small text file whose absence means "empty".
enum class ReadOutcome { Read, Missing, Failed };

// Reads the whole file when it holds at most maxBytes; Failed when it cannot be read or is
// larger, so that a caller never rewrites a file it has not fully seen.
ReadOutcome ReadSmallFile(const QString &path, qint64 maxBytes, QByteArray &contents);

// Replaces the file's contents in one step (write to a temporary file, then rename), creating
// its directory when needed. A symbolic link is kept: its target is what gets replaced.
bool WriteFileAtomically(const QString &path, const QByteArray &contents);
