#include "regacc/extension_types.h"

#include <array>

namespace {

struct ExtensionTypes
{
    const char *extension;
    const char *types;
};

// Per extension, every type under which the system may know such a file: the type the shared
// MIME database gives the name (for "mp1", which it has no name pattern for, the content),
// that type's aliases in the database, and the type that `xdg-mime query filetype` reads
// from the content where it differs ("mp2" holding MPEG audio, the ASF container of "wmv"
// and "wma"). The first type decides the generic icon.
constexpr std::array<ExtensionTypes, 10> Table{{
    {"avi", "video/x-msvideo;video/avi;video/divx;video/msvideo;video/vnd.divx;video/x-avi"},
    {"mpg", "video/mpeg;video/mpeg-system;video/x-mpeg;video/x-mpeg-system;video/x-mpeg2"},
    {"mpeg", "video/mpeg;video/mpeg-system;video/x-mpeg;video/x-mpeg-system;video/x-mpeg2"},
    {"wmv", "video/x-ms-wmv;video/x-ms-asf"},
    {"wav", "audio/x-wav;audio/vnd.wave;audio/wav"},
    {"mp1", "audio/mpeg;audio/mp3;audio/x-mp3;audio/x-mpeg;audio/x-mpg"},
    {"mp2", "audio/mp2;audio/x-mp2;audio/mpeg;audio/mp3;audio/x-mp3;audio/x-mpeg;audio/x-mpg"},
    {"mp3", "audio/mpeg;audio/mp3;audio/x-mp3;audio/x-mpeg;audio/x-mpg"},
    {"wma", "audio/x-ms-wma;audio/wma;video/x-ms-asf"},
    {"mid", "audio/midi;audio/x-midi"},
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
