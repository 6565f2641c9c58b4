#include "spectrum/fft_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

// Binding fft_double at run time, and what happens while the module is missing.
class TestFftEngine : public QObject
{
    Q_OBJECT

private slots:
    void presentModuleTransforms();
    void floatTransform_data();
    void floatTransform();
    void missingModuleLeavesZeros();
    void searchesAtMostOncePerSecond();
    void bindsWhenModuleAppearsLater();
    void emptyModuleIsNotPresent();
    void unloadableModuleFailsQuietly();
    void moduleWithoutRoutineFailsQuietly();
};

namespace {

struct Buffers
{
    explicit Buffers(int n) : xr(n + 1, 0.0), xi(n + 1, 0.0), yr(n + 1, 7.0), yi(n + 1, 7.0)
    {
        xr[0] = 1.0;
    }
    bool OutputsZero(int n) const
    {
        return std::all_of(yr.begin(), yr.begin() + n, [](double v) { return v == 0.0; }) &&
               std::all_of(yi.begin(), yi.begin() + n, [](double v) { return v == 0.0; });
    }
    std::vector<double> xr, xi, yr, yi;
};

// A clock the test moves by hand.
struct FakeClock
{
    int64_t now = 5000;
    FftEngine::Clock Function()
    {
        return [this] { return now; };
    }
};

} // namespace

void TestFftEngine::presentModuleTransforms()
{
    QVERIFY(FftEngine::ModulePresent(QStringLiteral(LUMO_BIN_DIR)));
    FftEngine engine(QStringLiteral(LUMO_BIN_DIR));
    Buffers b(1024);
    QVERIFY(engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(engine.IsBound());
    // An impulse at 0 has a flat spectrum of ones.
    for (int k : {0, 1, 511, 512, 1023}) {
        QCOMPARE(b.yr[k], 1.0);
        QCOMPARE(b.yi[k], 0.0);
    }
}

void TestFftEngine::floatTransform_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<bool>("bound");
    QTest::newRow("module with fft_float") << QStringLiteral(LUMO_BIN_DIR) << true;
    QTest::newRow("module with fft_double only") << QStringLiteral(LUMO_DOUBLE_ONLY_DIR) << true;
    QTest::newRow("missing module") << QStringLiteral("/nonexistent") << false;
}

void TestFftEngine::floatTransform()
{
    QFETCH(QString, directory);
    QFETCH(bool, bound);
    const int n = 64;
    // An impulse delayed by 3 plus a constant 0.5i: X[k] = e^(-2πi·3k/n), and 0.5i·n at k = 0.
    std::vector<float> x(2 * n, 0.0f), y(2 * n + 2, 7.0f);
    x[2 * 3] = 1.0f;
    for (int i = 0; i < n; ++i)
        x[2 * i + 1] += 0.5f;
    FftEngine engine(directory);
    QCOMPARE(engine.Transform(n, x.data(), y.data()), bound);
    for (int k = 0; k < n; ++k) {
        const double phase = -2 * std::numbers::pi * 3 * k / n;
        const double re = bound ? std::cos(phase) : 0.0;
        const double im = bound ? std::sin(phase) + (k == 0 ? 0.5 * n : 0.0) : 0.0;
        QVERIFY2(std::fabs(y[2 * k] - re) < 1e-5 && std::fabs(y[2 * k + 1] - im) < 1e-5,
                 qPrintable(QString::number(k)));
    }
    QCOMPARE(y[2 * n], 7.0f);
}

void TestFftEngine::missingModuleLeavesZeros()
{
    QTemporaryDir dir;
    QVERIFY(!FftEngine::ModulePresent(dir.path()));
    FftEngine engine(dir.path());
    Buffers b(2048);
    QVERIFY(!engine.Transform(2048, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(b.OutputsZero(2048));
    QCOMPARE(b.yr[2048], 7.0);
    QVERIFY(!engine.IsBound());
}

void TestFftEngine::searchesAtMostOncePerSecond()
{
    QTemporaryDir dir;
    FakeClock clock;
    FftEngine engine(dir.path(), clock.Function());
    Buffers b(1024);
    for (int frame = 0; frame < 25; ++frame) { // one second of frames at 40 ms
        QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
        QVERIFY(b.OutputsZero(1024));
        clock.now += 39;
    }
    QCOMPARE(engine.SearchCount(), 1);
    clock.now = 5000 + 1000;
    engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data());
    QCOMPARE(engine.SearchCount(), 2);
    clock.now += 999;
    engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data());
    QCOMPARE(engine.SearchCount(), 2);
}

void TestFftEngine::bindsWhenModuleAppearsLater()
{
    QTemporaryDir dir;
    FakeClock clock;
    FftEngine engine(dir.path(), clock.Function());
    Buffers b(1024);
    QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(QFile::copy(QStringLiteral(LUMO_BIN_DIR "/libfft.so"), dir.filePath("libfft.so")));
    clock.now += 500;
    QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    clock.now += 500;
    QVERIFY(engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QCOMPARE(b.yr[3], 1.0);
    const int searches = engine.SearchCount();
    clock.now += 5000;
    engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data());
    QCOMPARE(engine.SearchCount(), searches);
}

void TestFftEngine::emptyModuleIsNotPresent()
{
    QTemporaryDir dir;
    QFile empty(dir.filePath("libfft.so"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(!FftEngine::ModulePresent(dir.path()));
    FftEngine engine(dir.path());
    Buffers b(1024);
    QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(b.OutputsZero(1024));
}

void TestFftEngine::unloadableModuleFailsQuietly()
{
    QTemporaryDir dir;
    QFile junk(dir.filePath("libfft.so"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a shared object");
    junk.close();
    QVERIFY(FftEngine::ModulePresent(dir.path()));
    FftEngine engine(dir.path());
    Buffers b(1024);
    QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(b.OutputsZero(1024));
}

void TestFftEngine::moduleWithoutRoutineFailsQuietly()
{
    // A real shared object that exports no fft_double: FFTW itself.
    QTemporaryDir dir;
    QLibrary fftw(QStringLiteral("fftw3"), 3);
    QVERIFY2(fftw.load(), qPrintable(fftw.errorString()));
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QString path;
    for (const QByteArray &line : maps.readAll().split('\n'))
        if (line.contains("libfftw3.so"))
            path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
    QVERIFY(!path.isEmpty());
    QVERIFY(QFile::copy(path, dir.filePath("libfft.so")));
    FftEngine engine(dir.path());
    Buffers b(1024);
    QVERIFY(!engine.Transform(1024, b.xr.data(), b.xi.data(), b.yr.data(), b.yi.data()));
    QVERIFY(b.OutputsZero(1024));
    QVERIFY(!engine.IsBound());
}

QTEST_GUILESS_MAIN(TestFftEngine)
#include "tst_fft_engine.moc"
