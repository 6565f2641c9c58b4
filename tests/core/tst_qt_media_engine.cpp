#include "core/media_decoder_preference.h"
#include "core/qt_media_engine.h"
#include "core/stream_pads_gate.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QVideoWidget>

#include <glib-object.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

// Waits while the engine plays, with the event loop running.
void PlayFor(int ms)
{
    QTest::qWait(ms);
}

// Stands in for the picture area: records the input that reaches it.
class OwnerWidget : public QWidget
{
public:
    QList<QPoint> presses;
    QList<int> keys;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        presses.append(event->position().toPoint());
    }
    void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
};

} // namespace

// Drives the engine with the small media files of the fixtures directory.
class TestQtMediaEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void RendersEachKind_data();
    void RendersEachKind();
    void RefusesWhatCannotPlay_data();
    void RefusesWhatCannotPlay();
    void AnswersNothingBeforeRender();
    void StartsAtZeroAndSeeks_data();
    void StartsAtZeroAndSeeks();
    void PauseHoldsThePosition();
    void RateChangesSpeed_data();
    void RateChangesSpeed();
    void RefusesImpossibleRates();
    void MidiRefusesOtherRates();
    void EndReadsExactlyTheDuration_data();
    void EndReadsExactlyTheDuration();
    void SoundHasNoVideoWindow();
    void VideoWindowFollowsOwner();
    void VideoWindowPassesInputToOwner();
    void FullScreenToggles();
    void SurvivesOwnerDeletedFirst();
    void GateHoldsOtherThreadsStreams_data();
    void GateHoldsOtherThreadsStreams();
};

void TestQtMediaEngine::initTestCase()
{
    // The decoders the program runs with.
    PreferMpg123ForMpegAudio();
}

void TestQtMediaEngine::RendersEachKind_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size"); // invalid: no picture
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("durationTolerance");
    QTest::addColumn<double>("frameSeconds"); // 0: any positive value, -1: none

    QTest::newRow("wave") << Fixture("sine_1s.wav") << QSize() << 1.0 << 0.01 << -1.0;
    QTest::newRow("mp3") << Fixture("tone_2s.mp3") << QSize() << 2.0 << 0.1 << -1.0;
    QTest::newRow("avi") << Fixture("testsrc.avi") << QSize(160, 120) << 2.0 << 0.05 << 1.0 / 15;
    QTest::newRow("avi no sound") << Fixture("silent.avi") << QSize(160, 120) << 1.0 << 0.05
                                  << 1.0 / 15;
    QTest::newRow("mpeg-1") << Fixture("testsrc.mpg") << QSize(160, 120) << 2.0 << 0.3 << 0.04;
    QTest::newRow("wmv") << Fixture("testsrc.wmv") << QSize(160, 120) << 2.0 << 0.1 << 0.0;
    QTest::newRow("qcif") << Fixture("qcif.avi") << QSize(176, 144) << 1.0 << 0.05 << 0.1;
    QTest::newRow("vga") << Fixture("vga.avi") << QSize(640, 480) << 1.0 << 0.05 << 0.2;
    QTest::newRow("midi") << Fixture("tune.mid") << QSize() << 1.0 << 0.1 << -1.0;
}

void TestQtMediaEngine::RendersEachKind()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(double, duration);
    QFETCH(double, durationTolerance);
    QFETCH(double, frameSeconds);

    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(file));

    const auto length = engine.Duration();
    QVERIFY(length.has_value());
    QVERIFY2(std::abs(*length - duration) <= durationTolerance,
             qPrintable(QString::number(*length)));

    const auto videoSize = engine.VideoSize();
    QCOMPARE(engine.HasVideoWindow(), size.isValid());
    if (size.isValid()) {
        QVERIFY(videoSize.has_value());
        QCOMPARE(*videoSize, size);
    } else {
        QVERIFY(!videoSize.has_value());
    }

    const auto perFrame = engine.AvgTimePerFrame();
    if (frameSeconds < 0) {
        QVERIFY(!perFrame.has_value());
    } else {
        QVERIFY(perFrame.has_value());
        QVERIFY(*perFrame > 0);
        if (frameSeconds > 0) {
            QVERIFY2(std::abs(*perFrame - frameSeconds) < 0.001,
                     qPrintable(QString::number(*perFrame)));
        }
    }
}

