// The analog level meter: level measurement per sample kind, needle ballistics over frames,
// needle angles read back from the drawn picture, and the pictures it is drawn over.
#include "analyzer/analog_meter.h"

#include "support/sample_windows.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

const QColor LeftColour(0, 127, 255);
const QColor RightColour(255, 0, 127);

// A square wave of the given magnitudes (16-bit kinds: ±magnitude; 8-bit kinds: the raw byte).
WindowSamples Constant(std::uint8_t kind, int frames, int left, int right)
{
    WindowSamples data(kind);
    const bool wide = kind == 1 || kind == 2;
    for (int i = 0; i < frames; ++i) {
        const int sign = (wide && i % 2 != 0) ? -1 : 1;
        data.Append(sign * left, sign * right);
    }
    return data;
}

FrameInput Settings(std::uint8_t kind, std::int32_t sampleRate = 44100)
{
    FrameInput settings;
    settings.SampleRate = sampleRate;
    settings.BitsPerSample = (kind == 3 || kind == 4) ? 8 : 16;
    settings.FullScale = settings.BitsPerSample == 8 ? 255 : 32768;
    return settings;
}

QImage DrawFrames(const SampleWindow &window, const FrameInput &settings, AnalogNeedles &needles,
                  float &fallRate, int frames, const AnalogMeterPictures &pictures = {})
{
    QImage image(400, 240, QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    for (int i = 0; i < frames; ++i) {
        QPainter painter(&image);
        DrawAnalogMeterFrame(painter, window, settings, pictures, needles, fallRate);
    }
    return image;
}

// The needle's angle in degrees as drawn: the mean direction from the pivot of the pixels of
// its colour, 30 degrees pointing to the upper left, 150 to the upper right. Pixels close to
// the pivot are left out, where the two-pixel width weighs most.
double DrawnAngle(const QImage &image, const QColor &colour, int pivotX, int pivotY)
{
    double sumX = 0, sumY = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != colour)
                continue;
            const double dx = pivotX - x, dy = pivotY - y;
            if (std::hypot(dx, dy) < 40)
                continue;
            sumX += dx;
            sumY += dy;
            ++count;
        }
    if (count == 0)
        return -1;
    return std::atan2(sumY, sumX) * 180.0 / std::numbers::pi;
}

} // namespace

