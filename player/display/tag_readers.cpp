#include "display/tag_readers.h"

#include "base/byte_source.h"
#include "display/legacy_text.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kId3v1Size = 128;
constexpr qint64 kId3v1TitleOffset = 3;
constexpr qint64 kId3v1TitleSize = 30;
constexpr qint64 kId3v2HeaderSize = 10;
constexpr qint64 kFrameHeaderSize = 10;
// Most bytes of a title frame that are read; no title comes near it, and a damaged size must
// not make the reader load megabytes.
constexpr qint64 kMaxTitleBytes = 64 * 1024;

// The part of a path after its last separator.
QString FileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Removes leading and trailing spaces (other white space stays).
QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text[last - 1] == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

// Drops control characters (NUL padding included) and surrounding spaces.
QString CleanTitle(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 32) {
            kept.append(c);
        }
    }
    return TrimSpaces(kept);
}

// Bytes up to the first NUL byte.
QByteArrayView UpToNul(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.first(end);
}

// UTF-16 code units up to the first zero unit; an odd last byte is dropped.
QByteArrayView UpToNulUnit(QByteArrayView bytes)
{
    const qsizetype end = bytes.size() - bytes.size() % 2;
    for (qsizetype i = 0; i < end; i += 2) {
        if (bytes[i] == '\0' && bytes[i + 1] == '\0') {
            return bytes.first(i);
        }
    }
    return bytes.first(end);
}

QString DecodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    QStringDecoder decoder(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    return decoder(UpToNulUnit(bytes));
}

QString DecodeUtf16WithBom(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFE\xFF")) {
        return DecodeUtf16(bytes.sliced(2), true);
    }
    if (bytes.startsWith("\xFF\xFE")) {
        return DecodeUtf16(bytes.sliced(2), false);
    }
    return DecodeUtf16(bytes, false);
}

QString StripBom(QString text)
{
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

// The synchsafe size of an ID3 version 2 header, as four size bytes b6 to b9.
qint32 SynchsafeSize(QByteArrayView header)
{
    const auto byte = [&](qsizetype i) { return qint32(static_cast<quint8>(header[i])); };
    return (SL(byte(6) & 127, 21) + SL(byte(7) & 127, 14) + SL(byte(8) & 127, 7)) | byte(9);
}

// The "TIT2" title inside an ID3 version 2 tag that starts at offset 0.
QString Id3v2Title(const ByteSource &source, QByteArrayView header, const QString &fileName)
{
    const qint64 tagLength = qint64(SynchsafeSize(header)) + kId3v2HeaderSize;
    const std::optional<qint64> frame = source.Find("TIT2", 0, tagLength - 3);
    if (!frame || *frame == tagLength - 3) {
        return fileName;
    }
    const std::optional<QByteArray> sizeBytes = source.ReadExact(*frame + 4, 4);
    if (!sizeBytes) {
        return {};
    }
    const qint64 contentSize = BigEndian32(*sizeBytes, 0);
    const qint64 contentStart = *frame + kFrameHeaderSize;
    if (contentStart + contentSize > tagLength) {
        return {};
    }
    const std::optional<QByteArray> content =
        source.ReadExact(contentStart, std::min(contentSize, kMaxTitleBytes));
    return content ? DecodeId3Text(*content) : QString();
}

} // namespace

qint32 SL(qint32 value, int shift)
{
    if (shift == 0) {
        return value;
    }
    if (shift < 0 || shift > 31) {
        return 0;
    }
    const qint32 m = qint32(1) << (31 - shift);
    qint32 result = (value & (m - 1)) * (qint32(1) << shift);
    if ((value & m) != 0) {
        result |= std::numeric_limits<qint32>::min();
    }
    return result;
}

qint32 SR(qint32 value, int shift)
{
    if (shift == 0) {
        return value;
    }
    if (shift < 0 || shift > 31) {
        return 0;
    }
    const qint32 p = value & 0x7FFFFFFF;
    qint32 result = shift == 31 ? 0 : p / (qint32(1) << shift);
    if (value != p) {
        result |= qint32(1) << (31 - shift);
    }
    return result;
}

QString DecodeId3Text(QByteArrayView content)
{
    if (content.isEmpty()) {
        return {};
    }
    const QByteArrayView text = content.sliced(1);
    switch (content[0]) {
    case 1:
        return CleanTitle(DecodeUtf16WithBom(text));
    case 2:
        return CleanTitle(StripBom(DecodeUtf16(text, true)));
    case 3: {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        return CleanTitle(StripBom(utf8(UpToNul(text))));
    }
    default:
        return CleanTitle(DecodeLatin1OrCp932(UpToNul(text)));
    }
}

QString ReadMp3Title(const ByteSource &source, const QString &fileName)
{
    const qint64 size = source.Size();
    if (size >= kId3v1Size) {
        const QByteArray tail = source.Read(size - kId3v1Size, kId3v1Size);
        if (tail.size() != kId3v1Size) {
            return {};
        }
        if (tail.startsWith("TAG")) {
            return CleanTitle(
                DecodeLegacyText(QByteArrayView(tail).sliced(kId3v1TitleOffset, kId3v1TitleSize)));
        }
    }
    const std::optional<QByteArray> header = source.ReadExact(0, kId3v2HeaderSize);
    if (header && header->startsWith("ID3")) {
        return Id3v2Title(source, *header, fileName);
    }
    return size >= kId3v1Size ? fileName : QString();
}

QString ReadMp3Title(const QString &path)
{
    QFile file;
    if (!OpenForReading(file, path)) {
        return {};
    }
    return ReadMp3Title(ByteSource(file), FileNameOf(path));
}

QString ReadMidiTitle(const ByteSource &source, const QString &fileName)
{
    const QByteArray data = source.Read(0, kMidiScanLimit);
    if (!data.contains("MThd")) {
        return {};
    }
    const qsizetype firstTrack = data.indexOf("MTrk");
    if (firstTrack < 0) {
        return {};
    }
    const qsizetype nextTrack = data.indexOf("MTrk", firstTrack + 4);
    const qsizetype text = data.indexOf(QByteArrayView("\xFF\x01", 2), firstTrack);
    const qsizetype name = data.indexOf(QByteArrayView("\xFF\x03", 2), firstTrack);
    const qsizetype event = text < 0 ? name : (name < 0 ? text : std::min(text, name));
    if (event < 0 || (nextTrack >= 0 && event >= nextTrack)) {
        return fileName;
    }
    const qsizetype lengthAt = event + 2;
    if (lengthAt >= data.size()) {
        return {};
    }
    const qsizetype length = static_cast<quint8>(data[lengthAt]);
    if (length > data.size() - lengthAt - 1) {
        return {};
    }
    QString title = DecodeLegacyText(QByteArrayView(data).sliced(lengthAt + 1, length));
    if (title.isEmpty()) {
        title = fileName;
    }
    return TrimSpaces(title);
}

QString ReadMidiTitle(const QString &path)
{
    QFile file;
    if (!OpenForReading(file, path)) {
        return {};
    }
    return ReadMidiTitle(ByteSource(file), FileNameOf(path));
}
