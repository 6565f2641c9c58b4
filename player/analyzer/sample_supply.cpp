#include "analyzer/sample_supply.h"

#include "analyzer/mpeg_decoder.h"
#include "base/byte_source.h"
#include "base/rounding.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Bytes of one sample frame of each kind (index = kind).
constexpr std::size_t FrameBytes[] = {0, 4, 2, 2, 1};

template <typename T> void Release(std::vector<T> &v)
{
    std::vector<T>().swap(v);
}

} // namespace

void SampleSupply::Reset()
{
    current_ = fill_ = 1;
    start_ = {-1.0f, -1.0f};
    for (Buffers *b : {&buffers_[0], &buffers_[1], &window_}) {
        Release(b->stereo16);
        Release(b->mono16);
        Release(b->stereo8);
        Release(b->mono8);
    }
    allocatedFrames_ = 0;
    loads_ = 0;
}

void SampleSupply::Allocate(const QString &path, const ::StreamInfo &info, bool mpeg)
{
    Reset();
    path_ = path;
    info_ = info;
    mpeg_ = mpeg;
    if (info.SampleKind < 1 || info.SampleKind > 4 || info.SampleRate <= 0)
        return;
    allocatedFrames_ = static_cast<std::size_t>(BufferSeconds * info.SampleRate);
    for (Buffers &b : buffers_) {
        switch (info.SampleKind) {
        case 1:
            b.stereo16.assign(allocatedFrames_, 0);
            break;
        case 2:
            b.mono16.assign(allocatedFrames_, 0);
            break;
        case 3:
            b.stereo8.assign(allocatedFrames_, 0x8080);
            break;
        default:
            b.mono8.assign(allocatedFrames_, 128);
            break;
        }
    }
}

std::size_t SampleSupply::FramesOf(const Buffers &b) const
{
    switch (info_.SampleKind) {
    case 1:
        return b.stereo16.size();
    case 2:
        return b.mono16.size();
    case 3:
        return b.stereo8.size();
    case 4:
        return b.mono8.size();
    default:
        return 0;
    }
}

std::size_t SampleSupply::BufferFrames(int index) const
{
    return FramesOf(buffers_[static_cast<size_t>(index & 1)]);
}

bool SampleSupply::FetchWindow(float p, int timeRange)
{
    const float w = static_cast<float>(timeRange) / 100.0f;
    const float s = start_[static_cast<size_t>(current_)];
    const float end = s + BufferSeconds - w;
    const bool covers = s != -1.0f && p >= s && end > p;
    if (covers) {
        if (p >= s + BufferSeconds - 1.0f && current_ == fill_ && !LoadBuffer(p))
            return false;
    } else {
        if (current_ == fill_ && !LoadBuffer(p))
            return false;
        current_ ^= 1;
    }
    return CopyWindow(p - start_[static_cast<size_t>(current_)], timeRange);
}

bool SampleSupply::LoadBuffer(float p)
{
    fill_ ^= 1;
    Buffers &target = buffers_[static_cast<size_t>(fill_)];
    const bool ok = p >= 0 && (mpeg_ ? DecodeMpeg(p, target) : ReadWave(p, target));
    if (!ok) {
        start_[static_cast<size_t>(fill_)] = -1.0f;
        fill_ ^= 1;
        return false;
    }
    start_[static_cast<size_t>(fill_)] = p;
    ++loads_;
    return true;
}

bool SampleSupply::ReadWave(float p, Buffers &target)
{
    const int kind = info_.SampleKind;
    // An unsupported layout has no samples: nothing to read, and the displays show silence.
    if (kind == 0)
        return true;
    if (kind > 4 || allocatedFrames_ == 0)
        return false;
    QFile file;
    if (!OpenForReading(file, path_))
        return false;
    const qint64 bytesPerFrame = static_cast<qint64>(FrameBytes[kind]);
    const qint64 offset = (info_.DataStart - 1) +
                          static_cast<qint64>(std::floor(p * info_.SampleRate)) * bytesPerFrame;
    char *data = nullptr;
    switch (kind) {
    case 1:
        data = reinterpret_cast<char *>(target.stereo16.data());
        break;
    case 2:
        data = reinterpret_cast<char *>(target.mono16.data());
        break;
    case 3:
        data = reinterpret_cast<char *>(target.stereo8.data());
        break;
    default:
        data = reinterpret_cast<char *>(target.mono8.data());
        break;
    }
    const qint64 wanted = static_cast<qint64>(allocatedFrames_) * bytesPerFrame;
    qint64 got = 0;
    if (offset >= 0 && file.seek(offset)) {
        got = file.read(data, wanted);
        if (got < 0)
            return false;
    }
    // Past the end of the file the buffer holds silence, never samples of an earlier load.
    got -= got % bytesPerFrame;
    const int silence = kind >= 3 ? 128 : 0;
    std::memset(data + got, silence, static_cast<size_t>(wanted - got));
    return true;
}

