#include "core/handoff_parser.h"
#include "core/handoff_text.h"
#include "core/play_list.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

// Splitting hand-off texts into play-list names, and building the text from arguments.
class TestHandoffParser : public QObject
{
    Q_OBJECT

private slots:
    void splitsWindowsCommandLine_data();
    void splitsWindowsCommandLine();
    void cutsAtQuote_data();
    void cutsAtQuote();
    void namesFromText_data();
    void namesFromText();
    void limitsOnlyWindowsNames_data();
    void limitsOnlyWindowsNames();
    void buildsNamesFromArguments_data();
    void buildsNamesFromArguments();
    void builtTextParsesBackToTheFiles_data();
    void builtTextParsesBackToTheFiles();
    void anyFileNameArrivesAndOpens_data();
    void anyFileNameArrivesAndOpens();
};

void TestHandoffParser::splitsWindowsCommandLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("no colon") << "music\\a.mp3 b.mp3" << QStringList();
    QTest::newRow("one name") << "C:\\a.mp3" << QStringList{"C:\\a.mp3"};
    QTest::newRow("two unquoted") << "C:\\a.mp3 D:\\b.mp3" << QStringList{"C:\\a.mp3", "D:\\b.mp3"};
    QTest::newRow("blanks inside need no quotes")
        << "C:\\My Music\\a b.mp3 D:\\x y\\c.mid"
        << QStringList{"C:\\My Music\\a b.mp3", "D:\\x y\\c.mid"};
    QTest::newRow("quoted keeps closing quote")
        << "\"C:\\My Music\\a.mp3\" \"D:\\b.mp3\""
        << QStringList{"C:\\My Music\\a.mp3\" \"", "D:\\b.mp3\""};
    QTest::newRow("surrounding blanks trimmed")
        << "   C:\\a.mp3    D:\\b.mp3   " << QStringList{"C:\\a.mp3", "D:\\b.mp3"};
    QTest::newRow("three names") << "C:\\a.wav D:\\b.avi E:\\c.mpg"
                                 << QStringList{"C:\\a.wav", "D:\\b.avi", "E:\\c.mpg"};
    QTest::newRow("no blank between names") << "C:\\aD:\\b" << QStringList{"C:\\a", "D:\\b"};
    QTest::newRow("colon at the very start") << ":x C:\\a.mp3" << QStringList{":x", "C:\\a.mp3"};
    QTest::newRow("two colons in a row") << "C::" << QStringList{"C", "::"};
}

void TestHandoffParser::splitsWindowsCommandLine()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(SplitAtDriveColons(text), pieces);
}

void TestHandoffParser::cutsAtQuote_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cut");

    QTest::newRow("no quote") << "C:\\a.mp3"
                              << "C:\\a.mp3";
    QTest::newRow("closing quote and rest") << "C:\\a b.mp3\" \""
                                            << "C:\\a b.mp3";
    QTest::newRow("several quotes") << "C:\\a\"b\"c\""
                                    << "C:\\a";
    QTest::newRow("only a quote") << "\""
                                  << "";
}

void TestHandoffParser::cutsAtQuote()
{
    QFETCH(QString, name);
    QFETCH(QString, cut);
    QCOMPARE(CutAtQuote(name), cut);
}

void TestHandoffParser::namesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("empty start") << "" << QStringList();
    QTest::newRow("relative windows name") << "a.mp3" << QStringList();
    QTest::newRow("quoted windows path")
        << "\"C:\\My Music\\a b.mp3\"" << QStringList{"C:\\My Music\\a b.mp3"};
    QTest::newRow("two quoted windows paths")
        << "\"C:\\x y\\a.mp3\" \"D:\\b.mp3\"" << QStringList{"C:\\x y\\a.mp3", "D:\\b.mp3"};
    QTest::newRow("unquoted windows paths")
        << "C:\\a.mp3 D:\\b.mp3" << QStringList{"C:\\a.mp3", "D:\\b.mp3"};
    QTest::newRow("windows piece left empty by a quote")
        << "\":a C:\\b.mp3" << QStringList{"C:\\b.mp3"};
    QTest::newRow("one absolute path")
        << "/home/u/My Music/a:b.mp3" << QStringList{"/home/u/My Music/a:b.mp3"};
    QTest::newRow("absolute path keeps quotes and blanks")
        << "/m/say \"hi\" .mp3 " << QStringList{"/m/say \"hi\" .mp3 "};
    QTest::newRow("lines") << "/m/a.mp3\n/m/C:\\b.mp3\n/m/c d.mid"
                           << QStringList{"/m/a.mp3", "/m/C:\\b.mp3", "/m/c d.mid"};
    QTest::newRow("empty lines dropped") << "\n/m/a.mp3\n\n/m/b.mp3\n"
                                         << QStringList{"/m/a.mp3", "/m/b.mp3"};
    QTest::newRow("only line feeds") << "\n\n" << QStringList();
}

void TestHandoffParser::namesFromText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(HandoffNames(text), names);
}

