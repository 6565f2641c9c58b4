// The analyzer settings panel: its lists and placement arithmetic, loading from the main
// window, the control actions, pointer and click behaviour, and its life beside the window.
#include "analyzer/panel_choices.h"
#include "analyzer/panel_geometry.h"
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/panel.h"
#include "window/picture_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

// Opens the one-second sine, a real WAVE file to analyse, in the given mode; it plays.
void OpenSound(WindowRig &rig, int mode)
{
    rig.window->ChangeVsa(mode);
    rig.Open(
        rig.Playable(Fixture("sine_1s.wav"), FakeMedium{60.0, std::nullopt, std::nullopt, {}}));
}

void Pause(WindowRig &rig)
{
    rig.window->PicPlay_MouseUp(Qt::LeftButton);
    rig.window->PauseFlag = false;
}

Panel &OpenPanel(WindowRig &rig)
{
    rig.window->MenuVsaPanel->trigger();
    return *rig.window->PanelWindow();
}

QSize PictureArea(const WindowRig &rig)
{
    return rig.window->TwipsGeometry(Control::Pic).size() / 15;
}

void Hover(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QColor LabelColour(const Panel &panel)
{
    return panel.LabelVsa->palette().color(QPalette::WindowText);
}

// Which mode pictures show their highlighted image.
QList<int> Highlighted(const Panel &panel)
{
    QList<int> modes;
    for (int i = 0; i < AnalyzerModes::kCount; ++i)
        if (panel.PicVsa[size_t(i)]->Picture() == panel.Image1[size_t(i)])
            modes << i;
    return modes;
}

QStringList Entries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QPoint>("panel");
        const QRect screen(0, 0, 1280, 1024);
        QTest::newRow("upper left: below")
            << screen << QRect(100, 50, 600, 400) << QPoint(100, 450);
        QTest::newRow("upper right: below, whatever the side")
            << screen << QRect(900, 50, 300, 300) << QPoint(900, 350);
        QTest::newRow("lower left: to the right")
            << screen << QRect(50, 600, 400, 300) << QPoint(450, 600);
        QTest::newRow("lower right: to the left")
            << screen << QRect(800, 600, 400, 300) << QPoint(800 - 353, 600);
        QTest::newRow("centred exactly counts as lower right")
            << screen << QRect(440, 312, 400, 400) << QPoint(440 - 353, 312);
        QTest::newRow("one pixel above the centre counts as upper")
            << screen << QRect(440, 311, 400, 400) << QPoint(440, 711);
        QTest::newRow("second screen beside the first: its own centre")
            << QRect(1280, 0, 1280, 1024) << QRect(1400, 700, 400, 200) << QPoint(1800, 700);
    }

    void placement()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QPoint, panel);
        QCOMPARE(PanelGeometry::PanelPosition(screen, main, QSize(353, 240)), panel);
    }

    void timeRange_data()
    {
        QTest::addColumn<int>("timeRange");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        QTest::newRow("10 ms") << 1 << 0 << 1;
        QTest::newRow("50 ms") << 5 << 1 << 5;
        QTest::newRow("100 ms") << 10 << 2 << 10;
        QTest::newRow("200 ms") << 20 << 3 << 20;
        QTest::newRow("500 ms") << 50 << 4 << 50;
        QTest::newRow("1000 ms") << 100 << 5 << 100;
        QTest::newRow("7 from the settings file") << 7 << 2 << 10;
        QTest::newRow("0") << 0 << 2 << 10;
        QTest::newRow("255") << 255 << 2 << 10;
    }

    void timeRange()
    {
        QFETCH(int, timeRange);
        QFETCH(int, index);
        QFETCH(int, stored);
        QCOMPARE(PanelChoices::TimeIndexOf(timeRange), index);
        QCOMPARE(PanelChoices::TimeRangeAt(index), stored);
    }

    void modeStrip()
    {
        for (int mode = 0; mode < AnalyzerModes::kCount; ++mode) {
            const QRect r = PanelGeometry::ModePicture(mode);
            QVERIFY(PanelGeometry::InModeStrip(r.top()));
            QVERIFY(PanelGeometry::InModeStrip(r.bottom()));
            QVERIFY(r.left() >= 120 && r.right() <= 5160);
            QCOMPARE(r.size(), QSize(504, 540));
        }
        QVERIFY(!PanelGeometry::InModeStrip(599));
        QVERIFY(PanelGeometry::InModeStrip(1145));
        QVERIFY(!PanelGeometry::InModeStrip(1146));
        QCOMPARE(PanelGeometry::Separators()[2].light, QLine(120, 3255, 5160, 3255));
        QCOMPARE(PanelGeometry::Separators()[4].dark, QLine(3600, 1275, 3600, 2040));
    }

    void listsAndCaptions()
    {
        WindowRig rig({.shown = true});
        Panel &panel = OpenPanel(rig);
        QCOMPARE(panel.windowTitle(), QStringLiteral("VSA設定パネル"));
        QCOMPARE(panel.size(), QSize(353, 240));
        QCOMPARE(Entries(panel.ComboTime),
                 QStringList({"10ms", "50ms", "100ms", "200ms", "500ms", "1000ms"}));
        QCOMPARE(Entries(panel.ComboWindow),
                 QStringList({"方形窓", "ハニング窓", "ハミング窓", "ブラックマン窓",
                              "ブラックマンハリス窓", "イグザクトブラックマン窓",
                              "オプティマルブラックマン窓", "ローゼンフィールド窓",
                              "ガウシアンン窓", "フラットトップ窓"}));
        const QStringList sizes{"1024", "2048", "4096", "8192", "16384"};
        QCOMPARE(Entries(panel.ComboNormal), sizes);
        QCOMPARE(Entries(panel.ComboFast), sizes);
        QCOMPARE(panel.OptCh[2]->text(), QStringLiteral("DUAL"));
        QCOMPARE(panel.Check1->text(), QStringLiteral("高速表示"));
        QCOMPARE(panel.Check2->text(), QStringLiteral("FPS表示"));
        QCOMPARE(panel.Check3->text(), QStringLiteral("波形拡大"));
        QCOMPARE(PanelChoices::ModeName(4), QStringLiteral("Digital Level Meter A"));
    }

    void menuAndF6OpenOnePanel()
    {
        WindowRig rig({.shown = true});
        QVERIFY(!rig.window->PanelWindow());
        rig.window->Form_KeyDown(117, 0);
        Panel *panel = rig.window->PanelWindow();
        QVERIFY(panel && panel->isVisible());
        QVERIFY(rig.window->PanelFlag);
        rig.window->MenuVsaPanel->trigger();
        QCOMPARE(rig.window->PanelWindow(), panel);
    }

    void loadingReadsTheWindow()
    {
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        w.VSA = 6;
        w.CH = 1;
        w.TimeRange = 20;
        w.WFT = 8;
        w.NumFftNormal = 1;
        w.NumFftFast = 3;
        Panel &panel = OpenPanel(rig);
        QVERIFY(panel.OptCh[1]->isChecked());
        QCOMPARE(panel.ComboTime->currentText(), QStringLiteral("200ms"));
        QCOMPARE(panel.ComboWindow->currentText(), QStringLiteral("ガウシアンン窓"));
        QCOMPARE(panel.ComboNormal->currentText(), QStringLiteral("2048"));
        QCOMPARE(panel.ComboFast->currentText(), QStringLiteral("8192"));
        QVERIFY(!panel.Check1->isChecked() && !panel.Check2->isChecked());
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Analog Level Meter"));
        QCOMPARE(panel.HoverIndex(), 6);
        QCOMPARE(Highlighted(panel), QList<int>{6});
        QCOMPARE(w.CH, 1);
        QCOMPARE(w.WFT, 8);
        QCOMPARE(w.NumFftFast, 3);
    }

    void loadingSelectsTheTimeEntry_data()
    {
        QTest::addColumn<int>("timeRange");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("after");
        QTest::newRow("10") << 10 << "100ms" << 10;
        QTest::newRow("7 becomes 10") << 7 << "100ms" << 10;
        QTest::newRow("1") << 1 << "10ms" << 1;
        QTest::newRow("100") << 100 << "1000ms" << 100;
    }

    void loadingSelectsTheTimeEntry()
    {
        QFETCH(int, timeRange);
        QFETCH(QString, entry);
        QFETCH(int, after);
        WindowRig rig({.shown = true});
        rig.window->TimeRange = std::uint8_t(timeRange);
        QCOMPARE(OpenPanel(rig).ComboTime->currentText(), entry);
        QCOMPARE(int(rig.window->TimeRange), after);
    }

    void loadingWhilePausedDrawsOnce()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Pause(rig);
        OpenPanel(rig);
        QVERIFY(rig.window->PauseFlag);
    }

    void loadingLeavesTheModeAlone()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 0);
        rig.window->ChangeVsa(0);
        QImage &canvas = rig.window->Pic->Canvas();
        canvas.fill(Qt::white);
        const int interval = rig.window->Timer->interval();
        OpenPanel(rig);
        QCOMPARE(canvas.pixelColor(0, 0), QColor(Qt::white)); // the audio picture was not redrawn
        QCOMPARE(rig.window->Timer->interval(), interval);
        QVERIFY(rig.window->MenuVsaModes[0]->isChecked());
    }

    void loadingReappliesFastInterval()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        rig.window->FastFlag = true;
        rig.window->Timer->setInterval(40);
        Panel &panel = OpenPanel(rig);
        QVERIFY(panel.Check1->isChecked());
        QCOMPARE(rig.window->Timer->interval(), 10);
    }

    void loadingKeepsTheLargeArea_data()
    {
        QTest::addColumn<QString>("medium");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("area");
        QTest::newRow("oscilloscope analysing") << "sound" << 1 << QSize(640, 360);
        QTest::newRow("spectrum analysing") << "sound" << 3 << QSize(640, 360);
        QTest::newRow("level meter analysing") << "sound" << 4 << QSize(400, 240);
        QTest::newRow("movie with oscilloscope chosen") << "movie" << 1 << QSize(320, 240);
        QTest::newRow("nothing open, oscilloscope chosen") << "none" << 1 << QSize(320, 240);
    }

    void loadingKeepsTheLargeArea()
    {
        QFETCH(QString, medium);
        QFETCH(int, mode);
        QFETCH(QSize, area);
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        if (medium == "sound")
            OpenSound(rig, mode);
        else if (medium == "movie")
            rig.Open(rig.Movie(QStringLiteral("movie.wmv"), QSize(320, 240), 60));
        w.ChangeVsa(mode);
        if (!w.VsaLargeFlag && mode <= 3 && medium == "sound")
            w.PicRsl_Click();
        w.VsaLargeFlag = true;
        const float zoom = w.ZoomFactor;
        Panel &panel = OpenPanel(rig);
        QVERIFY(panel.Check3->isChecked());
        QVERIFY(w.VsaLargeFlag);
        QCOMPARE(PictureArea(rig), area);
        QCOMPARE(w.ZoomFactor, zoom);
    }

    void controlActions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("redraws");
        QTest::newRow("channel R") << "OptCh" << 1 << 1 << true;
        QTest::newRow("channel DUAL") << "OptCh" << 2 << 2 << true;
        QTest::newRow("time 500ms") << "ComboTime" << 4 << 50 << true;
        QTest::newRow("time 10ms") << "ComboTime" << 0 << 1 << true;
        QTest::newRow("flat top window") << "ComboWindow" << 9 << 9 << true;
        QTest::newRow("normal size 16384") << "ComboNormal" << 4 << 4 << false;
        QTest::newRow("fast size 4096") << "ComboFast" << 2 << 2 << false;
    }

    void controlActions()
    {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(int, value);
        QFETCH(bool, redraws);
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        OpenSound(rig, 2);
        Panel &panel = OpenPanel(rig);
        Pause(rig);
        if (control == "OptCh") {
            QTest::mouseClick(panel.OptCh[size_t(index)], Qt::LeftButton);
        } else {
            const QMap<QString, QComboBox *> combos{{"ComboTime", panel.ComboTime},
                                                    {"ComboWindow", panel.ComboWindow},
                                                    {"ComboNormal", panel.ComboNormal},
                                                    {"ComboFast", panel.ComboFast}};
            combos.value(control)->setCurrentIndex(index);
        }
        const QMap<QString, int> members{{"OptCh", w.CH},
                                         {"ComboTime", w.TimeRange},
                                         {"ComboWindow", w.WFT},
                                         {"ComboNormal", w.NumFftNormal},
                                         {"ComboFast", w.NumFftFast}};
        const int member = members.value(control);
        QCOMPARE(member, value);
        QCOMPARE(w.PauseFlag, redraws);
    }

    void changesWhilePlayingDoNotAskForARedraw()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        rig.window->PauseFlag = false;
        panel.ComboWindow->setCurrentIndex(3);
        QTest::mouseClick(panel.OptCh[0], Qt::LeftButton);
        QCOMPARE(rig.window->WFT, 3);
        QVERIFY(!rig.window->PauseFlag);
    }

    void fastDrawingSwitch()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 2);
        Panel &panel = OpenPanel(rig);
        Pause(rig);
        panel.Check1->click();
        QVERIFY(rig.window->FastFlag);
        QCOMPARE(rig.window->Timer->interval(), 10);
        QVERIFY(rig.window->PauseFlag);
        panel.Check1->click();
        QVERIFY(!rig.window->FastFlag);
        QCOMPARE(rig.window->Timer->interval(), 40);
    }

    void clearingFpsBlanksTheCorner()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        Pause(rig);
        QImage &canvas = rig.window->Pic->Canvas();
        canvas.fill(Qt::white);
        panel.Check2->click();
        QVERIFY(rig.window->FpsFlag);
        QCOMPARE(canvas.pixelColor(canvas.width() - 1, 0), QColor(Qt::white));
        panel.Check2->click();
        QVERIFY(!rig.window->FpsFlag);
        // 640 × 240 twips at the top right, and nothing else.
        const int w = canvas.width();
        for (int x = w - 42; x < w; ++x)
            QCOMPARE(canvas.pixelColor(x, 15), QColor(Qt::black));
        QCOMPARE(canvas.pixelColor(w - 1, 16), QColor(Qt::white));
        QCOMPARE(canvas.pixelColor(w - 44, 0), QColor(Qt::white));
    }

    void largeAreaWithOscilloscope()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        Pause(rig);
        panel.Check3->click();
        QVERIFY(rig.window->VsaLargeFlag);
        QVERIFY(panel.Check3->isChecked());
        QCOMPARE(PictureArea(rig), QSize(640, 360));
        QVERIFY(rig.window->PauseFlag);
        panel.Check3->click();
        QVERIFY(!rig.window->VsaLargeFlag);
        QCOMPARE(PictureArea(rig), QSize(400, 240));
    }

    void largeAreaWithLevelMeterWaitsForTheMode()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 6);
        Panel &panel = OpenPanel(rig);
        panel.Check3->click();
        QVERIFY(rig.window->VsaLargeFlag);
        QCOMPARE(PictureArea(rig), QSize(400, 240));
        panel.PicVsa_Click(1);
        QCOMPARE(PictureArea(rig), QSize(640, 360));
        QVERIFY(panel.Check3->isChecked());
    }

    void largeAreaDuringAMovieLeavesItsSize()
    {
        WindowRig rig({.shown = true});
        rig.Open(rig.Movie(QStringLiteral("movie.wmv"), QSize(320, 240), 60));
        rig.window->ChangeVsa(1);
        Panel &panel = OpenPanel(rig);
        panel.Check3->click();
        QVERIFY(rig.window->VsaLargeFlag);
        QCOMPARE(rig.window->ZoomFactor, 1.0f);
        QCOMPARE(PictureArea(rig), QSize(320, 240));
        panel.Check3->click();
        QVERIFY(!rig.window->VsaLargeFlag);
        QCOMPARE(rig.window->ZoomFactor, 1.0f);
    }

    void windowChangesShowInThePanel()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        rig.window->PicRsl_Click();
        QVERIFY(panel.Check3->isChecked());
        QVERIFY(rig.window->VsaLargeFlag);
        QCOMPARE(PictureArea(rig), QSize(640, 360));
        rig.window->Form_KeyDown(122, 0);
        QVERIFY(panel.Check2->isChecked());
        QVERIFY(rig.window->FpsFlag);
        rig.window->Form_KeyDown(122, 0);
        QVERIFY(!panel.Check2->isChecked());
        QVERIFY(!rig.window->FpsFlag);
    }

    void hoverShowsAndLeavingRestores()
    {
        WindowRig rig({.shown = true});
        rig.window->ChangeVsa(1);
        Panel &panel = OpenPanel(rig);
        Hover(panel.PicVsa[3], QPoint(10, 10));
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Spectrum Analyzer B"));
        QCOMPARE(Highlighted(panel), QList<int>{3});
        Hover(&panel, QPoint(100, 30)); // above the strip, beside the label
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Oscilloscope"));
        QCOMPARE(Highlighted(panel), QList<int>{1});
        Hover(panel.PicVsa[5], QPoint(10, 10));
        Hover(&panel, QPoint(4, 60)); // in the strip, left of the pictures: no change
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Digital Level Meter B"));
        Hover(panel.LabelVsa, QPoint(5, 5));
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Oscilloscope"));
        QCOMPARE(panel.HoverIndex(), 1);
    }

    void clickChoosesAndFlashes()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        const QColor normal = LabelColour(panel);
        QTest::mouseClick(panel.PicVsa[6], Qt::LeftButton);
        QCOMPARE(rig.window->VSA, 6);
        QVERIFY(rig.window->MenuVsaModes[6]->isChecked());
        QCOMPARE(LabelColour(panel), QColor(255, 0, 0));
        QVERIFY(panel.TimerSelected->isActive());
        QCOMPARE(panel.TimerSelected->interval(), 1000);
        Hover(panel.PicVsa[6], QPoint(3, 3)); // the chosen mode keeps the flash
        QVERIFY(panel.TimerSelected->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!panel.TimerSelected->isActive(), 2000);
        QCOMPARE(LabelColour(panel), normal);

        QTest::mouseClick(panel.PicVsa[2], Qt::LeftButton);
        Hover(panel.PicVsa[0], QPoint(3, 3)); // another mode ends the flash at once
        QVERIFY(!panel.TimerSelected->isActive());
        QCOMPARE(LabelColour(panel), normal);
    }

    void doubleClickChoosesAndCloses()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        Panel &panel = OpenPanel(rig);
        QTest::mouseDClick(panel.PicVsa[4], Qt::LeftButton);
        QCOMPARE(rig.window->VSA, 4);
        QVERIFY(!rig.window->PanelFlag);
        QTRY_VERIFY(!rig.window->PanelWindow());
    }

    void closingAndReopeningReloads()
    {
        WindowRig rig({.shown = true});
        OpenPanel(rig).close();
        QVERIFY(!rig.window->PanelFlag);
        QTRY_VERIFY(!rig.window->PanelWindow());
        rig.window->CH = 2;
        rig.window->WFT = 4;
        Panel &panel = OpenPanel(rig);
        QVERIFY(panel.OptCh[2]->isChecked());
        QCOMPARE(panel.ComboWindow->currentIndex(), 4);
        QVERIFY(rig.window->PanelFlag);
    }

    void panelClosesWithTheWindow()
    {
        WindowRig rig({.shown = true});
        QPointer<Panel> panel = &OpenPanel(rig);
        rig.window->close();
        QVERIFY(!rig.window->PanelFlag);
        QVERIFY(!panel->isVisible());
    }

    void panelFollowsTheWindow()
    {
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        w.move(0, 0);
        Panel &panel = OpenPanel(rig);
        QCOMPARE(panel.frameGeometry().topLeft(),
                 QPoint(w.frameGeometry().left(), w.frameGeometry().bottom() + 1));
        OpenSound(rig, 1);
        w.PicRsl_Click(); // larger area: the panel moves down with the window's foot
        QCOMPARE(panel.frameGeometry().top(), w.frameGeometry().bottom() + 1);

        // In the lower right quarter the panel goes to the left, after the next layout.
        int p = 400, q = 240;
        w.SetPictureArea(p, q);
        const QRect screen = w.screen()->geometry();
        w.move(screen.right() - w.frameGeometry().width(), screen.bottom() - 300);
        w.SetPictureArea(p, q);
        QCOMPARE(panel.frameGeometry().topRight(), w.frameGeometry().topLeft() - QPoint(1, 0));
    }

    void missingFftWithholdsTheFftModes()
    {
        WindowRig rig({.shown = true});
        OpenSound(rig, 1);
        rig.window->FftAvailable = false;
        Panel &panel = OpenPanel(rig);
        for (int mode = 0; mode < AnalyzerModes::kCount; ++mode)
            QCOMPARE(panel.PicVsa[size_t(mode)]->isEnabled(), !AnalyzerModes::NeedsFft(mode));
        panel.PicVsa_Click(3);
        panel.PicVsa_MouseMove(3);
        QCOMPARE(rig.window->VSA, 1);
        QCOMPARE(panel.LabelVsa->text(), QStringLiteral("Oscilloscope"));
        panel.PicVsa_Click(6);
        QCOMPARE(rig.window->VSA, 6);
    }
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
