#include "spectrum/bin_walk.h"
#include "spectrum/fft_engine.h"
#include "spectrum/level_meter.h"
#include "spectrum/level_meter_bands.h"

#include "support/sample_windows.h"
#include "support/test_signals.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

// The 24-band digital level meters: band maths, marker motion and drawn frames.
class TestLevelMeter : public QObject
{
    Q_OBJECT

private slots:
    void barAndMarkerColumns();
    void binsOfBands_data();
    void binsOfBands();
    void fastTableAt1024LeavesLowBandsEmpty();
    void highBandIsSampledEveryTenthBin();
    void markerModeA();
    void markerModeB();
    void markerAtFullHold();
    void newPeakStopsTheMarker();
    void tallestBarHoldsTheTone_data();
    void tallestBarHoldsTheTone();
    void barFallsAtTheFallRate();
    void channelChoice_data();
    void channelChoice();
    void oddInputDrawsSafely_data();
    void oddInputDrawsSafely();
};

namespace {

const QColor kYellow(255, 255, 0);

// An 8 × 200 bar image whose row y has the colour (y, 255 - y, 77).
QImage BarImage()
{
    QImage bar(8, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 8; ++x)
            bar.setPixelColor(x, y, QColor(y, 255 - y, 77));
    return bar;
}

FftEngine &Engine()
{
    return BuiltFftEngine();
}

// Height in rows of the bar of band b, read from the picture (the bar's colour is never black).
int BarHeight(const QImage &image, int band)
{
    const int x = 13 + 16 * band + 2;
    int rows = 0;
    for (int y = 40; y < 240; ++y) {
        const QColor c = image.pixelColor(x, y);
        rows += c.blue() == 77;
    }
    return rows;
}

} // namespace

void TestLevelMeter::barAndMarkerColumns()
{
    const BarPlacement first = PlaceBar(0, 1000, 3000);
    QCOMPARE(first.x, 13);
    QCOMPARE(first.xTwips - 52.5, 187.5);
    QCOMPARE(first.xTwips + 67.5, 307.5);
    QCOMPARE(PlaceBar(23, 1000, 3000).x, 381);
    // The bar shows the image rows at its own heights: source row + 40 = picture row.
    const BarPlacement bar = PlaceBar(5, 1234.0, 3000);
    QCOMPARE(bar.y - bar.sourceY, 40);
    QCOMPARE(bar.sourceY, 82);
    QCOMPARE(bar.height, 118);
    QCOMPARE(PlaceBar(0, 0, 3000).height, 200);
}

void TestLevelMeter::binsOfBands_data()
{
    QTest::addColumn<int>("bin");
    QTest::addColumn<int>("band");
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("2") << 2 << 0;
    QTest::newRow("3") << 3 << 1;
    QTest::newRow("10") << 10 << 4;
    QTest::newRow("11") << 11 << 5;
    QTest::newRow("13") << 13 << 5;
    QTest::newRow("14") << 14 << 6;
    QTest::newRow("811") << 811 << 22;
    QTest::newRow("812") << 812 << 23;
    QTest::newRow("1023") << 1023 << 23;
}

void TestLevelMeter::binsOfBands()
{
    QFETCH(int, bin);
    QFETCH(int, band);
    const double r = 2048.0 / 44100.0;
    QCOMPARE(BandOfBin(bin, r, BandEdges(false)), band);
}

void TestLevelMeter::fastTableAt1024LeavesLowBandsEmpty()
{
    const double r = 1024.0 / 44100.0;
    QList<int> used;
    for (const BinStep &step : WalkBins(1024, 6000)) {
        const int band = BandOfBin(step.j, r, BandEdges(true));
        if (!used.contains(band))
            used.append(band);
    }
    for (int empty : {0, 1, 2, 4})
        QVERIFY(!used.contains(empty));
    QCOMPARE(BandOfBin(1, r, BandEdges(true)), 3);
    // At 96 kHz the bins above 24 kHz belong to no band.
    QCOMPARE(BandOfBin(300, 1024.0 / 96000.0, BandEdges(false)), -1);
}

void TestLevelMeter::highBandIsSampledEveryTenthBin()
{
    const double r = 2048.0 / 44100.0;
    QList<int> bins;
    for (const BinStep &step : WalkBins(2048, 6000))
        if (BandOfBin(step.j, r, BandEdges(false)) == 23)
            bins.append(step.j);
    QVERIFY(bins.size() > 15);
    QVERIFY(bins.first() >= 812);
    for (int i = 1; i < bins.size(); ++i)
        QCOMPARE(bins[i] - bins[i - 1], 10);
}

