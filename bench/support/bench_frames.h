#pragma once

#include "spectrum/fft_engine.h"

#include <cstdint>
#include <vector>

// The FFT size the frame benchmarks run at: the largest the panel offers.
constexpr int kBenchFftSize = 16384;

// The fft module beside the benchmark program, bound once.
FftEngine &BenchFftEngine();

// Music-like stereo frames (a few tones and some noise in each channel), kBenchFftSize of
// them, packed as the sample supply packs 16-bit stereo.
const std::vector<uint32_t> &MusicLikeFrames();
