#pragma once

#include "core/play_list.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Largest hand-off payload in bytes: as many names as the play list holds, each as long as the
// longest path the system takes (4095 bytes and its terminating NUL). Anything longer is
// refused by the receiver.
inline constexpr qsizetype MaxHandoffBytes = qsizetype(PlayList::Capacity) * 4096;

// The byte a receiver sends back once it has taken a hand-off.
inline constexpr char HandoffAck = 0x06;

// Keeps the leading names whose message fits in MaxHandoffBytes; empty names and names
// holding a NUL (which no file name does) are left out.
QList<QByteArray> FitHandoffNames(const QList<QByteArray> &names);

// A hand-off message of file names: the magic "LUMN", the payload length as a 32-bit
// big-endian number, and each name's bytes as the system spells them, each followed by a NUL.
// The names must already fit (FitHandoffNames).
QByteArray EncodeHandoffNames(const QList<QByteArray> &names);

// A hand-off message of one text: the magic "LUMO", the length, and the text in UTF-8. Still
// taken by receivers; the text goes to the hand-off parser as it is.
QByteArray EncodeHandoffFrame(const QString &text);

// Collects the bytes of one hand-off message as they arrive and judges them as early as
// possible: a wrong magic, a length above MaxHandoffBytes, bytes after the message, a text
// that is not UTF-8 or names not ended by a NUL make it invalid for good.
class HandoffFrameReader
{
public:
    enum class State { Incomplete, Complete, Invalid };

    State Feed(const QByteArray &bytes);
    State CurrentState() const { return state; }
    // Bytes taken so far of a message not yet judged complete.
    qsizetype Buffered() const { return buffer.size(); }
    // Whether the message carried names (else a text); valid once the state is Complete.
    bool HasNames() const { return hasNames; }
    // The received text, or the received names; valid once the state is Complete.
    QString Text() const { return text; }
    QList<QByteArray> Names() const { return names; }

private:
    State Judge();

    QByteArray buffer;
    QString text;
    QList<QByteArray> names;
    bool hasNames = false;
    State state = State::Incomplete;
};
