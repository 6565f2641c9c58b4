#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Tags written into the generated sound files.
namespace TaggedMedia {

inline const QString Title = QStringLiteral("Morning Light");
inline const QString Artist = QStringLiteral("The Test Ensemble");
inline const QString Album = QStringLiteral("Lumo Test Album");
inline constexpr int Track = 3;
inline const QString Date = QStringLiteral("2024");

// An 8 × 6 red PNG picture.
QByteArray SmallPng();

// Writes a 0.3 s tagged stereo sine tone named tagged.<ext> into folder with ffmpeg, the
// codec chosen by the extension (or by codecArguments); with SmallPng() as its front cover
// when cover is set (MP3, FLAC, M4A as an attached picture; Ogg and Opus as a picture
// comment). Further "-metadata" pairs in extraMetadata ("KEY=value"). The path, or empty when
// ffmpeg failed.
QString MakeTaggedSound(const QString &folder, const QString &ext, bool cover,
                        const QStringList &codecArguments = {},
                        const QStringList &extraMetadata = {});

} // namespace TaggedMedia
