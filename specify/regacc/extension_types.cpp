#include "regacc/extension_types.h"

#include <array>

namespace {

struct ExtensionTypes
{
    const char *extension;
    const char *types;
};

constexpr std::array<ExtensionTypes, 10> Table{{
    {"avi", "video/x-msvideo"},
    {"mpg", "video/mpeg"},
    {"mpeg", "video/mpeg"},
    {"wmv", "video/x-ms-wmv"},
    {"wav", "audio/x-wav;audio/wav"},
    {"mp1", "audio/mpeg"},
    {"mp2", "audio/mpeg"},
    {"mp3", "audio/mpeg"},
    {"wma", "audio/x-ms-wma"},
    {"mid", "audio/midi"},
}};

} // namespace

QStringList MimeTypesOf(const QString &extension)
{
    const QString key = extension.trimmed().toLower();
    for (const ExtensionTypes &row : Table) {
        if (key == QLatin1String(row.extension)) {
            return QString::fromLatin1(row.types).split(u';');
        }
    }
    return {};
}

QString GenericIconOf(const QString &extension)
{
    const QStringList types = MimeTypesOf(extension);
    if (types.isEmpty()) {
        return {};
    }
    return types.first().startsWith(u"audio/") ? QStringLiteral("audio-x-generic")
                                               : QStringLiteral("video-x-generic");
}
