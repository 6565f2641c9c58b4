// The association tool's stored states and the module's file edits, without any window.

#include "regacc/desktop_entry.h"
#include "regacc/mime_apps_list.h"
#include "specify_ini.h"
#include "system_directory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Id = QByteArrayLiteral("lumo-sorvane.desktop");

} // namespace

class TestSpecifyFiles : public QObject
{
    Q_OBJECT

private slots:
    void readStoredStates_data();
    void readStoredStates();
    void readStoredStatesBeyondReadLimit();
    void writtenStatesReadBack();
    void stateValue_data();
    void stateValue();
    void addDefault_data();
    void addDefault();
    void removeUndoesAdd_data();
    void removeUndoesAdd();
    void removeKeepsOtherPrograms();
    void execLine_data();
    void execLine();
    void captionWithoutMnemonic();
    void entryRoundTrip();
    void systemIconDirectory();
};

void TestSpecifyFiles::readStoredStates_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList seven{" 1 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", " 1 "};
    QTest::newRow("CR LF") << QByteArray(" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n")
                           << seven;
    QTest::newRow("LF") << QByteArray(" 1 \n 0 \n 0 \n 1 \n 0 \n 0 \n 1 \n") << seven;
    QTest::newRow("CR") << QByteArray(" 1 \r 0 \r 0 \r 1 \r 0 \r 0 \r 1 \r") << seven;
    QTest::newRow("last line unended") << QByteArray(" 1 \n 0 \n 0 \n 1 \n 0 \n 0 \n 1 ") << seven;
    QTest::newRow("extra lines") << QByteArray(" 1 \n 0 \n 0 \n 1 \n 0 \n 0 \n 1 \nmore\n")
                                 << seven;
    QTest::newRow("six lines") << QByteArray("1\n1\n1\n1\n1\n1\n") << QStringList();
    QTest::newRow("empty") << QByteArray("") << QStringList();
    QTest::newRow("blank lines count")
        << QByteArray("\n\n\n\n\n\n\n") << QStringList{"", "", "", "", "", "", ""};
}

void TestSpecifyFiles::readStoredStates()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("specify.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const std::optional<QStringList> read = ReadStoredStates(path);
    QCOMPARE(read.has_value(), !lines.isEmpty());
    if (read) {
        QCOMPARE(*read, lines);
    }
    QVERIFY(!ReadStoredStates(directory.filePath(QStringLiteral("missing.ini"))));
    QVERIFY(!ReadStoredStates(directory.path()));
}

void TestSpecifyFiles::readStoredStatesBeyondReadLimit()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("specify.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(200000, '1'));
    file.close();
    QVERIFY(!ReadStoredStates(path));

    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(" 1 \n 1 \n 1 \n 1 \n 1 \n 1 \n 1 \n" + QByteArray(200000, 'x'));
    file.close();
    const std::optional<QStringList> read = ReadStoredStates(path);
    QVERIFY(read);
    QCOMPARE(read->size(), NumFileKinds);
}

void TestSpecifyFiles::writtenStatesReadBack()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("specify.ini"));
    const KindValues values{1, 0, 1, 1, 0, 0, 1};
    QVERIFY(WriteStoredStates(path, values));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(" 1 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n"));
    const std::optional<QStringList> read = ReadStoredStates(path);
    QVERIFY(read);
    for (int i = 0; i < NumFileKinds; ++i) {
        QCOMPARE(StateValue(read->at(i)), values[static_cast<size_t>(i)]);
    }
    // A folder that is missing is made; one under a plain file cannot be.
    QVERIFY(
        WriteStoredStates(directory.filePath(QStringLiteral("no/such/dir/specify.ini")), values));
    QVERIFY(!WriteStoredStates(path + QStringLiteral("/dir/specify.ini"), values));
}

void TestSpecifyFiles::stateValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("value");
    QTest::newRow("print format") << " 1 " << 1;
    QTest::newRow("zero") << " 0 " << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("text") << "abc" << 0;
    QTest::newRow("leading number") << "1abc" << 1;
    QTest::newRow("true") << "-1" << 1;
    QTest::newRow("fraction") << "0.0" << 0;
    QTest::newRow("tab") << "\t1" << 1;
}

