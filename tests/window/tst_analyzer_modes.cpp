// The analyzer's mode control in the main window: modes, check marks, picture area, timer
// pacing and the one-frame redraw while paused, over a scripted engine and real sound files.
#include "support/riff_bytes.h"
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QAction>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A PCM WAVE file of the given layout holding a full-scale square wave of 100 Hz.
QByteArray SquareWave(int channels, int bits, int rate, int frames)
{
    return PcmWaveBytes(channels, bits, rate, frames, [rate, bits](int i, int) {
        const bool high = (i * 100 / rate) % 2 == 0;
        return high ? (1u << (bits - 1)) - 1 : (1u << (bits - 1)) + 1;
    });
}

// Sounds played by scripted engines are real files, so that the header readers and the
// sample supply read them.
QString Wave(WindowRig &rig)
{
    return rig.Playable(Fixture("sine_1s.wav"), FakeMedium{1.0, std::nullopt, std::nullopt, {}});
}

QString Mp3(WindowRig &rig)
{
    return rig.Playable(Fixture("tone128_stereo.mp3"),
                        FakeMedium{4.0, std::nullopt, std::nullopt, {}});
}

// The analyzer modes whose menu item is checked.
QList<int> Checked(const Lumo &w)
{
    QList<int> modes;
    for (int i = 0; i < AnalyzerModes::kCount; ++i)
        if (w.MenuVsaModes[size_t(i)]->isChecked())
            modes << i;
    return modes;
}

QImage AudioPicture()
{
    return QImage(QStringLiteral(":/images/ImageAudio.png"));
}

// Whether the picture area shows the audio picture (201 x 40 at the top left) and nothing
// else below it.
bool ShowsAudioPicture(const Lumo &w)
{
    const QImage expected = AudioPicture();
    const QImage &canvas = w.Pic->Canvas();
    for (int y = 0; y < expected.height(); y += 3)
        for (int x = 0; x < expected.width(); x += 3)
            if (canvas.pixel(x, y) != expected.pixel(x, y))
                return false;
    const QRgb below = canvas.pixel(0, canvas.height() - 1);
    for (int y = expected.height(); y < canvas.height(); y += 4)
        for (int x = 0; x < canvas.width(); x += 4)
            if (canvas.pixel(x, y) != below)
                return false;
    return true;
}

} // namespace

