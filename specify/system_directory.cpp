#include "system_directory.h"

#include <QDir>
#include <QFileInfo>

QString WithTrailingSlash(const QString &directory)
{
    return directory.endsWith(u'/') ? directory : directory + u'/';
}

QString SystemIconDirectory(const QStringList &dataDirectories)
{
    for (const QString &base : dataDirectories) {
        const QString trimmed = base.trimmed();
        if (trimmed.isEmpty()) {
            continue;
        }
        for (const char *theme :
             {"icons/hicolor/scalable/mimetypes", "icons/hicolor/48x48/mimetypes"}) {
            const QString candidate = QDir(trimmed).filePath(QString::fromLatin1(theme));
            if (QFileInfo(candidate).isDir()) {
                return WithTrailingSlash(QDir::cleanPath(candidate));
            }
        }
    }
    return QStringLiteral("/usr/share/icons/hicolor/48x48/mimetypes/");
}

QString SystemIconDirectory()
{
    QString variable = qEnvironmentVariable("XDG_DATA_DIRS");
    if (variable.trimmed().isEmpty()) {
        variable = QStringLiteral("/usr/local/share:/usr/share");
    }
    return SystemIconDirectory(variable.split(u':', Qt::SkipEmptyParts));
}
