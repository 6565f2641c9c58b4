#include "spectrum/readout.h"

#include "base/twips.h"
#include "spectrum/spectrum_geometry.h"
#include "spectrum/window_functions.h"
#include "support/sample_windows.h"
#include "support/test_signals.h"

#include <QTest>

#include <cmath>

// The readout under the mouse: frequency and note at known places of the logarithmic axis.
class TestReadout : public QObject
{
    Q_OBJECT

private slots:
    void readsFrequencyAndNote_data()
    {
        QTest::addColumn<int>("mode"); // 2 spectrum analyzer, 7 spectrogram
        QTest::addColumn<int>("fftSize");
        QTest::addColumn<double>("hz");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("cents");
        QTest::newRow("spectrum 1 kHz") << 2 << 0 << 1000.0 << "B5" << 21;
        QTest::newRow("spectrum 440 Hz") << 2 << 0 << 440.0 << "A4" << 0;
        QTest::newRow("spectrum 440 Hz, N 16384") << 2 << 4 << 440.0 << "A4" << 0;
        QTest::newRow("spectrogram 1 kHz") << 7 << 2 << 1000.0 << "B5" << 21;
        QTest::newRow("spectrogram 440 Hz") << 7 << 2 << 440.0 << "A4" << 0;
    }

    // Where the display's grid puts a frequency, the readout of that pixel reads it to within
    // a pixel's width of the axis, with its note; the note of the exact frequency is exact.
    void readsFrequencyAndNote()
    {
        QFETCH(int, mode);
        QFETCH(int, fftSize);
        QFETCH(double, hz);
        QFETCH(QString, note);
        QFETCH(int, cents);
        const NoteReading exact = NearestNote(hz);
        QCOMPARE(exact.name, note);
        QCOMPARE(exact.cents, cents);

        FrameInput input;
        input.VSA = static_cast<std::uint8_t>(mode);
        input.CH = 0;
        input.NumFftNormal = static_cast<std::int16_t>(fftSize);
        input.SampleRate = 44100;
        const int32_t N = 1024 << fftSize;
        std::optional<Readout> reading;
        double pixelSpan = 0; // how much frequency one pixel of the axis covers, as a ratio
        if (mode == 2) {
            const SpectrumGeometry g =
                MakeSpectrumGeometry(input.width, input.height, N, input.SampleRate, 16, input.CH);
            const float x = GridLineX(hz, g);
            QVERIFY(std::fabs(SpectrumFrequencyAt(x, input) / hz - 1.0) < 1e-5);
            reading = SpectrumReadoutAt(TwipsToPixelDown(int(x)), 100, input, ChannelSpectra());
            pixelSpan = std::pow(N / 2.0, double(TwipsPerPixel) / input.width);
        } else {
            const int top = 40, foot = input.height / TwipsPerPixel; // rows of the waterfall
            const SpectrumGeometry axis = MakeSpectrumGeometry(double((foot - top) * TwipsPerPixel),
                                                               0, N, input.SampleRate, 16, 0);
            const int y = foot - 1 - TwipsToPixelDown(int(GridLineX(hz, axis)));
            reading = SpectrogramReadoutAt(10, y, input, qRgb(0, 0, 0));
            pixelSpan = std::pow(N / 2.0, 1.0 / (foot - top));
        }
        QVERIFY(reading);
        QVERIFY2(reading->hz / hz < pixelSpan && hz / reading->hz < pixelSpan,
                 qPrintable(QString::number(reading->hz)));
        QVERIFY(ReadoutText(*reading).contains(QStringLiteral(" Hz  ") + note + QLatin1Char(' ')));
    }

    // Over a sine's peak the readout gives the level the trace is drawn at: a Hann-weighted
    // sine of amplitude A has |X| = N A / 4 at its bin, less at most 1.5 dB between bins.
    void readsTheLevelOfTheTrace()
    {
        FrameInput input;
        input.VSA = 2;
        input.CH = 0;
        input.NumFftNormal = 2;
        const int32_t N = 4096;
        const double amplitude = 16384;
        const std::vector<int16_t> sine = Sine(1000, 44100, N, amplitude);
        ChannelSpectra spectra;
        WindowTable table;
        spectra.Compute(Mono16Window(sine), table.Weights(input.WFT, N), true, false,
                        BuiltFftEngine());
        const SpectrumGeometry g =
            MakeSpectrumGeometry(input.width, input.height, N, input.SampleRate, 16, input.CH);
        const int x = TwipsToPixelDown(int(GridLineX(1000, g)));
        const std::optional<Readout> reading = SpectrumReadoutAt(x, 100, input, spectra);
        QVERIFY(reading && reading->db);
        const double expected = 20.0 * std::log10(N * amplitude / 4.0) - 160.0;
        QVERIFY2(*reading->db <= expected + 0.1 && *reading->db >= expected - 1.6,
                 qPrintable(QStringLiteral("%1 %2").arg(*reading->db).arg(expected)));
    }
};

QTEST_MAIN(TestReadout)
#include "tst_readout.moc"
