#pragma once

#include <QStringList>

// Names to add to the play list once the play list files among them are replaced by their
// entries, and how many entries named files that do not exist (left out).
struct ImportedNames
{
    QStringList names;
    int missing = 0;
};

// Nested lists are followed this deep; a list met again (one that includes itself) is skipped.
inline constexpr int kMaxListNesting = 8;
// Only the first this many bytes of a list file are read.
inline constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

// Replaces each play list file (M3U, M3U8, PLS, XSPF by extension) among names by the files
// it lists, in order, nested lists included; other names pass as they are. At most
// kMaxListEntries names come from lists in all.
ImportedNames ExpandPlayLists(const QStringList &names);

// Writes the paths as an M3U8 list at listPath; false when the file could not be written.
bool SavePlayList(const QString &listPath, const QStringList &paths);
