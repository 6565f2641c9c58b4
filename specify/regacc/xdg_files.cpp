#include "regacc/xdg_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString BaseDirectory(const char *variable, const QString &fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) {
        return QDir::cleanPath(value);
    }
    return QDir::cleanPath(QDir::homePath() + u'/' + fallbackUnderHome);
}

} // namespace

QString XdgConfigHome()
{
    return BaseDirectory("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString XdgDataHome()
{
    return BaseDirectory("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

ReadOutcome ReadSmallFile(const QString &path, qint64 maxBytes, QByteArray &contents)
{
    contents.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        return ReadOutcome::Missing;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return ReadOutcome::Failed;
    }
    contents = file.read(maxBytes + 1);
    if (contents.size() > maxBytes || file.error() != QFileDevice::NoError) {
        contents.clear();
        return ReadOutcome::Failed;
    }
    return ReadOutcome::Read;
}

bool WriteFileAtomically(const QString &path, const QByteArray &contents)
{
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink()) {
        target = info.symLinkTarget();
    }
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
