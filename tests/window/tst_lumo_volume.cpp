// Volume and mute from the keyboard and the wheel: applied to the playing medium and to the
// next one, shown for a moment in the picture area's corner, kept in the per-user file.
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"
#include "window/volume_badge.h"

#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QWheelEvent>

class TestLumoVolume : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("muted");
        QTest::newRow("plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << 55 << false;
        QTest::newRow("equals, the plus key unshifted") << int(Qt::Key_Equal) << 0 << 55 << false;
        QTest::newRow("keypad plus") << int(Qt::Key_Plus) << int(Qt::KeypadModifier) << 55 << false;
        QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << 45 << false;
        QTest::newRow("keypad minus")
            << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << 45 << false;
        QTest::newRow("zero mutes") << int(Qt::Key_0) << 0 << 50 << true;
        QTest::newRow("keypad zero") << int(Qt::Key_0) << int(Qt::KeypadModifier) << 50 << true;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, percent);
        QFETCH(bool, muted);
        WindowRig rig({.shown = true});
        rig.W().SetVolume(50);
        rig.Open(rig.Sound(QStringLiteral("a.wma")));
        QCOMPARE(rig.Engine()->volume, 0.5);
        rig.W().ListFile->setFocus();
        QTest::keyClick(rig.W().ListFile, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(rig.W().Volume.percent, percent);
        QCOMPARE(rig.W().Volume.muted, muted);
        QCOMPARE(rig.Engine()->volume, percent / 100.0);
        QCOMPARE(rig.Engine()->muted, muted);
        // The key did not reach the list, and playback went on.
        QCOMPARE(rig.W().CT, 1);
        QCOMPARE(rig.W().ListFile->currentRow(), 0);
        // A second zero brings the sound back at the same volume.
        if (muted) {
            QTest::keyClick(rig.W().ListFile, Qt::Key_0);
            QVERIFY(!rig.Engine()->muted);
            QCOMPARE(rig.Engine()->volume, 0.5);
        }
    }

    void wheelOverThePicture_data()
    {
        QTest::addColumn<QList<int>>("angles");
        QTest::addColumn<int>("percent");
        QTest::newRow("one notch up") << QList<int>{120} << 75;
        QTest::newRow("two notches down") << QList<int>{-120, -120} << 60;
        QTest::newRow("fine wheel") << QList<int>{60, 60, 60} << 75;
        QTest::newRow("to the top") << QList<int>{1200} << 100;
    }

    void wheelOverThePicture()
    {
        QFETCH(QList<int>, angles);
        QFETCH(int, percent);
        WindowRig rig({.shown = true});
        rig.W().SetVolume(70);
        PictureBox *pic = rig.W().Pic;
        for (int angle : angles) {
            const QPointF at(10, 10);
            QWheelEvent wheel(at, pic->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(pic, &wheel);
        }
        QCOMPARE(rig.W().Volume.percent, percent);
        // A medium opened afterwards plays at that volume.
        rig.Open(rig.Sound(QStringLiteral("b.wma")));
        QCOMPARE(rig.Engine()->volume, percent / 100.0);
    }

    void shownForAMomentOverThePicture()
    {
        WindowRig rig({.shown = true});
        rig.W().Pic->Canvas().fill(Qt::white);
        rig.W().Pic->update();
        const QImage before = rig.W().Pic->grab().toImage();
        rig.W().SetVolume(35);
        VolumeBadge *note = rig.W().VolumeNote();
        QVERIFY(note->isVisible());
        QVERIFY(note->Text().contains(QStringLiteral("35")));
        QCOMPARE(note->mapToGlobal(QPoint(0, 0)), rig.W().Pic->mapToGlobal(QPoint(4, 4)));
        // The note lies over the picture; the picture itself is untouched.
        QCOMPARE(rig.W().Pic->Canvas().pixelColor(8, 8), QColor(Qt::white));
        rig.W().SetMuted(true);
        QVERIFY(!note->Text().contains(QStringLiteral("35")));
        QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), VolumeBadge::ShownMs * 10);
        QCOMPARE(rig.W().Pic->grab().toImage(), before);
    }

    void keptPerUser()
    {
        WindowRig rig({.settingsFile = true});
        QCOMPARE(rig.W().Volume, VolumeState{});
        rig.W().SetVolume(40);
        rig.W().SetMuted(true);
        rig.W().close();
        const QString userFile = rig.dir.filePath(QStringLiteral("lumo-user.ini"));
        QVERIFY(QFile::exists(userFile));
        // lumo.ini keeps its twelve lines.
        QFile ini(rig.SettingsPath());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll().count("\r\n"), 12);
        rig.Restart();
        QCOMPARE(rig.W().Volume, (VolumeState{40, true}));
        rig.Open(rig.Sound(QStringLiteral("a.wma")));
        QCOMPARE(rig.Engine()->volume, 0.4);
        QVERIFY(rig.Engine()->muted);
    }
};

QTEST_MAIN(TestLumoVolume)
#include "tst_lumo_volume.moc"
