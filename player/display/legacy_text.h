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
