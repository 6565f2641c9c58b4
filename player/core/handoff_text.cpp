#include "core/handoff_text.h"

#include <QDir>
#include <QUrl>

namespace {

QString AbsoluteName(const QString &argument, const QDir &start)
{
    QString path = argument;
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        path = QUrl(argument).toLocalFile();
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(start.absoluteFilePath(path));
}

} // namespace

QString BuildHandoffText(const QStringList &arguments, const QString &startDir)
{
    const QDir start(startDir);
    QStringList names;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument.isEmpty() || argument.contains(u'\n'))
            continue;
        const QString name = AbsoluteName(argument, start);
        if (!name.isEmpty())
            names.append(name);
    }
    return names.join(u'\n');
}
