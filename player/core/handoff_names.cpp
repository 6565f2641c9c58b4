#include "core/handoff_names.h"

QStringList HandoffNames(const QString &text)
{
    QStringList names;
    for (const QString &piece : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        names << piece;
    return names;
}
