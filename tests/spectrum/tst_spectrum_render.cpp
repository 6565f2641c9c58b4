#include "spectrum/bin_walk.h"
#include "spectrum/fft_engine.h"
#include "spectrum/hue_cycle.h"
#include "spectrum/spectrum_analyzer.h"
#include "spectrum/spectrum_geometry.h"

#include "support/sample_windows.h"
#include "support/test_signals.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

// Spectrum analyzer frames drawn into an image and read back pixel by pixel.
class TestSpectrumRender : public QObject
{
    Q_OBJECT

private slots:
    void sinePeaksAtItsFrequency_data();
    void sinePeaksAtItsFrequency();
    void stereoChannelsGoToTheirHalves();
    void hatchedAreaUsesEvenColumnsOnly();
    void clippedPainterDrawsTheSameFrame_data();
    void clippedPainterDrawsTheSameFrame();
    void silenceLiesOnTheBottomLine();
    void monoInDualModeShowsBothHalves();
    void loudLevelReachesAboveThePlot();
    void labelsAndGridAreDrawn();
    void shortOrOddInputDrawsSafely_data();
    void shortOrOddInputDrawsSafely();
    void unsupportedSampleWidthDrawsNothing();
    void missingModuleDrawsAlongTheBottom();
    void peakHoldFallsAtItsRate_data();
    void peakHoldFallsAtItsRate();
};

namespace {

const QColor kBackground(10, 20, 200);

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBackground);
    return image;
}

// The walked bin (start of a segment) nearest to a fractional bin.
int NearestWalkedBin(int N, int W, double target)
{
    int best = 1;
    for (const BinStep &step : WalkBins(N, W))
        if (std::fabs(step.j - target) < std::fabs(best - target))
            best = step.j;
    return best;
}

FftEngine &Engine()
{
    return BuiltFftEngine();
}

// Topmost row of each column whose pixel has the colour, or -1.
std::vector<int> TopRows(const QImage &image, const QColor &colour, int fromRow, int toRow)
{
    std::vector<int> tops(static_cast<std::size_t>(image.width()), -1);
    for (int x = 0; x < image.width(); ++x)
        for (int y = fromRow; y < toRow; ++y)
            if (image.pixelColor(x, y) == colour) {
                tops[static_cast<std::size_t>(x)] = y;
                break;
            }
    return tops;
}

int CountColour(const QImage &image, const QColor &colour, QRect area)
{
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

// Pixels of the text's grey or its anti-aliased shades on black.
int CountGreyish(const QImage &image, QRect area)
{
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() == c.green() && c.green() == c.blue() && c.red() > 30;
        }
    return count;
}

bool Draw(QImage &image, const SampleWindow &window, const FrameInput &settings,
          SpectrumState &state, FftEngine &engine = Engine())
{
    SpectrumWorkspace work;
    QPainter painter(&image);
    return DrawSpectrumFrame(painter, window, settings, state, engine, work);
}

} // namespace

void TestSpectrumRender::sinePeaksAtItsFrequency_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("frequency");
    QTest::newRow("1 kHz, 1024, 400 px") << 0 << 400 << 1000.0;
    QTest::newRow("1 kHz, 16384, 640 px") << 4 << 640 << 1000.0;
    QTest::newRow("5 kHz, 4096, 400 px") << 2 << 400 << 5000.0;
    QTest::newRow("15 kHz, 8192, 640 px") << 3 << 640 << 15000.0;
}

