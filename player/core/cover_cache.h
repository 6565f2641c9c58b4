#pragma once

#include <QByteArray>
#include <QString>

// The per-user folder for covers handed to the desktop: lumo/ in $XDG_CACHE_HOME (by default
// ~/.cache/lumo).
QString CoverCacheDirectory();

// The file in folder that holds the picture bytes, named by a hash of the bytes and an
// extension for the image type, written only when it is not there yet (so each cover is
// written once however often it plays). Empty when the bytes are empty or the file cannot be
// written.
QString CachedCoverFile(const QString &folder, const QByteArray &bytes, const QString &mimeType);
