#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The play list file formats the player opens, told by the file's extension (any case).
enum class PlayListFormat { None, M3u, Pls, Xspf };

PlayListFormat PlayListFormatOf(const QString &path);

// Most entries taken from one list file; a longer list is cut there.
inline constexpr int kMaxListEntries = 100000;
// Longest entry kept (bytes); a longer one cannot name a file and counts as unreadable.
inline constexpr int kMaxEntryBytes = 16 * 1024;

// The entries of one list file: absolute, cleaned local paths as bytes (the system's own
// spelling of file names, which need not be UTF-8), in the list's order, and the number of
// entries that name nothing local (other URL schemes, overlong or empty locations).
struct ParsedPlayList
{
    QList<QByteArray> paths;
    int unreadable = 0;
    // True when the list held more than kMaxListEntries entries and was cut.
    bool cut = false;
};

// M3U and M3U8: one location per line, "#" lines are comments; a byte order mark is skipped.
ParsedPlayList ParseM3u(const QByteArray &bytes, const QByteArray &listFolder);
// PLS: "FileN=location" lines of the [playlist] section, in the order of N.
ParsedPlayList ParsePls(const QByteArray &bytes, const QByteArray &listFolder);
// XSPF: the <location> of each <track>; locations are URIs, relative ones against the list.
ParsedPlayList ParseXspf(const QByteArray &bytes, const QByteArray &listFolder);
ParsedPlayList ParsePlayList(PlayListFormat format, const QByteArray &bytes,
                             const QByteArray &listFolder);

// One location as a list gives it, made an absolute clean path against listFolder: "file:"
// URLs are percent-decoded, relative paths joined to the folder, "." and ".." resolved.
// Empty for a location that names nothing local. uriOnly: the location is a URI reference
// (XSPF), so a relative one is percent-decoded too.
QByteArray ResolveListLocation(const QByteArray &location, const QByteArray &listFolder,
                               bool uriOnly = false);

// Removes "." and ".." and doubled slashes from an absolute path.
QByteArray CleanAbsolutePath(const QByteArray &path);

// An M3U8 list of the paths (UTF-8, "#EXTM3U" first): a path that lies below listFolder is
// written relative to it, any other absolute.
QByteArray FormatM3u8(const QList<QString> &paths, const QString &listFolder);
