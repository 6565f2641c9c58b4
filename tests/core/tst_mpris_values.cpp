// How play modes and speeds read on the media-player interface, and how its requests map back.
#include "core/mpris_values.h"

#include <QTest>

class TestMprisValues : public QObject
{
    Q_OBJECT

private slots:
    void loop_data()
    {
        QTest::addColumn<QString>("loop");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected"); // -1: no change
        QTest::newRow("track from solo") << "Track" << 0 << 3;
        QTest::newRow("playlist from random") << "Playlist" << 2 << 4;
        QTest::newRow("none from solo repeat") << "None" << 3 << 0;
        QTest::newRow("none from all repeat") << "None" << 4 << 1;
        QTest::newRow("none keeps random") << "None" << 2 << -1;
        QTest::newRow("track again") << "Track" << 3 << -1;
        QTest::newRow("unknown text") << "Forever" << 1 << -1;
    }

    void loop()
    {
        QFETCH(QString, loop);
        QFETCH(int, mode);
        QFETCH(int, expected);
        QCOMPARE(Mpris::PlayModeForLoop(loop, mode).value_or(-1), expected);
        if (expected >= 0)
            QCOMPARE(Mpris::LoopStatus(expected), loop);
    }

    void shuffle_data()
    {
        QTest::addColumn<bool>("shuffle");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::newRow("on") << true << 0 << 2;
        QTest::newRow("on from all repeat") << true << 4 << 2;
        QTest::newRow("off") << false << 2 << 1;
        QTest::newRow("off while not random") << false << 3 << -1;
        QTest::newRow("on while random") << true << 2 << -1;
    }

    void shuffle()
    {
        QFETCH(bool, shuffle);
        QFETCH(int, mode);
        QFETCH(int, expected);
        QCOMPARE(Mpris::PlayModeForShuffle(shuffle, mode).value_or(-1), expected);
    }

    void rate_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("index");
        QTest::newRow("half") << 0.5 << 0;
        QTest::newRow("below half") << 0.49 << -1;
        QTest::newRow("nearer half") << 0.7 << 0;
        QTest::newRow("nearer normal") << 0.71 << 1;
        QTest::newRow("normal") << 1.0 << 1;
        QTest::newRow("nearer double") << 1.5 << 2;
        QTest::newRow("double") << 2.0 << 2;
        QTest::newRow("above double") << 2.5 << -1;
        QTest::newRow("nan") << qQNaN() << -1;
    }

    void rate()
    {
        QFETCH(double, rate);
        QFETCH(int, index);
        const std::optional<int> found = Mpris::SpeedIndexForRate(rate);
        QCOMPARE(found.value_or(-1), index);
        if (found)
            QCOMPARE(Mpris::SpeedIndexForRate(Mpris::RateOfSpeedIndex(*found)), found);
    }

    void statusAndTracks()
    {
        QCOMPARE(Mpris::PlaybackStatus(0), QStringLiteral("Stopped"));
        QCOMPARE(Mpris::PlaybackStatus(1), QStringLiteral("Playing"));
        QCOMPARE(Mpris::PlaybackStatus(2), QStringLiteral("Paused"));
        QVERIFY(Mpris::TrackPath(3) != Mpris::TrackPath(4));
        QCOMPARE(Mpris::TrackPath(-1), QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    }
};

QTEST_GUILESS_MAIN(TestMprisValues)
#include "tst_mpris_values.moc"