void TestSpectrumRender::sinePeaksAtItsFrequency()
{
    QFETCH(int, size);
    QFETCH(int, width);
    QFETCH(double, frequency);
    const int height = width == 640 ? 360 : 240;
    const int N = 1024 << size;
    // The tone sits on the centre of a bin that the walk reaches, so its full level is drawn.
    const int bin = NearestWalkedBin(N, width * 15, frequency * N / 44100);
    const auto samples = Sine(bin * 44100.0 / N, 44100, N, 20000);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.VSA = 2;
    settings.CH = 0;
    settings.NumFftNormal = static_cast<int16_t>(size);
    settings.width = width * 15;
    settings.height = height * 15;
    SpectrumState state;
    QImage image = Picture(width, height);
    QVERIFY(Draw(image, window, settings, state));

    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    const std::vector<int> tops = TopRows(image, c1, 0, height);
    int peakColumn = -1, peakRow = height;
    for (int x = 0; x < width; ++x)
        if (tops[static_cast<std::size_t>(x)] >= 0 && tops[static_cast<std::size_t>(x)] < peakRow) {
            peakRow = tops[static_cast<std::size_t>(x)];
            peakColumn = x;
        }
    const SpectrumGeometry g =
        MakeSpectrumGeometry(settings.width, settings.height, N, 44100, 16, 0);
    const int expected = static_cast<int>(std::lround(LogLevel(bin) * g.s) / 15);
    QVERIFY2(std::abs(peakColumn - expected) <= 1,
             qPrintable(QStringLiteral("peak at %1, expected %2").arg(peakColumn).arg(expected)));
    // A Hanning-weighted tone of amplitude A on a bin centre peaks at A·N/4.
    const double level = std::log10(20000.0 * N / 4);
    const int expectedRow = static_cast<int>((600 + (8 - level) * g.p) / 15);
    QVERIFY2(std::abs(peakRow - expectedRow) <= 1,
             qPrintable(QStringLiteral("peak row %1, expected %2").arg(peakRow).arg(expectedRow)));
}

void TestSpectrumRender::stereoChannelsGoToTheirHalves()
{
    const int N = 4096;
    const int low = NearestWalkedBin(N, 6000, 40), high = NearestWalkedBin(N, 6000, 400);
    const auto frames =
        Stereo(Sine(low * 44100.0 / N, 44100, N, 20000), Sine(high * 44100.0 / N, 44100, N, 20000));
    const SampleWindow window = Stereo16Window(frames);
    FrameInput settings;
    settings.CH = 2;
    settings.NumFftNormal = 2;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    const SpectrumGeometry g = MakeSpectrumGeometry(6000, 3600, N, 44100, 16, 2);
    const auto peakColumn = [&](const QColor &colour, int from, int to) {
        const std::vector<int> tops = TopRows(image, colour, from, to);
        int column = -1, row = to;
        for (std::size_t x = 0; x < tops.size(); ++x)
            if (tops[x] >= 0 && tops[x] < row) {
                row = tops[x];
                column = static_cast<int>(x);
            }
        return column;
    };
    QVERIFY(std::abs(peakColumn(c1, 0, 140) - static_cast<int>(LogLevel(low) * g.s / 15)) <= 1);
    QVERIFY(std::abs(peakColumn(Complement(c1), 140, 240) -
                     static_cast<int>(LogLevel(high) * g.s / 15)) <= 1);
}

void TestSpectrumRender::hatchedAreaUsesEvenColumnsOnly()
{
    const auto samples = Sine(1000, 44100, 1024, 20000);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.VSA = 3;
    settings.CH = 0;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    int evenStrokes = 0;
    for (int x = 0; x < 400; ++x) {
        const int count = CountColour(image, c1, QRect(x, 40, 1, 200));
        if (x % 2)
            QCOMPARE(count, 0);
        else if (count > 0) {
            ++evenStrokes;
            // A stroke runs unbroken down to the foot of the picture.
            QCOMPARE(image.pixelColor(x, 239), c1);
        }
    }
    QVERIFY(evenStrokes > 150);
}

void TestSpectrumRender::clippedPainterDrawsTheSameFrame_data()
{
    // Hatched strokes come out the same through the painter (lines do not); both displays come
    // out the same when the whole plot is restored on every frame.
    QTest::addColumn<int>("vsa");
    QTest::addColumn<int>("ch");
    QTest::addColumn<QSize>("first");
    QTest::addColumn<QSize>("second");
    QTest::newRow("dual") << 3 << 2 << QSize(400, 240) << QSize(400, 240);
    QTest::newRow("dual large") << 3 << 2 << QSize(640, 360) << QSize(640, 360);
    QTest::newRow("left") << 3 << 0 << QSize(400, 240) << QSize(400, 240);
    QTest::newRow("right, large") << 3 << 1 << QSize(640, 360) << QSize(640, 360);
    QTest::newRow("area grows") << 3 << 2 << QSize(400, 240) << QSize(640, 360);
    QTest::newRow("area shrinks") << 3 << 0 << QSize(640, 360) << QSize(400, 240);
    QTest::newRow("lines, dual large") << 2 << 2 << QSize(640, 360) << QSize(640, 360);
    QTest::newRow("lines, right") << 2 << 1 << QSize(400, 240) << QSize(400, 240);
    QTest::newRow("lines, area grows") << 2 << 2 << QSize(400, 240) << QSize(640, 360);
}

