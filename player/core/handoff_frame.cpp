#include "core/handoff_frame.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

constexpr char Magic[4] = {'L', 'U', 'M', 'O'};
constexpr qsizetype HeaderBytes = 8;

} // namespace

QString FitHandoffText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= MaxHandoffBytes)
        return text;
    // A line feed is one byte in UTF-8 and never inside another character's bytes.
    const qsizetype lastFeed = utf8.lastIndexOf('\n', MaxHandoffBytes);
    return lastFeed < 0 ? QString() : QString::fromUtf8(utf8.left(lastFeed));
}

QByteArray EncodeHandoffFrame(const QString &text)
{
    const QByteArray payload = text.toUtf8();
    QByteArray frame(Magic, sizeof Magic);
    char length[4];
    qToBigEndian<quint32>(quint32(payload.size()), length);
    frame.append(length, sizeof length);
    frame.append(payload);
    return frame;
}

HandoffFrameReader::State HandoffFrameReader::Feed(const QByteArray &bytes)
{
    if (state == State::Incomplete) {
        buffer.append(bytes);
        state = Judge();
    } else if (!bytes.isEmpty()) {
        state = State::Invalid;
    }
    if (state == State::Invalid)
        buffer.clear();
    return state;
}

HandoffFrameReader::State HandoffFrameReader::Judge()
{
    const qsizetype magicSeen = qMin<qsizetype>(buffer.size(), sizeof Magic);
    if (QByteArrayView(buffer).first(magicSeen) != QByteArrayView(Magic, magicSeen))
        return State::Invalid;
    if (buffer.size() < HeaderBytes)
        return State::Incomplete;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData() + sizeof Magic);
    if (length > quint32(MaxHandoffBytes))
        return State::Invalid;
    const qsizetype total = HeaderBytes + qsizetype(length);
    if (buffer.size() < total)
        return State::Incomplete;
    if (buffer.size() > total)
        return State::Invalid;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(QByteArrayView(buffer).sliced(HeaderBytes));
    buffer.clear();
    return decoder.hasError() ? State::Invalid : State::Complete;
}
