#include "core/picture_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

QString PicturesFolderFrom(const QByteArray &output, const QString &home)
{
    const QString fallback = home + QStringLiteral("/Pictures");
    if (output.size() > 4096)
        return fallback;
    const qsizetype end = output.indexOf('\n');
    const QString line = QString::fromUtf8(end < 0 ? output : output.left(end)).trimmed();
    // A file system path from the root: Qt would also take ":/..." (its resources) as absolute.
    if (!line.startsWith(QLatin1Char('/')) || line.contains(QChar(0)))
        return fallback;
    const QString folder = QDir::cleanPath(line);
    if (!folder.startsWith(QLatin1Char('/')) || folder == QDir::cleanPath(home) ||
        folder == QStringLiteral("/"))
        return fallback;
    return folder;
}

QString PicturesFolder()
{
    QProcess process;
    process.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("PICTURES")});
    QByteArray output;
    if (process.waitForStarted(2000) && process.waitForFinished(2000) &&
        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        output = process.read(8192);
    else
        process.kill();
    return PicturesFolderFrom(output, QDir::homePath());
}

QString AnalyzerPictureName(const QString &mediumPath, const QDateTime &time)
{
    QString name =
        mediumPath.isEmpty() ? QStringLiteral("Lumo") : QFileInfo(mediumPath).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("Lumo");
    for (QChar &c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            c = QLatin1Char('_');
    return name.left(200) + QLatin1Char(' ') +
           time.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) + QStringLiteral(".png");
}
