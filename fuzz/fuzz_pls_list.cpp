// Feeds arbitrary bytes to the PLS play list parser. Every entry must come out as an
// absolute, clean path without NUL bytes, and the list within its bound.
#include "core/play_list_parsers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParsedPlayList list = ParsePls(bytes, QByteArrayLiteral("/music/lists"));
    if (list.paths.size() > kMaxListEntries)
        __builtin_trap();
    for (const QByteArray &path : list.paths)
        if (!path.startsWith('/') || path.contains('\0') || path.contains("/../") ||
            path.contains("//") || path.endsWith("/.."))
            __builtin_trap();
    return 0;
}
