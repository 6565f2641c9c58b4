// The play list value type and the name helpers.
#include "core/play_list.h"

#include <QTest>

class TestPlayList : public QObject
{
    Q_OBJECT

private slots:
    void appendsFromFirstFreeSlot()
    {
        PlayList list;
        QCOMPARE(list.FirstFree(), 0);
        QCOMPARE(list.Append({"/a", "/b"}), (std::vector<int>{0, 1}));
        QCOMPARE(list.Append({"/c"}), (std::vector<int>{2}));
        QCOMPARE(list.At(2), QStringLiteral("/c"));
        QCOMPARE(list.At(3), QString());
        QCOMPARE(list.At(-1), QString());
        QCOMPARE(list.At(PlayList::Capacity), QString());
    }

    void fullListKeepsWhatItHas()
    {
        PlayList list;
        QStringList many;
        for (int i = 0; i < PlayList::Capacity - 1; ++i)
            many << QStringLiteral("/m%1").arg(i);
        list.Append(many);
        const std::vector<int> written = list.Append({"/last", "/overflow1", "/overflow2"});
        QCOMPARE(written, (std::vector<int>{PlayList::Capacity - 1}));
        QCOMPARE(list.FirstFree(), PlayList::Capacity);
        QVERIFY(list.Append({"/more"}).empty());
        QCOMPARE(list.At(0), QStringLiteral("/m0"));
        QCOMPARE(list.At(PlayList::Capacity - 1), QStringLiteral("/last"));
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << "/music/song.mp3"
                               << "song.mp3"
                               << "song"
                               << "mp3";
        QTest::newRow("two dots") << "/m/a.b.wav"
                                  << "a.b.wav"
                                  << "a.b"
                                  << "wav";
        QTest::newRow("no extension") << "/m/clip"
                                      << "clip"
                                      << ""
                                      << "/m/clip";
        QTest::newRow("no folder") << "x.avi"
                                   << "x.avi"
                                   << "x"
                                   << "avi";
        QTest::newRow("Japanese") << "/曲/夜明け.mp3"
                                  << "夜明け.mp3"
                                  << "夜明け"
                                  << "mp3";
        const QString deep = QStringLiteral("/") + QString(300, QLatin1Char('d'));
        QTest::newRow("slash beyond 255") << deep + "/f.gif"
                                          << "f.gif"
                                          << "f"
                                          << "gif";
    }

    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, fileName);
        QFETCH(QString, title);
        QFETCH(QString, extension);
        QCOMPARE(FileNameOf(path), fileName);
        QCOMPARE(TitleOf(path), title);
        QCOMPARE(ExtensionOf(path), extension);
    }

    void logLines_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("line");
        QTest::newRow("0") << 0 << "FT(0000) = /p";
        QTest::newRow("12") << 12 << "FT(0012) = /p";
        QTest::newRow("9999") << 9999 << "FT(9999) = /p";
    }

    void logLines()
    {
        QFETCH(int, slot);
        QFETCH(QString, line);
        QCOMPARE(FileListLine(slot, QStringLiteral("/p")), line);
    }
};

QTEST_GUILESS_MAIN(TestPlayList)
#include "tst_play_list.moc"
