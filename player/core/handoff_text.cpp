#include "core/handoff_text.h"

#include "core/file_name_bytes.h"

#include <QUrl>

namespace {

// The path of "." and ".." steps and doubled slashes cleaned out, as QDir::cleanPath does,
// but on bytes.
QByteArray CleanPath(const QByteArray &absolute)
{
    QList<QByteArray> parts;
    for (const QByteArray &part : absolute.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray path;
    for (const QByteArray &part : parts)
        path.append('/').append(part);
    return path.isEmpty() ? QByteArray("/") : path;
}

// The local path bytes of a "file:" URL; "" for another host or no path.
QByteArray LocalPathOf(const QByteArray &url)
{
    const QUrl parsed = QUrl::fromEncoded(url);
    if (!parsed.isValid() || !parsed.isLocalFile())
        return {};
    return QByteArray::fromPercentEncoding(parsed.path(QUrl::FullyEncoded).toLatin1());
}

} // namespace

QList<QByteArray> BuildHandoffNames(const QList<QByteArray> &arguments, const QByteArray &startDir)
{
    QList<QByteArray> names;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QByteArray path = arguments.at(i);
        if (path.left(5).toLower() == "file:")
            path = LocalPathOf(path);
        if (path.isEmpty())
            continue;
        names.append(CleanPath(path.startsWith('/') ? path : startDir + '/' + path));
    }
    return names;
}

QString HandoffTextOf(const QList<QByteArray> &names)
{
    QString text;
    for (const QByteArray &name : names) {
        const QString openable = OpenableName(name);
        if (!openable.isEmpty())
            text += openable + QChar(u'\0');
    }
    return text;
}
