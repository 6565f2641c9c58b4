#include "core/play_list_import.h"

#include "core/file_name_bytes.h"
#include "core/play_list_parsers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <sys/stat.h>

namespace {

bool IsFileOrLink(const QByteArray &path)
{
    struct stat info
    {
    };
    return ::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// Walks the given names and the lists among them, depth first, keeping the order.
class Expansion
{
public:
    void Add(const QString &name, int depth)
    {
        if (PlayListFormatOf(name) == PlayListFormat::None) {
            Push(name, depth);
            return;
        }
        const QFileInfo info(name);
        const QString key = info.canonicalFilePath();
        // A list that cannot be read is passed on: opening it reports it as any other file.
        if (key.isEmpty() || !info.isFile()) {
            if (depth == 0)
                result_.names << name;
            else
                ++result_.missing;
            return;
        }
        if (visited_.contains(key) || depth >= kMaxListNesting)
            return;
        visited_.insert(key);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = file.read(kMaxListFileBytes);
        const ParsedPlayList list =
            ParsePlayList(PlayListFormatOf(name), bytes, QFile::encodeName(info.absolutePath()));
        result_.missing += list.unreadable;
        for (const QByteArray &path : list.paths) {
            if (fromLists_ >= kMaxListEntries)
                return;
            if (!IsFileOrLink(path)) {
                ++result_.missing;
                continue;
            }
            const QString openable = OpenableName(path);
            if (openable.isEmpty())
                ++result_.missing;
            else
                Add(openable, depth + 1);
        }
    }

    ImportedNames Take() { return std::move(result_); }

private:
    void Push(const QString &name, int depth)
    {
        if (depth > 0) {
            if (fromLists_ >= kMaxListEntries)
                return;
            ++fromLists_;
        }
        result_.names << name;
    }

    ImportedNames result_;
    QSet<QString> visited_;
    int fromLists_ = 0;
};

} // namespace

ImportedNames ExpandPlayLists(const QStringList &names)
{
    Expansion expansion;
    for (const QString &name : names)
        expansion.Add(name, 0);
    return expansion.Take();
}

bool SavePlayList(const QString &listPath, const QStringList &paths)
{
    QSaveFile file(listPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(FormatM3u8(paths, QFileInfo(listPath).absolutePath()));
    return file.commit();
}
