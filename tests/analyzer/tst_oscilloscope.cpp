// The oscilloscope renderer: where the trace runs for known waveforms, the colour cycle, the
// sample kinds, and windows that hold fewer frames than the settings ask for.
#include "analyzer/oscilloscope.h"

#include "support/sample_windows.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

const QColor Backdrop(32, 32, 32);

// `frames` frames of a sine with one period over `period` frames at a quarter of full scale;
// stereo kinds carry the inverted sine on the right.
WindowSamples QuarterScaleSine(std::uint8_t kind, int frames, double period)
{
    WindowSamples data(kind);
    for (int i = 0; i < frames; ++i) {
        const double s = std::sin(2.0 * std::numbers::pi * i / period);
        if (kind == 1 || kind == 2)
            data.Append(static_cast<int>(std::lround(16384 * s)),
                        static_cast<int>(std::lround(-16384 * s)));
        else
            data.Append(static_cast<int>(128 + std::lround(64 * s)),
                        static_cast<int>(128 - std::lround(64 * s)));
    }
    return data;
}

QImage Draw(const SampleWindow &window, const FrameInput &settings, ScopeColourCycle &cycle)
{
    QImage image(settings.width / 15, settings.height / 15, QImage::Format_RGB32);
    image.fill(Backdrop);
    QPainter painter(&image);
    DrawOscilloscopeFrame(painter, window, settings, cycle);
    return image;
}

// Verifies that in every column the pixels of `colour` lie within two rows of
// centre - amplitude · sin(2π x / columns), and that every column has one.
void ExpectSineTrace(const QImage &image, int centre, double amplitude, const QColor &colour)
{
    const int columns = image.width();
    for (int x = 0; x < columns - 1; ++x) {
        const double ideal = centre - amplitude * std::sin(2.0 * std::numbers::pi * x / columns);
        int hits = 0;
        for (int y = 40; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != colour)
                continue;
            ++hits;
            QVERIFY2(std::abs(y - ideal) <= 2.0,
                     qPrintable(
                         QString("column %1: row %2, expected about %3").arg(x).arg(y).arg(ideal)));
        }
        QVERIFY2(hits > 0, qPrintable(QString("column %1 has no trace").arg(x)));
    }
}

// Verifies that `row` is lit in `colour` from column `from` to column `to`.
void ExpectFlat(const QImage &image, int row, int from, int to, const QColor &colour)
{
    for (int x = from; x <= to; ++x)
        QVERIFY2(image.pixelColor(x, row) == colour,
                 qPrintable(QString("column %1 of row %2 is not lit").arg(x).arg(row)));
}

bool LitOutside(const QImage &image, int rowFrom, int rowTo)
{
    for (int y = 40; y < image.height(); ++y) {
        if (y >= rowFrom && y <= rowTo)
            continue;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != Qt::black)
                return true;
    }
    return false;
}

// The frames `from` … `from + count - 1` of a window of the same kind (fewer where it ends).
SampleWindow Part(const SampleWindow &all, std::size_t from, std::size_t count)
{
    const auto cut = [&](auto span) {
        const std::size_t first = std::min(from, span.size());
        return span.subspan(first, std::min(count, span.size() - first));
    };
    SampleWindow part;
    part.sampleKind = all.sampleKind;
    part.stereo16 = cut(all.stereo16);
    part.mono16 = cut(all.mono16);
    part.stereo8 = cut(all.stereo8);
    part.mono8 = cut(all.mono8);
    return part;
}

} // namespace

class TestOscilloscope : public QObject
{
    Q_OBJECT

private slots:
    void colourCycle_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("segment");
        QTest::addColumn<QColor>("base");