void TestLevelMeter::markerModeA()
{
    LevelMeterState state;
    state.FallRate = 0.012f;
    state.BandLevel[3] = 5.0;
    MovePeakMarker(state, 3, 4, 8);
    QCOMPARE(state.BandPeak[3], 5.0f);
    state.BandLevel[3] = 1.0;
    const float step = 8 * 0.012f / 10;
    for (int frame = 1; frame <= 10; ++frame) {
        MovePeakMarker(state, 3, 4, 8);
        QCOMPARE(state.BandPeak[3], 5.0f);
        QCOMPARE(int(state.BandHold[3]), frame);
    }
    float expected = 5.0f;
    for (int frame = 11; frame <= 14; ++frame) {
        MovePeakMarker(state, 3, 4, 8);
        expected -= step * static_cast<float>(frame - 10);
        QVERIFY(std::fabs(state.BandPeak[3] - expected) < 1e-5f);
    }
}

void TestLevelMeter::markerModeB()
{
    LevelMeterState state;
    state.FallRate = 0.012f;
    state.BandLevel[0] = 4.0;
    MovePeakMarker(state, 0, 5, 8);
    state.BandLevel[0] = 0.0;
    const float unit = 8 * 0.012f;
    for (int frame = 1; frame <= 9; ++frame)
        MovePeakMarker(state, 0, 5, 8);
    QVERIFY(std::fabs(state.BandPeak[0] - (4.0f + 4.5f * unit)) < 1e-5f);
    MovePeakMarker(state, 0, 5, 8); // the tenth frame stands still
    QVERIFY(std::fabs(state.BandPeak[0] - (4.0f + 4.5f * unit)) < 1e-5f);
    MovePeakMarker(state, 0, 5, 8);
    QVERIFY(std::fabs(state.BandPeak[0] - (4.0f + 4.4f * unit)) < 1e-5f);
}

void TestLevelMeter::markerAtFullHold()
{
    LevelMeterState state;
    state.FallRate = 0.008f;
    state.BandPeak[7] = 100.0f;
    state.BandHold[7] = 254;
    MovePeakMarker(state, 7, 4, 8);
    QCOMPARE(int(state.BandHold[7]), 255);
    const float before = state.BandPeak[7];
    MovePeakMarker(state, 7, 4, 8);
    QCOMPARE(int(state.BandHold[7]), 255);
    QVERIFY(std::fabs((before - state.BandPeak[7]) - 24.5f * 8 * 0.008f) < 1e-4f);
}

void TestLevelMeter::newPeakStopsTheMarker()
{
    LevelMeterState state;
    state.FallRate = 0.012f;
    state.BandPeak[2] = 3.0f;
    state.BandHold[2] = 40;
    state.BandLevel[2] = 3.5;
    MovePeakMarker(state, 2, 5, 8);
    QCOMPARE(state.BandPeak[2], 3.5f);
    QCOMPARE(int(state.BandHold[2]), 0);
    MovePeakMarker(state, 2, 5, 8);
    QVERIFY(state.BandPeak[2] > 3.5f); // mode B throws it up afterwards
}

void TestLevelMeter::tallestBarHoldsTheTone_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<bool>("fast");
    QTest::addColumn<int>("band");
    QTest::newRow("1 kHz normal") << 1000.0 << false << 12;
    QTest::newRow("1 kHz fast") << 1000.0 << true << 13;
    QTest::newRow("6 kHz normal") << 6000.0 << false << 19;
}

