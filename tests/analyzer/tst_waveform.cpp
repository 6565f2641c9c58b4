#include "analyzer/analysis_stream.h"
#include "analyzer/sample_blocks.h"
#include "analyzer/waveform.h"

#include "support/riff_bytes.h"

#include <QFile>
#include <QProcess>
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
    QTest::addColumn<bool>("flac"); // encoded from the WAVE file by ffmpeg
    QTest::newRow("16-bit stereo") << 2 << 16 << false;
    QTest::newRow("16-bit mono") << 1 << 16 << false;
    QTest::newRow("8-bit stereo") << 2 << 8 << false;
    QTest::newRow("FLAC stereo") << 2 << 16 << true;
}

void TestWaveform::gateIsLoudWhereTheToneIs()
{
    QFETCH(int, channels);
    QFETCH(int, bits);
    QFETCH(bool, flac);
    QTemporaryDir dir;
    const QString wave = dir.filePath(QStringLiteral("gate.wav"));
    QFile file(wave);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Gate(channels, bits));
    file.close();
    QString path = wave;
    if (flac) {
        path = dir.filePath(QStringLiteral("gate.flac"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-nostdin", "-loglevel", "error", "-i", wave, "-c:a", "flac", path});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    }
    const AnalysisStream stream = ReadAnalysisStream(path);
    QCOMPARE(stream.result, WaveHeaderResult::Accepted);
    QCOMPARE(stream.source, flac ? SampleSource::Decoded : SampleSource::Wave);

    WaveformWorker worker;
    worker.Start([path, stream] { return OpenSampleBlocks(stream.source, path, stream.info); }, 3.0,
                 kColumns);
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
