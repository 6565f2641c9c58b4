// Feeds arbitrary bytes as a user's mimeapps.list and as a desktop entry to the edits the
// association module makes.
#include "regacc/desktop_entry.h"
#include "regacc/mime_apps_list.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray id("lumo-sorvane.desktop");
    const QByteArray added = AddDefaultApplication(text, "audio/mpeg", id);
    if (!added.contains(id))
        __builtin_trap();
    const QByteArray removed = RemoveDefaultApplication(added, "audio/mpeg", id);
    // What the removal leaves names the player only where the user's file already did.
    if (!text.contains(id) && removed.contains(id))
        __builtin_trap();
    ParseAssociationEntry(text);
    return 0;
}
