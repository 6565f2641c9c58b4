#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

class ByteSource;

// Logical shifts of the 32-bit pattern of value, done with signed arithmetic and masks only.
// shift is 0 to 31; a shift outside that range moves every bit out and gives 0.
qint32 SL(qint32 value, int shift);
qint32 SR(qint32 value, int shift);

// Title of an MP3 file: the ID3 version 1 title when the file ends with that tag, otherwise the
// "TIT2" frame of an ID3 version 2 tag at its start. fileName (the file name with its extension)
// when the file carries no such tag; empty when the file is too short or the tag is damaged,
// so that the caller falls back to the title of the path.
QString ReadMp3Title(const ByteSource &source, const QString &fileName);
QString ReadMp3Title(const QString &path);

// Title of a standard MIDI file: the first text or track-name event of the first track.
// Empty without "MThd" and for a damaged file; fileName when the first track has no such
// event. Only the first kMidiScanLimit bytes of the file are examined.
QString ReadMidiTitle(const ByteSource &source, const QString &fileName);
QString ReadMidiTitle(const QString &path);

inline constexpr qint64 kMidiScanLimit = 1024 * 1024;

// Text of a "TIT2" frame's content (encoding byte first), decoded by its encoding, cut at the
// first terminator, without control characters and surrounding spaces.
QString DecodeId3Text(QByteArrayView content);
