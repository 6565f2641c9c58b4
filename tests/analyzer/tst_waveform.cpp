#include "analyzer/sample_blocks.h"
#include "analyzer/stream_header.h"
#include "analyzer/waveform.h"

#include "support/riff_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// The position bar's waveform of known signals, computed by the worker thread.
class TestWaveform : public QObject
{
    Q_OBJECT

private slots:
    void gateIsLoudWhereTheToneIs_data();
    void gateIsLoudWhereTheToneIs();
    void cancelStopsAtOnce();
};

namespace {

constexpr int kRate = 8000;
constexpr int kColumns = 30;

// Three seconds: silence, one second of a loud 440 Hz tone, silence.
QByteArray Gate(int channels, int bits)
{
    return PcmWaveBytes(channels, bits, kRate, 3 * kRate, [bits](int frame, int) -> quint32 {
        const bool on = frame >= kRate && frame < 2 * kRate;
        const double v = on ? std::sin(2 * M_PI * 440.0 * frame / kRate) : 0.0;
        return bits == 16 ? static_cast<quint16>(static_cast<qint16>(std::lround(v * 20000)))
                          : static_cast<quint32>(128 + std::lround(v * 100));
    });
}

} // namespace

void TestWaveform::gateIsLoudWhereTheToneIs_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::newRow("16-bit stereo") << 2 << 16;
    QTest::newRow("16-bit mono") << 1 << 16;
    QTest::newRow("8-bit stereo") << 2 << 8;
}

void TestWaveform::gateIsLoudWhereTheToneIs()
{
    QFETCH(int, channels);
    QFETCH(int, bits);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gate.wav"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Gate(channels, bits));
    file.close();
    StreamInfo info;
    QCOMPARE(ReadWaveHeader(path, info), WaveHeaderResult::Accepted);

    WaveformWorker worker;
    worker.Start([path, info] { return OpenWaveBlocks(path, info); }, 3.0, kColumns);
    QTRY_VERIFY_WITH_TIMEOUT(worker.Finished(), 20000);
    std::vector<WaveformColumn> columns;
    QCOMPARE(worker.Snapshot(columns), kColumns);
    QCOMPARE(int(columns.size()), kColumns);
    for (int c = 0; c < kColumns; ++c) {
        const WaveformColumn &column = columns[std::size_t(c)];
        const bool loud = c >= 10 && c < 20;
        QVERIFY2((column.high - column.low > 20000) == loud, qPrintable(QString::number(c)));
        QVERIFY(std::abs(column.high + column.low) < 2000);
    }
}

void TestWaveform::cancelStopsAtOnce()
{
    // A source that never ends: only the cancel ends the work.
    struct Endless : SampleBlockSource
    {
        int Channels() const override { return 1; }
        int SampleRate() const override { return kRate; }
        bool Next(std::vector<int16_t> &block) override
        {
            block.assign(256, 1000);
            return true;
        }
    };
    WaveformWorker worker;
    worker.Start([] { return std::make_unique<Endless>(); }, 3.0, kColumns);
    QVERIFY(worker.Running());
    worker.Cancel();
    QVERIFY(!worker.Running());
    QVERIFY(!worker.Finished());
    std::vector<WaveformColumn> columns;
    QCOMPARE(worker.Snapshot(columns), 0);
}

QTEST_MAIN(TestWaveform)
#include "tst_waveform.moc"
