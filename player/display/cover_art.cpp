#include "display/cover_art.h"

#include "display/media_tags.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

QImage Decode(QImageReader &reader)
{
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxCoverSide || size.height() > kMaxCoverSide))
        reader.setScaledSize(size.scaled(kMaxCoverSide, kMaxCoverSide, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

QString FindFolderCover(const QString &mediaPath)
{
    const QDir folder = QFileInfo(mediaPath).absoluteDir();
    const QStringList files = folder.entryList(QDir::Files | QDir::Readable, QDir::Name);
    static const QStringList bases{QStringLiteral("cover"), QStringLiteral("folder"),
                                   QStringLiteral("front")};
    static const QStringList types{QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                   QStringLiteral("png"), QStringLiteral("gif"),
                                   QStringLiteral("bmp"), QStringLiteral("webp")};
    for (const QString &base : bases)
        for (const QString &file : files) {
            const QFileInfo info(file);
            if (info.completeBaseName().compare(base, Qt::CaseInsensitive) == 0 &&
                types.contains(info.suffix().toLower()))
                return folder.filePath(file);
        }
    return {};
}

QImage LoadCoverImage(const CoverPicture &embedded, const QString &mediaPath)
{
    if (!embedded.IsEmpty()) {
        QBuffer buffer;
        buffer.setData(embedded.bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QImage image = Decode(reader);
        if (!image.isNull())
            return image;
    }
    const QString file = FindFolderCover(mediaPath);
    if (file.isEmpty())
        return {};
    QImageReader reader(file);
    reader.setAutoTransform(true);
    return Decode(reader);
}

void DrawCoverFitted(QPainter &painter, const QImage &cover, const QRect &area)
{
    painter.fillRect(area, Qt::black);
    if (cover.isNull() || area.isEmpty())
        return;
    const QSize fitted = cover.size().scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.left() + (area.width() - fitted.width()) / 2,
                       area.top() + (area.height() - fitted.height()) / 2, fitted.width(),
                       fitted.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, cover);
}
