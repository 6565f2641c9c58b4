#include "fft/fft_double.h"
#include "spectrum/window_functions.h"

#include <QLibrary>
#include <QTest>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

// The fft module as the player loads it: fft_double from libfft.so, bound by name.
class TestFftModule : public QObject
{
    Q_OBJECT

    using Routine = decltype(&fft_double);
    using FloatRoutine = decltype(&fft_float);
    Routine fft_ = nullptr;
    FloatRoutine fftFloat_ = nullptr;
    QLibrary library_;

private slots:
    void initTestCase();
    void matchesDirectDft_data();
    void matchesDirectDft();
    void complexInputMatchesDirectDft();
    void differentlyAlignedArraysShareNoStaleState();
    void inPlaceComplexTransform();
    void floatMatchesDirectDft_data();
    void floatMatchesDirectDft();
    void hanningSineLevel_data();
    void hanningSineLevel();
};

namespace {

// Reference X[k] of a direct DFT, accumulated in long double.
void DirectBin(const std::vector<double> &xr, const std::vector<double> &xi, int k, double &re,
               double &im)
{
    const int n = static_cast<int>(xr.size());
    long double sr = 0, si = 0;
    for (int m = 0; m < n; ++m) {
        const long double phase =
            -2.0L * std::numbers::pi_v<long double> * ((static_cast<long long>(k) * m) % n) / n;
        const long double c = std::cos(phase), s = std::sin(phase);
        sr += xr[m] * c - xi[m] * s;
        si += xr[m] * s + xi[m] * c;
    }
    re = static_cast<double>(sr);
    im = static_cast<double>(si);
}

std::vector<int> BinsToCheck(int n)
{
    std::vector<int> bins{0, 1, 2, n / 2 - 1, n / 2, n / 2 + 9, n - 1};
    if (n <= 2048) {
        bins.clear();
        for (int k = 0; k < n; ++k)
            bins.push_back(k);
        return bins;
    }
    std::mt19937 random(n);
    for (int i = 0; i < 60; ++i)
        bins.push_back(static_cast<int>(random() % static_cast<unsigned>(n)));
    return bins;
}

} // namespace

void TestFftModule::initTestCase()
{
    library_.setFileName(QStringLiteral(LUMO_BIN_DIR "/libfft.so"));
    fft_ = reinterpret_cast<Routine>(library_.resolve("fft_double"));
    QVERIFY2(fft_, qPrintable(library_.errorString()));
    fftFloat_ = reinterpret_cast<FloatRoutine>(library_.resolve("fft_float"));
    QVERIFY(fftFloat_);
}

void TestFftModule::matchesDirectDft_data()
{
    QTest::addColumn<int>("n");
    for (int n : {1024, 2048, 4096, 8192, 16384})
        QTest::newRow(QByteArray::number(n)) << n;
}

void TestFftModule::matchesDirectDft()
{
    QFETCH(int, n);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> sample(-32768.0, 32767.0);
    std::vector<double> xr(n + 1), xi(n + 1, 0.0), yr(n + 1, -1.0), yi(n + 1, -1.0);
    for (int i = 0; i < n; ++i)
        xr[i] = ApplyWindow(1, sample(random), i, n);
    const std::vector<double> input = xr;
    fft_(n, 0, xr.data(), xi.data(), yr.data(), yi.data());

    std::vector<double> ref(xr.begin(), xr.begin() + n), zero(n, 0.0);
    const double tolerance = 1e-9 * 32768.0 * n;
    for (int k : BinsToCheck(n)) {
        double re, im;
        DirectBin(ref, zero, k, re, im);
        QVERIFY2(std::fabs(yr[k] - re) < tolerance && std::fabs(yi[k] - im) < tolerance,
                 qPrintable(QStringLiteral("bin %1: %2%3i vs %4%5i")
                                .arg(k)
                                .arg(yr[k])
                                .arg(yi[k])
                                .arg(re)
                                .arg(im)));
    }
    QVERIFY(xr == input);
    QVERIFY(std::all_of(xi.begin(), xi.end(), [](double v) { return v == 0.0; }));
    QCOMPARE(yr[n], -1.0); // the spare element is not written
}

void TestFftModule::complexInputMatchesDirectDft()
{
    const int n = 1024;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    std::vector<double> xr(n), xi(n), yr(n), yi(n);
    for (int i = 0; i < n; ++i) {
        xr[i] = sample(random);
        xi[i] = sample(random);
    }
    fft_(n, 0, xr.data(), xi.data(), yr.data(), yi.data());
    for (int k = 0; k < n; k += 17) {
        double re, im;
        DirectBin(xr, xi, k, re, im);
        QVERIFY(std::fabs(yr[k] - re) < 1e-9 && std::fabs(yi[k] - im) < 1e-9);
    }
}

