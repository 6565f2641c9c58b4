#include "analyzer/overlay.h"
#include "spectrum/direct_raster.h"
#include "spectrum/hatched_fill.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <vector>

// The frame-rate overlay and the hatched fill.
class TestOverlay : public QObject
{
    Q_OBJECT

private slots:
    void firstNineFramesShowZero();
    void tenFramesGiveTheRate_data();
    void tenFramesGiveTheRate();
    void figureIncludesIdleTime();
    void tenFramesInOneMillisecondKeepTheFigure();
    void overlayBox();
    void figureFitsItsBox_data();
    void figureFitsItsBox();
    void hatchingColumns_data();
    void hatchingColumns();
    void strokesFollowTheSlope();
    void coverageLeavesTheSamePixels();
};

namespace {

const QColor kRed(255, 0, 0);

QList<int> StrokeColumns(const QImage &image)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == kRed) {
                columns.append(x);
                break;
            }
    return columns;
}

int StrokeTop(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == kRed)
            return y;
    return -1;
}

} // namespace

void TestOverlay::firstNineFramesShowZero()
{
    FrameRateState state;
    for (int frame = 1; frame <= 9; ++frame) {
        CountFrame(state, 1000 + 40 * frame);
        QCOMPARE(FrameRateText(state.framesPerSecond), QStringLiteral("0.0fps"));
    }
    CountFrame(state, 1000 + 400);
    QVERIFY(state.framesPerSecond > 0.0f);
}

void TestOverlay::tenFramesGiveTheRate_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("400 ms") << 400 << "25.0fps";
    QTest::newRow("100 ms") << 100 << "100.0fps";
    QTest::newRow("401 ms") << 401 << "24.9fps";
}

void TestOverlay::tenFramesGiveTheRate()
{
    QFETCH(int, milliseconds);
    QFETCH(QString, text);
    FrameRateState state;
    CountFrame(state, 50000); // starts the clock and counts the first frame
    for (int frame = 2; frame <= 10; ++frame)
        CountFrame(state, 50000 + milliseconds * (frame - 1) / 9);
    QCOMPARE(FrameRateText(state.framesPerSecond), text);
    QCOMPARE(int(state.frameCount), 0);
}

void TestOverlay::figureIncludesIdleTime()
{
    FrameRateState state;
    for (int frame = 0; frame < 10; ++frame)
        CountFrame(state, 1000 + 40 * frame);
    // Ten more frames, but a pause of almost a second before them.
    const int64_t restart = state.startTick;
    for (int frame = 1; frame <= 10; ++frame)
        CountFrame(state, restart + 600 + 40 * frame);
    QCOMPARE(FrameRateText(state.framesPerSecond), QStringLiteral("10.0fps"));
}

void TestOverlay::tenFramesInOneMillisecondKeepTheFigure()
{
    FrameRateState state;
    for (int frame = 0; frame < 10; ++frame)
        CountFrame(state, 1000 + 40 * frame);
    const float figure = state.framesPerSecond;
    for (int frame = 0; frame < 10; ++frame)
        CountFrame(state, state.startTick);
    QCOMPARE(state.framesPerSecond, figure);
    QCOMPARE(int(state.frameCount), 0);
}

void TestOverlay::overlayBox()
{
    QImage image(400, 240, QImage::Format_RGB32);
    image.fill(kRed);
    FrameRateState state;
    {
        QPainter painter(&image);
        DrawFrameRateOverlay(painter, state, 6000, 123456);
    }
    // The box spans x = 5360 … 6000 and y = 0 … 240 twips: columns 357 to 399, rows 0 to 15.
    QCOMPARE(image.pixelColor(356, 5), kRed);
    QCOMPARE(image.pixelColor(399, 16), kRed);
    int white = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 357; x < 400; ++x) {
            const QColor c = image.pixelColor(x, y);
            QVERIFY(c != kRed);
            white += c == QColor(Qt::white);
        }
    QVERIFY(white > 5); // "0.0fps" printed in white
}

void TestOverlay::figureFitsItsBox_data()
{
    QTest::addColumn<int>("milliseconds");
    QTest::addColumn<int>("fontPixels");
    QTest::newRow("100.0fps, 12 px") << 100 << 12;
    QTest::newRow("24.9fps, 12 px") << 401 << 12;
    QTest::newRow("100.0fps, 16 px") << 100 << 16;
    QTest::newRow("24.9fps, 16 px") << 401 << 16;
}