void TestSpectrumRender::clippedPainterDrawsTheSameFrame()
{
    // A clipped painter cannot be bypassed, so every stroke and the background go through
    // QPainter on every frame. Frames written directly copy a background drawn once and, on the
    // same picture, restore only the strips the last traces covered: the pictures must stay the
    // same frame after frame as the level moves, also after the area changed, and the
    // rectangles reported changed must hold every changed pixel.
    QFETCH(int, vsa);
    QFETCH(int, ch);
    QFETCH(QSize, first);
    QFETCH(QSize, second);
    FrameInput settings;
    settings.VSA = static_cast<uint8_t>(vsa);
    settings.CH = static_cast<uint8_t>(ch);
    settings.NumFftNormal = 1;
    SpectrumState directState, paintedState, wholeState;
    SpectrumWorkspace directWork, paintedWork, wholeWork;
    QImage direct, painted, whole;
    const int amplitudes[] = {15000, 300, 9000, 20, 15000, 1200};
    for (int frame = 0; frame < 6; ++frame) {
        const QSize size = frame < 3 ? first : second;
        if (direct.size() != size) {
            direct = Picture(size.width(), size.height());
            painted = Picture(size.width(), size.height());
            whole = Picture(size.width(), size.height());
        }
        const int a = amplitudes[frame];
        const auto samples =
            Stereo(Sine(700 + 300 * frame, 44100, 2048, a), Sine(3000, 44100, 2048, 15020 - a));
        const SampleWindow window = Stereo16Window(samples);
        settings.width = size.width() * 15;
        settings.height = size.height() * 15;
        const QImage before = direct.copy();
        {
            QPainter painter(&direct);
            QVERIFY(
                DrawSpectrumFrame(painter, window, settings, directState, Engine(), directWork));
        }
        {
            QPainter painter(&painted);
            painter.setClipRect(painted.rect());
            QVERIFY(
                DrawSpectrumFrame(painter, window, settings, paintedState, Engine(), paintedWork));
        }
        {
            wholeWork.frameKey = 0;
            QPainter painter(&whole);
            QVERIFY(DrawSpectrumFrame(painter, window, settings, wholeState, Engine(), wholeWork));
        }
        QCOMPARE(whole, direct);
        if (vsa == 3)
            QCOMPARE(painted, direct);
        QRegion changed;
        for (const QRect &rows : directWork.changed)
            changed += rows;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (direct.pixel(x, y) != before.pixel(x, y))
                    QVERIFY2(changed.contains(QPoint(x, y)),
                             qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
    }
}

void TestSpectrumRender::silenceLiesOnTheBottomLine()
{
    const std::vector<uint32_t> silence(2048, 0u);
    const SampleWindow window = Stereo16Window(silence);
    FrameInput settings;
    settings.CH = 2;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    // The upper half's bottom is 600 + Q = 2100 twips, row 140: the left channel lies there.
    QCOMPARE(CountColour(image, c1, QRect(0, 140, 400, 1)), 400);
    QCOMPARE(CountColour(image, c1, QRect(0, 0, 400, 140)), 0);
    // The lower half's bottom is the foot of the picture, outside it: no right channel shows.
    QCOMPARE(CountColour(image, Complement(c1), image.rect()), 0);
    // The band above the plot keeps what was there.
    QCOMPARE(CountColour(image, kBackground, QRect(0, 0, 400, 40)), 400 * 40);
}

void TestSpectrumRender::monoInDualModeShowsBothHalves()
{
    const auto samples = Sine(440, 44100, 2048, 12000);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.CH = 2;
    settings.NumFftNormal = 1;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    const std::vector<int> upper = TopRows(image, c1, 0, 140);
    const std::vector<int> lower = TopRows(image, Complement(c1), 140, 240);
    int compared = 0;
    for (std::size_t x = 0; x < upper.size(); ++x)
        if (upper[x] >= 0 && lower[x] >= 0 && upper[x] < 139) {
            QVERIFY(std::abs(lower[x] - (upper[x] + 100)) <= 1);
            ++compared;
        }
    QVERIFY(compared > 100);
}

void TestSpectrumRender::loudLevelReachesAboveThePlot()
{
    const int N = 16384;
    const int bin = NearestWalkedBin(N, 6000, 1000.0 * N / 44100);
    const auto samples = Sine(bin * 44100.0 / N, 44100, N, 32767);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.CH = 0;
    settings.NumFftNormal = 4;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    QVERIFY(CountColour(image, c1, QRect(0, 0, 400, 40)) > 0);
}

void TestSpectrumRender::labelsAndGridAreDrawn()
{
    const std::vector<int16_t> silence(1024, 0);
    const SampleWindow window = Mono16Window(silence);
    FrameInput settings;
    settings.CH = 0;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    const QColor grey(127, 127, 127);
    const SpectrumGeometry g = MakeSpectrumGeometry(6000, 3600, 1024, 44100, 16, 0);
    // Horizontal grid: rows at 600 + k·p, k = 0 … 7, p = 375 twips = 25 px.
    for (int k = 0; k < 8; ++k)
        QVERIFY(CountColour(image, grey, QRect(0, 40 + 25 * k, 400, 1)) > 390);
    // Vertical lines at 100 Hz and 1 kHz.
    for (double f : {100.0, 1000.0}) {
        const int x = static_cast<int>(GridLineX(f, g) / 15);
        QVERIFY(CountColour(image, grey, QRect(x, 41, 1, 199)) > 190);
    }
    // "1kHz" printed in grey at x(1000) + 30, P + 400 = 3400 twips (row 226).
    const int labelX = static_cast<int>((GridLineX(1000, g) + 30) / 15);
    QVERIFY(CountGreyish(image, QRect(labelX + 1, 227, 20, 12)) > 10);
    // "0dB" at (30, 630), "-120dB" at (30, 630 + 6p).
    QVERIFY(CountGreyish(image, QRect(3, 43, 20, 10)) > 10);
    QVERIFY(CountGreyish(image, QRect(3, 193, 30, 10)) > 10);
}

void TestSpectrumRender::shortOrOddInputDrawsSafely_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::newRow("441 frames at N = 4096") << 2 << 441 << 44100 << 16;
    QTest::newRow("no frames") << 1 << 0 << 44100 << 16;
    QTest::newRow("96 kHz stereo") << 1 << 4096 << 96000 << 16;
    QTest::newRow("kind 0") << 0 << 0 << 44100 << 16;
    QTest::newRow("8-bit stereo") << 3 << 1000 << 22050 << 8;
    QTest::newRow("8-bit mono") << 4 << 5000 << 11025 << 8;
}

