#include "analyzer/mpeg_decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
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

std::size_t DecodeMpegAudio(QByteArrayView input, int sampleRate, int channels, void *out,
                            std::size_t capacity, std::size_t prerollBytes)
{
    if (input.isEmpty() || !out || sampleRate <= 0 || channels < 1 || channels > 2)
        return 0;
    Handle handle = OpenDecoder(sampleRate, channels);
    if (!handle)
        return 0;
    if (mpg123_feed(handle.get(), reinterpret_cast<const unsigned char *>(input.data()),
                    static_cast<size_t>(input.size())) != MPG123_OK)
        return 0;

    const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
    capacity -= capacity % frameBytes;
    auto *bytes = static_cast<unsigned char *>(out);
    std::size_t written = 0;
    while (written < capacity) {
        off_t number = 0;
        unsigned char *audio = nullptr;
        size_t done = 0;
        const int result = mpg123_decode_frame(handle.get(), &number, &audio, &done);
        if (result == MPG123_NEW_FORMAT)
            continue;
        if (result != MPG123_OK)
            break; // MPG123_NEED_MORE at the end of the input, or an error
        if (done == 0 || !audio ||
            static_cast<std::size_t>(mpg123_framepos(handle.get())) < prerollBytes)
            continue;
        const std::size_t take = std::min(done, capacity - written);
        std::memcpy(bytes + written, audio, take);
        written += take;
    }
    return written - written % frameBytes;
}