bool SampleSupply::DecodeMpeg(float p, Buffers &target)
{
    const int kind = info_.SampleKind;
    const Mp3Format &format = info_.Mp3Format;
    if ((kind != 1 && kind != 2) || format.nBlockSize == 0 || format.nAvgBytesPerSec == 0)
        return false;
    const MpegRange range = MpegInputRange(format, p);

    // The range is read from the first frame header on (four bytes before the audio start the
    // header reader records). Three frames before it prime the decoder and are not kept; two
    // after it make up for the frame skipped where the range begins inside a frame and for
    // padded frames, so that the buffer holds five whole seconds.
    const qint64 firstHeader = info_.AudioStart - 1 - 4;
    const qint64 preroll = std::min<qint64>(range.offset, 3 * qint64(format.nBlockSize));
    const qint64 frames = range.bytes / format.nBlockSize + 2;
    QFile file;
    if (firstHeader < 0 || !OpenForReading(file, path_) ||
        !file.seek(firstHeader + range.offset - preroll))
        return false;
    const QByteArray input = file.read(preroll + frames * format.nBlockSize);
    file.close();
    if (input.size() <= preroll)
        return false;

    const int channels = kind == 1 ? 2 : 1;
    // Every frame decodes to at most 1152 sample frames.
    const std::size_t capacityFrames = static_cast<std::size_t>(frames) * 1152;
    std::size_t written = 0;
    if (kind == 1) {
        target.stereo16.resize(capacityFrames);
        written = DecodeMpegAudio(input, info_.SampleRate, channels, target.stereo16.data(),
                                  capacityFrames * 4, std::size_t(preroll));
        target.stereo16.resize(written / 4);
    } else {
        target.mono16.resize(capacityFrames);
        written = DecodeMpegAudio(input, info_.SampleRate, channels, target.mono16.data(),
                                  capacityFrames * 2, std::size_t(preroll));
        target.mono16.resize(written / 2);
    }
    return written > 0;
}

SampleSupply::MpegRange SampleSupply::MpegInputRange(const ::Mp3Format &format, float p)
{
    if (format.nBlockSize == 0)
        return {};
    const float perBlock = static_cast<float>(format.nAvgBytesPerSec) / format.nBlockSize;
    const qint64 frames = static_cast<qint64>(std::ceil(BufferSeconds * perBlock));
    // The byte at which p plays, from the exact byte rate: whole multiples of the rounded
    // frame length would drift from the real frames by up to half a byte per frame (seconds
    // late after an hour at 160 kbit/s). The decoder starts at the next frame header.
    return {static_cast<qint64>(std::floor(double(p) * format.nAvgBytesPerSec)),
            frames * format.nBlockSize};
}

bool SampleSupply::CopyWindow(float d, int timeRange)
{
    const int kind = info_.SampleKind;
    if (kind == 0)
        return true;
    const qint64 count = RoundHalfEven(static_cast<double>(timeRange) * info_.SampleRate / 100.0);
    const qint64 first = static_cast<qint64>(std::floor(d * info_.SampleRate));
    const Buffers &source = buffers_[static_cast<size_t>(current_)];
    const qint64 available = static_cast<qint64>(FramesOf(source));
    if (first < 0 || count < 0 || first + count > available)
        return false;
    auto copy = [first, count](const auto &from, auto &to) {
        to.assign(from.begin() + first, from.begin() + first + count);
    };
    switch (kind) {
    case 1:
        copy(source.stereo16, window_.stereo16);
        break;
    case 2:
        copy(source.mono16, window_.mono16);
        break;
    case 3:
        copy(source.stereo8, window_.stereo8);
        break;
    default:
        copy(source.mono8, window_.mono8);
        break;
    }
    return true;
}

SampleWindow SampleSupply::Window() const
{
    SampleWindow w;
    w.sampleKind = info_.SampleKind;
    w.stereo16 = window_.stereo16;
    w.mono16 = window_.mono16;
    w.stereo8 = window_.stereo8;
    w.mono8 = window_.mono8;
    return w;
}
