#include "base/byte_source.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>

namespace {

// Bytes read per step while searching, so a search never holds more than this in memory.
constexpr qint64 kSearchChunk = 64 * 1024;

quint8 ByteAt(QByteArrayView bytes, qsizetype offset)
{
    return static_cast<quint8>(bytes[offset]);
}

} // namespace

ByteSource::ByteSource(QByteArrayView bytes) : memory(bytes), size(bytes.size()) {}

ByteSource::ByteSource(QIODevice &device)
    : device(&device), size(device.isSequential() ? 0 : device.size())
{
}

QByteArray ByteSource::Read(qint64 offset, qint64 length) const
{
    if (offset < 0 || length <= 0 || offset >= size) {
        return {};
    }
    const qint64 count = std::min(length, size - offset);
    if (device == nullptr) {
        return memory.sliced(offset, count).toByteArray();
    }
    if (!device->seek(offset)) {
        return {};
    }
    return device->read(count);
}

std::optional<QByteArray> ByteSource::ReadExact(qint64 offset, qint64 length) const
{
    if (offset < 0 || length < 0 || offset > size || length > size - offset) {
        return std::nullopt;
    }
    QByteArray bytes = Read(offset, length);
    if (bytes.size() != length) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<qint64> ByteSource::Find(QByteArrayView needle, qint64 from, qint64 lastStart) const
{
    const qint64 needleSize = needle.size();
    if (needleSize == 0 || from < 0) {
        return std::nullopt;
    }
    lastStart = std::min(lastStart, size - needleSize);
    for (qint64 start = from; start <= lastStart; start += kSearchChunk) {
        const qint64 starts = std::min(kSearchChunk, lastStart - start + 1);
        const QByteArray chunk = Read(start, starts + needleSize - 1);
        const qsizetype hit = chunk.indexOf(needle);
        if (hit >= 0 && hit < starts) {
            return start + hit;
        }
        if (chunk.size() < starts + needleSize - 1) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool OpenForReading(QFile &file, const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

quint32 LittleEndian32(QByteArrayView bytes, qsizetype offset)
{
    return quint32(ByteAt(bytes, offset)) | quint32(ByteAt(bytes, offset + 1)) << 8 |
           quint32(ByteAt(bytes, offset + 2)) << 16 | quint32(ByteAt(bytes, offset + 3)) << 24;
}

quint16 LittleEndian16(QByteArrayView bytes, qsizetype offset)
{
    return quint16(ByteAt(bytes, offset) | ByteAt(bytes, offset + 1) << 8);
}

quint32 BigEndian32(QByteArrayView bytes, qsizetype offset)
{
    return quint32(ByteAt(bytes, offset)) << 24 | quint32(ByteAt(bytes, offset + 1)) << 16 |
           quint32(ByteAt(bytes, offset + 2)) << 8 | quint32(ByteAt(bytes, offset + 3));
}
