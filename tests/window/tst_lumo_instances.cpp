// The real player started twice: the second start hands its files to the first and ends;
// the first keeps them and stores its settings when it is asked to end, whatever it shows.
#include "core/instance_channel.h"
#include "support/fixtures.h"
#include "support/player_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

// A player installed into a folder of its own, with its own runtime and configuration.
struct Installation : PlayerProcess
{
    QString SocketName() const
    {
        return InstanceServerName(QStringLiteral("Lumo \"sorvane\""),
                                  root.filePath(QStringLiteral("run")), CurrentUserId());
    }

    bool Listening() const { return QFile::exists(SocketName()); }

    // The settings file's lines, as the player wrote them at its end.
    QList<QByteArray> Settings() const
    {
        QFile ini(bin + QStringLiteral("/lumo.ini"));
        return ini.open(QIODevice::ReadOnly) ? ini.readAll().split('\n') : QList<QByteArray>();
    }
};

} // namespace

class TestLumoInstances : public QObject
{
    Q_OBJECT

private slots:
    void secondStartHandsOverAndEnds()
    {
        Installation lumo;
        QProcess first;
        lumo.Start(first, {Fixture("sine_1s.wav")});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(lumo.Listening(), 30000);

        // The first player may still be loading its file: the second start waits for it.
        QProcess second;
        lumo.Start(second, {Fixture("tone_2s.mp3"), Fixture("testsrc.avi")});
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // The files are in the list once they are acknowledged; end the player as a session
        // would.
        first.terminate();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);

        const QList<QByteArray> lines = lumo.Settings();
        QCOMPARE(lines.size(), 13);
        // Two names handed over in solo mode switched the mode to all.
        QCOMPARE(lines[0], QByteArray("Mode = 1\r"));
    }

    void signalEndsPlayerWhileMessageIsUp_data()
    {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    // The first open of a file that is no medium puts up a message before the event loop
    // runs; a signal then still ends the player in order and frees the hand-off name.
    void signalEndsPlayerWhileMessageIsUp()
    {
        QFETCH(int, sig);
        Installation lumo;
        QProcess player;
        lumo.Start(player, {Fixture("not_media.mp3")});
        QVERIFY(player.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(lumo.Listening(), 30000);

        QCOMPARE(::kill(pid_t(player.processId()), sig), 0);
        QVERIFY(player.waitForFinished(30000));
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 0);
        QCOMPARE(lumo.Settings().size(), 13);
        QVERIFY(!lumo.Listening());
    }
};

QTEST_GUILESS_MAIN(TestLumoInstances)
#include "tst_lumo_instances.moc"
