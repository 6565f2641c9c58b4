// Feeds arbitrary bytes to the M3U / M3U8 play list parser. Every entry must come out as an
// absolute, clean path without NUL bytes, and the list within its bound.
#include "play_list_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParsedPlayList list = ParseM3u(bytes, QByteArrayLiteral("/music/lists"));
    CheckParsedList(list);
    return 0;
}
