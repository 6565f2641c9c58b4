#pragma once

#include "base/sample_window.h"

#include <vector>

// Fills out[0 … N-1] (N = weights.size()) with the weighted samples of one channel of the
// window: weights[i] × sample of frame i, and 0 where the window holds no frame i.
void WindowChannel(const SampleWindow &window, bool right, const std::vector<double> &weights,
                   double *out);
// Both channels of the window in one pass: left and right each as WindowChannel fills them.
void WindowChannels(const SampleWindow &window, const std::vector<double> &weights, double *left,
                    double *right);
