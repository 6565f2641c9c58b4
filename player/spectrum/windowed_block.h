#pragma once

#include "base/sample_window.h"

#include <complex>
#include <vector>

// Fills out[0 … N-1] (N = weights.size()) with the weighted samples of the window as complex
// values: weights[i] × the left sample of frame i as the real part and weights[i] × the right one
// as the imaginary part when both channels are asked for; else the one channel as the real part
// and zero as the imaginary part. Zero where the window holds no frame i.
void WindowComplex(const SampleWindow &window, bool left, bool right,
                   const std::vector<double> &weights, std::complex<float> *out);
