#pragma once

#include <QByteArrayView>

#include <cstddef>

// Decodes a range of MPEG audio bytes into interleaved 16-bit PCM with the given channel
// count and rate, through libmpg123's feed interface, writing at most capacity bytes to
// out. Frames that begin within the first prerollBytes of the input are decoded but not
// written: they only prime the bit reservoir and the synthesis filter, so that the first
// frame written sounds as it does in continuous playback. The decoder lives only for the
// call and is released on every path. Returns the bytes written (whole sample frames), 0
// when nothing could be decoded.
std::size_t DecodeMpegAudio(QByteArrayView input, int sampleRate, int channels, void *out,
                            std::size_t capacity, std::size_t prerollBytes = 0);