void TestQtMediaEngine::RefusesWhatCannotPlay_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << Fixture("no_such_file.wav");
    QTest::newRow("text named mp3") << Fixture("not_media.mp3");
    QTest::newRow("directory") << QStringLiteral(LUMO_FIXTURE_DIR);
    QTest::newRow("empty path") << QString();
}

void TestQtMediaEngine::RefusesWhatCannotPlay()
{
    QFETCH(QString, path);
    QtMediaEngine engine(3000);
    QVERIFY(!engine.RenderFile(path));
    QVERIFY(!engine.Duration().has_value());
    QVERIFY(!engine.CurrentPosition().has_value());
    QVERIFY(!engine.VideoSize().has_value());
    QVERIFY(!engine.HasVideoWindow());
    QVERIFY(!engine.Run());
}

void TestQtMediaEngine::AnswersNothingBeforeRender()
{
    QtMediaEngine engine;
    QVERIFY(!engine.Run());
    QVERIFY(!engine.Pause());
    QVERIFY(!engine.Stop());
    QVERIFY(!engine.SetCurrentPosition(0));
    QVERIFY(!engine.SetRate(1.0));
    QVERIFY(!engine.Duration().has_value());
    QVERIFY(!engine.AvgTimePerFrame().has_value());
    QVERIFY(!engine.FullScreenMode().has_value());
    QVERIFY(!engine.SetVideoOwner(nullptr));
}

void TestQtMediaEngine::StartsAtZeroAndSeeks_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("wave") << Fixture("sine_1s.wav");
    QTest::newRow("mpeg-1, clock not starting at zero") << Fixture("testsrc.mpg");
    QTest::newRow("wmv") << Fixture("testsrc.wmv");
}

void TestQtMediaEngine::StartsAtZeroAndSeeks()
{
    QFETCH(QString, file);
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(file));
    QCOMPARE(engine.CurrentPosition(), std::optional<double>(0.0));

    QVERIFY(engine.SetCurrentPosition(0.5));
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(*engine.CurrentPosition() - 0.5) < 0.05, 2000);

    QVERIFY(engine.SetCurrentPosition(0));
    QTRY_VERIFY_WITH_TIMEOUT(*engine.CurrentPosition() < 0.05, 2000);
}

void TestQtMediaEngine::PauseHoldsThePosition()
{
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("tone_2s.mp3")));
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(*engine.CurrentPosition() > 0.2, 3000);
    QVERIFY(engine.Pause());
    PlayFor(100);
    const double held = *engine.CurrentPosition();
    PlayFor(300);
    QCOMPARE(*engine.CurrentPosition(), held);
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(*engine.CurrentPosition() > held + 0.1, 3000);
    QVERIFY(engine.Stop());
    PlayFor(100);
    const double stopped = *engine.CurrentPosition();
    PlayFor(200);
    QCOMPARE(*engine.CurrentPosition(), stopped);
}

void TestQtMediaEngine::RateChangesSpeed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("rate");
    QTest::newRow("mp3 double") << Fixture("tone_2s.mp3") << 2.0;
    QTest::newRow("mp3 half") << Fixture("tone_2s.mp3") << 0.5;
    QTest::newRow("avi double") << Fixture("testsrc.avi") << 2.0;
    QTest::newRow("wmv half") << Fixture("testsrc.wmv") << 0.5;
}

void TestQtMediaEngine::RateChangesSpeed()
{
    QFETCH(QString, file);
    QFETCH(double, rate);
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(file));
    QVERIFY(engine.SetRate(1.0));
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(*engine.CurrentPosition() > 0.05, 3000);
    QVERIFY(engine.SetRate(rate));
    PlayFor(100);

    QElapsedTimer clock;
    const double from = *engine.CurrentPosition();
    clock.start();
    PlayFor(500);
    const double played = *engine.CurrentPosition() - from;
    const double speed = played / (static_cast<double>(clock.elapsed()) / 1000.0);
    // Generous bounds: the point is that the speed moved towards the rate, not its precision.
    if (rate > 1.0) {
        QVERIFY2(speed > 1.4, qPrintable(QString::number(speed)));
    } else {
        QVERIFY2(speed < 0.75 && speed > 0.2, qPrintable(QString::number(speed)));
    }
}

