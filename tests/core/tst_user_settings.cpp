#include "core/user_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The analyzer's keys of the per-user settings file.
class TestUserSettings : public QObject
{
    Q_OBJECT

private slots:
    void delayAndWaveformBar_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("waveform");
        QTest::newRow("missing keys") << QByteArray("[Sound]\nVolume=40\n") << 0 << true;
        QTest::newRow("set") << QByteArray(
                                    "[Analyzer]\nDelayMs=200\n[Display]\nWaveformBar=false\n")
                             << 200 << false;
        QTest::newRow("between steps") << QByteArray("[Analyzer]\nDelayMs=126\n") << 130 << true;
        QTest::newRow("too long") << QByteArray("[Analyzer]\nDelayMs=9000\n") << 500 << true;
        QTest::newRow("negative") << QByteArray("[Analyzer]\nDelayMs=-40\n") << 0 << true;
        QTest::newRow("not numbers")
            << QByteArray("[Analyzer]\nDelayMs=soon\n[Display]\nWaveformBar=maybe\n") << 0 << true;
    }

    // Reading gives the held value; writing it back keeps it and the other keys of the file.
    void delayAndWaveformBar()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, delay);
        QFETCH(bool, waveform);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lumo-user.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const UserSettings read = ReadUserSettings(path);
        QCOMPARE(read.AnalyzerDelayMs, delay);
        QCOMPARE(read.WaveformBar, waveform);
        QVERIFY(WriteUserSettings(path, read));
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