void TestFftModule::differentlyAlignedArraysShareNoStaleState()
{
    // The same transform through arrays at different addresses and alignments gives the same
    // bins each time.
    const int n = 2048;
    std::vector<double> storage(4 * (n + 8));
    for (int offset = 0; offset < 4; ++offset) {
        double *xr = storage.data() + offset;
        double *xi = xr + n + 8;
        double *yr = xi + n + 8;
        double *yi = yr + n + 4 + offset;
        std::fill(storage.begin(), storage.end(), 0.0);
        xr[3] = 1.0; // a delayed impulse: X[k] = e^(-2πi·3k/n)
        fft_(n, 0, xr, xi, yr, yi);
        for (int k : {0, 1, 100, n / 2, n - 1}) {
            const double phase = -2 * std::numbers::pi * 3 * k / n;
            QVERIFY(std::fabs(yr[k] - std::cos(phase)) < 1e-12);
            QVERIFY(std::fabs(yi[k] - std::sin(phase)) < 1e-12);
        }
    }
}

void TestFftModule::inPlaceComplexTransform()
{
    const int n = 1024;
    std::vector<double> re(n, 0.0), im(n, 0.0);
    re[0] = 2.0;
    im[1] = 1.0;
    fft_(n, 0, re.data(), im.data(), re.data(), im.data());
    for (int k : {0, 5, 512}) {
        const double phase = -2 * std::numbers::pi * k / n;
        // 2 + i·e^(-iφ)
        QVERIFY(std::fabs(re[k] - (2.0 - std::sin(phase))) < 1e-12);
        QVERIFY(std::fabs(im[k] - std::cos(phase)) < 1e-12);
    }
}

void TestFftModule::floatMatchesDirectDft_data()
{
    // Where the input and the output lie, in floats from the start of one buffer: apart and on
    // the buffer's alignment, the same array, and apart but off the alignment.
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("inputAt");
    QTest::addColumn<int>("outputAt");
    for (int n : {1024, 16384}) {
        const QByteArray size = QByteArray::number(n);
        QTest::newRow(size + " apart") << n << 0 << 2 * n + 16;
        QTest::newRow(size + " in place") << n << 0 << 0;
        QTest::newRow(size + " unaligned") << n << 1 << 2 * n + 19;
    }
}

void TestFftModule::floatMatchesDirectDft()
{
    QFETCH(int, n);
    QFETCH(int, inputAt);
    QFETCH(int, outputAt);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> sample(-32768.0, 32767.0);
    std::vector<double> xr(n), xi(n);
    std::vector<float> buffer(4 * n + 32);
    float *x = buffer.data() + inputAt, *y = buffer.data() + outputAt;
    for (int i = 0; i < n; ++i) {
        x[2 * i] = static_cast<float>(xr[i] = std::round(sample(random)));
        x[2 * i + 1] = static_cast<float>(xi[i] = std::round(sample(random)));
    }
    const std::vector<float> input(x, x + 2 * n);
    fftFloat_(n, x, y);
    if (x != y)
        QVERIFY(std::equal(input.begin(), input.end(), x));
    // Single precision: the error grows with the bins' size, about 32768·√n here.
    const double tolerance = 1e-4 * 32768.0 * std::sqrt(n);
    for (int k : BinsToCheck(n)) {
        double re, im;
        DirectBin(xr, xi, k, re, im);
        QVERIFY2(std::fabs(y[2 * k] - re) < tolerance && std::fabs(y[2 * k + 1] - im) < tolerance,
                 qPrintable(QStringLiteral("bin %1: %2%3i vs %4%5i")
                                .arg(k)
                                .arg(y[2 * k])
                                .arg(y[2 * k + 1])
                                .arg(re)
                                .arg(im)));
    }
}

void TestFftModule::hanningSineLevel_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("level");
    QTest::newRow("1024") << 1024 << 6.9;
    QTest::newRow("16384") << 16384 << 8.1;
}

void TestFftModule::hanningSineLevel()
{
    QFETCH(int, n);
    QFETCH(double, level);
    std::vector<double> xr(n + 1), xi(n + 1, 0.0), yr(n + 1), yi(n + 1);
    const int bin = n / 16;
    for (int i = 0; i < n; ++i)
        xr[i] =
            ApplyWindow(1, std::round(32767 * std::sin(2 * std::numbers::pi * bin * i / n)), i, n);
    fft_(n, 0, xr.data(), xi.data(), yr.data(), yi.data());
    double peak = 0;
    for (int k = 1; k <= n / 2; ++k)
        peak = std::max(peak, std::hypot(yr[k], yi[k]));
    QVERIFY2(std::fabs(LogLevel(peak) - level) < 0.05, qPrintable(QString::number(LogLevel(peak))));
    QVERIFY(std::fabs(std::hypot(yr[bin], yi[bin]) - peak) < 1e-6 * peak);
}

QTEST_APPLESS_MAIN(TestFftModule)
#include "tst_fft_module.moc"
