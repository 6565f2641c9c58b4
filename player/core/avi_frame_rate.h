#pragma once

#include <QString>

class ByteSource;

// Frame rate of an AVI file from its first stream header (rate / scale). The header sits at a
// fixed place when the header list begins with the 56-byte main header; otherwise the header
// list is walked to find it. 0 when there is no such header or its scale is 0.
float ReadAviFrameRate(const ByteSource &source);
float ReadAviFrameRate(const QString &path);
