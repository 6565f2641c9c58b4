#pragma once

#include <QByteArray>
#include <QString>

// Largest hand-off payload in bytes; anything longer is refused by the receiver.
inline constexpr qsizetype MaxHandoffBytes = 1024 * 1024;

// The byte a receiver sends back once it has taken a hand-off.
inline constexpr char HandoffAck = 0x06;

// Cuts text so that its UTF-8 form fits in MaxHandoffBytes, dropping whole trailing lines
// (names) rather than cutting one in the middle.
QString FitHandoffText(const QString &text);

// One hand-off message: the magic "LUMO", the payload length as a 32-bit big-endian number,
// and the text in UTF-8. The text must already fit (FitHandoffText).
QByteArray EncodeHandoffFrame(const QString &text);

// Collects the bytes of one hand-off message as they arrive and judges them as early as
// possible: a wrong magic, a length above MaxHandoffBytes, bytes after the message or a
// payload that is not UTF-8 make it invalid for good.
class HandoffFrameReader
{
public:
    enum class State { Incomplete, Complete, Invalid };

    State Feed(const QByteArray &bytes);
    State CurrentState() const { return state; }
    // The received text; valid once the state is Complete.
    QString Text() const { return text; }

private:
    State Judge();

    QByteArray buffer;
    QString text;
    State state = State::Incomplete;
};