void TestHandoffParser::limitsOnlyWindowsNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("lastName");

    QStringList paths;
    QStringList windows;
    for (int i = 0; i < 12000; ++i) {
        paths << QStringLiteral("/m/%1.mp3").arg(i);
        windows << QStringLiteral("C:\\%1.mp3").arg(i);
    }
    QTest::newRow("lines") << paths.join(u'\n') << 12000 << "/m/11999.mp3";
    QTest::newRow("nul separated") << paths.join(QChar(u'\0')) << 12000 << "/m/11999.mp3";
    QTest::newRow("drive colons") << windows.join(u' ') << MaxHandoffNames << "C:\\1000.mp3";
}

void TestHandoffParser::limitsOnlyWindowsNames()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, lastName);
    const QStringList names = HandoffNames(text);
    QCOMPARE(names.size(), count);
    QCOMPARE(names.last(), lastName);
}

void TestHandoffParser::buildsNamesFromArguments_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QList<QByteArray>>("names");

    using Bytes = QList<QByteArray>;
    QTest::newRow("no arguments") << Bytes{"/usr/bin/Lumo"} << Bytes{};
    QTest::newRow("relative") << Bytes{"Lumo", "a.mp3", "sub/b c.wav"}
                              << Bytes{"/start/a.mp3", "/start/sub/b c.wav"};
    QTest::newRow("absolute kept") << Bytes{"Lumo", "/m/a.mp3"} << Bytes{"/m/a.mp3"};
    QTest::newRow("dots cleaned") << Bytes{"Lumo", "../x/./a.mp3", "/m//b/../c"}
                                  << Bytes{"/x/a.mp3", "/m/c"};
    QTest::newRow("file url") << Bytes{"Lumo", "file:///m/My%20Music/a%0Ab%93%FA.mp3"}
                              << Bytes{"/m/My Music/a\nb\x93\xfa.mp3"};
    QTest::newRow("empty argument skipped") << Bytes{"Lumo", "", "a.mp3"} << Bytes{"/start/a.mp3"};
    QTest::newRow("line feed kept") << Bytes{"Lumo", "a\nb.mp3"} << Bytes{"/start/a\nb.mp3"};
    QTest::newRow("bytes kept") << Bytes{"Lumo", "\x93\xfa\x96\x7b.mp3"}
                                << Bytes{"/start/\x93\xfa\x96\x7b.mp3"};
    QTest::newRow("program name never taken") << Bytes{"/start/a.mp3"} << Bytes{};
}

void TestHandoffParser::buildsNamesFromArguments()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QList<QByteArray>, names);
    QCOMPARE(BuildHandoffNames(arguments, "/start"), names);
}

void TestHandoffParser::builtTextParsesBackToTheFiles_data()
{
    QTest::addColumn<QStringList>("files");

    QTest::newRow("one plain") << QStringList{"a.mp3"};
    QTest::newRow("one with colon") << QStringList{"C:\\a.mp3"};
    QTest::newRow("quotes and blanks") << QStringList{"\"a b\".mp3", " lead.wav"};
    QTest::newRow("several with colons") << QStringList{"x:y.mp3", "D:\\b.mp3", "c.mid"};
    QTest::newRow("line feeds") << QStringList{"a\nb.mp3", "\n.wav"};
}

void TestHandoffParser::builtTextParsesBackToTheFiles()
{
    QFETCH(QStringList, files);
    QList<QByteArray> arguments{"Lumo"};
    QStringList expected;
    for (const QString &file : files) {
        arguments << file.toUtf8();
        expected << QStringLiteral("/start/") + file;
    }
    QCOMPARE(HandoffNames(HandoffTextOf(BuildHandoffNames(arguments, "/start"))), expected);
}

void TestHandoffParser::anyFileNameArrivesAndOpens_data()
{
    QTest::addColumn<QByteArray>("fileName");
    QTest::addColumn<QString>("shownName");

    QTest::newRow("plain") << QByteArray("a.mp3") << "a.mp3";
    QTest::newRow("line feed") << QByteArray("a\nb.mp3") << "a\nb.mp3";
    QTest::newRow("shift-jis") << QByteArray("\x93\xfa\x96\x7b.mp3")
                               << QString::fromUtf8("日本.mp3");
    QTest::newRow("latin-1") << QByteArray("caf\xe9.wav") << QString::fromUtf8("café.wav");
    QTest::newRow("shift-jis with line feed")
        << QByteArray("\x89\xb9\n\x8a\x79.mid") << QString::fromUtf8("音\n楽.mid");
}

// A name reaches the play list as a name that opens the very file, whatever its bytes.
void TestHandoffParser::anyFileNameArrivesAndOpens()
{
    QFETCH(QByteArray, fileName);
    QFETCH(QString, shownName);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QByteArray path = folder + '/' + fileName;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    // Qt cannot remove a name it cannot spell.
    const auto removeFile = qScopeGuard([&] { ::unlink(path.constData()); });
    QCOMPARE(::write(fd, fileName.constData(), size_t(fileName.size())), fileName.size());
    ::close(fd);

    const QStringList names =
        HandoffNames(HandoffTextOf(BuildHandoffNames({"Lumo", fileName}, folder)));
    QCOMPARE(names.size(), 1);
    QCOMPARE(FileNameOf(names.first()), shownName);
    QFile file(names.first());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), fileName);
}

QTEST_GUILESS_MAIN(TestHandoffParser)
#include "tst_handoff_parser.moc"
