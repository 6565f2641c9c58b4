// The player's arguments: the two informational options, "--" and files.
#include "display/command_line.h"

#include <QTest>

using Action = CommandLine::Action;
Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("nothing") << QStringList{"lumo"} << Action::Run << QStringList{};
        QTest::newRow("files") << QStringList{"lumo", "a.mp3", "/m/b c.wav"} << Action::Run
                               << QStringList{"a.mp3", "/m/b c.wav"};
        QTest::newRow("help") << QStringList{"lumo", "--help"} << Action::Help << QStringList{};
        QTest::newRow("short help") << QStringList{"lumo", "-h"} << Action::Help << QStringList{};
        QTest::newRow("version among files")
            << QStringList{"lumo", "a.mp3", "--version"} << Action::Version << QStringList{"a.mp3"};
        QTest::newRow("first option decides")
            << QStringList{"lumo", "--version", "--help"} << Action::Version << QStringList{};
        QTest::newRow("double dash ends options")
            << QStringList{"lumo", "--", "--help", "--version", "--"} << Action::Run
            << QStringList{"--help", "--version", "--"};
        QTest::newRow("other dashes are files") << QStringList{"lumo", "-x", "--verbose"}
                                                << Action::Run << QStringList{"-x", "--verbose"};
        QTest::newRow("options after the files' dash")
            << QStringList{"lumo", "a", "--", "-h"} << Action::Run << QStringList{"a", "-h"};
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QStringList, files);
        QList<QByteArray> bytes;
        for (const QString &argument : arguments)
            bytes << argument.toUtf8();
        const CommandLine line = ParseCommandLine(bytes);
        QCOMPARE(line.action, action);
        QStringList names;
        for (const QByteArray &file : line.files)
            names << QString::fromUtf8(file);
        QCOMPARE(names, files);
    }

    void texts()
    {
        QVERIFY(HelpText(QStringLiteral("/usr/bin/lumo")).contains(QStringLiteral("lumo [")));
        QVERIFY(HelpText(QString()).contains(QStringLiteral("--version")));
        QVERIFY(VersionText().startsWith(QStringLiteral("Lumo 1.")));
        QVERIFY(VersionText().endsWith(QLatin1Char('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
