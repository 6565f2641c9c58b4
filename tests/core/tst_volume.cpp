// Volume steps, wheel notches, fractions, and the per-user file that keeps them.
#include "core/user_settings.h"
#include "core/volume.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestVolume : public QObject
{
    Q_OBJECT

private slots:
    void steps_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("expected");
        QTest::newRow("up") << 50 << 1 << 55;
        QTest::newRow("down") << 50 << -1 << 45;
        QTest::newRow("up at the top") << 100 << 1 << 100;
        QTest::newRow("down at the bottom") << 0 << -1 << 0;
        QTest::newRow("near the top") << 98 << 1 << 100;
        QTest::newRow("many notches") << 10 << -7 << 0;
        QTest::newRow("overflow guarded") << 50 << 2000000000 << 100;
    }

    void steps()
    {
        QFETCH(int, percent);
        QFETCH(int, steps);
        QFETCH(int, expected);
        QCOMPARE(SteppedVolume(percent, steps), expected);
    }

    void wheelNotches_data()
    {
        QTest::addColumn<QList<int>>("angles");
        QTest::addColumn<QList<int>>("notches");
        QTest::newRow("one notch") << QList<int>{120} << QList<int>{1};
        QTest::newRow("down two") << QList<int>{-240} << QList<int>{-2};
        QTest::newRow("fine steps add up") << QList<int>{40, 40, 40, 40} << QList<int>{0, 0, 1, 0};
        QTest::newRow("fine steps back") << QList<int>{-60, 30, -90} << QList<int>{0, 0, -1};
    }

    void wheelNotches()
    {
        QFETCH(QList<int>, angles);
        QFETCH(QList<int>, notches);
        int accumulated = 0;
        QList<int> taken;
        for (int angle : angles) {
            accumulated += angle;
            taken << TakeWheelNotches(accumulated);
        }
        QCOMPARE(taken, notches);
    }

    void fractions_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<int>("percent");
        QTest::newRow("half") << 0.5 << 50;
        QTest::newRow("rounded") << 0.456 << 46;
        QTest::newRow("above full") << 1.7 << 100;
        QTest::newRow("negative") << -0.2 << 0;
        QTest::newRow("nan") << qQNaN() << 0;
    }

    void fractions()
    {
        QFETCH(double, fraction);
        QFETCH(int, percent);
        QCOMPARE(VolumeFromFraction(fraction), percent);
    }

    void userFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("muted");
        QTest::newRow("missing") << QByteArray() << 100 << false;
        QTest::newRow("stored") << QByteArray("[Sound]\nVolume=35\nMuted=true\n") << 35 << true;
        QTest::newRow("out of range") << QByteArray("[Sound]\nVolume=300\n") << 100 << false;
        QTest::newRow("not a number") << QByteArray("[Sound]\nVolume=loud\n") << 100 << false;
        QTest::newRow("garbage") << QByteArray("\xff\xfe[[[\n=\n") << 100 << false;
    }

    void userFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, percent);
        QFETCH(bool, muted);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lumo-user.ini"));
        if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const UserSettings read = ReadUserSettings(path);
        QCOMPARE(read.volume.percent, percent);
        QCOMPARE(read.volume.muted, muted);
    }

    void userFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deeper/lumo/lumo-user.ini"));
        const UserSettings settings{{65, true}};
        QVERIFY(WriteUserSettings(path, settings));
        QCOMPARE(ReadUserSettings(path), settings);
        QVERIFY(UserSettingsFilePath().endsWith(QStringLiteral("/lumo/lumo-user.ini")));
    }
};

QTEST_GUILESS_MAIN(TestVolume)
#include "tst_volume.moc"
