#include "spectrum/window_functions.h"

#include <QTest>

#include <cmath>
#include <numbers>

// Window weights and the logarithmic level scale.
class TestWindowFunctions : public QObject
{
    Q_OBJECT

private slots:
    void edgeAndCentre_data();
    void edgeAndCentre();
    void lastSampleOfHanningIsSmallButNotZero();
    void rectangularPassesSampleUnchanged();
    void silenceStaysZero();
    void optimalBlackmanAlpha();
    void blackmanHarrisAgainstTrueConstants();
    void gaussianShape();
    void tableMatchesApplyWindow_data();
    void tableMatchesApplyWindow();
    void tableFollowsWindowAndLengthChanges();
    void logLevel_data();
    void logLevel();
};

void TestWindowFunctions::edgeAndCentre_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("edge");
    QTest::addColumn<double>("centre");
    for (int n : {1024, 16384}) {
        const QByteArray s = QByteArray::number(n);
        QTest::newRow("hanning " + s) << 1 << n << 0.0 << 1.0;
        QTest::newRow("hamming " + s) << 2 << n << 0.08 << 1.0;
        QTest::newRow("blackman " + s) << 3 << n << 0.0 << 1.0;
        QTest::newRow("blackman-harris " + s) << 4 << n << 0.00006 << 1.0;
        QTest::newRow("exact blackman " + s) << 5 << n << 0.00687876 << 1.0;
        QTest::newRow("optimal blackman " + s) << 6 << n << 0.0 << 1.0;
        QTest::newRow("rosenfield " + s) << 7 << n << 0.0 << 2.0;
        QTest::newRow("flat-top " + s) << 9 << n << -0.0417934 << 1.000001;
    }
    QTest::newRow("optimal blackman 2048") << 6 << 2048 << 0.0 << 1.0;
    QTest::newRow("optimal blackman 4096") << 6 << 4096 << 0.0 << 1.0;
}

void TestWindowFunctions::edgeAndCentre()
{
    QFETCH(int, window);
    QFETCH(int, n);
    QFETCH(double, edge);
    QFETCH(double, centre);
    const auto w = static_cast<uint8_t>(window);
    QVERIFY(std::fabs(ApplyWindow(w, 1000.0, 0, n) - 1000.0 * edge) < 1e-9);
    QVERIFY(std::fabs(ApplyWindow(w, 1000.0, n / 2, n) - 1000.0 * centre) < 1e-9);
    QVERIFY(std::fabs(ApplyWindow(w, -128.0, n / 2, n) + 128.0 * centre) < 1e-9);
}

void TestWindowFunctions::lastSampleOfHanningIsSmallButNotZero()
{
    const int n = 1024;
    const double expected = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * (n - 1) / n);
    const double w = WindowWeight(1, n - 1, n);
    QVERIFY(w > 0.0);
    QVERIFY(std::fabs(w - expected) < 1e-12);
    // Periodic: w(i) = w(n - i), not w(n - 1 - i).
    QCOMPARE(WindowWeight(1, 1, n), w);
}

void TestWindowFunctions::rectangularPassesSampleUnchanged()
{
    for (int i : {0, 1, 511, 512, 1023})
        QCOMPARE(ApplyWindow(0, -32768.0, i, 1024), -32768.0);
}

void TestWindowFunctions::silenceStaysZero()
{
    for (int window = 0; window <= 9; ++window)
        for (int i : {0, 100, 512, 1023})
            QCOMPARE(ApplyWindow(static_cast<uint8_t>(window), 0.0, i, 1024), 0.0);
}

void TestWindowFunctions::optimalBlackmanAlpha()
{
    // At i = n/4, cos θ = 0 and cos 2θ = -1, so the weight is α + 1/2.
    const double alpha = WindowWeight(6, 256, 1024) - 0.5;
    QVERIFY2(std::fabs(alpha - (-0.2500023531)) < 1e-10,
             qPrintable(QString::number(alpha, 'g', 12)));
    const double alphaLarge = WindowWeight(6, 4096, 16384) - 0.5;
    QVERIFY(alphaLarge < -0.25 && alphaLarge > alpha);
}

void TestWindowFunctions::blackmanHarrisAgainstTrueConstants()
{
    const double pi = std::numbers::pi;
    for (int i : {1, 100, 341, 700, 1000}) {
        const double t = 2 * pi * i / 1024;
        const double expected =
            0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
        QVERIFY(std::fabs(WindowWeight(4, i, 1024) - expected) < 1e-12);
    }
}

void TestWindowFunctions::gaussianShape()
{
    for (int n : {1024, 4096, 16384}) {
        QCOMPARE(WindowWeight(8, n / 2, n), 1.0);
        for (int d : {1, 7, n / 8, n / 4, n / 2 - 1})
            QVERIFY(std::fabs(WindowWeight(8, n / 2 + d, n) - WindowWeight(8, n / 2 - d, n)) <
                    1e-15);
        double previous = 1.0;
        for (int i = n / 2 - 1; i >= 0; i -= 31) {
            const double w = WindowWeight(8, i, n);
            QVERIFY(w < previous && w > 0.0);
            previous = w;
        }
        const double edge = WindowWeight(8, 0, n);
        QVERIFY(edge > 0.03 && edge < 0.06);
    }
}

void TestWindowFunctions::tableMatchesApplyWindow_data()
{
    QTest::addColumn<int>("window");
    for (int w = 0; w <= 9; ++w)
        QTest::newRow(QByteArray::number(w)) << w;
}

void TestWindowFunctions::tableMatchesApplyWindow()
{
    QFETCH(int, window);
    WindowTable table;
    for (int n : {1024, 2048}) {
        const std::vector<double> &weights = table.Weights(static_cast<uint8_t>(window), n);
        QCOMPARE(static_cast<int>(weights.size()), n);
        for (int i = 0; i < n; ++i)
            QCOMPARE(weights[static_cast<std::size_t>(i)] * 1234.0,
                     ApplyWindow(static_cast<uint8_t>(window), 1234.0, i, n));
    }
}

void TestWindowFunctions::tableFollowsWindowAndLengthChanges()
{
    WindowTable table;
    QCOMPARE(table.Weights(1, 1024)[512], 1.0);
    QCOMPARE(table.Weights(7, 1024)[512], 2.0);
    QCOMPARE(table.Weights(7, 2048)[512], WindowWeight(7, 512, 2048));
    QCOMPARE(table.Weights(0, 2048)[0], 1.0);
}

void TestWindowFunctions::logLevel_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("half") << 0.5 << 0.0;
    QTest::newRow("one") << 1.0 << 0.0;
    QTest::newRow("minus one") << -1.0 << 0.0;
    QTest::newRow("ten") << 10.0 << 1.0;
    QTest::newRow("minus thousand") << -1000.0 << 3.0;
    QTest::newRow("10^8") << 1e8 << 8.0;
    QTest::newRow("NaN") << std::nan("") << 0.0;
}

void TestWindowFunctions::logLevel()
{
    QFETCH(double, x);
    QFETCH(double, expected);
    QVERIFY(std::fabs(LogLevel(x) - expected) < 1e-12);
    QVERIFY(LogLevel(x) >= 0.0);
}

QTEST_APPLESS_MAIN(TestWindowFunctions)
#include "tst_window_functions.moc"
