#include "analyzer/mpeg_file_decoder.h"

#include <QFile>
#include <QFileInfo>

#include <mpg123.h>

#include <cstring>

struct MpegFileDecoder::Handle
{
    mpg123_handle *decoder = nullptr;
    ~Handle()
    {
        if (decoder) {
            mpg123_close(decoder);
            mpg123_delete(decoder);
        }
    }
};

MpegFileDecoder::MpegFileDecoder() = default;

MpegFileDecoder::~MpegFileDecoder() = default;

bool MpegFileDecoder::Open(const QString &path, int sampleRate, int channels)
{
    static const bool initialised = [] {
        mpg123_init();
        return true;
    }();
    (void)initialised;
    handle_.reset();
    if (!QFileInfo(path).isFile() || sampleRate <= 0 || (channels != 1 && channels != 2))
        return false;
    auto handle = std::make_unique<Handle>();
    int error = MPG123_OK;
    handle->decoder = mpg123_new(nullptr, &error);
    if (!handle->decoder || error != MPG123_OK)
        return false;
    mpg123_handle *h = handle->decoder;
    // Gapless for every read, exact seeking (no guesses from the Xing table of contents).
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    mpg123_param(h, MPG123_REMOVE_FLAGS, MPG123_FUZZY, 0);
    // Enough frames decoded before the position after a seek to refill the bit reservoir,
    // which reaches several frames back in low-rate VBR frames.
    mpg123_param(h, MPG123_PREFRAMES, 16, 0);
    mpg123_format_none(h);
    if (mpg123_format(h, sampleRate, channels == 1 ? MPG123_MONO : MPG123_STEREO,
                      MPG123_ENC_SIGNED_16) != MPG123_OK)
        return false;
    if (mpg123_open(h, QFile::encodeName(path).constData()) != MPG123_OK)
        return false;
    handle_ = std::move(handle);
    channels_ = channels;
    return true;
}

bool MpegFileDecoder::IsOpen() const
{
    return handle_ != nullptr;
}

std::size_t MpegFileDecoder::Read(std::int64_t first, std::int16_t *out, std::size_t frames)
{
    if (!handle_ || !out || first < 0)
        return 0;
    mpg123_handle *h = handle_->decoder;
    if (mpg123_seek(h, off_t(first), SEEK_SET) < 0)
        return 0;
    const std::size_t frameBytes = std::size_t(channels_) * 2;
    auto *bytes = reinterpret_cast<unsigned char *>(out);
    const std::size_t capacity = frames * frameBytes;
    std::size_t written = 0;
    while (written < capacity) {
        size_t done = 0;
        const int result = mpg123_read(h, bytes + written, capacity - written, &done);
        written += done;
        if (result == MPG123_NEW_FORMAT || (result == MPG123_OK && done > 0))
            continue;
        if (result != MPG123_OK || done == 0)
            break; // the end of the stream, or an error
    }
    return written / frameBytes;
}
