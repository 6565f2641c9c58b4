#pragma once

#include <cstdint>

// The frame geometry of the spectrum analyzers, in twips: the plot spans y = 600 to 600 + P,
// a dual display splits it at 600 + Q.
struct SpectrumGeometry
{
    int32_t W = 0;  // picture width
    int32_t P = 0;  // plot height: picture height - 600
    int32_t Q = 0;  // half the plot height, halves to even
    int32_t D = 8;  // decades of level shown
    double p = 0.0; // twips per decade of level
    double s = 0.0; // twips per decade of bin index
    double r = 0.0; // bins per hertz
};

// Geometry for a picture of widthTwips × heightTwips, FFT size N, the stream's sample rate and
// width, and `CH`. D is 8 for 16-bit and 6 for 8-bit samples.
SpectrumGeometry MakeSpectrumGeometry(double widthTwips, double heightTwips, int32_t N,
                                      int32_t sampleRate, int32_t bitsPerSample, uint8_t CH);

// x of the vertical grid line of frequency f: LogLevel(f·r)·s in single precision.
float GridLineX(double f, const SpectrumGeometry &geometry);
