#include "display/asf_header.h"

namespace {

// GUIDs as the file stores them.
constexpr char HeaderGuid[] = "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C";
constexpr char ExtendedContentGuid[] =
    "\x40\xA4\xD0\xD2\x07\xE3\xD2\x11\x97\xF0\x00\xA0\xC9\x5E\xA8\x50";
constexpr char HeaderExtensionGuid[] =
    "\xB5\x03\xBF\x5F\x2E\xA9\xCF\x11\x8E\xE3\x00\xC0\x0C\x20\x53\x65";
constexpr char MetadataGuid[] = "\xEA\xCB\xF8\xC5\xAF\x5B\x77\x48\x84\x67\xAA\x8C\x44\xFA\x4C\xCA";
constexpr char MetadataLibraryGuid[] =
    "\x94\x1C\x23\x44\x98\x94\xD1\x49\xA1\x41\x1D\x13\x4E\x45\x70\x54";

quint64 LittleEndian(QByteArrayView bytes, quint64 offset, int size)
{
    quint64 value = 0;
    for (int i = size; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[static_cast<qsizetype>(offset) + i]);
    return value;
}

bool GuidAt(QByteArrayView bytes, quint64 offset, const char *guid)
{
    return bytes.sliced(static_cast<qsizetype>(offset), 16) == QByteArrayView(guid, 16);
}

// Walks the objects from offset to end (which lies within header).
bool ObjectsFit(QByteArrayView header, quint64 offset, quint64 end, int depth, quint64 &records)
{
    while (offset + 24 <= end) {
        const quint64 size = LittleEndian(header, offset + 16, 8);
        if (size < 24 || size > end - offset)
            return false;
        // Declared records and the least bytes each one takes after the count.
        quint64 count = 0, least = 0;
        if (size >= 26 && GuidAt(header, offset, ExtendedContentGuid)) {
            count = LittleEndian(header, offset + 24, 2);
            least = 6;
        } else if (size >= 26 && (GuidAt(header, offset, MetadataGuid) ||
                                  GuidAt(header, offset, MetadataLibraryGuid))) {
            count = LittleEndian(header, offset + 24, 2);
            least = 12;
        } else if (depth == 0 && GuidAt(header, offset, HeaderExtensionGuid)) {
            if (size < 46 || !ObjectsFit(header, offset + 46, offset + size, 1, records))
                return false;
        }
        records += count;
        if ((count > 0 && count * least > size - 26) || records > kMaxAsfRecords)
            return false;
        offset += size;
    }
    return true;
}

} // namespace

quint64 AsfHeaderSize(QByteArrayView start)
{
    if (start.size() < kAsfHeaderStart || !GuidAt(start, 0, HeaderGuid))
        return 0;
    const quint64 size = LittleEndian(start, 16, 8);
    return size < kAsfHeaderStart ? 0 : size;
}

bool AsfHeaderFits(QByteArrayView header)
{
    const quint64 size = AsfHeaderSize(header);
    if (size == 0 || size != static_cast<quint64>(header.size()))
        return false;
    quint64 records = 0;
    return ObjectsFit(header, kAsfHeaderStart, size, 0, records);
}
