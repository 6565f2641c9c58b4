#include "analyzer/mpeg_decoder.h"

#include <mpg123.h>

#include <memory>

namespace {

struct HandleDeleter
{
    void operator()(mpg123_handle *handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

Handle OpenDecoder(int sampleRate, int channels)
{
    static const bool initialised = [] {
        mpg123_init();
        return true;
    }();
    (void)initialised;
    int error = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &error));
    if (!handle || error != MPG123_OK)
        return nullptr;
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_param(handle.get(), MPG123_RESYNC_LIMIT, -1, 0);
    // The output format is fixed: the analyzer's buffers hold 16-bit samples with the file's
    // channel count at the file's rate.
    mpg123_format_none(handle.get());
    if (mpg123_format(handle.get(), sampleRate, channels == 1 ? MPG123_MONO : MPG123_STEREO,
                      MPG123_ENC_SIGNED_16) != MPG123_OK)
        return nullptr;
    if (mpg123_open_feed(handle.get()) != MPG123_OK)
        return nullptr;
    return handle;
}

} // namespace

bool DecodeMpegAudio(QByteArrayView input, int sampleRate, int channels,
                     std::vector<std::int16_t> &pcm)
{
    pcm.clear();
    if (input.isEmpty() || sampleRate <= 0 || channels < 1 || channels > 2)
        return false;
    Handle handle = OpenDecoder(sampleRate, channels);
    if (!handle)
        return false;
    if (mpg123_feed(handle.get(), reinterpret_cast<const unsigned char *>(input.data()),
                    static_cast<size_t>(input.size())) != MPG123_OK)
        return false;

    // Every Layer I-III frame yields at most 1152 sample frames.
    const size_t chunkBytes = 1152 * 2 * sizeof(std::int16_t);
    std::vector<unsigned char> chunk(chunkBytes);
    for (;;) {
        size_t done = 0;
        const int result = mpg123_read(handle.get(), chunk.data(), chunk.size(), &done);
        if (done > 0) {
            const auto *samples = reinterpret_cast<const std::int16_t *>(chunk.data());
            pcm.insert(pcm.end(), samples, samples + done / sizeof(std::int16_t));
        }
        if (result == MPG123_NEW_FORMAT || (result == MPG123_OK && done > 0))
            continue;
        if (result == MPG123_OK)
            continue;
        break; // MPG123_NEED_MORE at the end of the input, or an error
    }
    // Keep whole sample frames only.
    pcm.resize(pcm.size() - pcm.size() % static_cast<size_t>(channels));
    return !pcm.empty();
}
