#pragma once

#include <cstdint>

// The C interface of the fft module (libfft.so). The module defines `fft_double`; the player
// binds it by name at run time and takes its type from here.
//
// Unscaled forward discrete Fourier transform of n points:
// Y[k] = Σ (xr[m] + i·xi[m])·e^(-2πi·km/n) for k = 0 … n - 1, written to yr and yi. The inputs
// are left unchanged; flag is reserved and ignored.
extern "C" __attribute__((visibility("default"))) void
fft_double(std::int32_t n, std::int32_t flag, double *xr, double *xi, double *yr, double *yi);
