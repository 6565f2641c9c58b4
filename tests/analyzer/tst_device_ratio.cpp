// Every analyzer mode drawn into a picture of device pixel ratio 2: its one-pixel lines stay
// one device pixel wide, at the same logical place as at ratio 1, its texts are set at the
// device's resolution, and the picture is no doubled copy of the one drawn at ratio 1.
#include "analyzer/analog_meter.h"
#include "analyzer/oscilloscope.h"
#include "base/device_pixels.h"
#include "spectrum/level_meter.h"
#include "spectrum/spectrogram.h"
#include "spectrum/spectrum_analyzer.h"

#include "support/sample_windows.h"
#include "support/test_signals.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <functional>

namespace {

constexpr int kWidth = 400, kHeight = 240; // logical pixels

// Which pixels make up the feature looked at.
enum class Feature { Trace, Grey, Yellow, White };

bool Matches(Feature feature, QRgb pixel)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    switch (feature) {
    case Feature::Trace:
        return (r | g | b) != 0 && !(r == 127 && g == 127 && b == 127);
    case Feature::Grey:
        return r == 127 && g == 127 && b == 127;
    case Feature::Yellow:
        return r == 255 && g == 255 && b == 0;
    case Feature::White:
        return r == 255 && g == 255 && b == 255;
    }
    return false;
}

// Runs of the feature along the probe line: a column (`vertical`) or a row at `at` logical
// pixels, in the device pixels of the picture. Each run: its first device pixel and length.
QList<QPoint> Runs(const QImage &image, Feature feature, bool vertical, int at)
{
    const qreal ratio = image.devicePixelRatio();
    const int line = int(at * ratio);
    const int length = vertical ? image.height() : image.width();
    QList<QPoint> runs;
    for (int i = 0; i < length; ++i) {
        const QRgb pixel = vertical ? image.pixel(line, i) : image.pixel(i, line);
        if (!Matches(feature, pixel))
            continue;
        if (!runs.isEmpty() && runs.last().x() + runs.last().y() == i)
            runs.last().ry() += 1;
        else
            runs.append(QPoint(i, 1));
    }
    return runs;
}

// 2 × 2 blocks of device pixels not all of one colour inside `area` (logical pixels): none in
// a picture drawn at one pixel per logical pixel and then doubled.
int MixedBlocks(const QImage &image, const QRect &area)
{
    int mixed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(2 * x, 2 * y);
            mixed += p != image.pixel(2 * x + 1, 2 * y) || p != image.pixel(2 * x, 2 * y + 1) ||
                     p != image.pixel(2 * x + 1, 2 * y + 1);
        }
    return mixed;
}

using Renderer = std::function<void(QPainter &, qreal ratio)>;

