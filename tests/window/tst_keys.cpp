// The window's keyboard shortcuts, driven by real key events sent to the window or to its
// focused list; and the small table from Qt keys to the window's key codes.
#include "display/key_codes.h"
#include "support/window_rig.h"
#include "window/info.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The engine calls these tests watch: the commands, without the queries, the rate and the
// video window's owner and place.
const QStringList Unwatched = {QStringLiteral("Duration"),        QStringLiteral("CurrentPosition"),
                               QStringLiteral("SetRate"),         QStringLiteral("VideoSize"),
                               QStringLiteral("AvgTimePerFrame"), QStringLiteral("HasVideoWindow"),
                               QStringLiteral("SetVideoOwner"),   QStringLiteral("SetVideoRect"),
                               QStringLiteral("VideoRect"),       QStringLiteral("FullScreenMode")};

// Opens sounds of the given length; the first starts playing.
void OpenSounds(WindowRig &rig, const QStringList &names, double duration = 60)
{
    QStringList paths;
    for (const QString &name : names)
        paths << rig.Sound(name, duration, QByteArray(4096, '\0'));
    rig.window->AddFiles(paths);
}

// The watched calls on all engines, in order ("Pause()").
QStringList Calls(const WindowRig &rig)
{
    QStringList calls;
    for (const QString &call : rig.engines.Log(Unwatched))
        calls << call.section(QLatin1Char(':'), 1);
    return calls;
}

QImage Resource(const QString &name)
{
    return QImage(QStringLiteral(":/images/%1.png").arg(name));
}

void PaintCanvasWhite(PictureBox *pic)
{
    pic->Canvas().fill(Qt::white);
}

