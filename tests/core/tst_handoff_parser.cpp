#include "core/handoff_parser.h"
#include "core/handoff_text.h"

#include <QTest>

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
    void takesAtMost1001Names_data();
    void takesAtMost1001Names();
    void buildsTextFromArguments_data();
    void buildsTextFromArguments();
    void builtTextParsesBackToTheFiles_data();
    void builtTextParsesBackToTheFiles();
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

void TestHandoffParser::takesAtMost1001Names_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lastName");

    QStringList lines;
    QStringList windows;
    for (int i = 0; i < 1200; ++i) {
        lines << QStringLiteral("/m/%1.mp3").arg(i);
        windows << QStringLiteral("C:\\%1.mp3").arg(i);
    }
    QTest::newRow("lines") << lines.join(u'\n') << "/m/1000.mp3";
    QTest::newRow("drive colons") << windows.join(u' ') << "C:\\1000.mp3";
}

void TestHandoffParser::takesAtMost1001Names()
{
    QFETCH(QString, text);
    QFETCH(QString, lastName);
    const QStringList names = HandoffNames(text);
    QCOMPARE(names.size(), MaxHandoffNames);
    QCOMPARE(names.last(), lastName);
}

void TestHandoffParser::buildsTextFromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");

    QTest::newRow("no arguments") << QStringList{"/usr/bin/Lumo"} << "";
    QTest::newRow("relative") << QStringList{"Lumo", "a.mp3", "sub/b c.wav"}
                              << "/start/a.mp3\n/start/sub/b c.wav";
    QTest::newRow("absolute kept") << QStringList{"Lumo", "/m/a.mp3"} << "/m/a.mp3";
    QTest::newRow("dots cleaned") << QStringList{"Lumo", "../x/./a.mp3"} << "/x/a.mp3";
    QTest::newRow("file url") << QStringList{"Lumo", "file:///m/My%20Music/a.mp3"}
                              << "/m/My Music/a.mp3";
    QTest::newRow("empty argument skipped") << QStringList{"Lumo", "", "a.mp3"} << "/start/a.mp3";
    QTest::newRow("argument with line feed skipped")
        << QStringList{"Lumo", "a\nb.mp3", "c.mp3"} << "/start/c.mp3";
    QTest::newRow("program name never taken") << QStringList{"/start/a.mp3"} << "";
}

void TestHandoffParser::buildsTextFromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    QCOMPARE(BuildHandoffText(arguments, QStringLiteral("/start")), text);
}

void TestHandoffParser::builtTextParsesBackToTheFiles_data()
{
    QTest::addColumn<QStringList>("files");

    QTest::newRow("one plain") << QStringList{"a.mp3"};
    QTest::newRow("one with colon") << QStringList{"C:\\a.mp3"};
    QTest::newRow("quotes and blanks") << QStringList{"\"a b\".mp3", " lead.wav"};
    QTest::newRow("several with colons") << QStringList{"x:y.mp3", "D:\\b.mp3", "c.mid"};
}

void TestHandoffParser::builtTextParsesBackToTheFiles()
{
    QFETCH(QStringList, files);
    QStringList expected;
    for (const QString &file : files)
        expected << QStringLiteral("/start/") + file;
    QCOMPARE(HandoffNames(BuildHandoffText(QStringList{"Lumo"} + files, "/start")), expected);
}

QTEST_GUILESS_MAIN(TestHandoffParser)
#include "tst_handoff_parser.moc"
