#pragma once

#include <QString>
#include <QStringList>

// The MIME types that a file extension (given without a dot, any case) stands for; empty when
// the extension is not one the player registers.
QStringList MimeTypesOf(const QString &extension);

// The freedesktop.org generic icon name for the media kind of an extension ("audio-x-generic"
// or "video-x-generic"); empty for an unknown extension.
QString GenericIconOf(const QString &extension);
