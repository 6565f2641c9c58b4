// Opening, transport, the main timer and the end of a medium, with a scripted media engine.
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

class TestLumoPlayback : public QObject
{
    Q_OBJECT

private slots:
    void movieOpensCentredWithTitle()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        const QString clip = rig.Movie(QStringLiteral("clip.avi"), QSize(176, 144));
        w.AddFiles({clip});
        QVERIFY(rig.messages.isEmpty());
        QCOMPARE(w.CT, 1);
        QVERIFY(w.MediumOpenFlag);
        QVERIFY(!w.AudioOnlyFlag);
        QCOMPARE(w.MovieWidth, 176);
        QCOMPARE(w.MovieTitle, QStringLiteral("clip"));
        QCOMPARE(w.windowTitle(), QStringLiteral("clip - Lumo \"sorvane\""));
        QCOMPARE(w.Pic->size(), QSize(320, 240));
        QCOMPARE(rig.Engine()->videoRect, QRect(72, 48, 176, 144));
        QVERIFY(rig.Engine()->owner == w.Pic);
        QVERIFY(w.Timer->isActive());
        QCOMPARE(w.MovieLength, 30.0);
    }

    void soundShowsAudioPicture()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound(QStringLiteral("song.wav"))});
        QVERIFY(w.AudioOnlyFlag);
        QCOMPARE(w.MovieWidth, 0);
        QCOMPARE(w.MovieFrameRate, 0.0);
        // Not accepted for analysis: the area returns to the analyzer's normal size.
        QCOMPARE(w.Pic->size(), QSize(400, 240));
        QImage expected(QStringLiteral(":/images/ImageAudio.png"));
        QVERIFY(!expected.isNull());
        QCOMPARE(w.Pic->Canvas().pixelColor(100, 20), expected.pixelColor(100, 20));
    }

    void timeDisplay_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0.0 << "00:00";
        QTest::newRow("rounds seconds") << 59.6 << "01:00";
        QTest::newRow("one hour") << 3600.0 << "60:00";
        QTest::newRow("125 minutes") << 7507.0 << "125:07";
    }

    void timeDisplay()
    {
        QFETCH(double, position);
        QFETCH(QString, text);
        WindowRig rig;
        rig.window->AddFiles({rig.Sound(QStringLiteral("long.mp3"), 9000.0)});
        rig.TickAt(position);
        QCOMPARE(rig.window->LabelTime->text(), text);
    }

    void knobFollowsPosition()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound(QStringLiteral("a.mp3"), 100.0)});
        const int length = w.TwipsGeometry(Control::PicPosBack).width() - 60;
        rig.TickAt(50.0);
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), 750 + length / 2);
    }

    void backAndStep()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound(QStringLiteral("a.mp3"), 60.0)});
        FakeMediaEngine *e = rig.Engine();
        e->SetPosition(4.5);
        w.PicBack_MouseUp(Qt::LeftButton);
        QCOMPARE(e->position, 0.0);
        e->SetPosition(30.0);
        w.PicBack_MouseUp(Qt::LeftButton);
        QCOMPARE(e->position, 20.0);
        w.PicStep_MouseUp(Qt::LeftButton);
        QCOMPARE(e->position, 30.0);
        // Another button than the left one does nothing.
        w.PicStep_MouseUp(Qt::RightButton);
        QCOMPARE(e->position, 30.0);

        // Paused: the next tick draws one frame.
        w.PicPlay_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 2);
        QVERIFY(!w.PauseFlag);
        w.PicBack_MouseUp(Qt::LeftButton);
        QVERIFY(w.PauseFlag);
        w.Timer_Timer();
        QVERIFY(!w.PauseFlag);
    }

    void stepInLastSecondsEndsSolo()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound(QStringLiteral("a.mp3"), 60.0)});
        rig.Engine()->SetPosition(52.0);
        w.PicStep_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 0);
        QCOMPARE(w.LabelTime->text(), QStringLiteral("00:00"));
        QCOMPARE(rig.Engine()->position, 0.0);
        QVERIFY(!w.Timer->isActive());
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), 750);
    }

    void playModesAtTheEnd_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("rowAfter");
        QTest::addColumn<int>("ctAfter");
        QTest::addColumn<int>("enginesAfter");
        QTest::newRow("solo stops") << 0 << 1 << 1 << 0 << 2;
        QTest::newRow("all goes on") << 1 << 1 << 2 << 1 << 3;
        QTest::newRow("all stops after last") << 1 << 2 << 2 << 0 << 2;
        QTest::newRow("solo repeat rewinds") << 3 << 1 << 1 << 1 << 2;
        QTest::newRow("all repeat goes on") << 4 << 1 << 2 << 1 << 3;
        QTest::newRow("all repeat wraps") << 4 << 2 << 0 << 1 << 3;
    }

    void playModesAtTheEnd()
    {
        QFETCH(int, mode);
        QFETCH(int, startRow);
        QFETCH(int, rowAfter);
        QFETCH(int, ctAfter);
        QFETCH(int, enginesAfter);
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("0.mp3", 20), rig.Sound("1.mp3", 20), rig.Sound("2.mp3", 20)});
        w.SetPlayMode(mode);
        w.PlayIndex = static_cast<std::int16_t>(startRow);
        w.OpenCurrent();
        QCOMPARE(rig.engines.Created(), 2);
        rig.TickAt(20.0);
        QCOMPARE(int(w.PlayIndex), rowAfter);
        QCOMPARE(int(w.CT), ctAfter);
        QCOMPARE(rig.engines.Created(), enginesAfter);
        QCOMPARE(w.ListFile->currentRow(), rowAfter);
    }

    void allModePlaysThroughAndStops()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("0.wav", 3), rig.Sound("1.wav", 3), rig.Sound("2.wav", 3)});
        QCOMPARE(w.PlayMode, 1);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(int(w.PlayIndex), i);
            rig.TickAt(3.0);
        }
        QCOMPARE(w.CT, 0);
        QCOMPARE(w.LabelTime->text(), QStringLiteral("00:00"));
        QCOMPARE(rig.engines.Created(), 3);
    }

    void randomMode()
    {
        WindowRig one;
        one.window->AddFiles({one.Sound("only.mp3", 5)});
        one.window->SetPlayMode(2);
        one.TickAt(5.0);
        QCOMPARE(one.window->PlayIndex, 0);
        QCOMPARE(one.engines.Created(), 2);

        WindowRig two;
        two.window->AddFiles({two.Sound("a.mp3", 5), two.Sound("b.mp3", 5)});
        two.window->SetPlayMode(2);
        for (int i = 1; i <= 4; ++i) {
            two.TickAt(5.0);
            QCOMPARE(int(two.window->PlayIndex), i % 2);
        }
    }

    void nextAndPreviousAtTheEnds()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("a.mp3"), rig.Sound("b.mp3")});
        w.PicPrev_MouseUp(Qt::LeftButton);
        QCOMPARE(w.PlayIndex, 0);
        QCOMPARE(rig.engines.Created(), 2);
        w.PicNext_MouseUp(Qt::LeftButton);
        QCOMPARE(w.PlayIndex, 1);
        w.PicNext_MouseUp(Qt::LeftButton);
        QCOMPARE(w.PlayIndex, 1);
        QCOMPARE(rig.engines.Created(), 4);
    }

    void transportNeedsAMedium()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        const QImage before = w.PicNext->Picture();
        w.PicNext_MouseDown(Qt::LeftButton);
        w.PicPrev_MouseUp(Qt::LeftButton);
        QCOMPARE(w.PicNext->Picture(), before);
        QCOMPARE(rig.engines.Created(), 0);
        // A speed while nothing is open is refused with the message.
        w.PicSpeed_MouseDown(Qt::LeftButton, 100, 200);
        QCOMPARE(rig.messages.size(), 1);
        QVERIFY(
            rig.messages[0].startsWith(QStringLiteral("このファイルは再生速度を変更できません。")));
    }

    void speedDial_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<double>("rate");
        QTest::newRow("left zone") << 100 << 200 << 0.5;
        QTest::newRow("middle zone") << 300 << 100 << 1.0;
        QTest::newRow("right zone") << 500 << 200 << 2.0;
        QTest::newRow("outside zones") << 200 << 100 << 1.0;
        QTest::newRow("left edge excluded") << 0 << 200 << 1.0;
    }

    void speedDial()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(double, rate);
        WindowRig rig;
        rig.window->AddFiles({rig.Sound("a.mp3")});
        rig.window->PicSpeed_MouseDown(Qt::LeftButton, x, y);
        QCOMPARE(rig.Engine()->rate, rate);
        QVERIFY(rig.messages.isEmpty());
    }

    void refusedSpeedKeepsNormalDial()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.File("fixed.wmv", FakeMedium{30, QSize(320, 240), 0.04, {0.5, 2.0}})});
        w.PicSpeed_MouseDown(Qt::LeftButton, 500, 200);
        QCOMPARE(rig.Engine()->rate, 1.0);
        QCOMPARE(rig.messages, QStringList{QStringLiteral(
                                   "このファイルは再生速度を変更できません。\nfixed.wmv")});
        QCOMPARE(w.PicSpeed->Picture(), QImage(QStringLiteral(":/images/ImageSpeed_1.png")));
    }

    void stopRewindsAndPlayResumes()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("a.mp3")});
        rig.TickAt(12.0);
        w.PicStop_MouseDown(Qt::LeftButton);
        w.PicStop_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 0);
        QCOMPARE(rig.Engine()->position, 0.0);
        QVERIFY(!w.Timer->isActive());
        w.PicPlay_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 1);
        QVERIFY(w.Timer->isActive());
    }

    void trackClickSeeks()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("a.mp3", 100.0)});
        const int length = w.TwipsGeometry(Control::PicPosBack).width() - 60;
        w.PicPosBack_MouseDown(Qt::LeftButton, length / 2);
        QCOMPARE(rig.Engine()->state, FakeMediaEngine::State::Paused);
        QVERIFY(qAbs(rig.Engine()->position - 50.0) < 0.5);
        w.PicPosBack_MouseUp(Qt::LeftButton);
        QCOMPARE(rig.Engine()->state, FakeMediaEngine::State::Running);
    }

    void knobDragSeeksOnRelease()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("a.mp3", 100.0)});
        w.PicPos_MouseDown(Qt::LeftButton, 120);
        w.PicPos_MouseMove(Qt::LeftButton, 120 + 1500);
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), 750 + 1500);
        // Moves that are not whole pixels are ignored.
        w.PicPos_MouseMove(Qt::LeftButton, 121);
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), 750 + 1500);
        // The knob stops at the end of the bar.
        w.PicPos_MouseMove(Qt::LeftButton, 120 + 30000);
        const int end = w.TwipsGeometry(Control::PicPosBack).width() + 690;
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), end);
        w.PicPos_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, 1);
        QVERIFY(rig.Engine()->position > 95.0);
    }

    void fullScreenCarriesToNextMovie()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Movie("a.avi", QSize(320, 240)), rig.Movie("b.avi", QSize(320, 240))});
        w.EnterFullScreen();
        QVERIFY(rig.Engine()->fullScreen);
        w.PicNext_MouseUp(Qt::LeftButton);
        QCOMPARE(w.PlayIndex, 1);
        QVERIFY(w.FullScreenFlag);
        QVERIFY(rig.Engine()->fullScreen);
        w.LeaveFullScreen();
        QVERIFY(!rig.Engine()->fullScreen);
    }

    void fullScreenNeedsPlayback()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        w.AddFiles({rig.Movie("a.avi", QSize(320, 240))});
        w.PicStop_MouseUp(Qt::LeftButton);
        w.EnterFullScreen();
        QVERIFY(!rig.Engine()->fullScreen);
        // A playing sound has no video window to show.
        w.AddFiles({rig.Sound("b.mp3")});
        QCOMPARE(w.CT, 1);
        w.EnterFullScreen();
        QVERIFY(!rig.Engine()->fullScreen);
        QVERIFY(!rig.Engine()->owner);
    }

    void failedOpenKeepsEngineOfLastMedium()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        const QString good = rig.Sound("good.mp3");
        const QString bad = rig.dir.filePath("bad.mp3");
        QFile(bad).open(QIODevice::WriteOnly);
        w.AddFiles({good});
        w.AddFiles({bad});
        QCOMPARE(rig.messages, QStringList{QStringLiteral("ファイルが開けません。\n") + bad});
        QCOMPARE(w.PlayIndex, 0);
        // Next continues after the last medium that played: it tries the bad file again and
        // comes back to the good one.
        w.PicNext_MouseUp(Qt::LeftButton);
        QCOMPARE(rig.messages.size(), 2);
        QCOMPARE(w.PlayIndex, 0);
        QVERIFY(w.MediumOpenFlag);
    }

    void closingReleasesTheEngine()
    {
        WindowRig rig;
        rig.window->AddFiles({rig.Movie("a.avi", QSize(640, 480))});
        QCOMPARE(rig.engines.Released(), 0);
        rig.window->close();
        QCOMPARE(rig.engines.Released(), 1);
        QVERIFY(!rig.window->MediumOpenFlag);
    }

    void titlesFromTags_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");

        // ID3v2.3 tag with a UTF-16 "TIT2" frame (byte-order mark, little endian).
        const QString japanese = QStringLiteral("夜明けの歌");
        QByteArray text("\x01\xff\xfe", 3);
        for (QChar c : japanese) {
            text.append(char(c.unicode() & 0xff));
            text.append(char(c.unicode() >> 8));
        }
        QByteArray frame("TIT2");
        for (int shift : {24, 16, 8, 0})
            frame.append(char((text.size() >> shift) & 0xff));
        frame.append(2, '\0');
        frame.append(text);
        QByteArray v2("ID3\x03\x00\x00", 6);
        const int size = frame.size();
        for (int shift : {21, 14, 7, 0})
            v2.append(char((size >> shift) & 0x7f));
        v2.append(frame);
        v2.append(QByteArray(400, '\0'));
        QTest::newRow("ID3v2 UTF-16") << "v2.mp3" << v2 << japanese;

        // ID3v1 tag whose title is Shift-JIS ("日本語").
        QByteArray v1(600, '\0');
        QByteArray tag("TAG");
        tag.append(QByteArray("\x93\xfa\x96\x7b\x8c\xea"));
        tag.append(QByteArray(128 - tag.size(), '\0'));
        v1.append(tag);
        QTest::newRow("ID3v1 Shift-JIS") << "v1.mp3" << v1 << QStringLiteral("日本語");

        QFile midi(Fixture("tune.mid"));
        midi.open(QIODevice::ReadOnly);
        QTest::newRow("MIDI track name") << "tune.mid" << midi.readAll() << "Lumo Tune";
    }

    void titlesFromTags()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        WindowRig rig;
        const QString path = rig.Sound(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        rig.window->AddFiles({path});
        QCOMPARE(rig.window->MovieTitle, title);
        QCOMPARE(rig.window->LabelTitle[1]->text(), title);
        QCOMPARE(rig.window->windowTitle(), title + QStringLiteral(" - Lumo \"sorvane\""));
        // The history names the file, not the title.
        QVERIFY(rig.window->Hist->toPlainText().endsWith(QStringLiteral("FT(0000) = ") + name));
    }

    void cycleWindowSizeZoomsTheMovie()
    {
        WindowRig rig;
        Lumo &w = *rig.window;
        const QSize screen = w.screen()->geometry().size();
        w.AddFiles({rig.Movie("a.avi", QSize(200, 150))});
        QCOMPARE(w.Pic->size(), QSize(320, 240));
        w.PicRsl_Click();
        QCOMPARE(w.ZoomFactor, 2.0f);
        QCOMPARE(w.Pic->size(), QSize(400, 300));
        QCOMPARE(rig.Engine()->videoRect, QRect(0, 0, 400, 300));
        w.PicRsl_Click();
        QCOMPARE(w.ZoomFactor, 0.5f);
        QCOMPARE(w.Pic->size(), QSize(320, 240));
        QCOMPARE(rig.Engine()->videoRect, QRect(110, 82, 100, 75));
        w.PicRsl_Click();
        QCOMPARE(w.ZoomFactor, 1.0f);

        // A movie whose double does not fit on the screen goes to half size instead.
        w.AddFiles({rig.Movie("big.avi", screen / 2 + QSize(8, 8))});
        w.PicRsl_Click();
        QCOMPARE(w.ZoomFactor, 0.5f);
    }

    void fitToScreenAndBack()
    {
        WindowRig rig({.shown = true});
        Lumo &w = *rig.window;
        const QSize screen = w.screen()->geometry().size();
        const int taskBar = screen.height() - w.screen()->availableGeometry().height();
        QVERIFY(w.ListHiddenFlag);
        w.FitToScreen();
        QCOMPARE(w.frameGeometry().width(), screen.width());
        QCOMPARE(w.Pic->height(),
                 screen.height() - (w.frameGeometry().height() - w.Pic->height()) - taskBar);
        w.FitToScreen();
        QCOMPARE(w.Pic->size(), QSize(400, 240));
    }

    void minimizedWindowWaitsForRestore()
    {
        WindowRig rig({.shown = true});
        Lumo &w = *rig.window;
        w.AddFiles({rig.Sound("a.mp3", 5), rig.Sound("b.mp3", 5)});
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        rig.TickAt(5.0);
        QCOMPARE(w.PlayIndex, 0);
        w.showNormal();
        QTRY_VERIFY(!w.isMinimized());
        rig.TickAt(5.0);
        QCOMPARE(w.PlayIndex, 1);
    }
};

QTEST_MAIN(TestLumoPlayback)
#include "tst_lumo_playback.moc"
