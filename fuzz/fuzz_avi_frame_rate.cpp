// Feeds arbitrary bytes to the AVI frame-rate reader.
#include "base/byte_source.h"
#include "core/avi_frame_rate.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const float rate = ReadAviFrameRate(ByteSource(bytes));
    if (!std::isfinite(rate) || rate < 0.0F) {
        __builtin_trap();
    }
    return 0;
}
