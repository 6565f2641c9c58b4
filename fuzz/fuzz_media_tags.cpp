// Feeds arbitrary bytes to the tag wrapper, as each format it reads: the first byte chooses the
// format, the rest is the file. Covers and texts must stay within their bounds.
#include "display/media_tags.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const names[] = {"f.mp3", "f.flac", "f.ogg", "f.opus", "f.m4a", "f.wma",
                                        "f.ape", "f.wv",   "f.mpc", "f.tta",  "f.wav", "f.aiff",
                                        "f.spx", "f.xm",   "f.it",  "f.bin"};
    if (size < 1)
        return 0;
    const QString name = QString::fromLatin1(names[data[0] % std::size(names)]);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const MediaTags tags = ReadMediaTags(bytes, name);
    if (tags.cover.bytes.size() > kMaxCoverBytes || tags.title.size() > kMaxTagTextLength ||
        tags.artist.size() > kMaxTagTextLength || tags.album.size() > kMaxTagTextLength ||
        (!tags.cover.IsEmpty() && tags.cover.mimeType.isEmpty()))
        __builtin_trap();
    return 0;
}
