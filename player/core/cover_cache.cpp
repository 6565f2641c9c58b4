#include "core/cover_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString CoverCacheDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/lumo");
}

QString CachedCoverFile(const QString &folder, const QByteArray &bytes, const QString &mimeType)
{
    if (folder.isEmpty() || bytes.isEmpty())
        return {};
    QString ext = QStringLiteral("img");
    if (mimeType == u"image/jpeg")
        ext = QStringLiteral("jpg");
    else if (mimeType == u"image/png")
        ext = QStringLiteral("png");
    else if (mimeType == u"image/gif")
        ext = QStringLiteral("gif");
    else if (mimeType == u"image/bmp")
        ext = QStringLiteral("bmp");
    else if (mimeType == u"image/webp")
        ext = QStringLiteral("webp");
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    const QString path = folder + u'/' + hash + u'.' + ext;
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == bytes.size())
        return path;
    if (!QDir().mkpath(folder))
        return {};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {};
    return path;
}
