#include "spectrum/bin_walk.h"
#include "spectrum/hue_cycle.h"
#include "spectrum/spectrum_geometry.h"

#include <QTest>

#include <algorithm>
#include <cmath>

// Geometry of the spectrum analyzers: strides, segments, grid positions and the colour cycle.
class TestSpectrumGeometry : public QObject
{
    Q_OBJECT

private slots:
    void strideLimits_data();
    void strideLimits();
    void segmentsAroundStrideChanges();
    void walkEndsAtHalfTheSize_data();
    void walkEndsAtHalfTheSize();
    void gridPositions_data();
    void gridPositions();
    void scaleAndHalves();
    void hueCycle();
};

void TestSpectrumGeometry::strideLimits_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<QList<int>>("limits");
    QTest::newRow("400 px") << 6000 << QList<int>{101, 150, 199, 249, 298, 347, 396, 446, 495, 544};
    QTest::newRow("640 px") << 9600 << QList<int>{161, 240, 319, 398, 477, 556, 634, 713, 792, 871};
}

void TestSpectrumGeometry::strideLimits()
{
    QFETCH(int, W);
    QFETCH(QList<int>, limits);
    const auto computed = StrideLimits(W);
    for (int k = 1; k <= 10; ++k)
        QCOMPARE(computed[static_cast<std::size_t>(k)], limits[k - 1]);
}

void TestSpectrumGeometry::segmentsAroundStrideChanges()
{
    const std::vector<BinStep> steps = WalkBins(1024, 6000);
    QCOMPARE(static_cast<int>(steps.size()), 237);
    QList<QPair<int, int>> segments;
    for (const BinStep &s : steps)
        segments.append({s.j, s.j + s.k});
    const QList<QPair<int, int>> expectedRuns[] = {
        {{149, 150}, {150, 151}, {152, 154}, {154, 156}},
        {{198, 200}, {200, 202}, {203, 206}, {206, 209}},
    };
    for (const auto &run : expectedRuns) {
        const auto at = std::search(segments.begin(), segments.end(), run.begin(), run.end());
        QVERIFY2(at != segments.end(), "run of segments not found in order");
    }
    QCOMPARE(segments.first(), qMakePair(1, 2));
    QCOMPARE(segments.last(), qMakePair(511, 520));
    // While the stride stays the same each segment starts where the previous one ended.
    for (int i = 1; i < segments.size(); ++i)
        if (steps[static_cast<std::size_t>(i)].k == steps[static_cast<std::size_t>(i - 1)].k)
            QCOMPARE(segments[i].first, segments[i - 1].second);
}

void TestSpectrumGeometry::walkEndsAtHalfTheSize_data()
{
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("W");
    for (int N : {1024, 16384})
        for (int W : {6000, 9600})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(N).arg(W))) << N << W;
}

void TestSpectrumGeometry::walkEndsAtHalfTheSize()
{
    QFETCH(int, N);
    QFETCH(int, W);
    const std::vector<BinStep> steps = WalkBins(N, W);
    const auto limits = StrideLimits(W);
    int previous = 0;
    for (const BinStep &s : steps) {
        QVERIFY(s.j > previous);
        QVERIFY(s.k >= 1 && s.k <= 10);
        QVERIFY(s.j + s.k < N); // every bin read lies inside the transform
        previous = s.j;
    }
    QVERIFY(steps.back().j - steps.back().k + 1 <= N / 2 - 1);
    // Above the last limit every segment spans ten bins.
    const auto high = std::count_if(steps.begin(), steps.end(),
                                    [&](const BinStep &s) { return s.j > limits[10] + 9; });
    QVERIFY(
        std::all_of(steps.end() - high, steps.end(), [](const BinStep &s) { return s.k == 10; }));
}

void TestSpectrumGeometry::gridPositions_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("x");
    QTest::newRow("10 Hz") << 10.0 << 0.0;
    QTest::newRow("40 Hz") << 40.0 << 0.0;
    QTest::newRow("100 Hz") << 100.0 << 810.2;
    QTest::newRow("1 kHz") << 1000.0 << 3024.9;
    QTest::newRow("10 kHz") << 10000.0 << 5239.5;
}

void TestSpectrumGeometry::gridPositions()
{
    QFETCH(double, frequency);
    QFETCH(double, x);
    const SpectrumGeometry g = MakeSpectrumGeometry(6000, 3600, 1024, 44100, 16, 0);
    QVERIFY(std::fabs(g.r - 0.02322) < 5e-6);
    QVERIFY(std::fabs(g.s - 2214.6) < 0.05);
    QVERIFY(std::fabs(GridLineX(frequency, g) - x) < 0.1);
    QVERIFY(GridLineX(30000.0, g) > 6000.0f);
}

void TestSpectrumGeometry::scaleAndHalves()
{
    const SpectrumGeometry large = MakeSpectrumGeometry(9600, 5400, 16384, 44100, 16, 2);
    QCOMPARE(large.W, 9600);
    QCOMPARE(large.P, 4800);
    QCOMPARE(large.Q, 2400);
    QCOMPARE(large.p, 300.0);
    const SpectrumGeometry eightBit = MakeSpectrumGeometry(6000, 3600, 1024, 22050, 8, 0);
    QCOMPARE(eightBit.D, 6);
    QCOMPARE(eightBit.p, 500.0);
    // Halves go to even: P = 3001 gives Q = 1500, P = 3003 gives 1502.
    QCOMPARE(MakeSpectrumGeometry(6000, 3601, 1024, 44100, 16, 2).Q, 1500);
    QCOMPARE(MakeSpectrumGeometry(6000, 3603, 1024, 44100, 16, 2).Q, 1502);
}

void TestSpectrumGeometry::hueCycle()
{
    int16_t phase = 0;
    uint8_t segment = 0;
    AdvanceHue(phase, segment);
    QCOMPARE(HueColour(phase, segment), QColor(255, 4, 0));
    QCOMPARE(Complement(HueColour(phase, segment)), QColor(0, 251, 255));
    for (int frame = 1; frame < 64; ++frame)
        AdvanceHue(phase, segment);
    QCOMPARE(int(phase), 0);
    QCOMPARE(int(segment), 1);
    for (int frame = 64; frame < 384; ++frame) {
        AdvanceHue(phase, segment);
        QVERIFY(phase >= 0 && phase <= 252 && segment <= 5);
    }
    QCOMPARE(int(phase), 0);
    QCOMPARE(int(segment), 0);
    QCOMPARE(HueColour(128, 3), QColor(0, 127, 255));
    QCOMPARE(HueColour(252, 5), QColor(255, 0, 3));
}

QTEST_APPLESS_MAIN(TestSpectrumGeometry)
#include "tst_spectrum_geometry.moc"
