#pragma once

#include <QString>
#include <QStringList>

// Most names taken from one Windows-style command line; further names are ignored.
inline constexpr int MaxHandoffNames = 1001;

// Splits a Windows-style command line into names by drive colons: each name runs from the
// letter before one colon up to the blank before the next drive letter, trimmed of blanks.
// A text without any colon yields no name.
QStringList SplitAtDriveColons(const QString &text);

// Drops a double quote and everything after it (the closing quote of a quoted path and
// whatever trails it).
QString CutAtQuote(const QString &name);

// Turns a hand-off text into the file names to append to the play list, in order.
// Text with NUL characters is one name per non-empty piece between them (names may hold line
// feeds); text with line feeds is one name per non-empty line; text that begins with "/" is one
// name; any other text is a Windows-style command line (drive colons, quotes cut, at most
// MaxHandoffNames names). The first two take every name: the play list decides what fits.
QStringList HandoffNames(const QString &text);
