#include "analyzer/sample_blocks.h"

#include "analyzer/audio_decoder_module.h"

#include <QFile>

#include <mpg123.h>

#include <algorithm>
#include <mutex>

namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

// Reads the data chunk of a PCM WAVE file and widens 8-bit samples to 16 bits.
class WaveBlocks : public SampleBlockSource
{
public:
    WaveBlocks(const QString &path, const ::StreamInfo &info)
        : file_(path), channels_(info.Channels), rate_(info.SampleRate),
          bytesPerSample_(info.BitsPerSample / 8)
    {
        const qint64 frameBytes = static_cast<qint64>(channels_) * bytesPerSample_;
        ok_ = file_.open(QIODevice::ReadOnly) && frameBytes > 0 && info.DataStart >= 1 &&
              file_.seek(info.DataStart - 1);
        // The data as far as the file holds it, in whole frames.
        const qint64 available = std::max<qint64>(0, file_.size() - (info.DataStart - 1));
        const qint64 declared = info.AudioLength > 0 ? info.AudioLength : available;
        remaining_ = ok_ ? std::min(declared, available) / frameBytes * frameBytes : 0;
        chunk_ = std::max<qint64>(frameBytes, kChunkBytes / frameBytes * frameBytes);
    }

    int Channels() const override { return channels_; }
    int SampleRate() const override { return rate_; }

    bool Next(std::vector<int16_t> &block) override
    {
        if (!ok_ || remaining_ <= 0)
            return false;
        const QByteArray bytes = file_.read(std::min(chunk_, remaining_));
        const qint64 whole = bytes.size() / (channels_ * bytesPerSample_) * channels_;
        if (whole <= 0)
            return false;
        remaining_ -= bytes.size();
        block.resize(static_cast<std::size_t>(whole));
        const auto *raw = reinterpret_cast<const unsigned char *>(bytes.constData());
        for (qint64 i = 0; i < whole; ++i) {
            const auto at = static_cast<std::size_t>(i);
            block[at] = bytesPerSample_ == 2
                            ? static_cast<int16_t>(raw[2 * at] | (raw[2 * at + 1] << 8))
                            : static_cast<int16_t>((raw[at] - 128) * 256);
        }
        return true;
    }

private:
    QFile file_;
    int channels_;
    int rate_;
    int bytesPerSample_;
    bool ok_ = false;
    qint64 remaining_ = 0;
    qint64 chunk_ = kChunkBytes;
};

struct HandleDeleter
{
    void operator()(mpg123_handle *handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};

// Feeds the file to libmpg123 chunk by chunk and hands out what it decodes.
class MpegBlocks : public SampleBlockSource
{
public:
    MpegBlocks(const QString &path, const ::StreamInfo &info) : file_(path)
    {
        static std::once_flag once;
        std::call_once(once, [] { mpg123_init(); });
        int error = 0;
        handle_.reset(mpg123_new(nullptr, &error));
        const long rate = info.SampleRate;
        if (!handle_ || rate <= 0 || !file_.open(QIODevice::ReadOnly))
            return;
        mpg123_handle *h = handle_.get();
        mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_MONO, 0);
        // A quarter of the rate where the library offers it, else the full rate.
        long outRate = rate;
        if (mpg123_param(h, MPG123_DOWN_SAMPLE, 2, 0) == MPG123_OK)
            outRate = rate / 4;
        mpg123_format_none(h);
        if (mpg123_format(h, outRate, MPG123_MONO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
            mpg123_param(h, MPG123_DOWN_SAMPLE, 0, 0);
            outRate = rate;
            if (mpg123_format(h, outRate, MPG123_MONO, MPG123_ENC_SIGNED_16) != MPG123_OK)
                return;
        }
        const qint64 start = info.DataStart >= 1 ? info.DataStart - 1 : 0;
        ok_ = mpg123_open_feed(h) == MPG123_OK && file_.seek(start);
        rate_ = static_cast<int>(outRate);
    }

    int Channels() const override { return 1; }
    int SampleRate() const override { return rate_; }

    bool Next(std::vector<int16_t> &block) override
    {
        while (ok_) {
            off_t number = 0;
            unsigned char *audio = nullptr;
            size_t done = 0;
            const int result = mpg123_decode_frame(handle_.get(), &number, &audio, &done);
            if ((result == MPG123_OK || result == MPG123_NEW_FORMAT) && done >= 2) {
                block.resize(done / 2);
                std::copy_n(reinterpret_cast<const int16_t *>(audio), done / 2, block.begin());
                return true;
            }
            if (result == MPG123_OK || result == MPG123_NEW_FORMAT)
                continue;
            if (result != MPG123_NEED_MORE || !Feed())
                ok_ = false;
        }
        return false;
    }

private:
    bool Feed()
    {
        const QByteArray bytes = file_.read(kChunkBytes);
        if (bytes.isEmpty())
            return false;
        return mpg123_feed(handle_.get(), reinterpret_cast<const unsigned char *>(bytes.data()),
                           static_cast<size_t>(bytes.size())) == MPG123_OK;
    }

    QFile file_;
    std::unique_ptr<mpg123_handle, HandleDeleter> handle_;
    bool ok_ = false;
    int rate_ = 0;
};

// The general decoder read in order, one decoded frame per block.
class DecodedBlocks : public SampleBlockSource
{
public:
    bool Open(const QString &path)
    {
        decoder_ = MakeAudioDecoder();
        return decoder_ && decoder_->OpenFile(path);
    }
    int Channels() const override { return 1; }
    int SampleRate() const override { return decoder_->Description().sampleRate; }
    bool Next(std::vector<int16_t> &block) override { return decoder_->ReadNext(block, 1); }

private:
    std::unique_ptr<AudioDecoder> decoder_;
};

} // namespace

std::unique_ptr<SampleBlockSource> OpenWaveBlocks(const QString &path, const ::StreamInfo &info)
{
    if (info.SampleKind < 1 || info.SampleKind > 4)
        return nullptr;
    return std::make_unique<WaveBlocks>(path, info);
}

std::unique_ptr<SampleBlockSource> OpenMpegBlocks(const QString &path, const ::StreamInfo &info)
{
    auto source = std::make_unique<MpegBlocks>(path, info);
    if (source->SampleRate() <= 0)
        return nullptr;
    return source;
}

std::unique_ptr<SampleBlockSource> OpenDecodedBlocks(const QString &path)
{
    auto source = std::make_unique<DecodedBlocks>();
    if (!source->Open(path))
        return nullptr;
    return source;
}

std::unique_ptr<SampleBlockSource> OpenSampleBlocks(SampleSource source, const QString &path,
                                                    const ::StreamInfo &info)
{
    switch (source) {
    case SampleSource::Mpeg:
        return OpenMpegBlocks(path, info);
    case SampleSource::Decoded:
        return OpenDecodedBlocks(path);
    default:
        return OpenWaveBlocks(path, info);
    }
}
