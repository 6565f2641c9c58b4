// The real player in a Wayland session (weston's headless compositor): it runs on the Wayland
// platform itself, plays, ends in order on SIGTERM and keeps the window position that
// lumo.ini held, as the compositor neither tells nor takes positions.
#include "support/player_process.h"
#include "support/playerctl.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

class TestWaylandSession : public QObject
{
    Q_OBJECT

    QProcess bus_;
    QString address_;
    QString playerctl_;

    QString Ctl(const QStringList &arguments)
    {
        return RunPlayerctl(playerctl_, address_, arguments);
    }

    // Whether the process has mapped a library whose file name contains `name`.
    static bool Maps(qint64 pid, const QByteArray &name)
    {
        QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
    }

private slots:
    void initTestCase()
    {
        playerctl_ = QStandardPaths::findExecutable(QStringLiteral("playerctl"));
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        QVERIFY2(!playerctl_.isEmpty() && !daemon.isEmpty(), "scripts/install-deps installs them");
        bus_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address")});
        QVERIFY(bus_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 20000);
        address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        QVERIFY(!address_.isEmpty());
    }

    void cleanupTestCase()
    {
        bus_.terminate();
        bus_.waitForFinished(10000);
    }

    void playsNativelyAndKeepsStoredPosition()
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty())
            QSKIP("weston is not installed (scripts/install-deps installs it)");
        PlayerProcess lumo;
        const QString runtime = lumo.root.filePath(QStringLiteral("run"));
        const QString socket = QStringLiteral("lumo-test");

        QProcess compositor;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DISPLAY"));
        compositor.setProcessEnvironment(env);
        compositor.setProcessChannelMode(QProcess::MergedChannels);
        compositor.start(weston,
                         {QStringLiteral("--backend=headless-backend.so"),
                          QStringLiteral("--socket=") + socket, QStringLiteral("--idle-time=0"),
                          QStringLiteral("--width=1280"), QStringLiteral("--height=1024")});
        const QString socketPath = runtime + QLatin1Char('/') + socket;
        compositor.waitForStarted(20000);
        const auto settled = [&] {
            return compositor.state() == QProcess::NotRunning || QFileInfo::exists(socketPath);
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 20000);
        if (compositor.state() != QProcess::Running || !QFileInfo::exists(socketPath)) {
            const QByteArray said = compositor.readAll().right(400);
            compositor.kill();
            compositor.waitForFinished();
            QSKIP(qPrintable(QStringLiteral("weston's headless back end cannot start here: ") +
                             QString::fromLocal8Bit(said)));
        }

        // A position the player would never take by itself on this compositor.
        QFile ini(lumo.bin + QStringLiteral("/lumo.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("Mode = 0\r\nList = 1\r\nVSA = 2\r\nChannel = 2\r\nFast = 0\r\nLarge = 0\r\n"
                  "TimeRange = 10\r\nWindowFunction = 1\r\nFFTNormal = 1\r\nFFTFast = 2\r\n"
                  "1500\r\n1200\r\n");
        ini.close();

        lumo.env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        lumo.env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
        lumo.env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        lumo.env.remove(QStringLiteral("DISPLAY"));
        QProcess player;
        lumo.Start(player, {QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.mp3")});
        QVERIFY(player.waitForStarted());

        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("status")}), QStringLiteral("Playing"),
                                  30000);
        QTRY_VERIFY_WITH_TIMEOUT(Ctl({QStringLiteral("position")}).toDouble() > 0.2, 30000);
        QVERIFY2(Maps(player.processId(), "libqwayland"),
                 "the player runs on the Wayland platform plug-in");

        QCOMPARE(::kill(pid_t(player.processId()), SIGTERM), 0);
        QVERIFY(player.waitForFinished(30000));
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 0);
        compositor.terminate();
        compositor.waitForFinished(10000);

        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = ini.readAll().split('\n');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines[10], QByteArray("1500\r"));
        QCOMPARE(lines[11], QByteArray("1200\r"));
    }
};

QTEST_GUILESS_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