QImage Draw(const Renderer &render, qreal ratio)
{
    QImage image(int(kWidth * ratio), int(kHeight * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    render(painter, ratio);
    return image;
}

FrameInput Input(std::uint8_t vsa, std::uint8_t channel)
{
    FrameInput input;
    input.VSA = vsa;
    input.CH = channel;
    input.NumFftNormal = 1; // 2048 points
    input.TimeRange = 5;
    return input;
}

// The bar picture of the level meters: a violet to cyan gradient, 8 × 200.
QImage BarPicture()
{
    QImage bar(8, 200, QImage::Format_RGB32);
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            bar.setPixel(x, y, qRgb(140 - y / 2, 60 + y / 2, 230));
    return bar;
}

} // namespace

class TestDeviceRatio : public QObject
{
    Q_OBJECT

    std::vector<std::int16_t> sine_ = Sine(1000.0, 44100, 4096, 12000.0);
    std::vector<std::int16_t> silence_ = std::vector<std::int16_t>(4096, 0);

private slots:
    void linesStayOneDevicePixelWide_data();
    void linesStayOneDevicePixelWide();
};

void TestDeviceRatio::linesStayOneDevicePixelWide_data()
{
    QTest::addColumn<Renderer>("render");
    QTest::addColumn<int>("feature");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("at");
    QTest::addColumn<QRect>("label"); // where a text lies (logical pixels); empty: none

    const SampleWindow sine = Mono16Window(sine_);
    const SampleWindow silence = Mono16Window(silence_);

    QTest::newRow("oscilloscope, flat trace") << Renderer([silence](QPainter &p, qreal) {
        ScopeColourCycle cycle;
        DrawOscilloscopeFrame(p, silence, Input(1, 0), cycle);
    }) << int(Feature::Trace) << true << 200 << QRect();
    const auto spectrum = [](SampleWindow window, std::uint8_t vsa) {
        return Renderer([window, vsa](QPainter &p, qreal) {
            SpectrumState state;
            SpectrumWorkspace work;
            DrawSpectrumFrame(p, window, Input(vsa, 0), state, BuiltFftEngine(), work);
        });
    };
    // Column 53 lies between the 50 Hz and 60 Hz lines, right of the level labels and left of
    // the "100Hz" ones: it crosses the level rows only.
    QTest::newRow("spectrum A, level rows and label")
        << spectrum(silence, 2) << int(Feature::Grey) << true << 53 << QRect(2, 42, 24, 12);
    QTest::newRow("spectrum B, level rows")
        << spectrum(silence, 3) << int(Feature::Grey) << true << 53 << QRect();
    // Row 77 (6.5 decades) crosses the two steep flanks of the 1 kHz peak, above its side lobes.
    QTest::newRow("spectrum A, peak flanks")
        << spectrum(sine, 2) << int(Feature::Trace) << false << 77 << QRect();
    const auto meter = [sine](std::uint8_t vsa) {
        return Renderer([sine, vsa](QPainter &p, qreal ratio) {
            LevelMeterState state;
            LevelMeterWorkspace work;
            DrawLevelMeterFrame(p, sine, Input(vsa, 0), state, DevicePixelCopy(BarPicture(), ratio),
                                BuiltFftEngine(), work);
        });
    };
    // Column 208 crosses the peak marker of the band that holds 1 kHz.
    QTest::newRow("level meter A, peak marker")
        << meter(4) << int(Feature::Yellow) << true << 208 << QRect();
    QTest::newRow("level meter B, peak marker")
        << meter(5) << int(Feature::Yellow) << true << 208 << QRect();
    // Column 100 runs through the left needle's pivot: the hub's outline crosses it once.
    QTest::newRow("analog meter, hub") << Renderer([silence](QPainter &p, qreal) {
        AnalogNeedles needles;
        float fall = 0;
        DrawAnalogMeterFrame(p, silence, Input(6, 2), AnalogMeterPictures{}, needles, fall);
    }) << int(Feature::White) << true << 100
                                       << QRect();
    // Column 1 crosses the frequency ticks on the left edge.
    QTest::newRow("spectrogram, ticks and legend") << Renderer([sine](QPainter &p, qreal) {
        SpectrogramState state;
        DrawSpectrogramFrame(p, sine, Input(7, 0), 0.0, state, BuiltFftEngine());
    }) << int(Feature::Grey) << true << 1 << QRect(0, 10, 40, 20);
}

void TestDeviceRatio::linesStayOneDevicePixelWide()
{
    QFETCH(Renderer, render);
    QFETCH(int, feature);
    QFETCH(bool, vertical);
    QFETCH(int, at);
    QFETCH(QRect, label);

    const QImage single = Draw(render, 1.0);
    const QImage dual = Draw(render, 2.0);
    const QList<QPoint> before = Runs(single, Feature(feature), vertical, at);
    const QList<QPoint> after = Runs(dual, Feature(feature), vertical, at);
    QVERIFY2(!before.isEmpty(), "the feature is drawn at ratio 1");
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(before[i].y(), 1);
        QCOMPARE(after[i].y(), 1);
        // The same place in logical pixels, give or take the rounding of either.
        QVERIFY2(qAbs(after[i].x() / 2.0 - before[i].x()) <= 1.0,
                 qPrintable(QStringLiteral("run %1 at device %2, was %3")
                                .arg(i)
                                .arg(after[i].x())
                                .arg(before[i].x())));
    }
    if (!label.isEmpty())
        QVERIFY2(MixedBlocks(dual, label) > 0, "the text is set at the device's resolution");
    QImage plain = dual;
    plain.setDevicePixelRatio(1.0);
    QVERIFY(plain != single.scaled(single.size() * 2));
}

QTEST_MAIN(TestDeviceRatio)
#include "tst_device_ratio.moc"