bool CornerIsBlack(const QImage &canvas)
{
    // 640 × 240 twips at the top right: from 42.7 pixels left of the edge, 16 pixels high.
    const int w = canvas.width();
    for (int y = 0; y < 16; ++y)
        for (int x = w - 42; x < w; ++x)
            if (canvas.pixelColor(x, y) != QColor(Qt::black))
                return false;
    return true;
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyCodes_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::newRow("Space") << int(Qt::Key_Space) << 32;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 27;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F7") << int(Qt::Key_F7) << 118;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
        QTest::newRow("Left") << int(Qt::Key_Left) << 37;
        QTest::newRow("Up") << int(Qt::Key_Up) << 38;
        QTest::newRow("Right") << int(Qt::Key_Right) << 39;
        QTest::newRow("Down") << int(Qt::Key_Down) << 40;
        QTest::newRow("I") << int(Qt::Key_I) << 73;
        QTest::newRow("M") << int(Qt::Key_M) << 77;
        QTest::newRow("S") << int(Qt::Key_S) << 83;
        QTest::newRow("digit") << int(Qt::Key_5) << 53;
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter) << 13;
        QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0;
        QTest::newRow("punctuation has none here") << int(Qt::Key_Comma) << 0;
    }

    void keyCodes()
    {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(int(VirtualKey::FromQtKey(qtKey)), code);
    }

    void modifierState_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("state");
        QTest::newRow("none") << int(Qt::NoModifier) << 0;
        QTest::newRow("Shift") << int(Qt::ShiftModifier) << 1;
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << 2;
        QTest::newRow("Ctrl+Shift") << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
        QTest::newRow("Alt") << int(Qt::AltModifier) << 4;
        QTest::newRow("all three")
            << int(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << 7;
        QTest::newRow("keypad counts nothing")
            << int(Qt::ControlModifier | Qt::KeypadModifier) << 2;
    }

    void modifierState()
    {
        QFETCH(int, modifiers);
        QFETCH(int, state);
        QCOMPARE(int(VirtualKey::ModifierState(Qt::KeyboardModifiers(modifiers))), state);
    }

    // ---- transport --------------------------------------------------------------------------

    void spacePlaysAndPauses_data()
    {
        QTest::addColumn<bool>("inList");
        QTest::newRow("to the window") << false;
        QTest::newRow("to the focused list") << true;
    }

    void spacePlaysAndPauses()
    {
        QFETCH(bool, inList);
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("a.wma"), QStringLiteral("b.wma")});
        QCOMPARE(rig.window->CT, 1);
        QWidget *target = rig.window.get();
        if (inList) {
            rig.window->ListFile->setFocus();
            target = rig.window->ListFile;
        }
        QTest::keyClick(target, Qt::Key_Space);
        QCOMPARE(rig.window->CT, 2);
        QCOMPARE(Calls(rig).count("Pause()"), 1);
        QCOMPARE(rig.window->PicPlay->Picture(), Resource("ImagePlay_1"));
        QTest::keyClick(target, Qt::Key_Space);
        QCOMPARE(rig.window->CT, 1);
        QCOMPARE(rig.window->PicPlay->Picture(), Resource("ImagePlay_0"));
        // The list did not take the key as well.
        QCOMPARE(rig.window->ListFile->currentRow(), 0);
    }

    void spaceIgnoredForStillPictureOrNothingOpen()
    {
        WindowRig rig({.shown = true});
        QTest::keyClick(rig.window.get(), Qt::Key_Space);
        QCOMPARE(rig.window->CT, 0);
        rig.Open(rig.Copy(Fixture("picture_100x80.gif"), QStringLiteral("still.gif")));
        QVERIFY(rig.window->StillPictureFlag);
        QTest::keyClick(rig.window.get(), Qt::Key_Space);
        QCOMPARE(rig.window->CT, 0);
        QVERIFY(Calls(rig).isEmpty());
        // Not even the pressed picture of the play button.
        QCOMPARE(rig.window->PicPlay->Picture(), Resource("ImagePlay_0"));
    }

    void ctrlArrowsAndStop()
    {
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("a.wma"), QStringLiteral("b.wma"), QStringLiteral("c.wma")},
                   100);
        QCOMPARE(rig.window->PlayIndex, 0);

        rig.window->ListFile->setFocus();
        QTest::keyClick(rig.window->ListFile, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(rig.window->PlayIndex, 1);
        QCOMPARE(rig.window->ListFile->currentRow(), 1);
        QTest::keyClick(rig.window.get(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(rig.window->PlayIndex, 2);
        QTest::keyClick(rig.window.get(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(rig.window->PlayIndex, 1);
        QCOMPARE(rig.window->ListFile->currentRow(), 1);

        rig.engines.ClearLog();
        QTest::keyClick(rig.window.get(), Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(Calls(rig).contains("SetCurrentPosition(10)"));
        QTest::keyClick(rig.window.get(), Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(Calls(rig).contains("SetCurrentPosition(0)"));

        QCOMPARE(rig.window->CT, 1);
        QTest::keyClick(rig.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(rig.window->CT, 0);
        QVERIFY(Calls(rig).contains("Stop()"));
    }

    void ctrlKeysNeedCtrlAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Shift+S")
            << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("plain S") << int(Qt::Key_S) << int(Qt::NoModifier);
        QTest::newRow("Shift+S") << int(Qt::Key_S) << int(Qt::ShiftModifier);
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
        QTest::newRow("plain Right") << int(Qt::Key_Right) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+Shift+Down")
            << int(Qt::Key_Down) << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("F7") << int(Qt::Key_F7) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+F7") << int(Qt::Key_F7) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier);
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << int(Qt::ControlModifier);
    }

    // Keys outside the tables, and table keys with the wrong modifiers, change nothing.
    void ctrlKeysNeedCtrlAlone()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("a.wma"), QStringLiteral("b.wma")});
        const QSize size = rig.window->size();
        const QPoint pos = rig.window->pos();
        rig.engines.ClearLog();
        QTest::keyClick(rig.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(rig.window->CT, 1);
        QCOMPARE(rig.window->PlayIndex, 0);
        QVERIFY2(Calls(rig).isEmpty(), qPrintable(Calls(rig).join(',')));
        QCOMPARE(rig.window->size(), size);
        QCOMPARE(rig.window->pos(), pos);
        QVERIFY(!rig.window->PUM->isVisible());
        QVERIFY(!rig.window->PUP->isVisible());
        QVERIFY(!rig.window->InfoWindow());
        QCOMPARE(rig.openDialogs, 0);
        QVERIFY(!rig.window->FpsFlag);
        QVERIFY(!rig.window->HistoryAreaFlag);
    }

    // ---- dialogs and menus ------------------------------------------------------------------

    void f1OpensTheFileDialog()
    {
        WindowRig rig({.shown = true});
        QTest::keyClick(rig.window.get(), Qt::Key_F1);
        QCOMPARE(rig.openDialogs, 1);
        // Plain keys run whatever modifiers are held.
        QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ShiftModifier | Qt::AltModifier);
        QCOMPARE(rig.openDialogs, 2);
    }

    void popUpMenus_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("main");
        QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << true;
        QTest::newRow("F3") << int(Qt::Key_F3) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(Qt::ControlModifier) << false;
    }

    void popUpMenus()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, main);
        WindowRig rig({.shown = true});
        QTest::keyClick(rig.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QMenu *shown = main ? rig.window->PUM : rig.window->PUP;
        QMenu *other = main ? rig.window->PUP : rig.window->PUM;
        QTRY_VERIFY(shown->isVisible());
        QVERIFY(!other->isVisible());
        // Keys inside the open menu belong to the menu, not to the window.
        QTest::keyClick(shown, Qt::Key_Escape);
        QTRY_VERIFY(!shown->isVisible());
    }

    void f6TriggersThePanelItem()
    {
        WindowRig rig({.shown = true});
        QSignalSpy spy(rig.window->MenuVsaPanel, &QAction::triggered);
        QTest::keyClick(rig.window.get(), Qt::Key_F6);
        QCOMPARE(spy.count(), 1);
    }

    void keysDoNotReachTheWindowThroughTheDialog()
    {
        WindowRig rig({.shown = true});
        rig.window->PicInfo_Click();
        Info *info = rig.window->InfoWindow();
        QVERIFY(info);
        const QSize size = rig.window->size();
        QTest::keyClick(info, Qt::Key_F8);
        QTest::keyClick(info, Qt::Key_F1);
        QVERIFY(!rig.window->HistoryAreaFlag);
        QCOMPARE(rig.window->size(), size);
        QCOMPARE(rig.openDialogs, 0);
        info->close();
    }

    // ---- window size keys and their full-screen guard ----------------------------------------

    void sizeKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("fullScreen");
        for (bool full : {false, true}) {
            const char *suffix = full ? " in full screen" : "";
            QTest::addRow("F4%s", suffix) << int(Qt::Key_F4) << 0 << full;
            QTest::addRow("F5%s", suffix) << int(Qt::Key_F5) << 0 << full;
            QTest::addRow("Ctrl+F5%s", suffix)
                << int(Qt::Key_F5) << int(Qt::ControlModifier) << full;
            QTest::addRow("F8%s", suffix) << int(Qt::Key_F8) << 0 << full;
            QTest::addRow("F9%s", suffix) << int(Qt::Key_F9) << 0 << full;
        }
    }

    void sizeKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, fullScreen);
        WindowRig rig({.shown = true});
        rig.Open(rig.Movie(QStringLiteral("movie.wmv"), QSize(320, 240), 60));
        rig.window->move(0, 0);
        rig.Engine()->fullScreen = fullScreen;
        const bool listHidden = rig.window->ListHiddenFlag;
        const float zoom = rig.window->ZoomFactor;
        const QSize size = rig.window->size();
        const QPoint pos = rig.window->pos();

        rig.window->ListFile->setFocus();
        QTest::keyClick(rig.window->ListFile, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(rig.window->FullScreenFlag, fullScreen);
        if (fullScreen) {
            QCOMPARE(rig.window->ListHiddenFlag, listHidden);
            QCOMPARE(rig.window->ZoomFactor, zoom);
            QVERIFY(!rig.window->HistoryAreaFlag);
            QCOMPARE(rig.window->size(), size);
            QCOMPARE(rig.window->pos(), pos);
            return;
        }
        switch (key) {
        case Qt::Key_F4:
            QCOMPARE(rig.window->ListHiddenFlag, !listHidden);
            QVERIFY(rig.window->width() != size.width());
            break;
        case Qt::Key_F5:
            QVERIFY(rig.window->ZoomFactor != zoom);
            QVERIFY(rig.window->size() != size);
            break;
        case Qt::Key_F8:
            QVERIFY(rig.window->HistoryAreaFlag);
            QCOMPARE(rig.window->height(), size.height() + 168);
            break;
        default: {
            const QRect screen = rig.window->screen()->geometry();
            const QSize outer = rig.window->frameGeometry().size();
            QCOMPARE(rig.window->pos(), QPoint((screen.width() - outer.width()) / 2,
                                               (screen.height() - outer.height()) / 2));
            QVERIFY(rig.window->pos() != pos);
            break;
        }
        }
    }

    void fullScreenInAndOut()
    {
        WindowRig rig({.shown = true});
        QTest::keyClick(rig.window.get(), Qt::Key_F10); // nothing playing: nothing to show
        QCOMPARE(Calls(rig).count("SetFullScreenMode(true)"), 0);
        rig.Open(rig.Movie(QStringLiteral("movie.wmv"), QSize(320, 240), 60));
        QTest::keyClick(rig.window.get(), Qt::Key_F10);
        QCOMPARE(Calls(rig).count("SetFullScreenMode(true)"), 1);
        QVERIFY(rig.Engine()->fullScreen);
        QTest::keyClick(rig.window.get(), Qt::Key_Escape);
        QCOMPARE(Calls(rig).count("SetFullScreenMode(false)"), 1);
        QVERIFY(!rig.Engine()->fullScreen);
        // Escape outside full screen leaves it alone.
        QTest::keyClick(rig.window.get(), Qt::Key_Escape);
        QCOMPARE(Calls(rig).count("SetFullScreenMode(false)"), 1);
    }

    // ---- F11 and F12 ----------------------------------------------------------------------------

    void f11TogglesTheOverlayAndBlanksItsCorner()
    {
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("a.wma")});
        QVERIFY(!rig.window->FpsFlag);
        QSignalSpy spy(rig.window.get(), &Lumo::FpsFlagChanged);
        for (bool expected : {true, false}) {
            PaintCanvasWhite(rig.window->Pic);
            QTest::keyClick(rig.window.get(), Qt::Key_F11);
            QCOMPARE(rig.window->FpsFlag, expected);
            const QImage &canvas = rig.window->Pic->Canvas();
            QVERIFY(CornerIsBlack(canvas));
            // Only the corner: left of it and below it the picture stays.
            QCOMPARE(canvas.pixelColor(canvas.width() - 44, 5), QColor(Qt::white));
            QCOMPARE(canvas.pixelColor(canvas.width() - 5, 16), QColor(Qt::white));
        }
        // Without the panel open there is nobody to tell.
        QCOMPARE(spy.count(), 0);
    }

    void f11TellsTheOpenPanel()
    {
        WindowRig rig({.shown = true});
        rig.window->PanelFlag = true;
        QSignalSpy spy(rig.window.get(), &Lumo::FpsFlagChanged);
        QTest::keyClick(rig.window.get(), Qt::Key_F11);
        QTest::keyClick(rig.window.get(), Qt::Key_F11);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void f12FitsOnlyWhileAnalysing_data()
    {
        QTest::addColumn<bool>("analysing");
        QTest::addColumn<bool>("paused");
        QTest::newRow("not analysing, playing") << false << false;
        QTest::newRow("not analysing, paused") << false << true;
        QTest::newRow("analysing, playing") << true << false;
        QTest::newRow("analysing, paused") << true << true;
    }

    void f12FitsOnlyWhileAnalysing()
    {
        QFETCH(bool, analysing);
        QFETCH(bool, paused);
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("a.wma")});
        if (paused)
            QTest::keyClick(rig.window.get(), Qt::Key_Space);
        QCOMPARE(rig.window->CT, paused ? 2 : 1);
        rig.window->VsaReadyFlag = analysing;
        rig.window->PauseFlag = false;
        rig.window->move(40, 30);
        const QSize size = rig.window->size();
        const QPoint pos = rig.window->pos();
        QTest::keyClick(rig.window.get(), Qt::Key_F12);
        QCOMPARE(rig.window->PauseFlag, paused);
        if (analysing) {
            QVERIFY(rig.window->size() != size);
            QCOMPARE(rig.window->pos(), QPoint(0, 0));
        } else {
            QCOMPARE(rig.window->size(), size);
            QCOMPARE(rig.window->pos(), pos);
        }
    }

    void analyzerTools_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("frozen");
        QTest::addColumn<int>("saved");
        QTest::newRow("F freezes") << int(Qt::Key_F) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("P saves a picture") << int(Qt::Key_P) << int(Qt::NoModifier) << false << 1;
        QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << false << 0;
        QTest::newRow("Shift+P") << int(Qt::Key_P) << int(Qt::ShiftModifier) << false << 0;
    }

    // The analyzer's own keys act unmodified only: F holds the picture, P saves it as PNG into
    // the pictures folder (here ~/Pictures of a scratch home, xdg-user-dir naming none).
    void analyzerTools()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, frozen);
        QFETCH(int, saved);
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        WindowRig rig({.shown = true});
        OpenSounds(rig, {QStringLiteral("My Song.wma")});
        QTest::keyClick(rig.window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        const QStringList pictures = QDir(home.filePath(QStringLiteral("Pictures")))
                                         .entryList({QStringLiteral("*.png")}, QDir::Files);
        qputenv("HOME", oldHome);
        if (oldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(rig.window->FreezeFlag, frozen);
        QCOMPARE(rig.window->MenuFreeze->isChecked(), frozen);
        QCOMPARE(pictures.size(), saved);
        if (saved)
            QVERIFY2(pictures.first().startsWith(QStringLiteral("My Song ")),
                     qPrintable(pictures.first()));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
