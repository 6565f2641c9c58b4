#pragma once

// Sample data and the fft module for the tests of the analyzer displays.
#include <cstdint>
#include <vector>

class FftEngine;

// count 16-bit samples of a sine of the given frequency and amplitude at the given rate.
std::vector<int16_t> Sine(double frequency, int rate, int count, double amplitude);
// 32-bit stereo frames: low half the left sample, high half the right one.
std::vector<uint32_t> Stereo(const std::vector<int16_t> &left, const std::vector<int16_t> &right);
// The fft module of the build, bound once for the whole test program.
FftEngine &BuiltFftEngine();
