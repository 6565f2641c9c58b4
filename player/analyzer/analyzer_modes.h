#pragma once

// Facts about the analyzer modes (`VSA`) that the window, the menus and the panel share.
namespace AnalyzerModes {

// Modes 0 to 9: none, oscilloscope, spectrum analyzers A and B, digital level meters A and B,
// analog level meter, spectrogram, loudness meter, stereo field.
inline constexpr int kCount = 10;
inline constexpr int kSpectrogram = 7;
inline constexpr int kLoudness = 8;
inline constexpr int kStereoField = 9;

// The modes that may use the large analyzer area.
inline bool LargeAreaAllowed(int mode)
{
    return (mode >= 1 && mode <= 3) || mode == kSpectrogram || mode == kStereoField;
}

// The modes that need the fft module.
inline bool NeedsFft(int mode)
{
    return (mode >= 2 && mode <= 5) || mode == kSpectrogram;
}

} // namespace AnalyzerModes
