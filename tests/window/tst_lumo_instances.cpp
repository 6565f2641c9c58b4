// The real player started twice: the second start hands its files to the first and ends;
// the first keeps them and stores its settings when it is asked to end.
#include "support/fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A player installed into a folder of its own, with its own runtime and configuration.
struct Installation
{
    QTemporaryDir root;
    QString bin;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    Installation()
    {
        bin = root.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        QFile::copy(QStringLiteral(LUMO_BIN_DIR "/Lumo"), bin + QStringLiteral("/Lumo"));
        QFile::copy(QStringLiteral(LUMO_BIN_DIR "/libfft.so"), bin + QStringLiteral("/libfft.so"));
        const QString runtime = root.filePath(QStringLiteral("run"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        // The media framework's plug-in registry stays where it is: rebuilding it in a new
        // home would hold up the first player past the second start's one-second wait.
        env.insert(QStringLiteral("XDG_CACHE_HOME"),
                   QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), root.path());
    }

    void Start(QProcess &process, const QStringList &files)
    {
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(bin + QStringLiteral("/Lumo"), files);
    }

    bool Listening() const
    {
        return !QDir(root.filePath(QStringLiteral("run")))
                    .entryList(QDir::System | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty();
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
        QTRY_VERIFY_WITH_TIMEOUT(lumo.Listening(), 10000);

        QProcess second;
        QElapsedTimer clock;
        clock.start();
        lumo.Start(second, {Fixture("tone_2s.mp3"), Fixture("testsrc.avi")});
        QVERIFY(second.waitForFinished(5000));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(elapsed < 1500, qPrintable(QStringLiteral("took %1 ms").arg(elapsed)));
        QCOMPARE(first.state(), QProcess::Running);

        // Give the first player the moment it needs to take the files, then end it as a
        // session would.
        QTest::qWait(500);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);

        QFile ini(lumo.bin + QStringLiteral("/lumo.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = ini.readAll().split('\n');
        QCOMPARE(lines.size(), 13);
        // Two names handed over in solo mode switched the mode to all.
        QCOMPARE(lines[0], QByteArray("Mode = 1\r"));
    }
};

QTEST_GUILESS_MAIN(TestLumoInstances)
#include "tst_lumo_instances.moc"
