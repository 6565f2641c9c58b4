// The analyzer in time with the sound, for every format it decodes: gate signals (silence,
// a tone, silence) encoded at test time by tests/fixtures/make_gate_fixtures.sh; the window
// for position p must hold the tone exactly while the tone plays, whatever buffer it comes
// from (loaded well before the tone, just before it, or after a seek backwards).
#include "analyzer/analysis_stream.h"
#include "analyzer/sample_supply.h"
#include "support/riff_bytes.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <vector>

namespace {

constexpr int Threshold = 4096; // a quarter of the tone's peak

// The left (or mono) channel of the window as signed samples.
std::vector<int> Left(const SampleWindow &w)
{
    std::vector<int> out;
    if (w.sampleKind == 1)
        for (std::uint32_t frame : w.stereo16)
            out.push_back(std::int16_t(frame & 0xFFFFu));
    else if (w.sampleKind == 2)
        for (std::int16_t s : w.mono16)
            out.push_back(s);
    return out;
}

int Peak(const std::vector<int> &samples)
{
    int peak = 0;
    for (int s : samples)
        peak = std::max(peak, std::abs(s));
    return peak;
}

// Where the tone starts or ends in the 200 ms window fetched at p: the time of the first
// (rising) or after the last (falling) sample above the threshold; NaN when there is none.
double Edge(SampleSupply &supply, double rate, float p, bool rising)
{
    if (!supply.FetchWindow(p, 20))
        return std::nan("");
    const std::vector<int> left = Left(supply.Window());
    for (std::size_t k = 0; k < left.size(); ++k) {
        const std::size_t i = rising ? k : left.size() - 1 - k;
        if (std::abs(left[i]) > Threshold)
            return double(p) + double(rising ? i : i + 1) / rate;
    }
    return std::nan("");
}

} // namespace

class TestGateSignals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toneOnlyWhileItPlays_data();
    void toneOnlyWhileItPlays();
    void probeAnswersForTheNewestFile_data();
    void probeAnswersForTheNewestFile();

private:
    QTemporaryDir dir_;
};

void TestGateSignals::initTestCase()
{
    QVERIFY(dir_.isValid());
    QProcess script;
    script.start(QStringLiteral(LUMO_FIXTURE_DIR "/make_gate_fixtures.sh"), {dir_.path()});
    QVERIFY2(script.waitForFinished(120000), "the fixture script did not finish");
    QVERIFY2(script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0,
             script.readAllStandardError().constData());
    // A 24-bit WAVE of the plain PCM format, as the WAVE reader sees it first.
    QFile file(dir_.filePath(QStringLiteral("gate_24_plain.wav")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PcmWaveBytes(2, 24, 44100, 3 * 44100, [](int i, int) {
        if (i < 44100 || i >= 2 * 44100)
            return 0u;
        const double v = 0.5 * std::sin(2 * M_PI * 1000.0 * (i - 44100) / 44100.0);
        return quint32(std::lround(v * 8388607.0)) & 0xFFFFFFu;
    }));
    QFile junk(dir_.filePath(QStringLiteral("junk.bin")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4000, 'x'));
}

void TestGateSignals::toneOnlyWhileItPlays_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("source");
    QTest::addColumn<double>("onset");
    QTest::addColumn<double>("tolerance"); // seconds: 5 ms for PCM, one codec frame else
    const int wave = int(SampleSource::Wave), mpeg = int(SampleSource::Mpeg),
              decoded = int(SampleSource::Decoded);
    QTest::newRow("16-bit WAVE") << "gate.wav" << wave << 1.0 << 0.005;
    QTest::newRow("WAVE with LIST") << "gate_list.wav" << decoded << 1.0 << 0.005;
    QTest::newRow("24-bit WAVE, extensible") << "gate_24.wav" << decoded << 1.0 << 0.005;
    QTest::newRow("24-bit WAVE, plain PCM") << "gate_24_plain.wav" << decoded << 1.0 << 0.005;
    QTest::newRow("float WAVE") << "gate_float.wav" << decoded << 1.0 << 0.005;
    QTest::newRow("FLAC") << "gate.flac" << decoded << 1.0 << 0.005;
    QTest::newRow("FLAC 5.1") << "gate_5ch.flac" << decoded << 1.0 << 0.005;
    QTest::newRow("Opus") << "gate.opus" << decoded << 1.0 << 960 / 48000.0;
    QTest::newRow("Vorbis") << "gate.ogg" << decoded << 1.0 << 1024 / 44100.0;
    QTest::newRow("AAC in M4A") << "gate.m4a" << decoded << 1.0 << 1024 / 44100.0;
    QTest::newRow("VBR MP3 past 10 s") << "gate_vbr.mp3" << mpeg << 11.0 << 1152 / 44100.0;
}

