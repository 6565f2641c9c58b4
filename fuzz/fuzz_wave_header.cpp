// Feeds arbitrary bytes to the WAVE header reader.
#include "analyzer/stream_header.h"
#include "base/byte_source.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    StreamInfo info;
    const WaveHeaderResult result = ReadWaveHeader(ByteSource(bytes), info);
    if (result == WaveHeaderResult::Rejected) {
        return 0;
    }
    const bool kindMatches = (result == WaveHeaderResult::Unsupported) == (info.SampleKind == 0);
    if (!kindMatches || info.FullScale <= 0 || info.DataStart > qint64(size) + 1) {
        __builtin_trap();
    }
    return 0;
}
