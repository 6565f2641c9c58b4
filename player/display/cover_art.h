#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QRect;
struct CoverPicture;

// Largest side a cover is decoded at; bigger pictures are scaled down while they load.
inline constexpr int kMaxCoverSide = 1024;

// The picture file beside a sound file that shows its album: cover.*, folder.* or front.*
// (JPEG, PNG, GIF, BMP or WebP; names in any case), in that order of preference. Empty when
// the folder has none.
QString FindFolderCover(const QString &mediaPath);

// The cover to show for a sound file: the embedded picture, else the folder's picture file.
// A null image when there is neither or they cannot be decoded.
QImage LoadCoverImage(const CoverPicture &embedded, const QString &mediaPath);

// Draws the cover as large as fits in area with its aspect kept, centred, on black.
void DrawCoverFitted(QPainter &painter, const QImage &cover, const QRect &area);
