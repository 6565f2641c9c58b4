#pragma once

// What every play list parser must give for any input: at most the list bound of entries, each
// an absolute, clean path without NUL bytes; traps otherwise.
#include "core/play_list_parsers.h"

inline void CheckParsedList(const ParsedPlayList &list)
{
    if (list.paths.size() > kMaxListEntries)
        __builtin_trap();
    for (const QByteArray &path : list.paths)
        if (!path.startsWith('/') || path.contains('\0') || path.contains("/../") ||
            path.contains("//") || path.endsWith("/.."))
            __builtin_trap();
}
