// The window over the real media engine: each kind of file opens, and the end of a short
// sound is acted on in every play mode.
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

class TestLumoRealEngine : public QObject
{
    Q_OBJECT

private slots:
    void opensEachKind_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<QSize>("area");
        QTest::newRow("wave") << Fixture("sine_1s.wav") << true << QSize(400, 240);
        QTest::newRow("mp3") << Fixture("tone_2s.mp3") << true << QSize(400, 240);
        QTest::newRow("avi") << Fixture("testsrc.avi") << false << QSize(320, 240);
        QTest::newRow("mpeg") << Fixture("testsrc.mpg") << false << QSize(320, 240);
        QTest::newRow("wmv") << Fixture("testsrc.wmv") << false << QSize(320, 240);
        QTest::newRow("vga avi") << Fixture("vga.avi") << false << QSize(640, 480);
    }

    void opensEachKind()
    {
        QFETCH(QString, file);
        QFETCH(bool, sound);
        QFETCH(QSize, area);
        WindowRig rig({.realEngine = true});
        rig.window->AddFiles({file});
        QVERIFY2(rig.messages.isEmpty(), qPrintable(rig.messages.join(',')));
        QVERIFY(rig.window->MediumOpenFlag);
        QCOMPARE(rig.window->CT, 1);
        QCOMPARE(rig.window->AudioOnlyFlag, sound);
        QCOMPARE(rig.window->Pic->size(), area);
        QVERIFY(rig.window->MovieLength > 0.5);
        if (!sound)
            QVERIFY(rig.window->MovieFrameRate > 1.0);
    }

    void missingAndBrokenFilesFail()
    {
        WindowRig rig({.realEngine = true});
        rig.window->AddFiles({Fixture("not_media.mp3")});
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(rig.messages[0].endsWith(QStringLiteral("not_media.mp3")));
        QVERIFY(!rig.window->MediumOpenFlag);
    }

    void endOfSoundByPlayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("ctAfter");
        QTest::addColumn<int>("enginesAfter");
        QTest::newRow("solo stops") << 0 << 0 << 1;
        QTest::newRow("all stops after the last") << 1 << 0 << 1;
        QTest::newRow("random with one entry replays") << 2 << 1 << 2;
        QTest::newRow("solo repeat rewinds") << 3 << 1 << 1;
        QTest::newRow("all repeat reopens") << 4 << 1 << 2;
    }

    void endOfSoundByPlayMode()
    {
        QFETCH(int, mode);
        QFETCH(int, ctAfter);
        QFETCH(int, enginesAfter);
        WindowRig rig({.realEngine = true});
        Lumo &w = *rig.window;
        w.SetPlayMode(mode);
        w.AddFiles({Fixture("sine_1s.wav")});
        QCOMPARE(rig.made, 1);
        // The sound lasts one second; the timer notices its end within a few ticks.
        if (mode == 3) {
            // Solo repeat keeps the medium and starts it again.
            QTest::qWait(1800);
            QCOMPARE(w.CT, 1);
            QCOMPARE(rig.made, 1);
            QVERIFY(w.Engine()->CurrentPosition().value_or(9) < 0.95);
            QVERIFY(w.Timer->isActive());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(rig.made >= enginesAfter && w.CT == ctAfter, 6000);
        if (ctAfter == 0) {
            QCOMPARE(w.LabelTime->text(), QStringLiteral("00:00"));
            QVERIFY(!w.Timer->isActive());
        } else {
            QVERIFY(w.Timer->isActive());
        }
    }
};

QTEST_MAIN(TestLumoRealEngine)
#include "tst_lumo_real_engine.moc"
