#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

class QFile;
class QIODevice;
class QString;

// Bounds-checked random access to a file's bytes, held either in memory or in an open file
// that is read on demand, so that a reader fetches only the pieces it needs.
class ByteSource
{
public:
    explicit ByteSource(QByteArrayView bytes);
    // The device must be open for reading and allow seeking.
    explicit ByteSource(QIODevice &device);

    qint64 Size() const { return size; }

    // Up to length bytes from offset: fewer at the end of the data, none outside it.
    QByteArray Read(qint64 offset, qint64 length) const;
    // Exactly length bytes from offset, or nothing when the data is shorter.
    std::optional<QByteArray> ReadExact(qint64 offset, qint64 length) const;
    // First offset in [from, lastStart] at which needle starts and fits within the data.
    std::optional<qint64> Find(QByteArrayView needle, qint64 from, qint64 lastStart) const;

private:
    QByteArrayView memory;
    QIODevice *device = nullptr;
    qint64 size = 0;
};

// Opens a regular file for reading; refuses directories, pipes and devices, which could block
// or never end.
bool OpenForReading(QFile &file, const QString &path);

// Little- and big-endian unsigned integers at an offset of a byte block; the caller has checked
// that the bytes are there.
quint32 LittleEndian32(QByteArrayView bytes, qsizetype offset);
quint16 LittleEndian16(QByteArrayView bytes, qsizetype offset);
quint32 BigEndian32(QByteArrayView bytes, qsizetype offset);
