#include "display/legacy_text.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {

// Closes the conversion descriptor on every way out.
class IconvHandle
{
public:
    IconvHandle(const char *to, const char *from) : handle(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (Valid()) {
            iconv_close(handle);
        }
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;

    bool Valid() const { return handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle; }

private:
    iconv_t handle;
};

// Whether the bytes follow the CP932 byte structure (single bytes 00-7F and A1-DF, lead bytes
// 81-9F and E0-FC each followed by a trail byte 40-7E or 80-FC) with at least one double-byte
// character.
bool HasCp932Structure(QByteArrayView bytes)
{
    bool doubleByte = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF)) {
            continue;
        }
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        if (!lead || i + 1 == bytes.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
            return false;
        }
        doubleByte = true;
    }
    return doubleByte;
}

} // namespace

QString DecodeCp932(QByteArrayView bytes)
{
    IconvHandle converter("UTF-8", "CP932");
    if (!converter.Valid()) {
        return QString::fromLatin1(bytes);
    }
    // One CP932 byte never yields more than three UTF-8 bytes.
    std::vector<char> output(static_cast<size_t>(bytes.size()) * 3 + 4);
    QByteArray utf8;
    QByteArray input = bytes.toByteArray();
    char *in = input.data();
    size_t inLeft = static_cast<size_t>(input.size());
    while (inLeft > 0) {
        char *out = output.data();
        size_t outLeft = output.size();
        const size_t result = iconv(converter.Get(), &in, &inLeft, &out, &outLeft);
        utf8.append(output.data(), static_cast<qsizetype>(out - output.data()));
        if (result != static_cast<size_t>(-1)) {
            break;
        }
        if (errno == EILSEQ) {
            utf8.append("\xEF\xBF\xBD");
            ++in;
            --inLeft;
        } else if (errno != E2BIG) {
            break;
        }
    }
    return QString::fromUtf8(utf8);
}

QString DecodeLegacyText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return DecodeCp932(bytes);
}

QString DecodeLatin1OrCp932(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    if (HasCp932Structure(bytes)) {
        // A pair that has the structure but no character in CP932, or only one of its
        // user-defined area (private use), makes it Latin-1 after all.
        const QString cp932 = DecodeCp932(bytes);
        const bool defined = std::none_of(cp932.begin(), cp932.end(), [](QChar c) {
            return c == QChar::ReplacementCharacter || c.category() == QChar::Other_PrivateUse;
        });
        if (defined) {
            return cp932;
        }
    }
    return QString::fromLatin1(bytes);
}
