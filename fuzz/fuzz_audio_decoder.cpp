// Feeds arbitrary bytes, as a whole file in memory, to the general audio decoder (the audio
// decoder module, linked directly): open, describe, decode at a few positions in both channel
// layouts, and read on in order.
#include "analyzer/audio_decoder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::unique_ptr<AudioDecoder> decoder(NewAudioDecoder());
    if (!decoder || !decoder->OpenMemory(bytes))
        return 0;
    const DecodedStreamDescription &d = decoder->Description();
    if (d.sampleRate <= 0 || d.channels < 1)
        __builtin_trap();
    constexpr std::size_t Frames = 4096;
    std::vector<std::int16_t> out(2 * Frames);
    bool end = false;
    for (double at : {0.0, 0.05, d.seconds / 2, d.seconds + 1.0}) {
        if (decoder->Read(at, out.data(), Frames, 2, end) > Frames ||
            decoder->Read(at, out.data(), Frames / 2, 1, end) > Frames / 2)
            __builtin_trap();
    }
    std::vector<std::int16_t> block;
    for (int n = 0; n < 64 && decoder->ReadNext(block, 2); ++n)
        if (block.empty() || block.size() % 2 != 0)
            __builtin_trap();
    return 0;
}
