#include "file_kinds.h"

#include <QCoreApplication>
#include <array>

namespace {

// Where an extension's icon comes from.
enum class IconSource { SystemLibrary, Player, None };

struct ExtensionRow
{
    int kindIndex;
    const char *extension;
    IconSource iconSource;
    int iconIndex;
};

struct KindRow
{
    const char *description;
    const char *extensions;
};

const std::array<KindRow, NumFileKinds> Kinds{{
    {QT_TRANSLATE_NOOP("FileKinds", "AVI ファイル"), "avi"},
    {QT_TRANSLATE_NOOP("FileKinds", "MPEG ファイル"), "mpg, mpeg"},
    {QT_TRANSLATE_NOOP("FileKinds", "Windows Media Video ファイル"), "wmv"},
    {QT_TRANSLATE_NOOP("FileKinds", "WAVE ファイル"), "wav"},
    {QT_TRANSLATE_NOOP("FileKinds", "MPEG Audio ファイル"), "mp1, mp2, mp3"},
    {QT_TRANSLATE_NOOP("FileKinds", "Windows Media Audio ファイル"), "wma"},
    {QT_TRANSLATE_NOOP("FileKinds", "MIDI ファイル"), "mid"},
}};

constexpr std::array<ExtensionRow, 10> Extensions{{
    {0, "avi", IconSource::SystemLibrary, 0},
    {1, "mpg", IconSource::Player, 1},
    {1, "mpeg", IconSource::Player, 1},
    {2, "wmv", IconSource::None, 0},
    {3, "wav", IconSource::SystemLibrary, 4},
    {4, "mp1", IconSource::Player, 2},
    {4, "mp2", IconSource::Player, 3},
    {4, "mp3", IconSource::Player, 4},
    {5, "wma", IconSource::None, 0},
    {6, "mid", IconSource::SystemLibrary, 8},
}};

} // namespace

QString FileKindCaption(int kindIndex)
{
    if (kindIndex < 0 || kindIndex >= NumFileKinds) {
        return {};
    }
    const KindRow &kind = Kinds[static_cast<size_t>(kindIndex)];
    return QCoreApplication::translate("FileKinds", "%1 （%2）")
        .arg(QCoreApplication::translate("FileKinds", kind.description),
             QString::fromUtf8(kind.extensions));
}

QList<ExtensionRegistration> ExtensionsOfKind(int kindIndex, const QString &systemDirectory,
                                              const QString &playerPath)
{
    QList<ExtensionRegistration> result;
    if (kindIndex < 0 || kindIndex >= NumFileKinds) {
        return result;
    }
    for (const ExtensionRow &row : Extensions) {
        if (row.kindIndex != kindIndex) {
            continue;
        }
        QString iconFile;
        if (row.iconSource == IconSource::SystemLibrary) {
            iconFile = systemDirectory + QStringLiteral("quartz.dll");
        } else if (row.iconSource == IconSource::Player) {
            iconFile = playerPath;
        }
        result.append({QString::fromLatin1(row.extension),
                       QString::fromUtf8(Kinds[static_cast<size_t>(kindIndex)].description),
                       iconFile, row.iconIndex});
    }
    return result;
}
