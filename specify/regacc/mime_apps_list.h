#pragma once

#include <QByteArray>

// Edits of the [Default Applications] group of a mimeapps.list, done on the raw bytes so that
// every line not edited keeps its exact bytes, line end included.

// Puts desktopId first in the value of mimeType in every [Default Applications] group, keeping
// the other desktop IDs after it; adds the line (and the group) when missing.
QByteArray AddDefaultApplication(const QByteArray &text, const QByteArray &mimeType,
                                 const QByteArray &desktopId);

// Takes desktopId out of the value of mimeType in every [Default Applications] group; a line
// left without any value is removed. The inverse of AddDefaultApplication.
QByteArray RemoveDefaultApplication(const QByteArray &text, const QByteArray &mimeType,
                                    const QByteArray &desktopId);

// Whether the text has a [Default Applications] group.
bool HasDefaultGroup(const QByteArray &text);

// Takes back the [Default Applications] group that AddDefaultApplication appended once its
// last line is gone: when the text ends with that group's bare header, the header goes, and
// with unendedLine also the line end that the line before it was given.
QByteArray DropAppendedDefaultGroup(const QByteArray &text, bool unendedLine);
