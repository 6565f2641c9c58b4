#include "core/resume_state.h"
#include "core/user_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ResumeState)

// The analyzer's and the session's keys of the per-user settings file.
class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void readAndWriteBack_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("waveform");
        QTest::addColumn<bool>("resume");
        QTest::addColumn<ResumeState>("session");
        const ResumeState none;
        QTest::newRow("missing keys")
            << QByteArray("[Sound]\nVolume=40\n") << 0 << true << false << none;
        QTest::newRow("set") << QByteArray(
                                    "[Analyzer]\nDelayMs=200\n[Display]\nWaveformBar=false\n")
                             << 200 << false << false << none;
        QTest::newRow("between steps")
            << QByteArray("[Analyzer]\nDelayMs=126\n") << 130 << true << false << none;
        QTest::newRow("too long") << QByteArray("[Analyzer]\nDelayMs=9000\n") << 500 << true
                                  << false << none;
        QTest::newRow("negative") << QByteArray("[Analyzer]\nDelayMs=-40\n") << 0 << true << false
                                  << none;
        QTest::newRow("not numbers")
            << QByteArray("[Analyzer]\nDelayMs=soon\n[Display]\nWaveformBar=maybe\n"
                          "[Session]\nResume=maybe\nIndex=x\nPosition=y\n")
            << 0 << true << false << none;
        QTest::newRow("session") << QByteArray("[Session]\nResume=true\nEntries=/m/a.mp3, "
                                               "/m/b c.flac\nIndex=1\nPosition=12.5\n")
                                 << 0 << true << true
                                 << ResumeState{{"/m/a.mp3", "/m/b c.flac"}, 1, 12.5};
        QTest::newRow("session out of range")
            << QByteArray("[Session]\nResume=1\nEntries=/m/a.mp3\nIndex=5\nPosition=-3\n") << 0
            << true << true << ResumeState{{"/m/a.mp3"}, 0, 0};
    }

    // Reading gives the held value; writing it back keeps it and the other keys of the file.
    void readAndWriteBack()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, delay);
        QFETCH(bool, waveform);
        QFETCH(bool, resume);
        QFETCH(ResumeState, session);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lumo-user.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const UserSettings read = ReadUserSettings(path);
        QCOMPARE(read.AnalyzerDelayMs, delay);
        QCOMPARE(read.WaveformBar, waveform);
        QCOMPARE(read.Resume, resume);
        QCOMPARE(ReadResumeState(path), session);
        QVERIFY(WriteUserSettings(path, read));
        QCOMPARE(ReadUserSettings(path), read);
        QVERIFY(WriteResumeState(path, session));
        QCOMPARE(ReadResumeState(path), session);
        QCOMPARE(ReadUserSettings(path), read);
    }

    void loudnessDisplay_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<int>("target");
        QTest::newRow("missing keys")
            << QByteArray("[Sound]\nVolume=40\n") << false << false << -23;
        QTest::newRow("set") << QByteArray("[Loudness]\nScale=18\nReadings=LU\nTarget=-14\n")
                             << true << true << -14;
        QTest::newRow("other values")
            << QByteArray("[Loudness]\nScale=12\nReadings=dB\nTarget=-20\n") << false << false
            << -23;
    }

    // The loudness meter's scale, readings and target: only the offered choices are taken.
    void loudnessDisplay()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, wide);
        QFETCH(bool, relative);
        QFETCH(int, target);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lumo-user.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const UserSettings read = ReadUserSettings(path);
        QCOMPARE(read.LoudnessWideScale, wide);
        QCOMPARE(read.LoudnessRelative, relative);
        QCOMPARE(read.LoudnessTarget, target);
        QVERIFY(WriteUserSettings(path, read));
        QCOMPARE(ReadUserSettings(path), read);
    }
};

QTEST_MAIN(TestUserSettings)
#include "tst_user_settings.moc"
