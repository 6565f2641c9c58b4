// Play list files opened as the user opens media, the tags and cover of what they list, the
// list saved back, and a start that resumes where the last one ended.
#include "support/tagged_media.h"
#include "support/window_rig.h"
#include "window/picture_box.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestLumoPlayLists : public QObject
{
    Q_OBJECT

private slots:
    void listsOpenLikeFiles_data()
    {
        QTest::addColumn<bool>("handOff");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QByteArray>("listText");
        QTest::newRow("M3U8 dropped")
            << false << "list.m3u8" << QByteArray("#EXTM3U\ntagged.flac\nsub/two.wav\ngone.mp3\n");
        QTest::newRow("PLS handed over")
            << true << "list.pls"
            << QByteArray("[playlist]\nFile1=tagged.flac\nFile2=sub/two.wav\nFile3=gone.mp3\n");
        QTest::newRow("XSPF dropped")
            << false << "list.xspf"
            << QByteArray("<playlist><trackList><track><location>tagged.flac</location></track>"
                          "<track><location>sub/two.wav</location></track><track><location>"
                          "gone.mp3</location></track></trackList></playlist>");
    }

    // The entries join the play list in order, the missing one is reported once, the first
    // plays with its tagged title and its cover fills the picture area; saving writes the
    // entries back relative to the list's folder.
    void listsOpenLikeFiles()
    {
        QFETCH(bool, handOff);
        QFETCH(QString, listName);
        QFETCH(QByteArray, listText);
        WindowRig rig;
        const QString tagged =
            TaggedMedia::MakeTaggedSound(rig.dir.path(), QStringLiteral("flac"), true);
        QVERIFY2(!tagged.isEmpty(), "ffmpeg could not write the tagged file");
        rig.Playable(tagged, FakeMedium{});
        QVERIFY(QDir(rig.dir.path()).mkdir(QStringLiteral("sub")));
        const QString two = rig.Sound(QStringLiteral("sub/two.wav"));
        const QString list = rig.dir.filePath(listName);
        Write(list, listText);

        rig.W().ChangeVsa(0);
        if (handOff)
            rig.W().SetHandoffText(list);
        else
            rig.W().DropFiles({list});

        QCOMPARE(rig.W().PlayList.At(0), tagged);
        QCOMPARE(rig.W().PlayList.At(1), two);
        QVERIFY(rig.W().PlayList.At(2).isEmpty());
        QCOMPARE(rig.messages, QStringList{QStringLiteral("1 件の項目が見つかりませんでした")});
        QCOMPARE(rig.W().PlayMode, 1);
        QCOMPARE(rig.W().MovieTitle, TaggedMedia::Title);
        QCOMPARE(rig.W().windowTitle(), TaggedMedia::Title + QStringLiteral(" - ") + rig.W().VL);
        QCOMPARE(rig.W().MovieTags.artist, TaggedMedia::Artist);
        PictureBox *pic = rig.W().Pic;
        QCOMPARE(pic->Canvas().pixelColor(pic->width() / 2, pic->height() / 2), QColor(Qt::red));

        const QString saved = rig.dir.filePath(QStringLiteral("saved.m3u8"));
        QVERIFY(rig.W().SavePlayListAs(saved));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("#EXTM3U\ntagged.flac\nsub/two.wav\n"));
    }

    // With resuming on, a start without files brings back the list, the entry and the
    // position of the last run, paused; with it off, nothing is brought back.
    void resumeWhereLeftOff()
    {
        WindowRig rig(RigOptions{.settingsFile = true});
        const QString one = rig.Sound(QStringLiteral("one.wav"));
        const QString two = rig.Sound(QStringLiteral("two.wav"));
        rig.W().MenuResume->trigger();
        QVERIFY(rig.W().ResumeFlag);
        rig.W().AddFiles({one, two});
        rig.W().PicNext_MouseUp(Qt::LeftButton);
        QCOMPARE(rig.W().PlayIndex, 1);
        rig.TickAt(12.5);
        rig.W().close();

        rig.Restart();
        QVERIFY(rig.W().ResumeFlag);
        rig.W().ResumeLastSession();
        QCOMPARE(rig.W().PlayList.At(0), one);
        QCOMPARE(rig.W().PlayList.At(1), two);
        QCOMPARE(rig.W().PlayIndex, 1);
        QCOMPARE(rig.W().CT, 2);
        QVERIFY(qAbs(rig.Engine()->position - 12.5) < 0.01);

        rig.W().MenuResume->trigger();
        rig.W().close();
        rig.Restart();
        QVERIFY(!rig.W().ResumeFlag);
        rig.W().ResumeLastSession();
        QVERIFY(rig.W().PlayList.At(0).isEmpty());
    }
};

QTEST_MAIN(TestLumoPlayLists)
#include "tst_lumo_play_lists.moc"
