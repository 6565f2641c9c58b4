// The main window over engines that know no medium: start-up state, list pane, play list,
// still pictures, the failure path and the history.
#include "core/settings_file.h"
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

class TestLumoWindow : public QObject
{
    Q_OBJECT

private slots:
    void startsWithDefaults()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        QCOMPARE(w.VL, QStringLiteral("Lumo \"sorvane\""));
        QCOMPARE(w.windowTitle(), w.VL);
        QCOMPARE(w.LabelTitle[0]->text(), w.VL);
        QCOMPARE(w.LabelTitle[1]->text(), w.VL);
        QCOMPARE(w.LabelPm->text(), QStringLiteral("プレイモード\n単独"));
        QCOMPARE(w.FftSizes[4], 16384);
        QCOMPARE(w.WFT, 1);
        QCOMPARE(w.NumFftNormal, 1);
        QCOMPARE(w.NumFftFast, 2);
        // Without stored settings the list pane is hidden.
        QVERIFY(w.ListHiddenFlag);
        QCOMPARE(w.size(), QSize(320, 320));
        QCOMPARE(w.PicSize->toolTip(), QStringLiteral("リスト表示"));
        QVERIFY(rig.messages.isEmpty());
    }

    void listToggleShowsAndHides()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicSize_Click();
        QVERIFY(!w.ListHiddenFlag);
        QCOMPARE(w.size(), QSize(480, 320));
        QCOMPARE(w.TwipsGeometry(Control::PicPosBack).width(), 3015);
        QCOMPARE(w.PicSize->toolTip(), QStringLiteral("リスト非表示"));
        QVERIFY(!w.LabelFile->isHidden());
        w.PicSize_Click();
        QVERIFY(w.ListHiddenFlag);
        QCOMPARE(w.size(), QSize(320, 320));
        QVERIFY(w.LabelFile->isHidden());
        QVERIFY(w.PicInfo->isHidden());
    }

    void historyAreaLengthensWindow()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        const int h = w.height();
        w.ToggleHistoryArea();
        QVERIFY(w.HistoryAreaFlag);
        QCOMPARE(w.height(), h + 168);
        w.ToggleHistoryArea();
        QCOMPARE(w.height(), h);
    }

    void addingFilesLogsAndSwitchesMode()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.AddFiles({"/nowhere/a.mp3", "/nowhere/b.avi", "/nowhere/c.wav"});
        QCOMPARE(w.ListFile->count(), 3);
        QCOMPARE(w.ListFile->item(1)->text(), QStringLiteral("b.avi"));
        QCOMPARE(w.PlayMode, 1);
        QCOMPARE(w.LabelPm->text(), QStringLiteral("プレイモード\n全体"));
        QVERIFY(w.Text->toPlainText().endsWith(
            QStringLiteral("FT(0000) = /nowhere/a.mp3\nFT(0001) = /nowhere/b.avi\n"
                           "FT(0002) = /nowhere/c.wav")));
        // The first added file is tried and fails with its path.
        QCOMPARE(rig.messages,
                 QStringList{QStringLiteral("ファイルが開けません。\n/nowhere/a.mp3")});
        QCOMPARE(w.windowTitle(), w.VL);
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), 750);

        w.SetPlayMode(3);
        w.AddFiles({"/nowhere/d.mp3", "/nowhere/e.mp3"});
        QCOMPARE(w.PlayMode, 4);
        w.SetPlayMode(2);
        w.AddFiles({"/nowhere/f.mp3", "/nowhere/g.mp3"});
        QCOMPARE(w.PlayMode, 2);
        w.SetPlayMode(7);
        QCOMPARE(w.PlayMode, 2);
    }

    void stillPictureIsShownCentred()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.AddFiles({rig.Copy(Fixture("picture_100x80.gif"), QStringLiteral("small.gif"))});
        QVERIFY2(rig.messages.isEmpty(), qPrintable(rig.messages.join(',')));
        QVERIFY(w.StillPictureFlag);
        QVERIFY(w.MediumOpenFlag);
        QCOMPARE(w.MovieWidth, 100);
        QCOMPARE(w.MovieHeight, 80);
        QCOMPARE(w.MovieTitle, QStringLiteral("small"));
        QCOMPARE(w.windowTitle(), QStringLiteral("small - Lumo \"sorvane\""));
        QCOMPARE(w.Pic->size(), QSize(320, 240));
        const QImage &canvas = w.Pic->Canvas();
        QCOMPARE(canvas.pixelColor(160, 120), QColor(200, 30, 40));
        QCOMPARE(canvas.pixelColor(109, 120), QColor(Qt::black));
        QCOMPARE(canvas.pixelColor(110, 80), QColor(200, 30, 40));
        QCOMPARE(canvas.pixelColor(210, 160), QColor(Qt::black));
        const QString history = w.Hist->toPlainText();
        QVERIFY(history.contains(QStringLiteral("\n1曲目（")));
        QVERIFY(history.endsWith(QStringLiteral("FT(0000) = small.gif")));
    }

    void extensionTestIsCaseExact_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::newRow("bmp") << "p.bmp" << true;
        QTest::newRow("JPG") << "p.JPG" << true;
        QTest::newRow("Jpg goes to the engine") << "p.Jpg" << false;
        QTest::newRow("jpeg goes to the engine") << "p.jpeg" << false;
    }

    void extensionTestIsCaseExact()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        WindowRig rig;
        Lumo &w = rig.W();
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::green);
        const QString path = rig.dir.filePath(name);
        QVERIFY(image.save(path, name.toLower().endsWith("bmp") ? "BMP" : "JPEG"));
        w.AddFiles({path});
        QCOMPARE(w.StillPictureFlag, shown);
        QCOMPARE(rig.messages.isEmpty(), shown);
    }

    void failedOpenReturnsToLastPlayedEntry()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        QImage image(50, 50, QImage::Format_RGB32);
        image.fill(QColor(200, 30, 40));
        const QString bmp = rig.dir.filePath(QStringLiteral("ok.bmp"));
        QVERIFY(image.save(bmp, "BMP"));
        w.AddFiles({bmp});
        w.AddFiles({rig.dir.filePath(QStringLiteral("missing.bmp"))});
        QCOMPARE(rig.messages.size(), 1);
        QCOMPARE(w.PlayIndex, 0);
        // The picture stays on screen: the failed open changed nothing it shows.
        QVERIFY(w.MediumOpenFlag);
        QCOMPARE(w.windowTitle(), QStringLiteral("ok - Lumo \"sorvane\""));
    }

    void rebuiltFileList()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.ShowFileListText();
        QCOMPARE(w.Text->toPlainText(), QStringLiteral("ファイルリスト\n"));
        QStringList names;
        for (int i = 0; i < 13; ++i)
            names << QStringLiteral("/n/%1.mp3").arg(i);
        w.AddFiles(names);
        w.ShowFileListText();
        const QString text = w.Text->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("ファイルリスト\n\nFT(0) = /n/0.mp3")));
        QVERIFY(text.endsWith(QStringLiteral("FT(12) = /n/12.mp3")));
    }

    void listClickShowsNameAndPath()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicSize_Click();
        w.AddFiles({"/x/one.mp3", "/x/two.mp3"});
        w.ListFile->setCurrentRow(1);
        QCOMPARE(w.LabelFile->text(), QStringLiteral("two.mp3"));
        QCOMPARE(w.LabelFile->toolTip(), QStringLiteral("/x/two.mp3"));
    }

    void fftModesNeedTheModule_data()
    {
        QTest::addColumn<bool>("emptyFile");
        QTest::newRow("missing module") << false;
        QTest::newRow("empty module") << true;
    }

    void fftModesNeedTheModule()
    {
        QFETCH(bool, emptyFile);
        WindowRig rig({.settingsFile = true, .fftModule = false});
        if (emptyFile)
            QFile(rig.dir.filePath(QStringLiteral("libfft.so"))).open(QIODevice::WriteOnly);
        LumoSettings stored;
        stored.VSA = 3;
        stored.ListShown = true;
        stored.Centred = false;
        QVERIFY(WriteSettingsFile(rig.SettingsPath(), stored));

        rig.Restart();
        Lumo &w = rig.W();
        QVERIFY(!w.FftAvailable);
        QCOMPARE(w.VSA, 0);
        for (int mode = 0; mode < AnalyzerModes::kCount; ++mode)
            QCOMPARE(w.MenuVsaModes[size_t(mode)]->isEnabled(), !AnalyzerModes::NeedsFft(mode));
        // The rest of the stored settings still apply.
        QVERIFY(!w.ListHiddenFlag);

        rig.options.fftModule = true;
        rig.Restart();
        Lumo &v = rig.W();
        QVERIFY(v.FftAvailable);
        QCOMPARE(v.VSA, 3);
        QVERIFY(v.MenuVsaModes[3]->isEnabled());
    }

    void settingsRoundTrip()
    {
        WindowRig rig({.settingsFile = true});
        Lumo &w = rig.W();
        w.PicSize_Click();
        w.SetPlayMode(4);
        w.CH = 1;
        w.TimeRange = 100;
        w.close();
        QFile file(rig.SettingsPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines[0], QByteArray("Mode = 4\r"));
        QCOMPARE(lines[1], QByteArray("List = 1\r"));
        QCOMPARE(lines[3], QByteArray("Channel = 1\r"));
        QCOMPARE(lines[6], QByteArray("TimeRange = 100\r"));
        rig.Restart();
        Lumo &again = rig.W();
        QCOMPARE(again.PlayMode, 4);
        QVERIFY(!again.ListHiddenFlag);
        QCOMPARE(again.TimeRange, 100);
        QCOMPARE(again.LabelPm->text(), QStringLiteral("プレイモード\n全体リピート"));
    }

    void fullListTakesNothingMore()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        QStringList names;
        for (int i = 0; i < PlayList::Capacity + 5; ++i)
            names << QStringLiteral("/n/%1.mp3").arg(i);
        w.AddFiles(names);
        QCOMPARE(w.ListFile->count(), PlayList::Capacity);
        QCOMPARE(w.PlayList.At(PlayList::Capacity - 1),
                 QStringLiteral("/n/%1.mp3").arg(PlayList::Capacity - 1));
        const int before = w.PlayIndex;
        rig.messages.clear();
        w.AddFiles({"/n/extra.mp3"});
        QCOMPARE(w.ListFile->count(), PlayList::Capacity);
        QCOMPARE(w.PlayIndex, before);
        QCOMPARE(rig.messages, QStringList{"1 files were not added: the list is full"});
    }
};

QTEST_MAIN(TestLumoWindow)
#include "tst_lumo_window.moc"
