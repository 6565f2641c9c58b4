#include "core/avi_frame_rate.h"

#include "core/byte_source.h"

#include <QFile>

namespace {

constexpr qint64 kScaleOffset = 128;
constexpr qint64 kRateOffset = 132;

} // namespace

float ReadAviFrameRate(const ByteSource &source)
{
    const std::optional<QByteArray> head = source.ReadExact(0, kRateOffset + 4);
    if (!head) {
        return 0.0F;
    }
    const quint32 scale = LittleEndian32(*head, kScaleOffset);
    const quint32 rate = LittleEndian32(*head, kRateOffset);
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
