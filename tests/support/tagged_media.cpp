#include "support/tagged_media.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QtEndian>

namespace {

QByteArray BigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// A FLAC picture block (front cover) as Ogg files carry it in METADATA_BLOCK_PICTURE.
QByteArray PictureBlock(const QByteArray &png)
{
    const QByteArray mime = "image/png";
    return BigEndian32(3) + BigEndian32(quint32(mime.size())) + mime + BigEndian32(0) +
           BigEndian32(8) + BigEndian32(6) + BigEndian32(24) + BigEndian32(0) +
           BigEndian32(quint32(png.size())) + png;
}

} // namespace

QByteArray TaggedMedia::SmallPng()
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString TaggedMedia::MakeTaggedSound(const QString &folder, const QString &ext, bool cover,
                                     const QStringList &codecArguments,
                                     const QStringList &extraMetadata)
{
    const QString path = QDir(folder).filePath(QStringLiteral("tagged.") + ext);
    const QString coverPath = QDir(folder).filePath(QStringLiteral("embedded-cover.png"));
    QStringList args{
        QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
        QStringLiteral("error"),        QStringLiteral("-y"),
        QStringLiteral("-f"),           QStringLiteral("lavfi"),
        QStringLiteral("-i"),           QStringLiteral("sine=frequency=440:duration=0.3")};
    const bool attached = cover && (ext == u"mp3" || ext == u"flac" || ext == u"m4a");
    const bool comment = cover && (ext == u"ogg" || ext == u"opus");
    if (attached) {
        QFile file(coverPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(SmallPng()) < 0)
            return {};
        file.close();
        args << QStringLiteral("-i") << coverPath << QStringLiteral("-map") << QStringLiteral("0:a")
             << QStringLiteral("-map") << QStringLiteral("1:v") << QStringLiteral("-c:v")
             << QStringLiteral("copy") << QStringLiteral("-disposition:v")
             << QStringLiteral("attached_pic");
    }
    QStringList metadata{QStringLiteral("title=") + Title, QStringLiteral("artist=") + Artist,
                         QStringLiteral("album=") + Album, QStringLiteral("track=%1").arg(Track),
                         QStringLiteral("date=") + Date};
    if (comment)
        metadata << QStringLiteral("METADATA_BLOCK_PICTURE=") +
                        QString::fromLatin1(PictureBlock(SmallPng()).toBase64());
    metadata << extraMetadata;
    for (const QString &pair : metadata)
        args << QStringLiteral("-metadata") << pair;
    args << QStringLiteral("-ac") << QStringLiteral("2") << codecArguments << path;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), args);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {};
    QFile::remove(coverPath);
    return path;
}
