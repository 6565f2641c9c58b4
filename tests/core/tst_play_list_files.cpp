#include "core/play_list_import.h"
#include "core/play_list_parsers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Folder = "/music/lists";

} // namespace

class TestPlayListFiles : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("paths");
        QTest::addColumn<int>("unreadable");

        QTest::newRow("M3U relative, absolute, URL, comments, CR LF")
            << "a.m3u"
            << QByteArray("#EXTM3U\r\n#EXTINF:5,A\r\nsong.mp3\r\n../up/b.flac\r\n\r\n"
                          "/abs/c.ogg\r\nfile:///x/d%20e%C3%A9.opus\r\n")
            << QList<QByteArray>{"/music/lists/song.mp3", "/music/up/b.flac", "/abs/c.ogg",
                                 "/x/d e\xC3\xA9.opus"}
            << 0;
        QTest::newRow("M3U8 byte order mark, remote and non-UTF-8 entries")
            << "a.m3u8"
            << QByteArray("\xEF\xBB\xBFone.mp3\nhttp://host/two.mp3\n\x93\xFA\x96\x7B.wav\n"
                          "file://otherhost/x.mp3\n")
            << QList<QByteArray>{"/music/lists/one.mp3", "/music/lists/\x93\xFA\x96\x7B.wav"} << 2;
        QTest::newRow("M3U Windows folders") << "a.m3u" << QByteArray("..\\win\\e.wav\n")
                                             << QList<QByteArray>{"/music/win/e.wav"} << 0;
        QTest::newRow("M3U overlong line")
            << "a.m3u" << QByteArray(kMaxEntryBytes + 100, 'x') + "\nok.mp3"
            << QList<QByteArray>{"/music/lists/ok.mp3"} << 1;
        QTest::newRow("PLS in the order of its numbers")
            << "a.pls"
            << QByteArray("[playlist]\nNumberOfEntries=3\nFile2=b.mp3\nTitle2=B\n"
                          "file1=/abs/a.mp3\nFile10=file:///x/y%20z.ogg\nVersion=2\n")
            << QList<QByteArray>{"/abs/a.mp3", "/music/lists/b.mp3", "/x/y z.ogg"} << 0;
        QTest::newRow("PLS outside its section")
            << "a.pls" << QByteArray("File1=a.mp3\n[other]\nFile2=b\n") << QList<QByteArray>{} << 0;
        QTest::newRow("XSPF first location of each track, relative URIs decoded")
            << "a.xspf"
            << QByteArray("<?xml version=\"1.0\"?><playlist version=\"1\" "
                          "xmlns=\"http://xspf.org/ns/0/\"><trackList>"
                          "<track><location>file:///m/a%20b.flac</location></track>"
                          "<track><location>rel/c%23.ogg</location><location>x.ogg</location>"
                          "</track><track><location>http://h/d.mp3</location></track>"
                          "</trackList></playlist>")
            << QList<QByteArray>{"/m/a b.flac", "/music/lists/rel/c#.ogg"} << 1;
        QTest::newRow("XSPF broken off") << "a.xspf"
                                         << QByteArray("<playlist><trackList><track><location>"
                                                       "a.mp3</location></track><track><loc")
                                         << QList<QByteArray>{"/music/lists/a.mp3"} << 0;
    }

    void parse()
    {
        QFETCH(QString, listName);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, paths);
        QFETCH(int, unreadable);
        const ParsedPlayList list = ParsePlayList(PlayListFormatOf(listName), bytes, Folder);
        QCOMPARE(list.paths, paths);
        QCOMPARE(list.unreadable, unreadable);
        QVERIFY(!list.cut);
    }

    // Lists on disk: nested lists are followed, a list that includes itself is read once,
    // missing entries are counted, a huge list is cut at its bound, and a saved list reads
    // back as the same paths (relative below its folder).
    void expandAndSave()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(QDir().mkpath(root + QStringLiteral("/sub")));
        for (const char *name : {"a.mp3", "sub/b.flac", "c.ogg"}) {
            QFile file(root + u'/' + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile file(root + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write(QStringLiteral("self.m3u"), "a.mp3\nself.m3u\nsub/inner.pls\ngone.mp3\n");
        write(QStringLiteral("sub/inner.pls"), "[playlist]\nFile1=b.flac\nFile2=../self.m3u\n");

        const ImportedNames names =
            ExpandPlayLists({root + QStringLiteral("/self.m3u"), root + QStringLiteral("/c.ogg")});
        QCOMPARE(names.names,
                 (QStringList{root + QStringLiteral("/a.mp3"), root + QStringLiteral("/sub/b.flac"),
                              root + QStringLiteral("/c.ogg")}));
        QCOMPARE(names.missing, 1);

        QByteArray huge;
        for (int i = 0; i < kMaxListEntries + 10; ++i)
            huge += "a.mp3\n";
        write(QStringLiteral("huge.m3u8"), huge);
        const ImportedNames cut = ExpandPlayLists({root + QStringLiteral("/huge.m3u8")});
        QCOMPARE(cut.names.size(), kMaxListEntries);

        const QString saved = root + QStringLiteral("/saved.m3u8");
        QVERIFY(SavePlayList(saved, names.names + QStringList{QStringLiteral("/elsewhere/x.mp3")}));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("#EXTM3U\na.mp3\nsub/b.flac\nc.ogg\n/elsewhere/x.mp3\n"));
        const ImportedNames back = ExpandPlayLists({saved});
        QCOMPARE(back.names, names.names);
        QCOMPARE(back.missing, 1);
    }
};

QTEST_GUILESS_MAIN(TestPlayListFiles)
#include "tst_play_list_files.moc"
