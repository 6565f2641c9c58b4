#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <vector>

// Decodes a frame-aligned range of MPEG audio bytes into interleaved 16-bit PCM with the
// given channel count, through libmpg123's feed interface. The decoder lives only for the
// call and is released on every path. Returns false when nothing could be decoded.
bool DecodeMpegAudio(QByteArrayView input, int sampleRate, int channels,
                     std::vector<std::int16_t> &pcm);
