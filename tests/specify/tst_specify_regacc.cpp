// The real RegAcc module (libRegAcc.so from the build) against temporary XDG directories,
// with xdg-mime as the independent reader of the result.

#include "reg_acc_library.h"
#include "specify.h"
#include "specify_prompts.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString OurEntry = QStringLiteral("lumo-sorvane.desktop");
const QString Verb = QStringLiteral("sorvaneで再生(&P)");
const QString Suffix = QStringLiteral(" \"%L\"");

const QByteArray UserList("# the user's own choices\n"
                          "[Default Applications]\n"
                          "text/plain=gedit.desktop;\n"
                          "video/mpeg=other.desktop;\n"
                          "\n"
                          "[Added Associations]\n"
                          "video/mpeg=other.desktop;\n");

// Answers every question with Yes and records the texts shown.
class YesPrompts : public SpecifyPrompts
{
public:
    QMessageBox::StandardButton Ask(QMessageBox::Icon, const QString &, const QString &text,
                                    QMessageBox::StandardButtons buttons) override
    {
        texts.append(text);
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString OpenFileName(const QString &, const QString &) override { return {}; }

    QStringList texts;
};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestSpecifyRegAcc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void mpegTickedThenUntickedThroughWindow();
    void sharedTypeStaysWhileAnotherExtensionNeedsIt();
    void desktopEntryIsValid();
    void iconArguments();
    void damagedListKeepsEveryOtherByte();
    void oversizedListIsLeftAlone();
    void symlinkedListStaysALink();
    void unwritableConfigurationChangesNothing();
    void missingModuleStillCompletes();
    void listWithoutDefaultsIsLeftAsItWas_data();
    void listWithoutDefaultsIsLeftAsItWas();

private:
    QString QueryDefault(const QString &mimeType);
    QString ConfigHome() const { return root->filePath(QStringLiteral("config")); }
    QString DataHome() const { return root->filePath(QStringLiteral("data")); }
    QString MimeApps() const { return ConfigHome() + QStringLiteral("/mimeapps.list"); }
    QString EntryPath() const { return DataHome() + QStringLiteral("/applications/") + OurEntry; }

    std::unique_ptr<QTemporaryDir> root;
    std::unique_ptr<RegAccLibrary> regAcc;
    QString playerPath;
};

void TestSpecifyRegAcc::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY2(QFileInfo::exists(QStringLiteral(LUMO_BIN_DIR "/libRegAcc.so")),
             "libRegAcc.so must be built beside the tests");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty(),
             "xdg-mime (xdg-utils) is needed");
}

void TestSpecifyRegAcc::init()
{
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    for (const char *sub :
         {"config", "data/applications", "system-data", "system-config", "home"}) {
        QVERIFY(QDir(root->path()).mkpath(QString::fromLatin1(sub)));
    }
    qputenv("XDG_CONFIG_HOME", ConfigHome().toUtf8());
    qputenv("XDG_DATA_HOME", DataHome().toUtf8());

    playerPath = root->filePath(QStringLiteral("bin/Lumo"));
    WriteAll(playerPath, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(playerPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteAll(DataHome() + QStringLiteral("/applications/other.desktop"),
             "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n"
             "MimeType=video/mpeg;\n");
    WriteAll(MimeApps(), UserList);
    regAcc = std::make_unique<RegAccLibrary>(QStringList{QStringLiteral(LUMO_BIN_DIR "/RegAcc")});
    QVERIFY(regAcc->Load());
}

void TestSpecifyRegAcc::cleanup()
{
    regAcc.reset();
    root.reset();
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

// What xdg-mime names as the default application, run as on a desktop of no known kind.
QString TestSpecifyRegAcc::QueryDefault(const QString &mimeType)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION",
                             "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID",
                             "MATE_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("HOME"), root->filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigHome());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), DataHome());
    environment.insert(QStringLiteral("XDG_DATA_DIRS"),
                       root->filePath(QStringLiteral("system-data")));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"),
                       root->filePath(QStringLiteral("system-config")));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(20000)) {
        process.kill();
        return QStringLiteral("<xdg-mime did not finish>");
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

void TestSpecifyRegAcc::mpegTickedThenUntickedThroughWindow()
{
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), QStringLiteral("other.desktop"));

    YesPrompts prompts;
    SpecifyEnvironment environment;
    environment.programDirectory = root->path();
    environment.defaultPlayerPath = playerPath;
    environment.systemDirectory = QStringLiteral("/usr/share/icons/hicolor/48x48/mimetypes/");
    environment.regAcc = regAcc.get();
    environment.prompts = &prompts;
    {
        Specify window(environment);
        window.Check[1]->setChecked(true);
        window.Command3_Click();
        QCOMPARE(prompts.texts.last(), QStringLiteral("関連付けが完了しました。"));
    }
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), OurEntry);
    QCOMPARE(QueryDefault(QStringLiteral("text/plain")).isEmpty(), true);
    QVERIFY(ReadAll(MimeApps()).contains("\ntext/plain=gedit.desktop;\n"));
    QVERIFY(ReadAll(EntryPath()).contains("\nExec=" + playerPath.toUtf8() + " %F\n"));

    {
        Specify window(environment);
        QVERIFY(window.Check[1]->isChecked());
        window.Check[1]->setChecked(false);
        window.Command3_Click();
    }
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), QStringLiteral("other.desktop"));
    QCOMPARE(ReadAll(MimeApps()), UserList);
    QVERIFY(!QFileInfo::exists(EntryPath()));
}

