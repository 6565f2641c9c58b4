#include "core/avi_frame_rate.h"

#include "base/byte_source.h"

#include <QFile>

#include <optional>

namespace {

constexpr qint64 kFixedStreamHeader = 100;
constexpr qint64 kHeaderList = 12;
// Offsets of dwScale and dwRate inside a stream header's data.
constexpr qint64 kScaleInHeader = 20;
constexpr qint64 kRateInHeader = 24;
// Chunks looked at in the header list before giving up.
constexpr int kMaxChunks = 256;

// Offset of the data of the first "strh" chunk: at its fixed place, or found by walking the
// "hdrl" list and its "strl" lists.
std::optional<qint64> StreamHeaderData(const ByteSource &source)
{
    if (source.Read(kFixedStreamHeader, 4) == "strh") {
        return kFixedStreamHeader + 8;
    }
    const std::optional<QByteArray> list = source.ReadExact(kHeaderList, 12);
    if (!list || !list->startsWith("LIST") || list->mid(8) != "hdrl") {
        return std::nullopt;
    }
    qint64 position = kHeaderList + 12;
    qint64 end = kHeaderList + 8 + qint64(LittleEndian32(*list, 4));
    for (int chunks = 0; chunks < kMaxChunks && position + 8 <= end; ++chunks) {
        const std::optional<QByteArray> chunk = source.ReadExact(position, 12);
        if (!chunk) {
            return std::nullopt;
        }
        if (chunk->startsWith("strh")) {
            return position + 8;
        }
        const qint64 size = LittleEndian32(*chunk, 4);
        if (chunk->startsWith("LIST") && chunk->mid(8) == "strl") {
            // Descend: the stream header is the first chunk of the stream list.
            end = position + 8 + size;
            position += 12;
            continue;
        }
        position += 8 + size + (size & 1);
    }
    return std::nullopt;
}

} // namespace

float ReadAviFrameRate(const ByteSource &source)
{
    const std::optional<qint64> header = StreamHeaderData(source);
    if (!header) {
        return 0.0F;
    }
    const std::optional<QByteArray> values = source.ReadExact(*header, kRateInHeader + 4);
    if (!values) {
        return 0.0F;
    }
    const quint32 scale = LittleEndian32(*values, kScaleInHeader);
    const quint32 rate = LittleEndian32(*values, kRateInHeader);
    if (scale == 0) {
        return 0.0F;
    }
    return static_cast<float>(double(rate) / double(scale));
}

float ReadAviFrameRate(const QString &path)
{
    QFile file;
    if (!OpenForReading(file, path)) {
        return 0.0F;
    }
    return ReadAviFrameRate(ByteSource(file));
}