class TestAnalyzerModes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!AudioPicture().isNull()); }

    void modeDuringMovieOnlyStoresIt()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        rig.Open(rig.Movie(QStringLiteral("clip.avi"), QSize(176, 144)));
        QVERIFY(!w.AudioOnlyFlag);
        const QSize area = w.Pic->size();
        const int interval = w.Timer->interval();
        w.MenuVsaModes[3]->setChecked(true);
        w.ChangeVsa(2);
        QCOMPARE(w.VSA, 2);
        QCOMPARE(Checked(w), QList<int>{});
        QCOMPARE(w.Pic->size(), area);
        QCOMPARE(w.Timer->interval(), interval);
        QVERIFY(!w.VsaActiveFlag);
        w.ChangeVsa(0);
        QCOMPARE(w.VSA, 0);
        QCOMPARE(Checked(w), QList<int>{});
        QCOMPARE(w.Timer->interval(), interval);
    }

    void oneCheckMarkWithSound_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("mode");
        for (const QString &kind : {QStringLiteral("wave"), QStringLiteral("mp3")})
            for (int mode = 0; mode < AnalyzerModes::kCount; ++mode)
                QTest::addRow("%s, mode %d", qPrintable(kind), mode) << kind << mode;
    }

    void oneCheckMarkWithSound()
    {
        QFETCH(QString, kind);
        QFETCH(int, mode);
        WindowRig rig;
        Lumo &w = rig.W();
        rig.Open(kind == QLatin1String("wave") ? Wave(rig) : Mp3(rig));
        QVERIFY(w.VsaReadyFlag);
        QCOMPARE(w.Mp3Flag, kind == QLatin1String("mp3"));
        // From every other mode, so that the old mark is cleared.
        w.ChangeVsa((mode + 3) % AnalyzerModes::kCount);
        w.ChangeVsa(mode);
        QCOMPARE(w.VSA, mode);
        QCOMPARE(Checked(w), QList<int>{mode});
        QCOMPARE(w.VsaActiveFlag, mode != 0);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
    }

    void largeAreaFollowsMode()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.VsaLargeFlag = true;
        w.VSA = 1;
        rig.Open(Wave(rig));
        QCOMPARE(w.Pic->size(), QSize(640, 360));
        w.ChangeVsa(4);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
        QVERIFY(w.VsaLargeFlag);
        w.ChangeVsa(6);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
        QVERIFY(w.VsaLargeFlag);
        w.ChangeVsa(3);
        QCOMPARE(w.Pic->size(), QSize(640, 360));
        w.ChangeVsa(2);
        QCOMPARE(w.Pic->size(), QSize(640, 360));
        // "None" shows the audio picture in the normal area; the flag stays for later.
        w.ChangeVsa(0);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
        QVERIFY(w.VsaLargeFlag);
        w.ChangeVsa(1);
        QCOMPARE(w.Pic->size(), QSize(640, 360));

        // A new sound opened while a level meter is selected clears the flag.
        w.ChangeVsa(5);
        rig.Open(Mp3(rig));
        QVERIFY(w.VsaReadyFlag);
        QVERIFY(!w.VsaLargeFlag);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
        w.ChangeVsa(2);
        QCOMPARE(w.Pic->size(), QSize(400, 240));
    }

    void timerIntervals_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("fast");
        QTest::addColumn<int>("interval");
        QTest::newRow("oscilloscope") << 1 << false << 40;
        QTest::newRow("oscilloscope, fast") << 1 << true << 10;
        QTest::newRow("spectrum B") << 3 << false << 40;
        QTest::newRow("level meter A, fast") << 4 << true << 10;
        QTest::newRow("analog meter") << 6 << false << 40;
        QTest::newRow("spectrogram, fast") << 7 << true << 10;
        QTest::newRow("loudness meter") << 8 << false << 40;
        QTest::newRow("none") << 0 << false << 250;
        QTest::newRow("none, fast") << 0 << true << 250;
    }

    void timerIntervals()
    {
        QFETCH(int, mode);
        QFETCH(bool, fast);
        QFETCH(int, interval);
        WindowRig rig;
        Lumo &w = rig.W();
        QCOMPARE(w.TimerIntervals, (std::array<std::int16_t, 3>{250, 40, 10}));
        w.FastFlag = fast;
        w.VSA = 2;
        rig.Open(Mp3(rig));
        QCOMPARE(w.Timer->interval(), fast ? 10 : 40);
        w.ChangeVsa(mode);
        QCOMPARE(w.Timer->interval(), interval);
        // Leaving "None" starts the analysis again at its pace.
        w.ChangeVsa(0);
        w.ChangeVsa(mode == 0 ? 2 : mode);
        QCOMPARE(w.Timer->interval(), fast ? 10 : 40);
        // Fast drawing applies at once, and without a sound too.
        w.FastFlag = !fast;
        w.ChangeVsaFast();
        QCOMPARE(w.Timer->interval(), fast ? 40 : 10);
    }

    void fastDrawingWithoutSound()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.FastFlag = true;
        w.ChangeVsaFast();
        QCOMPARE(w.Timer->interval(), 10);
        w.FastFlag = false;
        w.ChangeVsaFast();
        QCOMPARE(w.Timer->interval(), 40);
        QVERIFY(!w.PauseFlag);
    }

    void noneRestoresAudioPicture()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.VSA = 1;
        rig.Open(Wave(rig));
        QCOMPARE(w.Timer->interval(), 40);
        rig.TickAt(0.25);
        QVERIFY(!ShowsAudioPicture(w));
        w.ChangeVsa(0);
        QVERIFY(ShowsAudioPicture(w));
        QCOMPARE(w.Timer->interval(), 250);
        QVERIFY(!w.VsaActiveFlag);
        QVERIFY(w.VsaReadyFlag);
        QCOMPARE(Checked(w), QList<int>{0});
        // Ticks draw nothing in mode 0.
        rig.TickAt(0.5);
        QVERIFY(ShowsAudioPicture(w));
        // Another mode re-allocates without reading the headers again and draws.
        w.ChangeVsa(1);
        QVERIFY(w.VsaActiveFlag);
        QCOMPARE(w.Timer->interval(), 40);
        rig.TickAt(0.5);
        QVERIFY(!ShowsAudioPicture(w));
    }

    void pausedChangeDrawsOneFrame_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("redraw");
        QTest::newRow("mode oscilloscope") << "mode 1" << true;
        QTest::newRow("mode spectrum A") << "mode 2" << true;
        QTest::newRow("mode level meter B") << "mode 5" << true;
        QTest::newRow("mode analog meter") << "mode 6" << true;
        QTest::newRow("mode none") << "mode 0" << false;
        QTest::newRow("channel") << "channel" << true;
        QTest::newRow("fast drawing") << "fast" << true;
        QTest::newRow("FFT size") << "fft" << false;
    }

    // While paused, a changed display setting draws exactly one frame; "None" and the FFT
    // sizes do not ask for one.
    void pausedChangeDrawsOneFrame()
    {
        QFETCH(QString, change);
        QFETCH(bool, redraw);
        WindowRig rig;
        Lumo &w = rig.W();
        w.VSA = 2;
        rig.Open(Mp3(rig));
        rig.TickAt(1.0);
        w.PicPlay_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 2);
        QVERIFY(!w.PauseFlag);
        w.Pic->Canvas().fill(Qt::magenta);
        rig.TickAt(1.0);
        QCOMPARE(w.Pic->Canvas().pixelColor(200, 120), QColor(Qt::magenta));

        if (change.startsWith(QLatin1String("mode")))
            w.ChangeVsa(change.mid(5).toInt());
        else if (change == QLatin1String("channel")) {
            w.CH = 1;
            w.ChangeChannel(w.CH);
        } else if (change == QLatin1String("fast")) {
            w.FastFlag = true;
            w.ChangeVsaFast();
        } else {
            w.NumFftNormal = 3; // the panel only stores the new size
        }
        QCOMPARE(w.PauseFlag, redraw);
        if (change == QLatin1String("mode 0"))
            return; // "None" paints the audio picture itself
        w.Pic->Canvas().fill(Qt::magenta);
        rig.TickAt(1.0);
        QVERIFY(!w.PauseFlag);
        QCOMPARE(w.Pic->Canvas().pixelColor(200, 120) != QColor(Qt::magenta), redraw);
        // Only one frame: the next tick leaves the picture alone.
        w.Pic->Canvas().fill(Qt::magenta);
        rig.TickAt(1.0);
        QCOMPARE(w.Pic->Canvas().pixelColor(200, 120), QColor(Qt::magenta));
    }

    void unsupportedWaveShowsSilence_data()
    {
        QTest::addColumn<int>("mode");
        for (int mode = 1; mode < AnalyzerModes::kCount; ++mode)
            QTest::addRow("mode %d", mode) << mode;
    }

    // A PCM WAVE file that neither the WAVE reader nor a decoder can turn into samples: the
    // message appears once, the analysis stays ready, and every display draws silence.
    void unsupportedWaveShowsSilence()
    {
        QFETCH(int, mode);
        // A loud 16-bit sound, then the file under test; the picture after a few ticks.
        auto draw = [mode](const QByteArray &second, QStringList &messages, QImage &loud) {
            WindowRig rig;
            Lumo &w = rig.W();
            w.VSA = std::uint8_t(mode);
            rig.Open(rig.Sound(QStringLiteral("loud.wav"), 1, SquareWave(2, 16, 44100, 44100)));
            // Enough frames for the analog meter's needles to rise into the scale.
            for (int tick = 0; tick < 20; ++tick)
                rig.TickAt(tick * 0.04);
            loud = w.Pic->Canvas().copy();
            rig.Open(rig.Sound(QStringLiteral("second.wav"), 1.0, second));
            if (!rig.AwaitAnalysis())
                return QImage();
            messages = rig.messages;
            if (!w.VsaReadyFlag)
                return QImage();
            for (double p : {0.0, 0.1, 0.2, 0.3})
                rig.TickAt(p);
            return w.Pic->Canvas().copy();
        };
        QStringList messages;
        QImage loud;
        // A PCM header with no channels: the WAVE reader accepts it and no decoder can.
        const QImage deep = draw(SquareWave(0, 16, 44100, 44100), messages, loud);
        QCOMPARE(messages,
                 QStringList{QStringLiteral("このWAVEファイルはサポートされていません。")});
        QVERIFY(!deep.isNull());
        // The same display over a 16-bit file of pure silence.
        const QImage silent = draw(SquareWave(2, 16, 44100, 0), messages, loud);
        QVERIFY(messages.isEmpty());
        QVERIFY(!silent.isNull());
        QCOMPARE(deep.size(), silent.size());
        if (mode == 1 || mode == 6) {
            QVERIFY(deep == silent);
            QVERIFY(deep != loud);
        }
    }

    void delayShiftsTheGateOnset_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<double>("position");
        QTest::addColumn<bool>("tone");
        QTest::newRow("no delay, before the onset") << 0 << 0.85 << false;
        QTest::newRow("no delay, after the onset") << 0 << 1.05 << true;
        QTest::newRow("200 ms, after the onset") << 200 << 1.05 << false;
        QTest::newRow("200 ms, 200 ms later") << 200 << 1.25 << true;
    }

    // One second of silence, then a square wave: the scope shows the onset `delay` later.
    void delayShiftsTheGateOnset()
    {
        QFETCH(int, delay);
        QFETCH(double, position);
        QFETCH(bool, tone);
        const QByteArray gate = PcmWaveBytes(2, 16, 44100, 2 * 44100, [](int i, int) {
            const bool high = (i * 100 / 44100) % 2 == 0;
            return i < 44100 ? 0u : (high ? 20000u : quint32(quint16(-20000)));
        });
        auto draw = [&gate](int delayMs, double at) {
            WindowRig rig;
            Lumo &w = rig.W();
            w.VSA = 1;
            w.AnalyzerDelayMs = std::int16_t(delayMs);
            rig.Open(rig.Sound(QStringLiteral("gate.wav"), 2, gate));
            rig.TickAt(at);
            return w.Pic->Canvas().copy();
        };
        const QImage silent = draw(0, 0.3);
        QCOMPARE(draw(delay, position) != silent, tone);
    }
};

QTEST_MAIN(TestAnalyzerModes)
#include "tst_analyzer_modes.moc"
