// Feeds arbitrary bytes to the MPEG audio header reader.
#include "analyzer/stream_header.h"
#include "base/byte_source.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    StreamInfo info;
    if (!ReadMpegAudioHeader(ByteSource(bytes), info)) {
        return 0;
    }
    const Mp3Format &format = info.Mp3Format;
    if (info.AudioLength < 0 || info.AudioStart > qint64(size) + 1 || format.nBlockSize == 0 ||
        format.nSamplesPerSec == 0 || format.nAvgBytesPerSec == 0) {
        __builtin_trap();
    }
    return 0;
}