        QTest::newRow("first frame") << 1 << 4 << 0 << QColor(255, 4, 0);
        QTest::newRow("end of segment 0") << 63 << 252 << 0 << QColor(255, 252, 0);
        QTest::newRow("segment 1 begins") << 64 << 0 << 1 << QColor(255, 255, 0);
        QTest::newRow("segment 1") << 65 << 4 << 1 << QColor(251, 255, 0);
        QTest::newRow("segment 2") << 130 << 8 << 2 << QColor(0, 255, 8);
        QTest::newRow("segment 3") << 200 << 32 << 3 << QColor(0, 223, 255);
        QTest::newRow("segment 4") << 256 << 0 << 4 << QColor(0, 0, 255);
        QTest::newRow("segment 5") << 383 << 252 << 5 << QColor(255, 0, 3);
        QTest::newRow("full turn") << 384 << 0 << 0 << QColor(255, 0, 0);
        QTest::newRow("second turn") << 385 << 4 << 0 << QColor(255, 4, 0);
    }

    void colourCycle()
    {
        QFETCH(int, frames);
        QFETCH(int, phase);
        QFETCH(int, segment);
        QFETCH(QColor, base);

        ScopeColourCycle cycle;
        for (int i = 0; i < frames; ++i)
            AdvanceScopeColour(cycle);
        QCOMPARE(cycle.phase, phase);
        QCOMPARE(cycle.segment, segment);
        QCOMPARE(ScopeBaseColour(cycle), base);
    }

    // Each drawn frame advances the cycle once and the trace shows the complement colour.
    void frameUsesTheNextColour()
    {
        const WindowSamples data = QuarterScaleSine(2, 441, 441);
        FrameInput settings;
        settings.CH = 0;
        settings.TimeRange = 1;
        ScopeColourCycle cycle{60, 2};
        const QImage image = Draw(data.View(), settings, cycle);
        QCOMPARE(cycle.phase, 64);
        QCOMPARE(ScopeBaseColour(cycle), QColor(0, 255, 64));
        QCOMPARE(image.pixelColor(0, 140), QColor(255, 0, 191));
    }

    // One sine period over the window at a quarter of full scale, on the 400 × 240 area with
    // 441 frames (stride 1) and on the 640 × 360 area with one second (stride 69).
    void sineTrace_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("areaWidth");
        QTest::addColumn<int>("timeRange");
        // Expected traces: centre row, amplitude in pixels (negative: inverted), base colour.
        QTest::addColumn<QList<int>>("centres");
        QTest::addColumn<QList<int>>("amplitudes");
        QTest::addColumn<QList<bool>>("baseColour");

        const QList<bool> trace{false}, both{false, true};
        QTest::newRow("16-bit stereo left")
            << 1 << 0 << 400 << 1 << QList{140} << QList{50} << trace;
        QTest::newRow("16-bit stereo right")
            << 1 << 1 << 400 << 1 << QList{140} << QList{-50} << trace;
        QTest::newRow("16-bit stereo dual")
            << 1 << 2 << 400 << 1 << QList{90, 190} << QList{25, -25} << both;
        QTest::newRow("16-bit mono dual")
            << 2 << 2 << 400 << 1 << QList{90, 190} << QList{25, 25} << both;
        QTest::newRow("8-bit stereo left")
            << 3 << 0 << 400 << 1 << QList{140} << QList{50} << trace;
        QTest::newRow("8-bit stereo dual")
            << 3 << 2 << 400 << 1 << QList{90, 190} << QList{25, -25} << both;
        QTest::newRow("8-bit mono right") << 4 << 1 << 400 << 1 << QList{140} << QList{50} << trace;
        QTest::newRow("one second, large area")
            << 1 << 0 << 640 << 100 << QList{200} << QList{80} << trace;
        QTest::newRow("one second, large area, dual")
            << 1 << 2 << 640 << 100 << QList{120, 280} << QList{40, -40} << both;
        QTest::newRow("441 frames, large area")
            << 1 << 1 << 640 << 1 << QList{200} << QList{-80} << trace;
    }

    void sineTrace()
    {
        QFETCH(int, kind);
        QFETCH(int, channel);
        QFETCH(int, areaWidth);
        QFETCH(int, timeRange);
        QFETCH(QList<int>, centres);
        QFETCH(QList<int>, amplitudes);
        QFETCH(QList<bool>, baseColour);

        FrameInput settings;
        settings.CH = static_cast<std::uint8_t>(channel);
        settings.width = areaWidth * 15;
        settings.height = areaWidth == 640 ? 5400 : 3600;
        settings.TimeRange = static_cast<std::uint8_t>(timeRange);
        settings.BitsPerSample = kind <= 2 ? 16 : 8;
        const int frames = 441 * timeRange;
        const WindowSamples data =
            QuarterScaleSine(static_cast<std::uint8_t>(kind), frames, frames);

        ScopeColourCycle cycle;
        const QImage image = Draw(data.View(), settings, cycle);
        const QColor base = ScopeBaseColour(cycle);
        for (qsizetype t = 0; t < centres.size(); ++t)
            ExpectSineTrace(image, centres[t], amplitudes[t],
                            baseColour[t] ? base : Complement(base));

        // The strip above the plot keeps what it held; the rest of the plot is black.
        QCOMPARE(image.pixelColor(0, 0), Backdrop);
        QCOMPARE(image.pixelColor(image.width() - 1, 39), Backdrop);
        QCOMPARE(image.pixelColor(image.width() / 2, 40), QColor(Qt::black));
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
    }

    // A full-scale positive sample reaches the top of the plot; a positive sample is drawn
    // above the centre line.
    void fullScaleReachesTheTop()
    {
        const std::vector<std::int16_t> samples(441, 32767);
        FrameInput settings;
        settings.CH = 0;
        settings.TimeRange = 1;
        ScopeColourCycle cycle;
        const QImage image = Draw(Mono16Window(samples), settings, cycle);
        const QColor colour = Complement(ScopeBaseColour(cycle));
        ExpectFlat(image, 40, 0, 399, colour);
        QVERIFY(!LitOutside(image, 40, 40));
    }

    // Windows without samples, silence of either width, and a window that does not hold one
    // whole segment.
    void flatTrace_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("sampleValue");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QList<int>>("rows");

        QTest::newRow("kind 0 single") << 0 << 0 << 0 << 441 << QList{140};
        QTest::newRow("kind 0 dual") << 0 << 2 << 0 << 441 << QList{90, 190};
        QTest::newRow("16-bit silence") << 1 << 2 << 0 << 441 << QList{90, 190};
        QTest::newRow("8-bit silence is 128") << 4 << 0 << 128 << 441 << QList{140};
        QTest::newRow("8-bit stereo silence") << 3 << 1 << 128 << 441 << QList{140};
        QTest::newRow("empty 16-bit window") << 1 << 0 << 0 << 0 << QList{140};
        QTest::newRow("one frame only") << 2 << 2 << 20000 << 1 << QList{90, 190};
    }

    void flatTrace()
    {
        QFETCH(int, kind);
        QFETCH(int, channel);
        QFETCH(int, sampleValue);
        QFETCH(int, frames);
        QFETCH(QList<int>, rows);

        WindowSamples data(static_cast<std::uint8_t>(kind));
        for (int i = 0; i < frames; ++i)
            data.Append(sampleValue, sampleValue);

        FrameInput settings;
        settings.CH = static_cast<std::uint8_t>(channel);
        settings.TimeRange = 1;
        settings.BitsPerSample = kind >= 3 ? 8 : 16;
        ScopeColourCycle cycle;
        const QImage image = Draw(data.View(), settings, cycle);
        const QColor base = ScopeBaseColour(cycle);
        ExpectFlat(image, rows[0], 0, 399, Complement(base));
        if (rows.size() > 1)
            ExpectFlat(image, rows[1], 0, 399, base);
        for (int y = 40; y < 240; ++y)
            if (!rows.contains(y))
                for (int x = 0; x < 400; ++x)
                    QVERIFY2(image.pixelColor(x, y) == Qt::black, qPrintable(QString::number(y)));
    }

    // The supply hands over fewer frames than the time range asks for: the trace follows the
    // samples it has and runs flat on the centre line beyond them.
    void shortWindowRunsFlat()
    {
        // The first 220 frames of one period over 441.
        const WindowSamples data = QuarterScaleSine(1, 220, 441);
        FrameInput settings;
        settings.CH = 0;
        settings.TimeRange = 1;
        ScopeColourCycle cycle;
        const QImage image = Draw(data.View(), settings, cycle);
        const QColor colour = Complement(ScopeBaseColour(cycle));

        // Index 219 lies at column 199 and is the last sample held.
        for (int x = 0; x < 199; ++x) {
            const double ideal = 140 - 50 * std::sin(2.0 * std::numbers::pi * x / 400);
            bool near = false;
            for (int y = 40; y < 240; ++y)
                if (image.pixelColor(x, y) == colour)
                    near = near || std::abs(y - ideal) <= 2.0;
            QVERIFY2(near, qPrintable(QString::number(x)));
        }
        ExpectFlat(image, 140, 199, 399, colour);
        for (int x = 201; x < 400; ++x)
            for (int y = 40; y < 240; ++y)
                if (y != 140)
                    QVERIFY(image.pixelColor(x, y) == Qt::black);
    }

    // A dense, noisy window thinned to one point per column: a painter straight on the image
    // and one that has to go through the raster engine (here: clipped) give the same picture,
    // one unbroken run of rows per column.
    void densePictureIsTheSameThroughEitherPainter()
    {
        WindowSamples data(1);
        std::uint32_t seed = 12345;
        for (int i = 0; i < 44100; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int left = static_cast<std::int16_t>(seed >> 16);
            seed = seed * 1664525u + 1013904223u;
            data.Append(left, static_cast<std::int16_t>(seed >> 16));
        }
        FrameInput settings;
        settings.CH = 2;
        settings.width = 9600;
        settings.height = 5400;
        settings.TimeRange = 100;

        ScopeColourCycle direct, clipped;
        const QImage plain = Draw(data.View(), settings, direct);
        QImage image(640, 360, QImage::Format_RGB32);
        image.fill(Backdrop);
        {
            QPainter painter(&image);
            painter.setClipRect(image.rect());
            DrawOscilloscopeFrame(painter, data.View(), settings, clipped);
        }
        QCOMPARE(image, plain);

        const QColor upper = Complement(ScopeBaseColour(direct));
        for (int x = 0; x < 640; ++x) {
            int runs = 0;
            for (int y = 40; y < 200; ++y)
                if (plain.pixelColor(x, y) == upper &&
                    (y == 40 || plain.pixelColor(x, y - 1) != upper))
                    ++runs;
            QVERIFY2(runs == 1, qPrintable(QString::number(x)));
        }
    }

    // Frames drawn one after another on one picture, each clearing only where the last traces
    // ran, give the pictures of frames that clear the whole plot; the rectangles they report
    // hold every pixel they changed.
    void followingFramesClearOnlyTheirTraces_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("frames"); // samples in the whole sound
        QTest::newRow("16-bit stereo, both") << 1 << 2 << 44100;
        QTest::newRow("16-bit mono") << 2 << 0 << 44100;
        QTest::newRow("8-bit stereo, right") << 3 << 1 << 44100;
        QTest::newRow("16-bit stereo, running out") << 1 << 2 << 8000;
    }

    void followingFramesClearOnlyTheirTraces()
    {
        QFETCH(int, kind);
        QFETCH(int, channels);
        QFETCH(int, frames);
        WindowSamples data(static_cast<std::uint8_t>(kind));
        std::uint32_t seed = 99;
        for (int i = 0; i < frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double tone = std::sin(2.0 * std::numbers::pi * i / 210.0);
            const int noise = static_cast<int>(seed >> 20) - 2048;
            if (kind <= 2)
                data.Append(static_cast<int>(12000 * tone) + noise, noise * 4);
            else
                data.Append(128 + static_cast<int>(50 * tone), 128 + noise / 64);
        }
        FrameInput settings;
        settings.CH = static_cast<std::uint8_t>(channels);
        settings.width = 9600;
        settings.height = 5400;
        settings.BitsPerSample = kind <= 2 ? 16 : 8;
        QImage picture(640, 360, QImage::Format_RGB32);
        picture.fill(Backdrop);
        ScopeColourCycle cycle;
        ScopeWorkspace work;
        for (int frame = 0; frame < 12; ++frame) {
            const SampleWindow window = Part(data.View(), std::size_t(frame) * 441 * 6, 4410);
            QImage whole = picture.copy();
            ScopeColourCycle wholeCycle = cycle;
            {
                QPainter painter(&whole);
                DrawOscilloscopeFrame(painter, window, settings, wholeCycle);
            }
            const QImage before = picture.copy();
            {
                QPainter painter(&picture);
                DrawOscilloscopeFrame(painter, window, settings, cycle, work);
            }
            QCOMPARE(picture, whole);
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (picture.pixel(x, y) != before.pixel(x, y))
                        QVERIFY2(std::any_of(work.changed.begin(), work.changed.end(),
                                             [&](const QRect &r) { return r.contains(x, y); }),
                                 qPrintable(QStringLiteral("frame %1: %2, %3 changed unreported")
                                                .arg(frame)
                                                .arg(x)
                                                .arg(y)));
        }
        // Past the first frame, the frames repaint less than the whole picture.
        qint64 reported = 0;
        for (const QRect &r : work.changed)
            reported += qint64(r.width()) * r.height();
        QVERIFY(reported < qint64(picture.width()) * picture.height());
    }

    // No sample rate gives no window: the plot is cleared and the colour still moves on.
    void noFramesClearsThePlot()
    {
        FrameInput settings;
        settings.CH = 0;
        settings.SampleRate = 0;
        ScopeColourCycle cycle;
        const QImage image = Draw(SampleWindow{}, settings, cycle);
        QCOMPARE(cycle.phase, 4);
        QVERIFY(!LitOutside(image, -1, -1));
    }
};

QTEST_MAIN(TestOscilloscope)
#include "tst_oscilloscope.moc"
