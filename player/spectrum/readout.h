#pragma once

#include "base/frame_input.h"
#include "spectrum/channel_spectra.h"

#include <QRgb>
#include <QString>

#include <optional>

// The nearest note of equal temperament (A4 = 440 Hz) to a frequency: its name with the
// octave ("A4", "C#5") and how far the frequency lies from it in cents (-50 … +50).
struct NoteReading
{
    QString name;
    int cents = 0;
};
NoteReading NearestNote(double hz);

// What the mouse points at on a frequency display: the frequency and, where known, the level
// in dB below full scale.
struct Readout
{
    double hz = 0;
    std::optional<double> db;
};

// The text of a readout: "1000 Hz  B5 +21¢  -23.4 dB".
QString ReadoutText(const Readout &readout);

// The frequency at x twips from the left of a spectrum analyzer picture drawn with `input`
// (the inverse of its logarithmic axis: bin 1 at x = 0, bin N/2 at the right edge).
double SpectrumFrequencyAt(double xTwips, const FrameInput &input);

// The readout at pixel (x, y) of a spectrum analyzer picture drawn with `input`, the level
// (the strongest bin under the pixel column) taken from the last frame's spectra (the upper half
// the left channel, the lower the right, in dual mode); nothing above the plot or outside the
// picture.
std::optional<Readout> SpectrumReadoutAt(int x, int y, const FrameInput &input,
                                         const ChannelSpectra &spectra);

// The readout at pixel (x, y) of a spectrogram picture drawn with `input`, the level from the
// colour the waterfall shows there (`shown`, that moment of the history); nothing outside the
// waterfall's areas.
std::optional<Readout> SpectrogramReadoutAt(int x, int y, const FrameInput &input, QRgb shown);
