#pragma once

#include <QString>

class ByteSource;

// Frame rate of an AVI file from its first stream header (rate / scale), where a file whose
// header list begins with the main header has it; 0 when the file is shorter than that header
// or its scale is 0.
float ReadAviFrameRate(const ByteSource &source);
float ReadAviFrameRate(const QString &path);