void TestGateSignals::toneOnlyWhileItPlays()
{
    QFETCH(QString, file);
    QFETCH(int, source);
    QFETCH(double, onset);
    QFETCH(double, tolerance);
    const QString path = dir_.filePath(file);
    const AnalysisStream stream = ReadAnalysisStream(path);
    QCOMPARE(stream.result, WaveHeaderResult::Accepted);
    QCOMPARE(int(stream.source), source);
    QVERIFY(stream.info.SampleKind == 1 || stream.info.SampleKind == 2);
    const double end = onset + 1.0;
    const float before = float(onset - 0.1), beforeEnd = float(end - 0.1);

    // Buffers loaded at three places: long before the tone (the window comes from the far
    // end of the buffer), just before it, and after a seek backwards from the silence after.
    for (const QList<float> &loads : {QList<float>{float(onset - 3.5)}, QList<float>{before},
                                      QList<float>{float(end + 0.5), before}}) {
        SampleSupply supply;
        supply.Allocate(path, stream.info, stream.source, SampleSupply::LoadMode::Synchronous);
        for (float p : loads)
            QVERIFY(supply.FetchWindow(std::max(0.0f, p), 1));
        const double rising = Edge(supply, stream.info.SampleRate, before, true);
        const double falling = Edge(supply, stream.info.SampleRate, beforeEnd, false);
        const QString where = QStringLiteral("%1, loaded at %2: onset %3 ms, end %4 ms off")
                                  .arg(file)
                                  .arg(loads.first())
                                  .arg((rising - onset) * 1000, 0, 'f', 2)
                                  .arg((falling - end) * 1000, 0, 'f', 2);
        qInfo("%s", qPrintable(where));
        QVERIFY2(std::abs(rising - onset) <= tolerance, qPrintable(where));
        QVERIFY2(std::abs(falling - end) <= tolerance, qPrintable(where));
        // Silence before and after, the tone in the middle.
        for (const auto &[p, loud] : {std::pair{onset - 0.5, false}, std::pair{onset + 0.5, true},
                                      std::pair{end + 0.5, false}}) {
            QVERIFY(supply.FetchWindow(float(p), 5));
            const int peak = Peak(Left(supply.Window()));
            QVERIFY2(loud ? peak > 14000 : peak < 500,
                     qPrintable(QStringLiteral("%1 at %2: peak %3").arg(where).arg(p).arg(peak)));
        }
    }
    // A buffer that starts inside the tone holds the tone from its first sample on, at its
    // level: the decoder has settled before the position.
    SampleSupply inside;
    inside.Allocate(path, stream.info, stream.source, SampleSupply::LoadMode::Synchronous);
    QVERIFY(inside.FetchWindow(float(onset + 0.5), 1));
    const std::vector<int> first = Left(inside.Window());
    const int peak = Peak(first);
    QVERIFY2(peak > 14000 && peak < 18000, qPrintable(QString::number(peak)));
    QVERIFY(Peak(std::vector<int>(first.begin(), first.begin() + 20)) > 3000);
}

void TestGateSignals::probeAnswersForTheNewestFile_data()
{
    QTest::addColumn<QStringList>("files"); // started one after the other at once
    QTest::newRow("WAVE: the headers answer") << QStringList{"gate.wav"};
    QTest::newRow("VBR MP3: the headers answer") << QStringList{"gate_vbr.mp3"};
    QTest::newRow("FLAC: the worker answers") << QStringList{"gate.flac"};
    QTest::newRow("no sound: rejected") << QStringList{"junk.bin"};
    QTest::newRow("FLAC replaced by no sound") << QStringList{"gate.flac", "junk.bin"};
    QTest::newRow("no sound replaced by M4A") << QStringList{"junk.bin", "gate.m4a"};
    QTest::newRow("Opus replaced by WAVE") << QStringList{"gate.opus", "gate.wav"};
}

// The probe gives the answer ReadAnalysisStream gives, for the newest file only, once.
void TestGateSignals::probeAnswersForTheNewestFile()
{
    QFETCH(QStringList, files);
    AnalysisProbe probe;
    std::optional<AnalysisStream> answer;
    for (const QString &file : files)
        answer = probe.Start(dir_.filePath(file));
    const AnalysisStream expected = ReadAnalysisStream(dir_.filePath(files.last()));
    QTRY_VERIFY_WITH_TIMEOUT(answer.has_value() || (answer = probe.Take()).has_value(), 20000);
    QVERIFY(!probe.Pending());
    QCOMPARE(answer->result, expected.result);
    QCOMPARE(answer->source, expected.source);
    QCOMPARE(answer->info.SampleRate, expected.info.SampleRate);
    QCOMPARE(answer->info.StoredBitsPerSample, expected.info.StoredBitsPerSample);
    // The answer is handed out once; none about an earlier file follows it.
    QVERIFY(!probe.Take());
}

QTEST_GUILESS_MAIN(TestGateSignals)
#include "tst_gate_signals.moc"
