// Feeds arbitrary bytes as the output of xdg-user-dir and checks that the folder taken is an
// absolute path, never the home folder itself.
#include "core/picture_folder.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray output(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString home = QStringLiteral("/home/someone");
    const QString folder = PicturesFolderFrom(output, home);
    if (!QDir::isAbsolutePath(folder) || folder == home || folder.contains(QLatin1Char('\n')))
        __builtin_trap();
    return 0;
}
