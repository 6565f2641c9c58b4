#include "support/riff_bytes.h"

void PutLittleEndian(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
}

QByteArray Le16(quint16 value)
{
    QByteArray bytes;
    PutLittleEndian(bytes, value, 2);
    return bytes;
}

QByteArray Le32(quint32 value)
{
    QByteArray bytes;
    PutLittleEndian(bytes, value, 4);
    return bytes;
}

QByteArray RiffChunk(const QByteArray &id, const QByteArray &payload)
{
    return id + Le32(quint32(payload.size())) + payload;
}

QByteArray WaveFileBytes(const WaveLayout &layout, const QByteArray &data)
{
    const quint16 blockAlign = quint16(layout.channels * layout.bits / 8);
    QByteArray fmt = Le16(layout.formatTag) + Le16(layout.channels) + Le32(layout.sampleRate) +
                     Le32(layout.sampleRate * blockAlign) + Le16(blockAlign) + Le16(layout.bits);
    fmt.append(QByteArray(qsizetype(layout.fmtSize) - fmt.size(), '\0'));
    const QByteArray body =
        "WAVE" + RiffChunk("fmt ", fmt) + layout.between + RiffChunk("data", data);
    return RiffChunk("RIFF", body);
}

QByteArray PcmWaveBytes(int channels, int bits, int rate, int frames,
                        const std::function<quint32(int frame, int channel)> &sample)
{
    const int bytesPerSample = bits / 8;
    QByteArray data;
    data.reserve(qsizetype(frames) * channels * bytesPerSample);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            PutLittleEndian(data, sample(i, c), bytesPerSample);
    WaveLayout layout;
    layout.channels = quint16(channels);
    layout.sampleRate = quint32(rate);
    layout.bits = quint16(bits);
    return WaveFileBytes(layout, data);
}
