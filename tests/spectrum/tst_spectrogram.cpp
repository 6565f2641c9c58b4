#include "spectrum/fft_engine.h"
#include "spectrum/spectrogram.h"

#include "support/test_signals.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <vector>

// Spectrogram frames drawn into an image and read back pixel by pixel.
class TestSpectrogram : public QObject
{
    Q_OBJECT

private slots:
    void toneLightsItsRow_data();
    void toneLightsItsRow();
    void historyKeepsPausesAndForgetsSeeks_data();
    void historyKeepsPausesAndForgetsSeeks();
};

namespace {

constexpr int kRate = 44100;

int Brightness(QRgb c)
{
    return qRed(c) + qGreen(c) + qBlue(c);
}

// The row of an area that the logarithmic axis gives a frequency: the foot is bin 1, the top
// bin N/2, each pixel row one slice of log10 of the bin.
int ExpectedRow(double frequency, int N, int top, int height)
{
    const double bin = frequency * N / kRate;
    const double above = std::log10(bin) / std::log10(N / 2.0) * height;
    return top + height - 1 - static_cast<int>(std::floor(above));
}

// The brightest row of column x between the rows first and last.
int BrightestRow(const QImage &image, int x, int first, int last)
{
    int best = first;
    for (int y = first; y <= last; ++y)
        if (Brightness(image.pixel(x, y)) > Brightness(image.pixel(x, best)))
            best = y;
    return best;
}

SampleWindow Window(const std::vector<uint32_t> &frames)
{
    SampleWindow window;
    window.sampleKind = 1;
    window.stereo16 = frames;
    return window;
}

} // namespace

void TestSpectrogram::toneLightsItsRow_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<int>("fftIndex");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("heightPixels");
    QTest::newRow("1 kHz, left, 4096") << 1000.0 << 5000.0 << 2 << 0 << 240;
    QTest::newRow("5 kHz, right, 1024") << 1000.0 << 5000.0 << 0 << 1 << 240;
    QTest::newRow("1 kHz, large, 16384") << 1000.0 << 200.0 << 4 << 0 << 360;
    QTest::newRow("dual, 1 kHz above, 200 Hz below") << 1000.0 << 200.0 << 3 << 2 << 360;
}

void TestSpectrogram::toneLightsItsRow()
{
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(int, fftIndex);
    QFETCH(int, channel);
    QFETCH(int, heightPixels);
    const int width = heightPixels == 360 ? 640 : 400;
    const std::vector<uint32_t> frames =
        Stereo(Sine(left, kRate, 16384, 12000), Sine(right, kRate, 16384, 12000));
    QImage image(width, heightPixels, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FrameInput settings;
    settings.SampleRate = kRate;
    settings.CH = static_cast<uint8_t>(channel);
    settings.NumFftNormal = static_cast<int16_t>(fftIndex);
    settings.width = width * 15;
    settings.height = heightPixels * 15;
    SpectrogramState state;
    QVERIFY(DrawSpectrogramFrame(painter, Window(frames), settings, 0.0, state, BuiltFftEngine()));
    painter.end();

    const int N = 1024 << fftIndex;
    const int top = 40, foot = heightPixels - 1;
    const int newest = width - 1;
    if (channel == 2) {
        const int middle = 40 + ((heightPixels * 15 - 600) / 2) / 15;
        QCOMPARE(BrightestRow(image, newest, top, middle - 1),
                 ExpectedRow(left, N, top, middle - top));
        QVERIFY(qAbs(BrightestRow(image, newest, middle + 1, foot) -
                     ExpectedRow(right, N, middle + 1, foot - middle)) <= 1);
    } else {
        const double frequency = channel == 1 ? right : left;
        QVERIFY2(qAbs(BrightestRow(image, newest, top, foot) -
                      ExpectedRow(frequency, N, top, foot - top + 1)) <= 1,
                 qPrintable(QString::number(BrightestRow(image, newest, top, foot))));
    }
    // The column of an older frame is still empty: one frame draws one column.
    QCOMPARE(Brightness(image.pixel(newest - 1, ExpectedRow(left, N, top, foot - top + 1))), 0);
}

void TestSpectrogram::historyKeepsPausesAndForgetsSeeks_data()
{
    QTest::addColumn<double>("secondPosition");
    QTest::addColumn<bool>("kept");
    QTest::newRow("paused") << 12.0 << true;
    QTest::newRow("playing on") << 12.04 << true;
    QTest::newRow("seek back") << 3.0 << false;
    QTest::newRow("seek ahead") << 40.0 << false;
}

void TestSpectrogram::historyKeepsPausesAndForgetsSeeks()
{
    QFETCH(double, secondPosition);
    QFETCH(bool, kept);
    const std::vector<uint32_t> tone =
        Stereo(Sine(1000, kRate, 4096, 12000), Sine(1000, kRate, 4096, 12000));
    const std::vector<uint32_t> silence(4096, 0);
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    FrameInput settings;
    settings.SampleRate = kRate;
    settings.CH = 0;
    settings.NumFftNormal = 2;
    SpectrogramState state;
    DrawSpectrogramFrame(painter, Window(tone), settings, 12.0, state, BuiltFftEngine());
    DrawSpectrogramFrame(painter, Window(silence), settings, secondPosition, state,
                         BuiltFftEngine());
    painter.end();
    const int row = ExpectedRow(1000, 4096, 40, 200);
    QCOMPARE(Brightness(image.pixel(398, row)) > 300, kept);
    QVERIFY(Brightness(image.pixel(399, row)) < 100);
}

QTEST_MAIN(TestSpectrogram)
#include "tst_spectrogram.moc"
