#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// What the container says about the audio stream the decoder chose.
struct DecodedStreamDescription
{
    int sampleRate = 0;
    int channels = 0;
    // Bits per sample of the stored samples; 0 when the codec has no such width (lossy).
    int bitsPerSample = 0;
    std::int64_t bitRate = 0; // bits per second, 0 when unknown
    double seconds = 0;       // duration, 0 when unknown
};

// The general decoder: the best audio stream of any container the audio decoder module reads,
// from a file or from memory, decoded into 16-bit samples with one or two channels. Positions
// are sample-accurate; more than two channels give the front left and right ones; float and
// wider samples are scaled. Nested files and network addresses named inside a file are never
// opened; every call is bounded in time.
class AudioDecoder
{
public:
    virtual ~AudioDecoder() = default;

    // Opens a regular file; false when it holds no audio stream that can be decoded.
    virtual bool OpenFile(const QString &path) = 0;
    // Opens bytes in memory, which must outlive the decoder.
    virtual bool OpenMemory(QByteArrayView bytes) = 0;
    virtual bool IsOpen() const = 0;
    virtual const DecodedStreamDescription &Description() const = 0;

    // Writes up to `frames` interleaved sample frames of `channels` (1 or 2) 16-bit samples
    // that start at `seconds` into out. Returns the frames written; endOfStream is set when
    // the stream ended before `frames` were found.
    virtual std::size_t Read(double seconds, std::int16_t *out, std::size_t frames, int channels,
                             bool &endOfStream) = 0;

    // Decodes on from where the last call stopped (the start of the stream after the open)
    // and puts the next decoded frame's samples, in `channels` (1 or 2) interleaved 16-bit
    // channels, into block: for reading a whole stream in order. False at the end of the
    // stream or when nothing more can be decoded.
    virtual bool ReadNext(std::vector<std::int16_t> &block, int channels) = 0;
};

// The one export of the audio decoder module (libaudiodecoder.so): a new decoder, which the
// caller owns and deletes. The player binds it by name at run time and takes its type from here.
extern "C" __attribute__((visibility("default"))) AudioDecoder *NewAudioDecoder();
