#pragma once

#include "analyzer/audio_decoder.h"

#include <memory>

// The general decoder over FFmpeg's libraries (libavformat, libavcodec, libswresample): any
// container they read, from a file or from memory. Positions are sample-accurate: the decoder
// seeks before the position and drops what lies before it.
class AudioFileDecoder final : public AudioDecoder
{
public:
    AudioFileDecoder();
    ~AudioFileDecoder() override;
    AudioFileDecoder(const AudioFileDecoder &) = delete;
    AudioFileDecoder &operator=(const AudioFileDecoder &) = delete;

    bool OpenFile(const QString &path) override;
    bool OpenMemory(QByteArrayView bytes) override;
    bool IsOpen() const override;
    const DecodedStreamDescription &Description() const override;
    std::size_t Read(double seconds, std::int16_t *out, std::size_t frames, int channels,
                     bool &endOfStream) override;
    bool ReadNext(std::vector<std::int16_t> &block, int channels) override;

private:
    struct State;
    std::unique_ptr<State> d;
};
