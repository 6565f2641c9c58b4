// The media information dialog: its texts as pure functions, the key/value layer and the
// system information tool, and the dialog on the main window (modal tie, openers, contents).
#include "display/info_text.h"
#include "display/system_info.h"
#include "support/window_rig.h"
#include "window/info.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Crlf = QStringLiteral("\r\n");

// A platform that records what would be started and shown instead of doing it.
struct FakePlatform
{
    QStringList onPath;   // programs "found" on PATH
    QStringList existing; // files that exist
    bool startWorks = true;
    QStringList started, messages;

    SystemInfoPlatform Make(std::shared_ptr<const KeyValues> values)
    {
        SystemInfoPlatform p;
        p.keyValues = std::move(values);
        p.fileExists = [this](const QString &path) { return existing.contains(path); };
        p.findExecutable = [this](const QString &program) {
            return onPath.contains(program) ? QStringLiteral("/usr/bin/") + program : QString();
        };
        p.start = [this](const QString &path) {
            started << path;
            return startWorks;
        };
        p.message = [this](const QString &text) { messages << text; };
        return p;
    }
};

std::shared_ptr<const KeyValues> IniStore(const QString &file)
{
    return std::make_shared<IniKeyValues>(
        QMap<std::uint32_t, QString>{{KeyRoot::LocalMachine, file}});
}

} // namespace

class TestInfo : public QObject
{
    Q_OBJECT

private slots:
    // ---- texts ------------------------------------------------------------------------------

