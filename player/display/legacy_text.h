#pragma once

#include <QByteArrayView>
#include <QString>

// Text written by older, non-Unicode tools (ID3 version 1 titles, ID3 version 2 text with
// encoding 0, MIDI track names): bytes that are valid UTF-8 are read as UTF-8, any others as
// CP932 (Shift-JIS), so Japanese titles of older tools read correctly. A UTF-8 sequence cut off
// at the very end (a field filled to its last byte) still counts as UTF-8 and is dropped.
QString DecodeLegacyText(QByteArrayView bytes);

// CP932 bytes as text; a byte that is no CP932 code becomes U+FFFD, a lead byte at the end
// without its second byte is dropped.
QString DecodeCp932(QByteArrayView bytes);

// Text of ID3 version 2 frames with encoding byte 0, which the tag standard makes ISO-8859-1
// while Japanese taggers wrote CP932 there: valid UTF-8 is read as UTF-8, bytes that are valid
// CP932 with at least one double-byte character (none of them user-defined) as CP932, anything
// else as ISO-8859-1.
QString DecodeLatin1OrCp932(QByteArrayView bytes);