void TestLevelMeter::tallestBarHoldsTheTone()
{
    QFETCH(double, frequency);
    QFETCH(bool, fast);
    QFETCH(int, band);
    const auto samples = Sine(frequency, 44100, 4096, 20000);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.FastFlag = fast;
    settings.NumFftNormal = 2;
    settings.NumFftFast = 2;
    LevelMeterState state;
    LevelMeterWorkspace work;
    QImage image(400, 240, QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    {
        QPainter painter(&image);
        QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    }
    int tallest = -1, tallestHeight = 0;
    for (int b = 0; b < 24; ++b)
        if (BarHeight(image, b) > tallestHeight) {
            tallestHeight = BarHeight(image, b);
            tallest = b;
        }
    QCOMPARE(tallest, band);
    // The bar's rows are the image rows at the same heights, down to the plot's foot.
    const int x = 13 + 16 * band;
    QCOMPARE(image.pixelColor(x, 239), QColor(199, 56, 77));
    const int top = 240 - tallestHeight;
    QCOMPARE(image.pixelColor(x + 7, top), QColor(top - 40, 255 - (top - 40), 77));
    QCOMPARE(image.pixelColor(x + 8, top), QColor(Qt::black));
    // A yellow marker 30 twips (2 px) above the bar's top, across the bar.
    const int markerRow = static_cast<int>(
        std::floor((600 + 3000 - (state.BandPeak[band] - 2.5) * 3000 / 5.5 - 30) / 15));
    QCOMPARE(image.pixelColor(x, markerRow), kYellow);
    QCOMPARE(image.pixelColor(x + 7, markerRow), kYellow);
}

void TestLevelMeter::barFallsAtTheFallRate()
{
    const auto tone = Sine(1000, 44100, 1024, 20000);
    const std::vector<int16_t> silence(1024, 0);
    SampleWindow window = Mono16Window(tone);
    FrameInput settings;
    LevelMeterState state;
    LevelMeterWorkspace work;
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    const double loud = state.BandLevel[12];
    QVERIFY(loud > 6.0);
    window.mono16 = silence;
    QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    QVERIFY(std::fabs(state.BandLevel[12] - (loud - 0.096)) < 1e-6);
    QCOMPARE(state.FallRate, 0.012f);
    settings.FastFlag = true;
    QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    QVERIFY(std::fabs(state.BandLevel[12] - (loud - 0.096 - 0.064)) < 1e-6);
}

void TestLevelMeter::channelChoice_data()
{
    QTest::addColumn<int>("CH");
    QTest::addColumn<bool>("bars");
    QTest::newRow("left") << 0 << false;
    QTest::newRow("right") << 1 << true;
    QTest::newRow("both shows left") << 2 << false;
}

void TestLevelMeter::channelChoice()
{
    QFETCH(int, CH);
    QFETCH(bool, bars);
    // 8-bit stereo: a silent left channel (128) and a tone on the right.
    const int n = 2048;
    std::vector<uint16_t> frames(n);
    for (int i = 0; i < n; ++i) {
        const int right = 128 + static_cast<int>(std::lround(
                                    120 * std::sin(2 * std::numbers::pi * 2000.0 * i / 22050)));
        frames[static_cast<std::size_t>(i)] = static_cast<uint16_t>(128 | (right << 8));
    }
    SampleWindow window;
    window.sampleKind = 3;
    window.stereo8 = frames;
    FrameInput settings;
    settings.SampleRate = 22050;
    settings.BitsPerSample = 8;
    settings.CH = static_cast<uint8_t>(CH);
    settings.NumFftNormal = 1;
    LevelMeterState state;
    LevelMeterWorkspace work;
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    painter.end();
    int total = 0;
    for (int b = 0; b < 24; ++b)
        total += BarHeight(image, b);
    QCOMPARE(total > 0, bars);
}

void TestLevelMeter::oddInputDrawsSafely_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("rate");
    QTest::newRow("short window") << 1 << 441 << 44100;
    QTest::newRow("96 kHz") << 2 << 16384 << 96000;
    QTest::newRow("kind 0") << 0 << 100 << 44100;
    QTest::newRow("no frames") << 4 << 0 << 8000;
}

void TestLevelMeter::oddInputDrawsSafely()
{
    QFETCH(int, kind);
    QFETCH(int, frames);
    QFETCH(int, rate);
    const auto n = static_cast<std::size_t>(frames);
    const std::vector<uint32_t> stereo16(n, 0x7FFF7FFFu);
    const auto mono16 = Sine(30000, rate, frames, 30000);
    const std::vector<uint8_t> mono8(n, 255);
    const SampleWindow window{static_cast<uint8_t>(kind), stereo16, mono16, {}, mono8};
    FrameInput settings;
    settings.SampleRate = rate;
    settings.VSA = 5;
    settings.NumFftNormal = 4;
    LevelMeterState state;
    LevelMeterWorkspace work;
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int frame = 0; frame < 3; ++frame)
        QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
    for (double level : state.BandLevel)
        QVERIFY(std::isfinite(level));
    // A level far above the top draws a bar cut at the image's top row, not beyond it.
    state.BandLevel.fill(20.0);
    QVERIFY(DrawLevelMeterFrame(painter, window, settings, state, BarImage(), Engine(), work));
}

QTEST_MAIN(TestLevelMeter)
#include "tst_level_meter.moc"