void TestQtMediaEngine::RefusesImpossibleRates()
{
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("sine_1s.wav")));
    QVERIFY(!engine.SetRate(0.0));
    QVERIFY(!engine.SetRate(-1.0));
    QVERIFY(!engine.SetRate(std::nan("")));
    QVERIFY(engine.SetRate(2.0));
}

void TestQtMediaEngine::MidiRefusesOtherRates()
{
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("tune.mid")));
    QVERIFY(engine.SetRate(1.0));
    QVERIFY(engine.Run());
    QVERIFY(!engine.SetRate(2.0));
    QVERIFY(!engine.SetRate(0.5));
}

void TestQtMediaEngine::EndReadsExactlyTheDuration_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("wave") << Fixture("sine_1s.wav");
    QTest::newRow("avi without sound") << Fixture("silent.avi");
    QTest::newRow("mpeg-1") << Fixture("testsrc.mpg");
    // Its last position falls short of the duration the container declares.
    QTest::newRow("wmv") << Fixture("testsrc.wmv");
    QTest::newRow("midi") << Fixture("tune.mid");
}

void TestQtMediaEngine::EndReadsExactlyTheDuration()
{
    QFETCH(QString, file);
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(file));
    const double duration = *engine.Duration();
    engine.SetRate(2.0);
    QVERIFY(engine.Run());

    // The player's end check: both rounded to hundredths and compared.
    const auto reachedEnd = [&] {
        return std::round(*engine.CurrentPosition() * 100) == std::round(duration * 100);
    };
    double highest = 0;
    QElapsedTimer clock;
    clock.start();
    while (!reachedEnd() && clock.elapsed() < 6000) {
        highest = std::max(highest, *engine.CurrentPosition());
        PlayFor(10);
    }
    QVERIFY(reachedEnd());
    QVERIFY(highest <= duration);
    QTRY_VERIFY_WITH_TIMEOUT(engine.AtEnd(), 3000);
    QCOMPARE(*engine.CurrentPosition(), duration);
    PlayFor(200);
    QCOMPARE(*engine.CurrentPosition(), duration);

    // Repeating from the start plays the medium again and ends again.
    QVERIFY(engine.SetCurrentPosition(0));
    QVERIFY(!engine.AtEnd());
    QVERIFY(*engine.CurrentPosition() < duration);
    QVERIFY(engine.Run());
    QTRY_VERIFY_WITH_TIMEOUT(engine.AtEnd(), 6000);
    QCOMPARE(*engine.CurrentPosition(), duration);
}

void TestQtMediaEngine::SoundHasNoVideoWindow()
{
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("tone_2s.mp3")));
    QWidget owner;
    QVERIFY(!engine.HasVideoWindow());
    QVERIFY(!engine.SetVideoOwner(&owner));
    QVERIFY(!engine.SetVideoOwner(nullptr));
    QVERIFY(!engine.SetVideoRect(QRect(0, 0, 10, 10)));
    QVERIFY(!engine.VideoRect().has_value());
    QVERIFY(!engine.FullScreenMode().has_value());
    QVERIFY(!engine.SetFullScreenMode(true));
}

void TestQtMediaEngine::VideoWindowFollowsOwner()
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    {
        QtMediaEngine engine;
        QVERIFY(engine.RenderFile(Fixture("testsrc.avi")));
        QVERIFY(engine.HasVideoWindow());
        QVERIFY(owner.findChildren<QVideoWidget *>().isEmpty());

        QVERIFY(engine.SetVideoRect(QRect(0, 0, 160, 120)));
        QVERIFY(engine.SetVideoOwner(&owner));
        auto *video = owner.findChild<QVideoWidget *>();
        QVERIFY(video != nullptr);
        QVERIFY(video->isVisible());
        QCOMPARE(video->geometry(), QRect(0, 0, 160, 120));

        QVERIFY(engine.SetVideoRect(QRect(20, 10, 320, 240)));
        QCOMPARE(video->geometry(), QRect(20, 10, 320, 240));
        QCOMPARE(engine.VideoRect(), std::optional<QRect>(QRect(20, 10, 320, 240)));

        // Moved far out of sight, as when the medium closes, then detached.
        QVERIFY(engine.SetVideoRect(QRect(230400, 0, 320, 172800)));
        QVERIFY(engine.SetVideoOwner(nullptr));
        QVERIFY(owner.findChildren<QVideoWidget *>().isEmpty());
        QVERIFY(engine.HasVideoWindow());

        QVERIFY(engine.SetVideoOwner(&owner));
        QVERIFY(owner.findChild<QVideoWidget *>() != nullptr);
    }
    QVERIFY(owner.findChildren<QVideoWidget *>().isEmpty());
}