void TestSpecifyRegAcc::sharedTypeStaysWhileAnotherExtensionNeedsIt()
{
    for (const char *extension : {"mpg", "mpeg", "wav"}) {
        regAcc->Specify(QString::fromLatin1(extension), QStringLiteral("MPEG ファイル"), Verb,
                        Suffix, playerPath, playerPath, 1, 1);
    }
    regAcc->UnSpecify(QStringLiteral("mpg"), Verb, playerPath, QString(), 1);
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), OurEntry);
    QCOMPARE(QueryDefault(QStringLiteral("audio/wav")), OurEntry);
    QCOMPARE(QueryDefault(QStringLiteral("audio/x-wav")), OurEntry);
    regAcc->UnSpecify(QStringLiteral("mpeg"), Verb, playerPath, QString(), 1);
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), QStringLiteral("other.desktop"));
    QCOMPARE(QueryDefault(QStringLiteral("audio/wav")), OurEntry);
    const QByteArray entry = ReadAll(EntryPath());
    QVERIFY(entry.contains("\nMimeType=audio/x-wav;audio/vnd.wave;audio/wav;\n"));
    regAcc->UnSpecify(QStringLiteral("wav"), Verb, playerPath, QString(), 4);
    QCOMPARE(ReadAll(MimeApps()), UserList);
    QVERIFY(!QFileInfo::exists(EntryPath()));
}

void TestSpecifyRegAcc::desktopEntryIsValid()
{
    regAcc->Specify(QStringLiteral("mid"), QStringLiteral("MIDI ファイル"), Verb, Suffix,
                    playerPath, QStringLiteral("/nonexistent/quartz.dll"), 8, 1);
    const QByteArray entry = ReadAll(EntryPath());
    QVERIFY(entry.contains("\nName=sorvaneで再生\n"));
    QVERIFY(entry.contains("\nMimeType=audio/midi;audio/x-midi;\n"));
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) {
        QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
    }
    QProcess process;
    process.start(validator, {EntryPath()});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    const QByteArray report = process.readAllStandardOutput() + process.readAllStandardError();
    QVERIFY2(!report.contains("error"), report.constData());
}

void TestSpecifyRegAcc::iconArguments()
{
    const QString picture = root->filePath(QStringLiteral("sound.png"));
    WriteAll(picture, "not really a picture, but a file of an image type");
    regAcc->Specify(QStringLiteral("mp3"), QStringLiteral("MPEG Audio ファイル"), Verb, Suffix,
                    playerPath, picture, 4, 1);
    QVERIFY(ReadAll(EntryPath()).contains("\nIcon=" + picture.toUtf8() + "\n"));
    regAcc->Specify(QStringLiteral("wma"), QStringLiteral("Windows Media Audio ファイル"), Verb,
                    Suffix, playerPath, QString(), 0, 1);
    QVERIFY(ReadAll(EntryPath()).contains("\nIcon=" + picture.toUtf8() + "\n"));
    regAcc->Specify(QStringLiteral("avi"), QStringLiteral("AVI ファイル"), Verb, Suffix, playerPath,
                    QStringLiteral("/usr/share/quartz.dll"), 0, 1);
    QVERIFY(ReadAll(EntryPath()).contains("\nIcon=video-x-generic\n"));
}

void TestSpecifyRegAcc::damagedListKeepsEveryOtherByte()
{
    QByteArray damaged("\xef\xbb\xbf[Default Applications\r\nno equals sign\r\n");
    damaged += QByteArray(3, '\0');
    damaged += "\r\n[Default Applications]\r\naudio/midi = other.desktop;\r\n=\r\n[unclosed";
    WriteAll(MimeApps(), damaged);
    regAcc->Specify(QStringLiteral("mid"), QStringLiteral("MIDI ファイル"), Verb, Suffix,
                    playerPath, QString(), 8, 1);
    const QByteArray edited = ReadAll(MimeApps());
    QVERIFY(edited.contains("\r\naudio/midi = lumo-sorvane.desktop;other.desktop;\r\n"));
    regAcc->UnSpecify(QStringLiteral("mid"), Verb, playerPath, QString(), 8);
    QCOMPARE(ReadAll(MimeApps()), damaged);
}