void TestSpecifyFiles::stateValue()
{
    QFETCH(QString, line);
    QFETCH(int, value);
    QCOMPARE(StateValue(line), value);
}

void TestSpecifyFiles::addDefault_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("empty file") << QByteArray()
                                << QByteArray("[Default Applications]\nvideo/mpeg=" + Id + ";\n");
    QTest::newRow("other group only")
        << QByteArray("[Added Associations]\nvideo/mpeg=vlc.desktop;")
        << QByteArray("[Added Associations]\nvideo/mpeg=vlc.desktop;\n[Default Applications]\n"
                      "video/mpeg=" +
                      Id + ";\n");
    QTest::newRow("group without the type")
        << QByteArray("[Default Applications]\r\naudio/mpeg=x.desktop;\r\n")
        << QByteArray("[Default Applications]\r\nvideo/mpeg=" + Id +
                      ";\r\naudio/mpeg=x.desktop;\r\n");
    QTest::newRow("type owned by another program")
        << QByteArray("# mine\n[Default Applications]\nvideo/mpeg=vlc.desktop;mpv.desktop;\n")
        << QByteArray("# mine\n[Default Applications]\nvideo/mpeg=" + Id +
                      ";vlc.desktop;mpv.desktop;\n");
    QTest::newRow("already ours, later in the list")
        << QByteArray("[Default Applications]\nvideo/mpeg=vlc.desktop;" + Id + ";\n")
        << QByteArray("[Default Applications]\nvideo/mpeg=" + Id + ";vlc.desktop;\n");
    QTest::newRow("spaced key") << QByteArray("[Default Applications]\nvideo/mpeg = vlc.desktop\n")
                                << QByteArray("[Default Applications]\nvideo/mpeg = " + Id +
                                              ";vlc.desktop\n");
    QTest::newRow("similar key untouched")
        << QByteArray("[Default Applications]\nvideo/mpeg4=vlc.desktop;\n")
        << QByteArray("[Default Applications]\nvideo/mpeg=" + Id + ";\nvideo/mpeg4=vlc.desktop;\n");
    QByteArray binary("\xff\xfe");
    binary += '\0';
    binary += "garbage\n[Default Applications]";
    QTest::newRow("binary bytes kept")
        << binary << QByteArray(binary + "\nvideo/mpeg=" + Id + ";\n");
}

void TestSpecifyFiles::addDefault()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QByteArray added = AddDefaultApplication(before, "video/mpeg", Id);
    QCOMPARE(added, after);
    QCOMPARE(AddDefaultApplication(added, "video/mpeg", Id), after);
}

void TestSpecifyFiles::removeUndoesAdd_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("owned by another program") << QByteArray(
        "[Default Applications]\nvideo/mpeg=vlc.desktop\ntext/plain=gedit.desktop;\n");
    QTest::newRow("list with trailing separator")
        << QByteArray("[Default Applications]\r\nvideo/mpeg=vlc.desktop;mpv.desktop;\r\n");
    QTest::newRow("group without the type")
        << QByteArray("[Default Applications]\ntext/plain=gedit.desktop;\n[Other]\nk=v");
    QTest::newRow("comment and blank lines")
        << QByteArray("# keep\n\n[Default Applications]\n\n# and this\n");
    QTest::newRow("two default groups")
        << QByteArray("[Default Applications]\nvideo/mpeg=a.desktop\n[Default Applications]\n"
                      "video/mpeg=b.desktop\n");
}

void TestSpecifyFiles::removeUndoesAdd()
{
    QFETCH(QByteArray, before);
    const QByteArray added = AddDefaultApplication(before, "video/mpeg", Id);
    QVERIFY(added != before);
    QCOMPARE(RemoveDefaultApplication(added, "video/mpeg", Id), before);
}

void TestSpecifyFiles::removeKeepsOtherPrograms()
{
    const QByteArray text("[Default Applications]\nvideo/mpeg=" + Id + ";\naudio/mpeg=" + Id +
                          ";vlc.desktop;\n[Added Associations]\n"
                          "video/mpeg=" +
                          Id + ";\n");
    QByteArray result = RemoveDefaultApplication(text, "video/mpeg", Id);
    result = RemoveDefaultApplication(result, "audio/mpeg", Id);
    QCOMPARE(result, QByteArray("[Default Applications]\naudio/mpeg=vlc.desktop;\n"
                                "[Added Associations]\nvideo/mpeg=" +
                                Id + ";\n"));
    QCOMPARE(RemoveDefaultApplication(result, "audio/mpeg", Id), result);
}

