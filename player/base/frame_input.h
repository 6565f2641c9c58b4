#pragma once

#include <cstdint>

// What one analyzer frame is drawn with, read afresh from the player's state on every frame:
// the display's settings, the picture area and the facts of the stream that plays. Every
// renderer takes it and reads the fields it needs.
struct FrameInput
{
    // 1 oscilloscope, 2 spectrum lines, 3 spectrum area, 4 and 5 level meter (5: markers are
    // thrown up first), 6 analog meter, 7 spectrogram, 8 loudness meter, 9 stereo field.
    std::uint8_t VSA = 2;
    std::uint8_t CH = 2;  // 0 left, 1 right, 2 both
    std::uint8_t WFT = 1; // window function
    bool FastFlag = false;
    std::int16_t NumFftNormal = 0; // FFT size choices, 0 = 1024 … 4 = 16384
    std::int16_t NumFftFast = 0;
    int width = 6000;            // W of the picture area, twips
    int height = 3600;           // H of the picture area, twips
    std::uint8_t TimeRange = 10; // window length in 10 ms steps
    std::int32_t SampleRate = 44100;
    std::int32_t BitsPerSample = 16;
    std::int32_t FullScale = 32768;
    // Spectrum analyzer A's peak-hold trace: how fast it falls, dB a second; 0 shows none.
    std::int16_t PeakFall = 0;
};
