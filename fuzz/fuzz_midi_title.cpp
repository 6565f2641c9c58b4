// Feeds arbitrary bytes to the MIDI title reader.
#include "base/byte_source.h"
#include "display/tag_readers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString title = ReadMidiTitle(ByteSource(bytes), QStringLiteral("fuzz.mid"));
    if (title.size() > 255 && title != QStringLiteral("fuzz.mid")) {
        __builtin_trap();
    }
    return 0;
}
