#pragma once

#include <cstdint>

// The C interface of the fft module (libfft.so). The module defines `fft_double` and
// `fft_float`; the player binds them by name at run time and takes their types from here.
//
// Unscaled forward discrete Fourier transform of n points:
// Y[k] = Σ (xr[m] + i·xi[m])·e^(-2πi·km/n) for k = 0 … n - 1, written to yr and yi. The inputs
// are left unchanged; flag is reserved and ignored.
extern "C" __attribute__((visibility("default"))) void
fft_double(std::int32_t n, std::int32_t flag, double *xr, double *xi, double *yr, double *yi);

// The same transform in single precision on interleaved complex values: x holds the n points
// as (re, im) pairs, 2n floats, and is left unchanged; y receives the n bins the same way.
// Half the memory of the double form, and no splitting: what a display running a hundred
// frames a second needs. x and y may be any arrays of 2n floats, even the same one.
extern "C" __attribute__((visibility("default"))) void fft_float(std::int32_t n, const float *x,
                                                                 float *y);
