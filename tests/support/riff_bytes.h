#pragma once

// Bytes for the tests of the file readers: little-endian numbers, RIFF chunks (AVI and WAVE)
// and whole PCM WAVE files.
#include <QByteArray>

#include <functional>

// Appends the low size bytes of value, the least significant first.
void PutLittleEndian(QByteArray &bytes, quint32 value, int size);
QByteArray Le16(quint16 value);
QByteArray Le32(quint32 value);

// The chunk id, its payload's size and the payload; an odd payload gets no pad byte, so that
// a test can add one or leave it out.
QByteArray RiffChunk(const QByteArray &id, const QByteArray &payload);

// The description of a WAVE file to build. The "fmt " chunk holds the PCM fields, padded
// with zeros to fmtSize; block align and byte rate follow from channels, bits and rate.
struct WaveLayout
{
    quint16 formatTag = 1;
    quint16 channels = 2;
    quint32 sampleRate = 44100;
    quint16 bits = 16;
    quint32 fmtSize = 16;
    QByteArray between; // chunks between "fmt " and "data"
};

// "RIFF" around "WAVE", the "fmt " chunk, layout.between and a "data" chunk holding data.
QByteArray WaveFileBytes(const WaveLayout &layout, const QByteArray &data);

// A canonical PCM WAVE file (fmt 16, nothing between it and the data) whose sample frame i
// holds sample(i, channel) in each channel, stored in the file's sample width (the low byte
// for 8 bits).
QByteArray PcmWaveBytes(int channels, int bits, int rate, int frames,
                        const std::function<quint32(int frame, int channel)> &sample);
