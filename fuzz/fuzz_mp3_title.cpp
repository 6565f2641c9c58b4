// Feeds arbitrary bytes to the MP3 title reader.
#include "base/byte_source.h"
#include "display/tag_readers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString title = ReadMp3Title(ByteSource(bytes), QStringLiteral("fuzz.mp3"));
    for (const QChar c : title) {
        if (c.unicode() < 32) {
            __builtin_trap();
        }
    }
    return 0;
}