// The figure is printed inside its 43 × 16 pixel box, whatever the painter's font: nothing
// white beyond the box in a picture wider and taller than the 400 × 240 area it is drawn for.
void TestOverlay::figureFitsItsBox()
{
    QFETCH(int, milliseconds);
    QFETCH(int, fontPixels);
    QImage image(440, 60, QImage::Format_RGB32);
    image.fill(kRed);
    FrameRateState state;
    for (int frame = 0; frame < 9; ++frame)
        CountFrame(state, 50000 + milliseconds * frame / 9);
    {
        QPainter painter(&image);
        QFont font = painter.font();
        font.setPixelSize(fontPixels);
        painter.setFont(font);
        DrawFrameRateOverlay(painter, state, 6000, 50000 + milliseconds);
    }
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inBox = x >= 357 && x < 400 && y < 16;
            const bool lit = qGray(image.pixel(x, y)) > 160;
            QVERIFY2(inBox || !lit, qPrintable(QStringLiteral("lit at %1, %2").arg(x).arg(y)));
            inside += lit;
        }
    QVERIFY(inside > 20);
}

void TestOverlay::hatchingColumns_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("columns");
    QTest::newRow("10 to 20") << 10 << 20 << QList<int>{10, 12, 14, 16, 18};
    QTest::newRow("11 to 21") << 11 << 21 << QList<int>{12, 14, 16, 18, 20};
    QTest::newRow("even single column") << 30 << 30 << QList<int>{30};
    QTest::newRow("odd single column") << 31 << 31 << QList<int>{};
}

void TestOverlay::hatchingColumns()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<int>, columns);
    QImage image(64, 50, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        HatchedFill(painter, from * 15 + 3, 150, to * 15 + 7, 300, 750, kRed);
    }
    QCOMPARE(StrokeColumns(image), columns);
    for (int c : columns) {
        QVERIFY(StrokeTop(image, c) >= 10 && StrokeTop(image, c) <= 20);
        QCOMPARE(image.pixelColor(c, 49), kRed); // down to the row above the base
    }
}

void TestOverlay::strokesFollowTheSlope()
{
    QImage image(40, 60, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        // From (pixel 0, row 10) to (pixel 20, row 30), down to the base at row 50.
        HatchedFill(painter, 0, 150, 300, 450, 750, kRed);
    }
    for (int d = 0; d < 20; d += 2) {
        QCOMPARE(StrokeTop(image, d), 10 + d);
        QCOMPARE(image.pixelColor(d, 49), kRed);
        QCOMPARE(image.pixelColor(d, 50), QColor(Qt::black));
        QCOMPARE(image.pixelColor(d + 1, 40), QColor(Qt::black));
    }
    QCOMPARE(StrokeTop(image, 20), -1);
}

void TestOverlay::coverageLeavesTheSamePixels()
{
    // Overlapping fills over one base, as a spectrum draws them, stroked at once and gathered
    // into a coverage drawn at the end.
    QImage plain(120, 80, QImage::Format_RGB32), shared(120, 80, QImage::Format_RGB32);
    plain.fill(Qt::black);
    shared.fill(Qt::black);
    HatchCoverage coverage;
    coverage.Reset(100, 70); // narrower than the picture: the rest is stroked at once
    QPainter plainPainter(&plain), sharedPainter(&shared);
    DirectRaster plainRaster(plainPainter), sharedRaster(sharedPainter);
    QVERIFY(sharedRaster.Direct());
    uint32_t seed = 99;
    double x = 0;
    double y = 600;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double x2 = x + (seed >> 28) * 2.5;
        const double y2 = 15.0 * ((seed >> 8) % 90);
        HatchedFill(plainRaster, x, y, x2, y2, 1050, kRed.rgb());
        HatchedFill(sharedRaster, x, y, x2, y2, 1050, kRed.rgb(), &coverage);
        x = x2 > 1700 ? 0 : x2;
        y = y2;
    }
    coverage.Draw(sharedRaster, kRed.rgb());
    QCOMPARE(shared, plain);
    QVERIFY(StrokeColumns(shared).size() > 50);
}

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