class TestAnalogMeter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void levels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<bool>("fast");
        QTest::addColumn<int>("timeRange");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<double>("leftLevel");
        QTest::addColumn<double>("rightLevel");

        const double fullScale = std::log10(32767.0);
        QTest::newRow("16-bit full scale left")
            << 1 << 44100 << false << 10 << 32767 << 0 << fullScale << 0.0;
        QTest::newRow("16-bit full scale right, fast")
            << 1 << 44100 << true << 10 << 0 << 32767 << 0.0 << fullScale;
        QTest::newRow("-20 dB") << 1 << 44100 << false << 10 << 3277 << 3277 << std::log10(3277.0)
                                << std::log10(3277.0);
        QTest::newRow("16-bit mono on both")
            << 2 << 44100 << false << 10 << 10000 << 0 << 4.0 << 4.0;
        QTest::newRow("too small to survive the rounding")
            << 2 << 44100 << false << 10 << 100 << 0 << 0.0 << 0.0;
        QTest::newRow("10 ms window spans 441 frames")
            << 2 << 44100 << false << 1 << 10000 << 0 << 4.0 << 4.0;
        QTest::newRow("10 ms window spans 441 frames, fast")
            << 2 << 44100 << true << 1 << 10000 << 0 << 4.0 << 4.0;
        QTest::newRow("48 kHz fast")
            << 1 << 48000 << true << 10 << 10000 << 6000 << 4.0 << std::log10(6000.0);
        // 8-bit bytes are centred on 128: silence reads 0 and a level reads the same at every
        // sample rate.
        QTest::newRow("8-bit stereo silence, 11.025 kHz")
            << 3 << 11025 << false << 10 << 128 << 128 << 0.0 << 0.0;
        QTest::newRow("8-bit stereo silence, 48 kHz, fast")
            << 3 << 48000 << true << 10 << 128 << 128 << 0.0 << 0.0;
        QTest::newRow("8-bit stereo -20 dB")
            << 3 << 22050 << false << 10 << 141 << 115 << std::log10(26.0) << std::log10(26.0);
        QTest::newRow("8-bit stereo -20 dB, 48 kHz, fast")
            << 3 << 48000 << true << 10 << 141 << 115 << std::log10(26.0) << std::log10(26.0);
        QTest::newRow("8-bit mono full")
            << 4 << 11025 << false << 10 << 255 << 0 << std::log10(254.0) << std::log10(254.0);
        QTest::newRow("kind 0 has no samples") << 0 << 44100 << false << 10 << 0 << 0 << 0.0 << 0.0;
    }

    void levels()
    {
        QFETCH(int, kind);
        QFETCH(int, sampleRate);
        QFETCH(bool, fast);
        QFETCH(int, timeRange);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(double, leftLevel);
        QFETCH(double, rightLevel);

        FrameInput settings = Settings(static_cast<std::uint8_t>(kind), sampleRate);
        settings.FastFlag = fast;
        settings.TimeRange = static_cast<std::uint8_t>(timeRange);
        const int frames = timeRange * sampleRate / 100;
        const WindowSamples data = Constant(static_cast<std::uint8_t>(kind), frames, left, right);
        const AnalogLevels levels = MeasureAnalogLevels(data.View(), settings);
        // The running rounding of the sums moves the level by up to a few hundredths.
        QVERIFY2(std::abs(levels.left - leftLevel) < 0.05,
                 qPrintable(QString::number(levels.left)));
        QVERIFY2(std::abs(levels.right - rightLevel) < 0.05,
                 qPrintable(QString::number(levels.right)));
    }

    // A window buffer holding fewer frames than the time range says (a failed fetch leaves
    // the previous one): frames beyond it are skipped, nothing is read outside it.
    void shortWindowIsMeasuredAsFarAsItGoes()
    {
        FrameInput settings = Settings(2);
        const WindowSamples data = Constant(2, 100, 10000, 0);
        const AnalogLevels levels = MeasureAnalogLevels(data.View(), settings);
        // 13 of 276 points hold a sample: the average is about 13 / 276 of the magnitude.
        QVERIFY(levels.left > std::log10(10000.0 * 10 / 276));
        QVERIFY(levels.left < std::log10(10000.0 * 16 / 276));
    }

    void needleMovement_data()
    {
        QTest::addColumn<float>("needle");
        QTest::addColumn<double>("level");
        QTest::addColumn<float>("fallRate");
        QTest::addColumn<double>("expected");

        const double f = std::log10(32768.0);
        QTest::newRow("rises from rest") << 0.0f << f << 0.01f << 5 * 0.01 * f;
        QTest::newRow("rises half as fast when fast") << 0.0f << f << 0.005f << 5 * 0.005 * f;
        QTest::newRow("falls") << 4.0f << 0.0 << 0.01f << 4.0 - 0.01 * f;
        QTest::newRow("stops at the level") << 3.4f << 3.5 << 0.01f << 3.5;
        QTest::newRow("stays on a steady level") << 3.5f << 3.5 << 0.01f << 3.5;
        QTest::newRow("never passes full scale") << 4.5f << 5.0 << 0.01f << f;
        QTest::newRow("no lower limit") << 0.01f << 0.0 << 0.01f << 0.01 - 0.01 * f;
    }

    void needleMovement()
    {
        QFETCH(float, needle);
        QFETCH(double, level);
        QFETCH(float, fallRate);
        QFETCH(double, expected);
        MoveNeedle(needle, level, fallRate, std::log10(32768.0));
        QVERIFY2(std::abs(needle - expected) < 1e-5, qPrintable(QString::number(needle)));
    }

    // A full-scale signal takes the needle up in about 20 frames; silence brings it back by
    // 0.045 decades a frame, half that when drawing fast.
    void needleOverFrames_data()
    {
        QTest::addColumn<bool>("fast");
        QTest::addColumn<float>("fallRate");
        QTest::addColumn<int>("framesToTop");

        QTest::newRow("normal") << false << 0.01f << 20;
        QTest::newRow("fast") << true << 0.005f << 40;
    }

    void needleOverFrames()
    {
        QFETCH(bool, fast);
        QFETCH(float, fallRate);
        QFETCH(int, framesToTop);

        FrameInput settings = Settings(1);
        settings.FastFlag = fast;
        const double f = std::log10(32768.0);
        const WindowSamples loud = Constant(1, 4410, 32767, 32767);
        const WindowSamples quiet = Constant(1, 4410, 0, 0);
        AnalogNeedles needles;
        float rate = 0;

        DrawFrames(loud.View(), settings, needles, rate, framesToTop - 1);
        QCOMPARE(rate, fallRate);
        QVERIFY(needles.left < f);
        DrawFrames(loud.View(), settings, needles, rate, 1);
        QCOMPARE(needles.left, static_cast<float>(f));
        QCOMPARE(needles.right, static_cast<float>(f));

        DrawFrames(quiet.View(), settings, needles, rate, 10);
        QVERIFY(std::abs(needles.left - (f - 10 * fallRate * f)) < 1e-4);
        DrawFrames(quiet.View(), settings, needles, rate, 5 * framesToTop - 10);
        QVERIFY(std::abs(needles.left) < 1e-4);
    }

    // Needle angles read back from the picture for known levels, left meter about (100, 195),
    // right about (300, 195), after the needles have settled.
    void needleAngles_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<double>("leftMin");
        QTest::addColumn<double>("leftMax");
        QTest::addColumn<double>("rightMin");
        QTest::addColumn<double>("rightMax");

        QTest::newRow("full scale")
            << 1 << 44100 << 32767 << 32767 << 148.5 << 151.5 << 148.5 << 151.5;
        QTest::newRow("silence rests at 30 degrees")
            << 1 << 44100 << 0 << 0 << 28.5 << 31.5 << 28.5 << 31.5;
        QTest::newRow("-20 dB stands upright, right silent")
            << 1 << 44100 << 3277 << 0 << 88.5 << 92.5 << 28.5 << 31.5;
        QTest::newRow("-40 dB is still at rest")
            << 1 << 44100 << 0 << 328 << 28.5 << 31.5 << 28.5 << 31.5;
        QTest::newRow("16-bit mono -20 dB on both")
            << 2 << 44100 << 3277 << 0 << 88.5 << 92.5 << 88.5 << 92.5;
        QTest::newRow("8-bit silence rests, 11.025 kHz")
            << 4 << 11025 << 128 << 0 << 28.5 << 31.5 << 28.5 << 31.5;
        QTest::newRow("8-bit full swing reaches full scale")
            << 3 << 11025 << 0 << 255 << 148.5 << 151.5 << 148.5 << 151.5;
        QTest::newRow("kind 0 rests") << 0 << 44100 << 0 << 0 << 28.5 << 31.5 << 28.5 << 31.5;
    }

    void needleAngles()
    {
        QFETCH(int, kind);
        QFETCH(int, sampleRate);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(double, leftMin);
        QFETCH(double, leftMax);
        QFETCH(double, rightMin);
        QFETCH(double, rightMax);

        const FrameInput settings = Settings(static_cast<std::uint8_t>(kind), sampleRate);
        const WindowSamples data =
            Constant(static_cast<std::uint8_t>(kind), sampleRate / 10, left, right);
        AnalogNeedles needles;
        float rate = 0;
        const QImage image = DrawFrames(data.View(), settings, needles, rate, 30);

        const double leftAngle = DrawnAngle(image, LeftColour, 100, 195);
        const double rightAngle = DrawnAngle(image, RightColour, 300, 195);
        QVERIFY2(leftAngle >= leftMin && leftAngle <= leftMax,
                 qPrintable(QString::number(leftAngle)));
        QVERIFY2(rightAngle >= rightMin && rightAngle <= rightMax,
                 qPrintable(QString::number(rightAngle)));
    }

    // Full scale: the 110-pixel needle ends 30 degrees above the horizontal, to the right.
    void needleTipAtFullScale()
    {
        const WindowSamples data = Constant(1, 4410, 32767, 32767);
        AnalogNeedles needles{4.6f, 4.6f};
        float rate = 0;
        const QImage image = DrawFrames(data.View(), Settings(1), needles, rate, 1);
        // Tip at (1500 + 1650 cos 30°, 2925 - 1650 sin 30°) twips = (195.3, 140) pixels.
        QCOMPARE(image.pixelColor(195, 140), LeftColour);
        QCOMPARE(image.pixelColor(200, 140), QColor(Qt::black));
        QCOMPARE(image.pixelColor(395, 140), RightColour);
    }

    // The audio picture at the top-left, the meter face from row 87 to the foot, black between;
    // the hub shows its upper half above each pivot.
    void picturesAndHub()
    {
        AnalogMeterPictures pictures{QImage(":/images/ImageAudio.png"),
                                     QImage(":/images/ImageAlmBack.png")};
        QVERIFY(!pictures.ImageAudio.isNull());
        QCOMPARE(pictures.ImageAlmBack.size(), QSize(400, 153));
        const QImage audio = pictures.ImageAudio.convertToFormat(QImage::Format_RGB32);
        const QImage face = pictures.ImageAlmBack.convertToFormat(QImage::Format_RGB32);

        const WindowSamples quiet = Constant(1, 4410, 0, 0);
        AnalogNeedles needles;
        float rate = 0;
        const QImage image = DrawFrames(quiet.View(), Settings(1), needles, rate, 1, pictures);

        QCOMPARE(image.copy(0, 0, audio.width(), audio.height()), audio);
        QCOMPARE(image.pixelColor(300, 60), QColor(Qt::black));
        // Resting needles stay below row 130, so the face's upper rows show unchanged.
        QCOMPARE(image.copy(0, 87, 400, 40), face.copy(0, 0, 400, 40));
        for (int pivotX : {100, 300}) {
            QCOMPARE(image.pixelColor(pivotX, 188), QColor(Qt::white));
            for (int y = 197; y <= 202; ++y)
                QCOMPARE(image.pixelColor(pivotX, y), QColor(Qt::black));
        }
    }
};

QTEST_MAIN(TestAnalogMeter)
#include "tst_analog_meter.moc"
