// The built player asked for its usage or version: it prints and ends at once, with no
// display to open a window on and without touching the hand-off.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestLumoCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutAWindow_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("Lumo 1.");
        QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("--version");
        QTest::newRow("short help") << QStringLiteral("-h") << QStringLiteral("--help");
    }

    void answersWithoutAWindow()
    {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // A window would need the X server, which is not there: the player would abort.
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("TMPDIR"), runtime.path());
        QProcess lumo;
        lumo.setProcessEnvironment(env);
        lumo.start(QStringLiteral(LUMO_BIN_DIR "/Lumo"), {QStringLiteral("a.mp3"), option});
        QVERIFY(lumo.waitForFinished(30000));
        QCOMPARE(lumo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(lumo.exitCode(), 0);
        const QString out = QString::fromLocal8Bit(lumo.readAllStandardOutput());
        QVERIFY2(out.contains(expected), qPrintable(out));
        // No hand-off socket was made or looked for.
        QVERIFY(
            QDir(runtime.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLumoCommandLine)
#include "tst_lumo_command_line.moc"
