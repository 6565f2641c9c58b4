#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// The fixed start of an ASF header object: its GUID, its size, its object count, two reserved
// bytes.
inline constexpr int kAsfHeaderStart = 30;
// Most tag records an ASF header may declare in all; real files carry a few dozen.
inline constexpr quint64 kMaxAsfRecords = 65536;

// The size of the ASF header object that a file begins with, from the file's first
// kAsfHeaderStart bytes; 0 when they are no ASF header.
quint64 AsfHeaderSize(QByteArrayView start);

// Whether a whole ASF header object holds every object it contains (those inside the header
// extension too) and the tag records these declare, by their counts and least sizes, at most
// kMaxAsfRecords in all. The tag library reads an ASF header without such checks and spends
// minutes and gigabytes on a few kilobytes that declare millions of records.
bool AsfHeaderFits(QByteArrayView header);
