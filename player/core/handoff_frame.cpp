#include "core/handoff_frame.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

constexpr char TextMagic[4] = {'L', 'U', 'M', 'O'};
constexpr char NamesMagic[4] = {'L', 'U', 'M', 'N'};
constexpr qsizetype MagicBytes = 4;
constexpr qsizetype HeaderBytes = 8;

QByteArray Frame(const char (&magic)[4], const QByteArray &payload)
{
    QByteArray frame(magic, MagicBytes);
    char length[4];
    qToBigEndian<quint32>(quint32(payload.size()), length);
    frame.append(length, sizeof length);
    frame.append(payload);
    return frame;
}

// Whether the bytes seen so far can still be the start of the given magic.
bool MayBe(const QByteArray &buffer, const char (&magic)[4])
{
    const qsizetype seen = qMin(buffer.size(), MagicBytes);
    return QByteArrayView(buffer).first(seen) == QByteArrayView(magic, seen);
}

} // namespace

QList<QByteArray> FitHandoffNames(const QList<QByteArray> &names)
{
    QList<QByteArray> fitting;
    qsizetype bytes = 0;
    for (const QByteArray &name : names) {
        if (name.isEmpty() || name.contains('\0'))
            continue;
        if (bytes + name.size() + 1 > MaxHandoffBytes)
            break;
        bytes += name.size() + 1;
        fitting.append(name);
    }
    return fitting;
}

QByteArray EncodeHandoffNames(const QList<QByteArray> &names)
{
    QByteArray payload;
    for (const QByteArray &name : names)
        payload.append(name).append('\0');
    return Frame(NamesMagic, payload);
}

QByteArray EncodeHandoffFrame(const QString &text)
{
    return Frame(TextMagic, text.toUtf8());
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
    const bool mayBeText = MayBe(buffer, TextMagic);
    const bool mayBeNames = MayBe(buffer, NamesMagic);
    if (!mayBeText && !mayBeNames)
        return State::Invalid;
    if (buffer.size() < HeaderBytes)
        return State::Incomplete;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData() + MagicBytes);
    if (length > quint32(MaxHandoffBytes))
        return State::Invalid;
    const qsizetype total = HeaderBytes + qsizetype(length);
    if (buffer.size() < total)
        return State::Incomplete;
    if (buffer.size() > total)
        return State::Invalid;
    const QByteArrayView payload = QByteArrayView(buffer).sliced(HeaderBytes);
    hasNames = mayBeNames;
    if (hasNames) {
        if (!payload.isEmpty() && !payload.endsWith('\0'))
            return State::Invalid;
        for (const QByteArray &name : payload.toByteArray().split('\0'))
            if (!name.isEmpty())
                names.append(name);
        buffer.clear();
        return State::Complete;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(payload);
    buffer.clear();
    return decoder.hasError() ? State::Invalid : State::Complete;
}
