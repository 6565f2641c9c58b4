// The sound engine joins files without a gap: one sine cut in two plays back as the sine, and
// through a real sound server the join holds no silence.
#include "core/gst_sound_engine.h"
#include "support/riff_bytes.h"

#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <mutex>

namespace {

constexpr int Rate = 44100;
// Cut mid-cycle, at no block or frame boundary of any encoder.
constexpr int FirstFrames = 30871;
constexpr int SecondFrames = 26519;

qint16 SineAt(int frame, int channel)
{
    const double phase = 2.0 * M_PI * 440.0 * frame / Rate + channel * 0.5;
    return static_cast<qint16>(std::lround(12000.0 * std::sin(phase)));
}

QByteArray SineWave(int from, int frames)
{
    return PcmWaveBytes(2, 16, Rate, frames, [from](int frame, int channel) {
        return static_cast<quint32>(static_cast<quint16>(SineAt(from + frame, channel)));
    });
}

// A discarding output that keeps every sample it is given, 16-bit stereo at the sine's rate,
// as fast as the files decode.
struct KeptSamples
{
    std::mutex mutex;
    std::vector<qint16> samples;
};

void KeepBuffer(GstElement *, GstBuffer *buffer, GstPad *, gpointer data)
{
    auto *kept = static_cast<KeptSamples *>(data);
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return;
    const auto *first = reinterpret_cast<const qint16 *>(map.data);
    const std::lock_guard lock(kept->mutex);
    kept->samples.insert(kept->samples.end(), first, first + map.size / sizeof(qint16));
    gst_buffer_unmap(buffer, &map);
}

AudioOutput KeepingOutput(KeptSamples *kept)
{
    GstElement *bin = gst_bin_new(nullptr);
    GstElement *filter = gst_element_factory_make("capsfilter", nullptr);
    GstElement *sink = gst_element_factory_make("fakesink", nullptr);
    GstCaps *caps =
        gst_caps_from_string("audio/x-raw,format=S16LE,layout=interleaved,rate=44100,channels=2");
    g_object_set(filter, "caps", caps, nullptr);
    gst_caps_unref(caps);
    g_object_set(sink, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
    g_signal_connect(sink, "handoff", G_CALLBACK(KeepBuffer), kept);
    gst_bin_add_many(GST_BIN(bin), filter, sink, nullptr);
    gst_element_link(filter, sink);
    GstPad *target = gst_element_get_static_pad(filter, "sink");
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", target));
    gst_object_unref(target);
    gst_object_ref_sink(bin);
    return {bin, false};
}

bool Encode(const QStringList &command)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The encoded pair of files, or an empty list when the encoder is missing; the first carries
// the given metadata.
QStringList MakePair(const QTemporaryDir &dir, const QString &format,
                     const QStringList &firstTags = {})
{
    QStringList waves;
    const QByteArray parts[] = {SineWave(0, FirstFrames), SineWave(FirstFrames, SecondFrames)};
    for (int i = 0; i < 2; ++i) {
        const QString wave = dir.filePath(QStringLiteral("part%1.wav").arg(i));
        QFile file(wave);
        if (!file.open(QIODevice::WriteOnly) || file.write(parts[i]) != parts[i].size())
            return {};
        waves << wave;
    }
    if (format == QLatin1String("wav"))
        return waves;
    QStringList encoded;
    for (const QString &wave : waves) {
        QString out = wave;
        out.replace(QLatin1String(".wav"), QLatin1Char('.') + format);
        QStringList command;
        if (format == QLatin1String("mp3")) {
            command = {QStringLiteral("lame"),
                       QStringLiteral("--quiet"),
                       QStringLiteral("-b"),
                       QStringLiteral("320"),
                       wave,
                       out};
        } else {
            command = {QStringLiteral("ffmpeg"), QStringLiteral("-loglevel"),
                       QStringLiteral("error"),  QStringLiteral("-y"),
                       QStringLiteral("-i"),     wave};
            for (const QString &tag : encoded.isEmpty() ? firstTags : QStringList())
                command << QStringLiteral("-metadata") << tag;
            command << out;
        }
        if (QStandardPaths::findExecutable(command.first()).isEmpty() || !Encode(command))
            return {};
        encoded << out;
    }
    return encoded;
}

} // namespace

class TestGstSoundEngine : public QObject
{
    Q_OBJECT

private slots:
    void joinedFilesPlayAsOne_data();
    void joinedFilesPlayAsOne();
    void joinThroughSoundServerIsSilent();
    void replayGainScalesEachFile_data();
    void replayGainScalesEachFile();
};

void TestGstSoundEngine::joinedFilesPlayAsOne_data()
{
    QTest::addColumn<QString>("format");
    // Largest RMS difference from the cut sine, relative to its amplitude; 0: sample exact.
    QTest::addColumn<double>("tolerance");
    QTest::newRow("wave") << QStringLiteral("wav") << 0.0;
    QTest::newRow("flac") << QStringLiteral("flac") << 0.0;
    // A shift of one sample at the join would leave about 0.04.
    QTest::newRow("lame mp3") << QStringLiteral("mp3") << 0.005;
}

void TestGstSoundEngine::joinedFilesPlayAsOne()
{
    QFETCH(QString, format);
    QFETCH(double, tolerance);
    QTemporaryDir dir;
    const QStringList pair = MakePair(dir, format);
    if (pair.isEmpty())
        QSKIP("the encoder for this format is not installed");

    KeptSamples kept;
    GstSoundEngine::Options options;
    options.makeOutput = [&kept] { return KeepingOutput(&kept); };
    GstSoundEngine engine(options);
    int joins = 0;
    engine.SetJoinedHandler([&joins] { ++joins; });
    // Queued before the first file loads, as the window does: a short file may be read to its
    // end while it loads.
    QVERIFY(engine.QueueNext(pair[1]));
    QVERIFY(engine.RenderFile(pair[0]));
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(engine.AtEnd(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(joins, 1, 10000);
    QCOMPARE(engine.CurrentPath(), pair[1]);

    const std::lock_guard lock(kept.mutex);
    QCOMPARE(static_cast<int>(kept.samples.size()), (FirstFrames + SecondFrames) * 2);
    double error = 0;
    for (int frame = 0; frame < FirstFrames + SecondFrames; ++frame) {
        for (int channel = 0; channel < 2; ++channel) {
            const double d = kept.samples[frame * 2 + channel] - SineAt(frame, channel);
            error += d * d;
        }
    }
    const double rms = std::sqrt(error / ((FirstFrames + SecondFrames) * 2)) / 12000.0;
    QVERIFY2(rms <= tolerance, qPrintable(QStringLiteral("relative RMS error %1").arg(rms)));
}

void TestGstSoundEngine::replayGainScalesEachFile_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("expectedDb");
    const QStringList trackAndAlbum{QStringLiteral("REPLAYGAIN_TRACK_GAIN=-6.00 dB"),
                                    QStringLiteral("REPLAYGAIN_ALBUM_GAIN=-3.00 dB")};
    QTest::newRow("off") << "flac" << trackAndAlbum << 0 << 0.0;
    QTest::newRow("track") << "flac" << trackAndAlbum << 1 << -6.0;
    QTest::newRow("album") << "flac" << trackAndAlbum << 2 << -3.0;
    QTest::newRow("album falls back to track")
        << "flac" << QStringList{QStringLiteral("REPLAYGAIN_TRACK_GAIN=-4.50 dB")} << 2 << -4.5;
    QTest::newRow("peak keeps from clipping")
        << "flac"
        << QStringList{QStringLiteral("REPLAYGAIN_TRACK_GAIN=+9.00 dB"),
                       QStringLiteral("REPLAYGAIN_TRACK_PEAK=0.707946")}
        << 1 << 3.0;
    // -6 dB towards -23 LUFS is -1 dB towards ReplayGain's -18 LUFS.
    QTest::newRow("opus r128") << "opus" << QStringList{QStringLiteral("R128_TRACK_GAIN=-1536")}
                               << 1 << -1.0;
}

// The first of two joined files carries loudness tags, the second none: the first is heard
// at the tagged gain, and the second at its own level again.
void TestGstSoundEngine::replayGainScalesEachFile()
{
    QFETCH(QString, format);
    QFETCH(QStringList, tags);
    QFETCH(int, mode);
    QFETCH(double, expectedDb);
    QTemporaryDir dir;
    const QStringList pair = MakePair(dir, format, tags);
    if (pair.isEmpty())
        QSKIP("the encoder for this format is not installed");

    KeptSamples kept;
    GstSoundEngine::Options options;
    options.makeOutput = [&kept] { return KeepingOutput(&kept); };
    GstSoundEngine engine(options);
    QVERIFY(engine.SetReplayGain(static_cast<ReplayGainMode>(mode)));
    QVERIFY(engine.QueueNext(pair[1]));
    QVERIFY(engine.RenderFile(pair[0]));
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(engine.AtEnd(), 20000);

    const std::lock_guard lock(kept.mutex);
    const auto levelDb = [&kept](qsizetype from, qsizetype to) {
        double sum = 0;
        for (qsizetype i = from * 2; i < to * 2; ++i)
            sum += double(kept.samples[i]) * kept.samples[i];
        return 10.0 * std::log10(sum / double((to - from) * 2) / (12000.0 * 12000.0 / 2.0));
    };
    // Away from the ends and the join, where a lossy codec's edges lie.
    const qsizetype margin = Rate / 10;
    const qsizetype frames = static_cast<qsizetype>(kept.samples.size() / 2);
    QVERIFY(frames > FirstFrames + 2 * margin);
    const double second = levelDb(FirstFrames + margin, frames - margin);
    const double first = levelDb(margin, FirstFrames - margin);
    QVERIFY2(std::abs(second) < 0.1,
             qPrintable(QStringLiteral("second file at %1 dB").arg(second)));
    QVERIFY2(std::abs(first - second - expectedDb) < 0.1,
             qPrintable(QStringLiteral("first file at %1 dB").arg(first - second)));
}

// Two files through a private sound server's null sink: what its monitor recorded holds no
// silence longer than 20 ms between the first sound and the last.
void TestGstSoundEngine::joinThroughSoundServerIsSilent()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
        QSKIP("no PulseAudio server can start here: pulseaudio or parec is not installed");
    QTemporaryDir dir;
    const QStringList pair = MakePair(dir, QStringLiteral("wav"));
    QVERIFY(!pair.isEmpty());
    const QString socket = dir.filePath(QStringLiteral("native"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir.filePath(QStringLiteral("pulse")));
    QProcess server;
    server.setProcessEnvironment(environment);
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(
        QStringLiteral("pulseaudio"),
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--disable-shm=yes"),
         QStringLiteral("--load=module-null-sink sink_name=lumo_null rate=44100"),
         QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket});
    const auto stopServer = qScopeGuard([&server] {
        server.terminate();
        server.waitForFinished(5000);
    });
    for (int waited = 0; waited < 100 && !QFileInfo::exists(socket); ++waited)
        QTest::qWait(100);
    if (!QFileInfo::exists(socket))
        QSKIP(qPrintable(QStringLiteral("the PulseAudio server did not start: ") +
                         QString::fromLocal8Bit(server.readAll())));
    qputenv("PULSE_SERVER", "unix:" + socket.toLocal8Bit());
    const auto forgetServer = qScopeGuard([] { qunsetenv("PULSE_SERVER"); });

    const QString recording = dir.filePath(QStringLiteral("monitor.raw"));
    QProcess recorder;
    recorder.setProcessEnvironment(environment);
    recorder.setStandardOutputFile(recording);
    recorder.start(QStringLiteral("parec"),
                   {QStringLiteral("--server=unix:") + socket,
                    QStringLiteral("--device=lumo_null.monitor"), QStringLiteral("--format=s16le"),
                    QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"),
                    QStringLiteral("--raw")});
    QVERIFY(recorder.waitForStarted());
    {
        GstSoundEngine engine;
        QVERIFY(engine.QueueNext(pair[1]));
        QVERIFY(engine.RenderFile(pair[0]));
        QVERIFY(engine.OutputIsReal());
        QVERIFY(engine.Run());
        QTRY_VERIFY_WITH_TIMEOUT(engine.AtEnd(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(engine.CurrentPath(), pair[1], 5000);
        // The output's buffer still holds the last samples when the stream ends.
        QTest::qWait(500);
    }
    recorder.terminate();
    QVERIFY(recorder.waitForFinished(5000));

    QFile file(recording);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
    const qsizetype frames = bytes.size() / 4;
    const auto loud = [samples](qsizetype frame) {
        return std::abs(samples[frame * 2]) > 64 || std::abs(samples[frame * 2 + 1]) > 64;
    };
    qsizetype first = 0;
    while (first < frames && !loud(first))
        ++first;
    qsizetype last = frames - 1;
    while (last > first && !loud(last))
        --last;
    QVERIFY2(last - first > Rate, "the recording holds less than a second of sound");
    qsizetype run = 0, longest = 0;
    for (qsizetype frame = first; frame <= last; ++frame) {
        run = loud(frame) ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    QVERIFY2(longest * 1000 <= 20 * Rate,
             qPrintable(QStringLiteral("%1 ms of silence").arg(longest * 1000.0 / Rate)));
}

QTEST_MAIN(TestGstSoundEngine)
#include "tst_gst_sound_engine.moc"