void TestSpecifyRegAcc::oversizedListIsLeftAlone()
{
    QByteArray huge = UserList;
    huge += QByteArray(9 << 20, '#');
    WriteAll(MimeApps(), huge);
    regAcc->Specify(QStringLiteral("wmv"), QStringLiteral("Windows Media Video ファイル"), Verb,
                    Suffix, playerPath, QString(), 0, 1);
    QCOMPARE(ReadAll(MimeApps()), huge);
}

void TestSpecifyRegAcc::symlinkedListStaysALink()
{
    const QString target = root->filePath(QStringLiteral("dotfiles/mimeapps.list"));
    WriteAll(target, UserList);
    QFile::remove(MimeApps());
    QVERIFY(QFile::link(target, MimeApps()));
    regAcc->Specify(QStringLiteral("mpg"), QStringLiteral("MPEG ファイル"), Verb, Suffix,
                    playerPath, playerPath, 1, 1);
    QVERIFY(QFileInfo(MimeApps()).isSymLink());
    QCOMPARE(QueryDefault(QStringLiteral("video/mpeg")), OurEntry);
    regAcc->UnSpecify(QStringLiteral("mpg"), Verb, playerPath, QString(), 1);
    QVERIFY(QFileInfo(MimeApps()).isSymLink());
    QCOMPARE(ReadAll(target), UserList);
}

void TestSpecifyRegAcc::unwritableConfigurationChangesNothing()
{
    // A configuration directory under a plain file cannot be created, whoever runs the test.
    const QString blocker = root->filePath(QStringLiteral("blocker"));
    WriteAll(blocker, "a file, not a directory");
    qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toUtf8());
    regAcc->Specify(QStringLiteral("mpg"), QStringLiteral("MPEG ファイル"), Verb, Suffix,
                    playerPath, playerPath, 1, 1);
    QCOMPARE(ReadAll(blocker), QByteArray("a file, not a directory"));

    // A mimeapps.list that cannot be read is never rewritten.
    qputenv("XDG_CONFIG_HOME", ConfigHome().toUtf8());
    QFile::remove(MimeApps());
    QVERIFY(QDir().mkpath(MimeApps()));
    regAcc->Specify(QStringLiteral("mpeg"), QStringLiteral("MPEG ファイル"), Verb, Suffix,
                    playerPath, playerPath, 1, 1);
    QVERIFY(QFileInfo(MimeApps()).isDir());
    QVERIFY(QDir(MimeApps()).isEmpty());
}

void TestSpecifyRegAcc::missingModuleStillCompletes()
{
    QTemporaryDir empty;
    RegAccLibrary missing({empty.path() + QStringLiteral("/RegAcc")});
    QVERIFY(!missing.Load());
    YesPrompts prompts;
    SpecifyEnvironment environment;
    environment.programDirectory = empty.path();
    environment.defaultPlayerPath = playerPath;
    environment.regAcc = &missing;
    environment.prompts = &prompts;
    Specify window(environment);
    window.Command1_Click();
    window.Command3_Click();
    QCOMPARE(prompts.texts.last(), QStringLiteral("関連付けが完了しました。"));
    QVERIFY(QFileInfo::exists(window.SettingsPath()));
    QCOMPARE(ReadAll(MimeApps()), UserList);
}

void TestSpecifyRegAcc::listWithoutDefaultsIsLeftAsItWas_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("no list") << false << QByteArray();
    QTest::newRow("empty list") << true << QByteArray();
    QTest::newRow("other group") << true << QByteArray("[Added Associations]\nvideo/mpeg=a;\n");
    QTest::newRow("last line without its end")
        << true << QByteArray("# mine\r\n[Added Associations]\r\nvideo/mpeg=a;");
}

// Every association taken back again leaves a list that had no [Default Applications] group
// byte for byte as it was, or absent when it was absent.
void TestSpecifyRegAcc::listWithoutDefaultsIsLeftAsItWas()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFile::remove(MimeApps());
    if (exists) {
        WriteAll(MimeApps(), before);
    }
    const QStringList extensions{QStringLiteral("mpg"), QStringLiteral("mp3"),
                                 QStringLiteral("mid")};
    for (const QString &extension : extensions) {
        regAcc->Specify(extension, QStringLiteral("kind"), Verb, Suffix, playerPath, QString(), 0,
                        1);
    }
    QCOMPARE(QueryDefault(QStringLiteral("audio/mpeg")), OurEntry);
    for (const QString &extension : extensions) {
        regAcc->UnSpecify(extension, Verb, playerPath, QString(), 0);
    }
    QCOMPARE(QFileInfo::exists(MimeApps()), exists);
    QCOMPARE(ReadAll(MimeApps()), before);
    QVERIFY(!QFileInfo::exists(EntryPath()));
}

QTEST_MAIN(TestSpecifyRegAcc)
#include "tst_specify_regacc.moc"
