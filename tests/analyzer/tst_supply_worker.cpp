// The sample supply in worker mode, as the player runs it: loads happen on the worker thread,
// a fetch never waits for them, and until the buffer for the position arrives the window is
// silence: never samples of another position or of the file played before.
#include "analyzer/sample_supply.h"
#include "analyzer/stream_header.h"
#include "support/riff_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Rate = 8000;

// A 16-bit stereo WAVE file whose frame i holds base + i (left the low half, right the high).
QString RampFile(const QTemporaryDir &dir, const QString &name, quint32 base)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(PcmWaveBytes(2, 16, Rate, 20 * Rate, [base](int i, int c) {
            const quint32 v = base + quint32(i);
            return c == 0 ? v & 0xFFFFu : v >> 16;
        }));
    return path;
}

// What the window holds: 0 silence, 1 the right samples, -1 anything else.
int Judge(const SampleWindow &w, quint32 base, float p)
{
    bool silent = true, right = true;
    const quint32 first = base + quint32(std::floor(double(p) * Rate));
    for (std::size_t i = 0; i < w.stereo16.size(); ++i) {
        silent = silent && w.stereo16[i] == 0;
        right = right && w.stereo16[i] == first + i;
    }
    return w.stereo16.empty() ? -1 : (silent ? 0 : (right ? 1 : -1));
}

} // namespace

class TestSupplyWorker : public QObject
{
    Q_OBJECT

private slots:
    void silenceUntilTheBufferArrives_data();
    void silenceUntilTheBufferArrives();
};

void TestSupplyWorker::silenceUntilTheBufferArrives_data()
{
    QTest::addColumn<QList<float>>("positions");
    QTest::addColumn<QList<int>>("files"); // which file plays at each position: 0 or 1
    QTest::newRow("start") << QList<float>{0.0f} << QList<int>{0};
    QTest::newRow("seek forward") << QList<float>{0.0f, 12.5f} << QList<int>{0, 0};
    QTest::newRow("seek backwards") << QList<float>{9.0f, 1.25f} << QList<int>{0, 0};
    QTest::newRow("last second, then the next buffer")
        << QList<float>{2.0f, 4.5f, 5.5f, 9.0f} << QList<int>{0, 0, 0, 0};
    QTest::newRow("another file") << QList<float>{2.0f, 2.0f} << QList<int>{0, 1};
}

void TestSupplyWorker::silenceUntilTheBufferArrives()
{
    QFETCH(QList<float>, positions);
    QFETCH(QList<int>, files);
    QTemporaryDir dir;
    const QList<quint32> bases{1, 1u << 22};
    const QStringList paths{RampFile(dir, QStringLiteral("a.wav"), bases[0]),
                            RampFile(dir, QStringLiteral("b.wav"), bases[1])};
    SampleSupply supply;
    int file = -1;
    for (int step = 0; step < positions.size(); ++step) {
        const float p = positions[step];
        if (files[step] != file) {
            file = files[step];
            StreamInfo info;
            QCOMPARE(ReadWaveHeader(paths[file], info), WaveHeaderResult::Accepted);
            supply.Allocate(paths[file], info, SampleSource::Wave, SampleSupply::LoadMode::Worker);
        }
        // Every fetch succeeds at once; the samples appear once the worker has loaded them.
        int seen = 0;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                if (!supply.FetchWindow(p, 10))
                    return false;
                seen = Judge(supply.Window(), bases[file], p);
                return seen != 0;
            }(),
            20000);
        QCOMPARE(seen, 1);
        QCOMPARE(supply.Window().FrameCount(), std::size_t(Rate / 10));
    }
    QVERIFY(supply.Loads() >= 1);
}

QTEST_GUILESS_MAIN(TestSupplyWorker)
#include "tst_supply_worker.moc"