void TestQtMediaEngine::VideoWindowPassesInputToOwner()
{
    OwnerWidget owner;
    owner.resize(400, 300);
    owner.show();
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("silent.avi")));
    QVERIFY(engine.SetVideoRect(QRect(30, 20, 160, 120)));
    QVERIFY(engine.SetVideoOwner(&owner));
    auto *video = owner.findChild<QVideoWidget *>();
    QVERIFY(video != nullptr);

    QTest::mouseClick(video, Qt::LeftButton, {}, QPoint(5, 7));
    QCOMPARE(owner.presses, QList<QPoint>({QPoint(35, 27)}));

    QTest::keyClick(video, Qt::Key_Escape);
    QCOMPARE(owner.keys, QList<int>({Qt::Key_Escape}));
}

void TestQtMediaEngine::FullScreenToggles()
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("testsrc.avi")));
    QVERIFY(engine.SetVideoRect(QRect(0, 0, 160, 120)));
    QVERIFY(engine.SetVideoOwner(&owner));
    QCOMPARE(engine.FullScreenMode(), std::optional<bool>(false));

    QVERIFY(engine.SetFullScreenMode(true));
    QCOMPARE(engine.FullScreenMode(), std::optional<bool>(true));
    // Placement asked for while full screen applies once the window is back in its owner.
    QVERIFY(engine.SetVideoRect(QRect(10, 10, 320, 240)));

    QVERIFY(engine.SetFullScreenMode(false));
    QCOMPARE(engine.FullScreenMode(), std::optional<bool>(false));
    auto *video = owner.findChild<QVideoWidget *>();
    QVERIFY(video != nullptr);
    QVERIFY(!video->isWindow());
    QCOMPARE(video->geometry(), QRect(10, 10, 320, 240));

    // Detaching leaves full screen first.
    QVERIFY(engine.SetFullScreenMode(true));
    QVERIFY(engine.SetVideoOwner(nullptr));
    QCOMPARE(engine.FullScreenMode(), std::optional<bool>(false));
}

void TestQtMediaEngine::SurvivesOwnerDeletedFirst()
{
    QtMediaEngine engine;
    QVERIFY(engine.RenderFile(Fixture("silent.avi")));
    {
        QWidget owner;
        QVERIFY(engine.SetVideoOwner(&owner));
    }
    QVERIFY(!engine.HasVideoWindow());
    QVERIFY(!engine.SetVideoRect(QRect(0, 0, 1, 1)));
    QVERIFY(engine.Run());
}

void TestQtMediaEngine::GateHoldsOtherThreadsStreams_data()
{
    QTest::addColumn<bool>("fromOtherThread");
    QTest::newRow("streaming thread waits") << true;
    QTest::newRow("the closing thread passes") << false;
}

void TestQtMediaEngine::GateHoldsOtherThreadsStreams()
{
    QFETCH(bool, fromOtherThread);
    // A player starts the media framework, whose element and pad types the gate hooks into.
    QtMediaEngine engine;
    GObject *element = static_cast<GObject *>(g_object_new(g_type_from_name("GstBin"), nullptr));
    GObject *pad = static_cast<GObject *>(g_object_new(g_type_from_name("GstPad"), nullptr));
    QVERIFY(element != nullptr && pad != nullptr);
    std::atomic<bool> announced{false};
    g_signal_connect_swapped(element, "pad-added",
                             G_CALLBACK(+[](std::atomic<bool> *seen) { *seen = true; }),
                             &announced);

    std::thread streaming;
    {
        const StreamPadsGate gate;
        if (fromOtherThread) {
            streaming = std::thread([&] { g_signal_emit_by_name(element, "pad-added", pad); });
            QTest::qWait(300);
            QVERIFY(!announced);
        } else {
            g_signal_emit_by_name(element, "pad-added", pad);
            QVERIFY(announced);
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(announced, 10000);
    if (streaming.joinable()) {
        streaming.join();
    }
    g_object_unref(pad);
    g_object_unref(element);
}

QTEST_MAIN(TestQtMediaEngine)
#include "tst_qt_media_engine.moc"