void TestSpectrumRender::shortOrOddInputDrawsSafely()
{
    QFETCH(int, kind);
    QFETCH(int, frames);
    QFETCH(int, rate);
    QFETCH(int, bits);
    const auto n = static_cast<std::size_t>(frames);
    std::vector<uint32_t> stereo16(n, 0x40001000u);
    std::vector<int16_t> mono16(n, 1000);
    std::vector<uint16_t> stereo8(n, 0x30D0u);
    std::vector<uint8_t> mono8(n, 200);
    const SampleWindow window{static_cast<uint8_t>(kind), stereo16, mono16, stereo8, mono8};
    FrameInput settings;
    settings.SampleRate = rate;
    settings.BitsPerSample = bits;
    settings.VSA = 3;
    settings.CH = 2;
    settings.NumFftNormal = 2;
    SpectrumState state;
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state));
    QCOMPARE(CountColour(image, kBackground, QRect(0, 0, 400, 40)), 400 * 40);
}

void TestSpectrumRender::unsupportedSampleWidthDrawsNothing()
{
    const std::vector<int16_t> samples(1024, 100);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.BitsPerSample = 24;
    SpectrumState state;
    QImage image = Picture(400, 240);
    const QImage before = image;
    QVERIFY(!Draw(image, window, settings, state));
    QCOMPARE(image, before);
    QCOMPARE(int(state.HuePhase), 0);
}

