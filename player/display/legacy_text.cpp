#include "display/legacy_text.h"

#include <QStringDecoder>

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
