#include "analyzer/buffer_source.h"

#include "analyzer/audio_decoder_module.h"
#include "analyzer/mpeg_file_decoder.h"
#include "base/byte_source.h"

#include <QFile>

#include <bit>
#include <cmath>
#include <cstring>

namespace {

// Bytes of one sample frame of each kind (index = kind).
constexpr qint64 FrameBytes[] = {0, 4, 2, 2, 1};

// Sample frames of a PCM WAVE file, read in one piece from the data chunk.
class WaveSource final : public BufferSource
{
public:
    WaveSource(const QString &path, const ::StreamInfo &info) : path_(path), info_(info) {}

    bool Load(float p, SampleBuffers &target, std::size_t frames, bool &endOfStream) override
    {
        const int kind = info_.SampleKind;
        endOfStream = false;
        // An unsupported layout has no samples: nothing to read, the displays show silence.
        if (kind == 0)
            return true;
        if (kind > 4 || frames == 0)
            return false;
        QFile file;
        if (!OpenForReading(file, path_))
            return false;
        target.Resize(kind, frames);
        const qint64 bytesPerFrame = FrameBytes[kind];
        const qint64 offset = (info_.DataStart - 1) +
                              static_cast<qint64>(std::floor(p * info_.SampleRate)) * bytesPerFrame;
        char *data = static_cast<char *>(target.Data(kind));
        const qint64 wanted = static_cast<qint64>(frames) * bytesPerFrame;
        qint64 got = 0;
        if (offset >= 0 && file.seek(offset)) {
            got = file.read(data, wanted);
            if (got < 0)
                return false;
        }
        // Past the end of the file the buffer holds silence, never samples of an earlier load.
        got -= got % bytesPerFrame;
        endOfStream = got < wanted;
        std::memset(data + got, kind >= 3 ? 128 : 0, static_cast<size_t>(wanted - got));
        return true;
    }

private:
    QString path_;
    ::StreamInfo info_;
};

// MPEG audio decoded by libmpg123 from the file, positioned by libmpg123's own seeking.
class MpegSource final : public BufferSource
{
public:
    MpegSource(const QString &path, const ::StreamInfo &info) : path_(path), info_(info) {}

    bool Load(float p, SampleBuffers &target, std::size_t frames, bool &endOfStream) override
    {
        const int kind = info_.SampleKind;
        endOfStream = false;
        if ((kind != 1 && kind != 2) || frames == 0 || p < 0)
            return false;
        if (!decoder_.IsOpen() && !decoder_.Open(path_, info_.SampleRate, kind == 1 ? 2 : 1))
            return false;
        target.Resize(kind, frames);
        const std::size_t written =
            decoder_.Read(std::int64_t(std::floor(double(p) * info_.SampleRate)),
                          static_cast<std::int16_t *>(target.Data(kind)), frames);
        target.Resize(kind, written);
        endOfStream = written < frames;
        return written > 0;
    }

private:
    QString path_;
    ::StreamInfo info_;
    MpegFileDecoder decoder_;
};

// Any other audio file, decoded by the general decoder, made when the first buffer loads.
class DecodedSource final : public BufferSource
{
public:
    DecodedSource(const QString &path, const ::StreamInfo &info) : path_(path), info_(info) {}

    bool Load(float p, SampleBuffers &target, std::size_t frames, bool &endOfStream) override
    {
        // The 32-bit stereo frames are read as pairs of 16-bit samples, left first.
        static_assert(std::endian::native == std::endian::little);
        const int kind = info_.SampleKind;
        endOfStream = false;
        if ((kind != 1 && kind != 2) || frames == 0 || p < 0)
            return false;
        if (!decoder_)
            decoder_ = MakeAudioDecoder();
        if (!decoder_ || (!decoder_->IsOpen() && !decoder_->OpenFile(path_)))
            return false;
        target.Resize(kind, frames);
        const std::size_t written =
            decoder_->Read(double(p), static_cast<std::int16_t *>(target.Data(kind)), frames,
                           kind == 1 ? 2 : 1, endOfStream);
        target.Resize(kind, written);
        return written > 0;
    }

private:
    QString path_;
    ::StreamInfo info_;
    std::unique_ptr<AudioDecoder> decoder_;
};

} // namespace

std::unique_ptr<BufferSource> MakeBufferSource(SampleSource source, const QString &path,
                                               const ::StreamInfo &info)
{
    switch (source) {
    case SampleSource::Mpeg:
        return std::make_unique<MpegSource>(path, info);
    case SampleSource::Decoded:
        return std::make_unique<DecodedSource>(path, info);
    default:
        return std::make_unique<WaveSource>(path, info);
    }
}