void TestSpectrumRender::missingModuleDrawsAlongTheBottom()
{
    const auto samples = Sine(1000, 44100, 1024, 20000);
    const SampleWindow window = Mono16Window(samples);
    FrameInput settings;
    settings.CH = 0;
    settings.height = 3585; // the plot's foot, row 199, lies inside the picture
    SpectrumState state;
    FftEngine missing(QStringLiteral("/nonexistent"));
    QImage image = Picture(400, 240);
    QVERIFY(Draw(image, window, settings, state, missing));
    const QColor c1 = HueColour(state.HuePhase, state.HueSegment);
    QCOMPARE(CountColour(image, c1, QRect(0, 0, 400, 239)), 0);
    QCOMPARE(CountColour(image, c1, QRect(0, 239, 400, 1)), 400);
}

QTEST_MAIN(TestSpectrumRender)
#include "tst_spectrum_render.moc"

void TestSpectrumRender::peakHoldFallsAtItsRate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("fall");         // dB a second
    QTest::addColumn<int>("silentFrames"); // 40 ms frames after the tone
    QTest::addColumn<int>("drop");         // rows below the tone's peak; -1: no trace
    QTest::newRow("no hold") << 2 << 0 << 10 << -1;
    QTest::newRow("40 dB/s for one frame") << 2 << 40 << 1 << 2;
    QTest::newRow("40 dB/s for 0.4 s") << 2 << 40 << 10 << 20;
    QTest::newRow("20 dB/s for 0.4 s") << 2 << 20 << 10 << 10;
    QTest::newRow("hatched: no hold") << 3 << 40 << 10 << -1;
}

// A tone, then silence: the light peak-hold trace stays at the tone's peak and falls by the
// set rate (8 decades of 20 dB over 200 rows: 1.25 rows a dB); the hatched display has none.
void TestSpectrumRender::peakHoldFallsAtItsRate()
{
    QFETCH(int, mode);
    QFETCH(int, fall);
    QFETCH(int, silentFrames);
    QFETCH(int, drop);
    const int N = 1024, width = 400, height = 240;
    const int bin = NearestWalkedBin(N, width * 15, 1000.0 * N / 44100);
    const auto tone = Sine(bin * 44100.0 / N, 44100, N, 20000);
    const std::vector<int16_t> silence(N, 0);
    FrameInput settings;
    settings.VSA = static_cast<uint8_t>(mode);
    settings.CH = 0;
    settings.PeakFall = static_cast<int16_t>(fall);
    SpectrumState state;
    SpectrumWorkspace work;
    QImage image = Picture(width, height);
    for (int frame = 0; frame <= silentFrames; ++frame) {
        QPainter painter(&image);
        QVERIFY(DrawSpectrumFrame(painter, Mono16Window(frame == 0 ? tone : silence), settings,
                                  state, Engine(), work));
    }
    const SpectrumGeometry g =
        MakeSpectrumGeometry(settings.width, settings.height, N, 44100, 16, 0);
    const int column = static_cast<int>(std::lround(LogLevel(bin) * g.s) / 15);
    const double level = std::log10(20000.0 * N / 4);
    const int peakRow = static_cast<int>((600 + (8 - level) * g.p) / 15);
    int top = -1;
    for (int x = column - 1; x <= column + 1; ++x)
        for (int y = 0; y < height; ++y)
            if (image.pixel(x, y) == qRgb(180, 180, 180)) {
                top = top < 0 ? y : std::min(top, y);
                break;
            }
    if (drop < 0) {
        QCOMPARE(CountColour(image, QColor(180, 180, 180), image.rect()), 0);
        return;
    }
    QVERIFY2(
        top >= 0 && std::abs(top - (peakRow + drop)) <= 1,
        qPrintable(QStringLiteral("hold at row %1, expected %2").arg(top).arg(peakRow + drop)));
}
