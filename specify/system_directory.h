#pragma once

#include <QString>
#include <QStringList>

// The directory that holds the system's icons for media types, ending with "/": the first
// of the hicolor theme's scalable and 48x48 mimetypes folders found under dataDirectories,
// else /usr/share/icons/hicolor/48x48/mimetypes/.
QString SystemIconDirectory(const QStringList &dataDirectories);

// The same for the system's own data directories ($XDG_DATA_DIRS).
QString SystemIconDirectory();

// A directory with a "/" added when missing.
QString WithTrailingSlash(const QString &directory);
