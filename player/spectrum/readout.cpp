#include "spectrum/readout.h"

#include "base/twips.h"
#include "spectrum/colour_map.h"
#include "spectrum/fft_sizes.h"
#include "spectrum/spectrum_geometry.h"

#include <QHash>

#include <cmath>

namespace {

constexpr int kTopBand = 600; // twips above the plot of the spectrum analyzers and spectrogram

// Decades of level the displays show for the stream's sample width.
int32_t Decades(const FrameInput &input)
{
    return input.BitsPerSample == 8 ? 6 : 8;
}

int32_t FftSize(const FrameInput &input)
{
    return FrameFftSize(input.FastFlag, input.NumFftNormal, input.NumFftFast);
}

// The frequency of a point `fraction` of the way up the logarithmic bin axis (0 bin 1, 1 bin
// N/2).
double FrequencyAtFraction(double fraction, const FrameInput &input)
{
    const int32_t N = FftSize(input);
    const double bin = std::pow(N / 2.0, fraction);
    return bin * input.SampleRate / N;
}

} // namespace

NoteReading NearestNote(double hz)
{
    static const char *const names[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                          "F#", "G",  "G#", "A",  "A#", "B"};
    NoteReading note;
    if (!(hz > 0))
        return note;
    // Semitones from C0 (A4 is 57 above it).
    const double semitones = 57.0 + 12.0 * std::log2(hz / 440.0);
    const long nearest = std::lround(semitones);
    note.cents = static_cast<int>(std::lround((semitones - double(nearest)) * 100.0));
    const long octave = static_cast<long>(std::floor(double(nearest) / 12.0));
    const long within = nearest - octave * 12;
    note.name = QString::fromLatin1(names[within]) + QString::number(octave);
    return note;
}

QString ReadoutText(const Readout &readout)
{
    const NoteReading note = NearestNote(readout.hz);
    QString text = readout.hz >= 1000 ? QString::number(readout.hz, 'f', 0)
                                      : QString::number(readout.hz, 'f', 1);
    text += QStringLiteral(" Hz  ") + note.name + QLatin1Char(' ') +
            (note.cents >= 0 ? QLatin1Char('+') : QLatin1Char('-')) +
            QString::number(std::abs(note.cents)) + QChar(0x00A2);
    if (readout.db)
        text += QStringLiteral("  ") + QString::number(*readout.db, 'f', 1) + QStringLiteral(" dB");
    return text;
}

double SpectrumFrequencyAt(double xTwips, const FrameInput &input)
{
    return FrequencyAtFraction(xTwips / input.width, input);
}

std::optional<Readout> SpectrumReadoutAt(int x, int y, const FrameInput &input,
                                         const ChannelSpectra &spectra)
{
    const int width = TwipsToPixelDown(input.width), foot = TwipsToPixelDown(input.height);
    const int top = TwipsToPixelDown(kTopBand);
    if (x < 0 || x >= width || y < top || y >= foot || input.SampleRate <= 0)
        return std::nullopt;
    Readout readout;
    // The middle of the pixel column.
    readout.hz = SpectrumFrequencyAt((x + 0.5) * TwipsPerPixel, input);
    const int32_t N = FftSize(input);
    if (spectra.Size() == N) {
        const SpectrumGeometry g = MakeSpectrumGeometry(
            input.width, input.height, N, input.SampleRate, input.BitsPerSample, input.CH);
        const int channel = input.CH == 2 ? (y * TwipsPerPixel < kTopBand + g.Q ? 0 : 1) : input.CH;
        // The strongest bin the pixel column covers, as the trace shows it; the nearest one
        // where the column lies between two bins.
        const double perHz = double(N) / input.SampleRate;
        const auto first =
            static_cast<int32_t>(std::ceil(SpectrumFrequencyAt(x * TwipsPerPixel, input) * perHz));
        const auto last = static_cast<int32_t>(
            std::floor(SpectrumFrequencyAt((x + 1) * TwipsPerPixel, input) * perHz));
        double power = 0;
        if (first > last)
            power = spectra.Power(channel,
                                  std::clamp(static_cast<int32_t>(std::lround(readout.hz * perHz)),
                                             int32_t{1}, N / 2));
        for (int32_t bin = std::max(first, int32_t{1}); bin <= std::min(last, N / 2); ++bin)
            power = std::max(power, spectra.Power(channel, bin));
        const int32_t D = Decades(input);
        readout.db =
            power > 0 ? std::max(10.0 * std::log10(power) - 20.0 * D, -20.0 * D) : -20.0 * D;
    }
    return readout;
}

std::optional<Readout> SpectrogramReadoutAt(int x, int y, const FrameInput &input, QRgb shown)
{
    const SpectrumGeometry g = MakeSpectrumGeometry(
        input.width, input.height, FftSize(input), input.SampleRate, input.BitsPerSample, input.CH);
    const int width = TwipsToPixelDown(g.W);
    const int top = TwipsToPixelDown(kTopBand);
    const int foot = TwipsToPixelDown(kTopBand + g.P);
    if (x < 0 || x >= width || y < top || y >= foot || input.SampleRate <= 0)
        return std::nullopt;
    // The area under the point: the only one, or in dual mode the upper or the lower half
    // (below the white line between them).
    int areaTop = top, areaHeight = foot - top;
    if (input.CH == 2) {
        const int middle = TwipsToPixelDown(kTopBand + g.Q);
        if (y == middle)
            return std::nullopt;
        areaTop = y < middle ? top : middle + 1;
        areaHeight = y < middle ? middle - top : foot - (middle + 1);
    }
    if (areaHeight <= 0)
        return std::nullopt;
    Readout readout;
    const double above = areaHeight - 1 - (y - areaTop) + 0.5;
    readout.hz = FrequencyAtFraction(above / areaHeight, input);
    // The colour's entry of the map: entry i shows levels about i / 255 of the range.
    static const QHash<QRgb, int> entries = [] {
        QHash<QRgb, int> e;
        const std::array<QRgb, 256> &map = LevelColourMap();
        for (int i = 255; i >= 0; --i)
            e.insert(map[static_cast<std::size_t>(i)] & 0xFFFFFFu, i);
        return e;
    }();
    const auto entry = entries.constFind(shown & 0xFFFFFFu);
    if (entry != entries.constEnd()) {
        const int32_t D = Decades(input);
        readout.db = 20.0 * D * (*entry / 255.0 - 1.0);
    }
    return readout;
}