void TestSpecifyFiles::execLine_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain path") << "/usr/bin/Lumo"
                                << " \"%L\""
                                << "/usr/bin/Lumo %F";
    QTest::newRow("unquoted code") << "/usr/bin/Lumo"
                                   << " %1"
                                   << "/usr/bin/Lumo %F";
    QTest::newRow("space in path") << "/opt/my apps/Lumo"
                                   << " \"%L\""
                                   << "\"/opt/my apps/Lumo\" %F";
    QTest::newRow("reserved characters") << "/opt/a$b\"c/Lumo"
                                         << " \"%L\""
                                         << "\"/opt/a\\$b\\\"c/Lumo\" %F";
    QTest::newRow("percent") << "/opt/100%/Lumo"
                             << " \"%L\""
                             << "/opt/100%%/Lumo %F";
    QTest::newRow("no suffix") << "/usr/bin/Lumo"
                               << ""
                               << "/usr/bin/Lumo";
}

void TestSpecifyFiles::execLine()
{
    QFETCH(QString, program);
    QFETCH(QString, suffix);
    QFETCH(QString, exec);
    QCOMPARE(DesktopExecLine(program, suffix), exec);
}

void TestSpecifyFiles::captionWithoutMnemonic()
{
    QCOMPARE(CaptionWithoutMnemonic(QStringLiteral("sorvaneで再生(&P)")),
             QStringLiteral("sorvaneで再生"));
    QCOMPARE(CaptionWithoutMnemonic(QStringLiteral("&Play && pause")),
             QStringLiteral("Play & pause"));
}

void TestSpecifyFiles::entryRoundTrip()
{
    AssociationEntry entry;
    entry.name = QStringLiteral("sorvaneで再生");
    entry.exec = DesktopExecLine(QStringLiteral("/opt/a\\b/Lumo"), QStringLiteral(" \"%L\""));
    entry.icon = QStringLiteral("audio-x-generic");
    entry.extensions = {QStringLiteral("wav"), QStringLiteral("mpg"), QStringLiteral("mpeg")};
    const QByteArray text = FormatAssociationEntry(entry);
    QVERIFY(text.contains(
        "\nMimeType=audio/x-wav;audio/vnd.wave;audio/wav;video/mpeg;video/mpeg-system;video/x-mpeg;"
        "video/x-mpeg-system;video/x-mpeg2;\n"));
    QVERIFY(text.contains("\nExec=\"/opt/a\\\\\\\\b/Lumo\" %F\n"));
    const AssociationEntry read = ParseAssociationEntry(text);
    QCOMPARE(read.name, entry.name);
    QCOMPARE(read.exec, entry.exec);
    QCOMPARE(read.icon, entry.icon);
    QCOMPARE(read.extensions, entry.extensions);

    const AssociationEntry damaged =
        ParseAssociationEntry("garbage\n[Other]\nX-Lumo-Extensions=avi;\n[Desktop Entry]\n"
                              "X-Lumo-Extensions=exe;mid;;mid;\n\xff");
    QCOMPARE(damaged.extensions, QStringList{QStringLiteral("mid")});
}

void TestSpecifyFiles::systemIconDirectory()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QVERIFY(QDir(second.path()).mkpath(QStringLiteral("icons/hicolor/48x48/mimetypes")));
    QCOMPARE(SystemIconDirectory({first.path(), second.path()}),
             second.path() + QStringLiteral("/icons/hicolor/48x48/mimetypes/"));
    QCOMPARE(SystemIconDirectory({first.path()}),
             QStringLiteral("/usr/share/icons/hicolor/48x48/mimetypes/"));
    QCOMPARE(WithTrailingSlash(QStringLiteral("/a")), QStringLiteral("/a/"));
    QCOMPARE(WithTrailingSlash(QStringLiteral("/a/")), QStringLiteral("/a/"));
}

QTEST_MAIN(TestSpecifyFiles)
#include "tst_specify_files.moc"
