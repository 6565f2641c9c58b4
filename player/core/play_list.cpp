#include "core/play_list.h"

QString PlayList::At(int index) const
{
    if (index < 0 || index >= Capacity)
        return {};
    return slots_[static_cast<size_t>(index)];
}

int PlayList::FirstFree() const
{
    for (int i = 0; i < Capacity; ++i)
        if (slots_[static_cast<size_t>(i)].isEmpty())
            return i;
    return Capacity;
}

std::vector<int> PlayList::Append(const QStringList &names)
{
    std::vector<int> written;
    int slot = FirstFree();
    for (const QString &name : names) {
        if (slot >= Capacity)
            break;
        slots_[static_cast<size_t>(slot)] = name;
        written.push_back(slot);
        ++slot;
    }
    return written;
}

QString FileNameOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString TitleOf(const QString &path)
{
    const QString name = FileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

QString ExtensionOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path : path.mid(dot + 1);
}

QString FileListLine(int slot, const QString &path)
{
    return QStringLiteral("FT(%1) = %2").arg(slot, 4, 10, QLatin1Char('0')).arg(path);
}