    void lengthText_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("125.7 s") << 125.7 << "02:05'70";
        QTest::newRow("nothing open") << 0.0 << "00:00'00";
        QTest::newRow("last hundredth of a minute") << 59.99 << "00:59'99";
        QTest::newRow("half hundredth to even, down") << 2.125 << "00:02'12";
        QTest::newRow("half hundredth to even, up") << 2.375 << "00:02'38";
        QTest::newRow("255 minutes") << 15359.5 << "255:59'50";
        QTest::newRow("256 minutes are not cut to 8 bits") << 15360.0 << "256:00'00";
        QTest::newRow("ten hours") << 36000.25 << "600:00'25";
        QTest::newRow("rounding up carries") << 3599.999 << "60:00'00";
    }

    void lengthText()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(InfoText::LengthText(seconds), text);
    }

    void fileSizeText_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("one MB") << 1048576 << "1.00MB";
        QTest::newRow("empty") << 0 << "0.00MB";
        QTest::newRow("small") << 1000 << "0.00MB";
        QTest::newRow("one and a half") << 1572864 << "1.50MB";
        QTest::newRow("largest") << 2147483647 << "2048.00MB";
    }

    void fileSizeText()
    {
        QFETCH(int, bytes);
        QFETCH(QString, text);
        QCOMPARE(InfoText::FileSizeText(bytes), text);
    }

    void mediaKind_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("kind");
        QTest::newRow("avi") << "avi"
                             << "AVI";
        QTest::newRow("MPG") << "MPG"
                             << "MPEG";
        QTest::newRow("mpeg") << "mpeg"
                              << "MPEG";
        QTest::newRow("midi") << "midi"
                              << "MIDI";
        QTest::newRow("WAV") << "WAV"
                             << "WAVE";
        QTest::newRow("wma stays lower case") << "wma"
                                              << "wma";
        QTest::newRow("JPG") << "JPG"
                             << "JPEG";
        QTest::newRow("jpeg") << "jpeg"
                              << "JPEG";
        QTest::newRow("gif") << "gif"
                             << "GIF";
        QTest::newRow("MP2 in capitals as it is") << "MP2"
                                                  << "MP2";
        QTest::newRow("Mp3 is not mp3") << "Mp3"
                                        << "Mp3";
        QTest::newRow("Wav is not wav") << "Wav"
                                        << "Wav";
        QTest::newRow("MPEG is not listed") << "MPEG"
                                            << "MPEG";
        QTest::newRow("AVI in capitals") << "AVI"
                                         << "AVI";
        QTest::newRow("unknown") << "ogg"
                                 << "ogg";
        QTest::newRow("none") << ""
                              << "";
    }

    void mediaKind()
    {
        QFETCH(QString, ext);
        QFETCH(QString, kind);
        QCOMPARE(InfoText::MediaKind(ext), kind);
    }

    void pictureAndRates_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("bitrate");
        QTest::addColumn<double>("frameRate");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("frames");
        QTest::newRow("movie") << 320 << 240 << 131072.0 << 29.97 << "320×240pixel"
                               << "128kbps"
                               << "29.97fps";
        QTest::newRow("sound") << 0 << 0 << 128000.0 << 0.0 << "映像なし"
                               << "125kbps"
                               << "-";
        QTest::newRow("width decides") << 0 << 240 << 1023.9 << 30.0 << "映像なし"
                                       << "0kbps"
                                       << "30.00fps";
        QTest::newRow("frame rate rounds") << 1920 << 1080 << 0.0 << 23.976 << "1920×1080pixel"
                                           << "0kbps"
                                           << "23.98fps";
    }

    void pictureAndRates()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, bitrate);
        QFETCH(double, frameRate);
        QFETCH(QString, picture);
        QFETCH(QString, bits);
        QFETCH(QString, frames);
        QCOMPARE(InfoText::PictureSizeText(width, height), picture);
        QCOMPARE(InfoText::BitRateText(bitrate), bits);
        QCOMPARE(InfoText::FrameRateText(frameRate), frames);
    }

    void versionText()
    {
        QCOMPARE(InfoText::VersionText(1, 3), QStringLiteral("Version 1.3"));
        QCOMPARE(InfoText::VersionText(1, 0), QStringLiteral("Version 1.0"));
        QCOMPARE(InfoText::VersionText(2, 10), QStringLiteral("Version 2.10"));
    }

    void threeLineTexts()
    {
        MediumFacts sound;
        sound.ext = QStringLiteral("mp3");
        sound.length = 125.7;
        sound.fileSize = 1048576;
        sound.bitrate = 131072;
        QCOMPARE(InfoText::KindLengthSize(sound), QStringLiteral("メディアの種類 : MP3") + Crlf +
                                                      QStringLiteral("　　　再生時間 : 02:05'70") +
                                                      Crlf +
                                                      QStringLiteral("ファイルサイズ : 1.00MB"));
        QCOMPARE(InfoText::PictureRates(sound), QStringLiteral("　　映像サイズ : 映像なし") + Crlf +
                                                    QStringLiteral("　ビットレート : 128kbps") +
                                                    Crlf + QStringLiteral("フレームレート : -"));
        // In a fixed-pitch font the colons line up: seven full-width characters before each.
        for (const QString &text : {InfoText::KindLengthSize(sound), InfoText::PictureRates(sound)})
            for (const QString &line : text.split(Crlf))
                QCOMPARE(line.indexOf(QStringLiteral(" : ")), 7);
    }

    // ---- key/value layer and the system information tool -------------------------------------

    void getKeyValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("value");
        QTest::newRow("text") << "SOFTWARE\\Vendor\\Tool"
                              << "PATH" << true << "/opt/tool/run";
        QTest::newRow("text with commas") << "SOFTWARE\\Vendor\\Tool"
                                          << "Args" << true << "a,b,c";
        QTest::newRow("number as decimal") << "SOFTWARE\\Vendor\\Tool"
                                           << "Count" << true << "261";
        QTest::newRow("other data keeps the old text") << "SOFTWARE\\Vendor\\Tool"
                                                       << "Blob" << true << "old";
        QTest::newRow("absent value") << "SOFTWARE\\Vendor\\Tool"
                                      << "Missing" << false << "";
        QTest::newRow("absent key") << "SOFTWARE\\Vendor\\Other"
                                    << "PATH" << false << "";
        QTest::newRow("key names are paths") << "SOFTWARE\\Vendor"
                                             << "PATH" << false << "";
    }

    void getKeyValue()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(bool, found);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("machine.ini"));
        {
            QSettings ini(file, QSettings::IniFormat);
            ini.setValue(QStringLiteral("SOFTWARE/Vendor/Tool/PATH"),
                         QStringLiteral("/opt/tool/run"));
            ini.setValue(QStringLiteral("SOFTWARE/Vendor/Tool/Args"), QStringLiteral("a,b,c"));
            ini.setValue(QStringLiteral("SOFTWARE/Vendor/Tool/Count"),
                         QStringLiteral("dword:00000105"));
            ini.setValue(QStringLiteral("SOFTWARE/Vendor/Tool/Blob"), QStringLiteral("hex:01,02"));
        }
        const auto store = IniStore(file);
        QString keyVal = QStringLiteral("old");
        QCOMPARE(SystemInfo::GetKeyValue(store.get(), KeyRoot::LocalMachine, key, name, keyVal),
                 found);
        QCOMPARE(keyVal, value);
        // Another root has no file: nothing is found there.
        keyVal = QStringLiteral("old");
        QVERIFY(!SystemInfo::GetKeyValue(store.get(), KeyRoot::CurrentUser, key, name, keyVal));
        QVERIFY(keyVal.isEmpty());
    }

    void startSysInfo_data()
    {
        QTest::addColumn<QString>("storedPath");   // MSINFO PATH value; empty: absent
        QTest::addColumn<QString>("storedFolder"); // Shared Tools Location; empty: absent
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<bool>("startWorks");
        QTest::addColumn<QString>("started"); // empty: nothing started
        QTest::addColumn<bool>("message");

        const QStringList none;
        QTest::newRow("stored path wins") << "/opt/msinfo/run"
                                          << "/opt/tools" << none << QStringList{"kinfocenter"}
                                          << true << "/opt/msinfo/run" << false;
        QTest::newRow("stored folder with the program")
            << ""
            << "/opt/tools" << QStringList{"/opt/tools/MSINFO32.EXE"} << none << true
            << "/opt/tools/MSINFO32.EXE" << false;
        QTest::newRow("stored folder without it falls to PATH")
            << ""
            << "/opt/tools" << none << QStringList{"hardinfo"} << true << "/usr/bin/hardinfo"
            << false;
        QTest::newRow("PATH in order")
            << ""
            << "" << none << QStringList{"hardinfo", "gnome-system-monitor"} << true
            << "/usr/bin/gnome-system-monitor" << false;
        QTest::newRow("nothing anywhere") << ""
                                          << "" << none << none << true << "" << true;
        QTest::newRow("start fails")
            << ""
            << "" << none << QStringList{"kinfocenter"} << false << "/usr/bin/kinfocenter" << true;
    }

    void startSysInfo()
    {
        QFETCH(QString, storedPath);
        QFETCH(QString, storedFolder);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, onPath);
        QFETCH(bool, startWorks);
        QFETCH(QString, started);
        QFETCH(bool, message);

        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("machine.ini"));
        {
            QSettings ini(file, QSettings::IniFormat);
            if (!storedPath.isEmpty())
                ini.setValue(QStringLiteral("SOFTWARE/Microsoft/Shared Tools/MSINFO/PATH"),
                             storedPath);
            if (!storedFolder.isEmpty())
                ini.setValue(QStringLiteral("SOFTWARE/Microsoft/Shared Tools Location/MSINFO"),
                             storedFolder);
        }
        FakePlatform fake;
        fake.existing = existing;
        fake.onPath = onPath;
        fake.startWorks = startWorks;
        const bool ok = SystemInfo::StartSysInfo(fake.Make(IniStore(file)));
        QCOMPARE(ok, !message);
        QCOMPARE(fake.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(fake.messages,
                 message ? QStringList{QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")}
                         : QStringList());
    }

    // ---- the dialog on the main window -------------------------------------------------------

    void dialogIsModalWhileOpen()
    {
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        QVERIFY(info->isVisible());
        QVERIFY(info->isEnabled());
        QVERIFY(info->cmdOK->isEnabled());
        QVERIFY(!w.isEnabled());
        QCOMPARE(info->windowTitle(), w.VL);
        QVERIFY(info->isWindow());

        QTest::mouseClick(info->cmdOK, Qt::LeftButton);
        QVERIFY(w.isEnabled());
        QTRY_VERIFY(!w.InfoWindow());
    }

    void dialogCloses_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("Enter presses OK") << 1;
        QTest::newRow("close box") << 2;
        QTest::newRow("main window closes") << 3;
    }

    void dialogCloses()
    {
        QFETCH(int, how);
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        w.PicInfo_Click();
        QPointer<Info> info = w.InfoWindow();
        QVERIFY(info);
        QVERIFY(QTest::qWaitForWindowExposed(info));
        switch (how) {
        case 0:
            QTest::keyClick(info, Qt::Key_Escape);
            break;
        case 1:
            QTest::keyClick(info, Qt::Key_Return);
            break;
        case 2:
            info->close();
            break;
        default:
            w.close();
            break;
        }
        QTRY_VERIFY(!info);
        QVERIFY(w.isEnabled());
    }

    void openedByMenuClickAndCtrlI_data()
    {
        QTest::addColumn<int>("opener");
        QTest::newRow("PicInfo click") << 0;
        QTest::newRow("MenuInfo") << 1;
        QTest::newRow("Ctrl+I") << 2;
        QTest::newRow("Ctrl+I in the list") << 3;
    }

    void openedByMenuClickAndCtrlI()
    {
        QFETCH(int, opener);
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        w.PicSize_Click(); // list pane shown: PicInfo and ListFile are visible
        switch (opener) {
        case 0:
            QVERIFY(w.PicInfo->isVisible());
            QTest::mouseClick(w.PicInfo, Qt::LeftButton);
            break;
        case 1:
            w.MenuInfo->trigger();
            break;
        case 2:
            QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier);
            break;
        default:
            w.ListFile->setFocus();
            QTest::keyClick(w.ListFile, Qt::Key_I, Qt::ControlModifier);
            break;
        }
        QVERIFY(w.InfoWindow());
        QVERIFY(w.InfoWindow()->isVisible());
        QVERIFY(!w.isEnabled());
        w.InfoWindow()->close();
    }

    void plainIOrAltCtrlIOpensNothing()
    {
        WindowRig rig({.shown = true});
        Lumo &w = rig.W();
        QTest::keyClick(&w, Qt::Key_I);
        QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(&w, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!w.InfoWindow());
        QVERIFY(w.isEnabled());
    }

    void layoutFontsAndColours()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        QCOMPARE(info->size(), QSize(424, 240));
        QCOMPARE(info->minimumSize(), info->maximumSize());
        QVERIFY(!(info->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(info->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(info->ImageLogo->geometry(), QRect(48, 0, 360, 66));
        QCOMPARE(info->ImageLogo->pixmap().size(), QSize(360, 66));
        QCOMPARE(info->picIcon->pixmap().size(), QSize(32, 32));
        QCOMPARE(info->L1->geometry(), QRect(48, 64, 361, 17));
        QCOMPARE(info->Frame->geometry(), QRect(16, 88, 393, 89));
        QCOMPARE(info->Frame->title(), QStringLiteral("ファイル情報"));
        QCOMPARE(info->L4->parentWidget(), info->Frame);
        QCOMPARE(info->L5->geometry(), QRect(184, 40, 193, 41));
        QCOMPARE(info->cmdOK->geometry(), QRect(224, 208, 92, 23));
        QCOMPARE(info->cmdSysInfo->geometry(), QRect(324, 208, 92, 23));
        QCOMPARE(info->cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(info->cmdSysInfo->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
        QVERIFY(info->cmdOK->isDefault());
        QVERIFY(info->L1->alignment() & Qt::AlignRight);
        QVERIFY(info->L1->font().bold());
        QVERIFY(info->L3->font().bold());
        QVERIFY(!info->L4->font().bold());
        QCOMPARE(info->L1->font().pixelSize(), 16);
        QCOMPARE(info->L4->font().pixelSize(), 12);
        QCOMPARE(info->L4->font().family(), QStringLiteral("MS Gothic"));
        QCOMPARE(info->L3->font().family(), QStringLiteral("MS P Gothic"));
        QVERIFY(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+$"))
                    .match(info->L1->text())
                    .hasMatch());
        const QColor blue(0, 111, 191), back(239, 255, 255);
        QCOMPARE(info->palette().color(QPalette::Window), back);
        QCOMPARE(info->Frame->palette().color(QPalette::Window), back);
        QCOMPARE(info->Frame->palette().color(QPalette::WindowText), blue);
        for (QLabel *label : {info->L1, info->L3, info->L4, info->L5})
            QCOMPARE(label->palette().color(QPalette::WindowText), blue);
        info->close();
    }

    // The three lines of each label are drawn whole inside the height the layout gives them:
    // three separate bands of ink, and the last rows clear (a clipped line reaches the edge).
    void threeLinesFitTheirLabels()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        for (QLabel *label : {info->L4, info->L5}) {
            const QImage image = label->grab().toImage();
            QList<bool> inked;
            for (int y = 0; y < image.height(); ++y) {
                int dark = 0;
                for (int x = 0; x < image.width(); ++x)
                    dark += image.pixelColor(x, y).red() < 160;
                inked << (dark > 3); // a few antialiased pixels do not join two lines
            }
            int bands = 0;
            for (int y = 0; y < inked.size(); ++y)
                if (inked[y] && (y == 0 || !inked[y - 1]))
                    ++bands;
            QCOMPARE(bands, 3);
            QVERIFY(!inked.last());
            QVERIFY(!inked[inked.size() - 2]);
        }
        info->close();
    }

    void nothingOpenShowsInitialValues()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        QCOMPARE(info->L3->text(), QString());
        QCOMPARE(info->L4->text(), QStringLiteral("メディアの種類 : ") + Crlf +
                                       QStringLiteral("　　　再生時間 : 00:00'00") + Crlf +
                                       QStringLiteral("ファイルサイズ : 0.00MB"));
        QCOMPARE(info->L5->text(), QStringLiteral("　　映像サイズ : 映像なし") + Crlf +
                                       QStringLiteral("　ビットレート : 0kbps") + Crlf +
                                       QStringLiteral("フレームレート : -"));
        info->close();
    }

    void showsTheOpenedMedium_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("video");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("lines4");
        QTest::addColumn<QString>("lines5");
        // 1048576 bytes over 125.7 s: 8388608 / 125.7 = 66735 bit/s = 65 kbps.
        QTest::newRow("sound") << QStringLiteral("桜の歌.wma") << false << QStringLiteral("桜の歌")
                               << QStringLiteral("WMA|02:05'70|1.00MB")
                               << QStringLiteral("映像なし|65kbps|-");
        QTest::newRow("movie") << QStringLiteral("clip.wmv") << true << QStringLiteral("clip")
                               << QStringLiteral("WMV|02:05'70|1.00MB")
                               << QStringLiteral("320×240pixel|65kbps|29.97fps");
    }

    void showsTheOpenedMedium()
    {
        QFETCH(QString, name);
        QFETCH(bool, video);
        QFETCH(QString, title);
        QFETCH(QString, lines4);
        QFETCH(QString, lines5);
        FakeMedium medium{125.7, std::nullopt, std::nullopt, {}};
        if (video) {
            medium.videoSize = QSize(320, 240);
            medium.frameSeconds = 1 / 29.97;
        }
        WindowRig rig;
        Lumo &w = rig.W();
        w.AddFiles({rig.File(name, medium, QByteArray(1048576, '\0'))});
        QVERIFY2(rig.messages.isEmpty(), qPrintable(rig.messages.join(',')));
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        QCOMPARE(info->L3->text(), title);

        QStringList expected4 = lines4.split('|');
        if (expected4[0] == QLatin1String("WMA"))
            expected4[0] = QStringLiteral("wma"); // the table's own spelling
        const QStringList expected5 = lines5.split('|');
        const QStringList got4 = info->L4->text().split(Crlf);
        const QStringList got5 = info->L5->text().split(Crlf);
        QCOMPARE(got4.size(), 3);
        QCOMPARE(got5.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(got4[i].section(QStringLiteral(" : "), 1), expected4[i]);
            QCOMPARE(got5[i].section(QStringLiteral(" : "), 1), expected5[i]);
        }
        info->close();
    }

    void showsAStillPicture()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.AddFiles({rig.Copy(Fixture("picture_100x80.gif"), QStringLiteral("小さな絵.gif"))});
        QVERIFY(w.StillPictureFlag);
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        QCOMPARE(info->L3->text(), QStringLiteral("小さな絵"));
        QVERIFY(info->L4->text().startsWith(QStringLiteral("メディアの種類 : GIF") + Crlf));
        QVERIFY(info->L5->text().startsWith(QStringLiteral("　　映像サイズ : 100×80pixel") + Crlf));
        info->close();
    }

    // Each opening reads the members anew.
    void reopeningShowsCurrentValues()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.MovieTitle = QStringLiteral("first");
        w.PicInfo_Click();
        QCOMPARE(w.InfoWindow()->L3->text(), QStringLiteral("first"));
        w.InfoWindow()->close();
        QTRY_VERIFY(!w.InfoWindow());
        w.MovieTitle = QStringLiteral("second");
        w.MovieExt = QStringLiteral("mp3");
        w.PicInfo_Click();
        QCOMPARE(w.InfoWindow()->L3->text(), QStringLiteral("second"));
        QVERIFY(w.InfoWindow()->L4->text().startsWith(QStringLiteral("メディアの種類 : MP3")));
        w.InfoWindow()->close();
    }

    void systemInfoButtonStartsTheTool()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        w.PicInfo_Click();
        Info *info = w.InfoWindow();
        QVERIFY(info);
        FakePlatform fake;
        info->Platform = fake.Make(IniStore(rig.dir.filePath(QStringLiteral("none.ini"))));
        QTest::mouseClick(info->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(fake.messages, QStringList{QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")});
        QVERIFY(fake.started.isEmpty());
        fake.messages.clear();
        fake.onPath = QStringList{QStringLiteral("kinfocenter")};
        QTest::mouseClick(info->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(fake.started, QStringList{QStringLiteral("/usr/bin/kinfocenter")});
        QVERIFY(fake.messages.isEmpty());
        // The dialog stays open; the main window stays disabled.
        QVERIFY(w.InfoWindow());
        QVERIFY(!w.isEnabled());
        info->close();
    }
};

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
