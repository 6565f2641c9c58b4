// The association tool's window driven with a recording RegAcc double and scripted dialogs.

#include "reg_acc_library.h"
#include "specify.h"
#include "specify_prompts.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One call that reached the module double.
struct RegAccCall
{
    QString function;
    QString extension;
    QString description;
    QString verbCaption;
    QString commandSuffix;
    QString programPath;
    QString iconFile;
    int iconIndex = 0;
    int mode = 0;
};

class RecordingRegAcc : public RegAccApi
{
public:
    void Specify(const QString &extension, const QString &description, const QString &verbCaption,
                 const QString &commandSuffix, const QString &programPath, const QString &iconFile,
                 int iconIndex, int mode) override
    {
        calls.append({QStringLiteral("Specify"), extension, description, verbCaption, commandSuffix,
                      programPath, iconFile, iconIndex, mode});
    }
    void UnSpecify(const QString &extension, const QString &verbCaption, const QString &programPath,
                   const QString &unused, int iconIndex) override
    {
        calls.append({QStringLiteral("UnSpecify"), extension, unused, verbCaption, QString(),
                      programPath, QString(), iconIndex, 0});
    }

    QList<RegAccCall> calls;
};

// One message box as it was shown.
struct ShownBox
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Answers message boxes from a script (Yes, then OK, when the script runs out) and the file
// dialog with a fixed name.
class ScriptedPrompts : public SpecifyPrompts
{
public:
    QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString &title,
                                    const QString &text,
                                    QMessageBox::StandardButtons buttons) override
    {
        boxes.append({icon, title, text, buttons});
        if (!answers.isEmpty()) {
            return answers.takeFirst();
        }
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString OpenFileName(const QString &title, const QString &filter) override
    {
        dialogs.append(title + u'|' + filter);
        return chosenFile;
    }

    QList<QMessageBox::StandardButton> answers;
    QList<ShownBox> boxes;
    QStringList dialogs;
    QString chosenFile;
};

const QString Done = QStringLiteral("関連付けが完了しました。");
const QString ExecuteTitle = QStringLiteral("関連付けの実行");

} // namespace

class TestSpecifyWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void controlsAreLaidOutInPixels_data();
    void controlsAreLaidOutInPixels();
    void loadReadsStoredStates_data();
    void loadReadsStoredStates();
    void firstRunWithNothingTickedOnlyWarns();
    void mpegRegistersBothExtensionsWithPlayerIcon();
    void untickingWaveUnregistersOnlyWave();
    void keptIconsPassEmptyIconFiles();
    void secondRunWithoutChangesCallsNothing();
    void registrationMadeThisSessionCanBeRemoved();
    void missingPlayerAsksForIt();
    void missingPlayerDeclinedStopsWithoutChanges();
    void cancelledFileDialogStopsWithoutChanges();
    void declinedConfirmationStopsWithoutChanges();
    void unsavableChoicesChangeNothing();
    void choicesKeptBesideProgramOrForUser_data();
    void choicesKeptBesideProgramOrForUser();
    void cancelClosesWindow();

private:
    std::unique_ptr<Specify> MakeWindow();
    void WriteIni(const QByteArray &bytes);
    QByteArray ReadIni() const;
    QList<RegAccCall> CallsOf(const QString &function) const;

    std::unique_ptr<QTemporaryDir> directory;
    QString playerPath;
    RecordingRegAcc regAcc;
    ScriptedPrompts prompts;
};

void TestSpecifyWindow::init()
{
    directory = std::make_unique<QTemporaryDir>();
    QVERIFY(directory->isValid());
    playerPath = directory->filePath(QStringLiteral("Lumo"));
    QFile player(playerPath);
    QVERIFY(player.open(QIODevice::WriteOnly));
    regAcc.calls.clear();
    prompts = ScriptedPrompts();
}

void TestSpecifyWindow::cleanup()
{
    qunsetenv("XDG_CONFIG_HOME");
    directory.reset();
}

std::unique_ptr<Specify> TestSpecifyWindow::MakeWindow()
{
    SpecifyEnvironment environment;
    environment.programDirectory = directory->path();
    environment.defaultPlayerPath = playerPath;
    environment.systemDirectory = QStringLiteral("/usr/share/icons/hicolor/48x48/mimetypes/");
    environment.regAcc = &regAcc;
    environment.prompts = &prompts;
    return std::make_unique<Specify>(environment);
}

void TestSpecifyWindow::WriteIni(const QByteArray &bytes)
{
    QFile file(directory->filePath(QStringLiteral("specify.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestSpecifyWindow::ReadIni() const
{
    QFile file(directory->filePath(QStringLiteral("specify.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<RegAccCall> TestSpecifyWindow::CallsOf(const QString &function) const
{
    QList<RegAccCall> result;
    for (const RegAccCall &call : regAcc.calls) {
        if (call.function == function) {
            result.append(call);
        }
    }
    return result;
}

void TestSpecifyWindow::controlsAreLaidOutInPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("FrameMovie") << "FrameMovie" << QRect(16, 72, 249, 105) << "ムービーファイル";
    QTest::newRow("Frame2") << "Frame2" << QRect(16, 184, 249, 129) << "サウンドファイル";
    QTest::newRow("Check(1)") << "Check1" << QRect(16, 48, 169, 17)
                              << "MPEG ファイル （mpg, mpeg）";
    QTest::newRow("Check(6)") << "Check6" << QRect(16, 96, 129, 17) << "MIDI ファイル （mid）";
    QTest::newRow("CheckIcon") << "CheckIcon" << QRect(32, 320, 153, 17)
                               << "アイコン画像を変更しない";
    QTest::newRow("Command3") << "Command3" << QRect(280, 272, 97, 25) << "関連付けを実行";
    QTest::newRow("Command4") << "Command4" << QRect(280, 312, 97, 25) << "キャンセル";
}

void TestSpecifyWindow::controlsAreLaidOutInPixels()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    auto window = MakeWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Lumo Specify"));
    QCOMPARE(window->size(), QSize(393, 353));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    const QMap<QString, QWidget *> controls{{QStringLiteral("FrameMovie"), window->FrameMovie},
                                            {QStringLiteral("Frame2"), window->Frame2},
                                            {QStringLiteral("Check1"), window->Check[1]},
                                            {QStringLiteral("Check6"), window->Check[6]},
                                            {QStringLiteral("CheckIcon"), window->CheckIcon},
                                            {QStringLiteral("Command3"), window->Command3},
                                            {QStringLiteral("Command4"), window->Command4}};
    QWidget *control = controls.value(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QString shown = control->property("title").toString();
    if (shown.isEmpty()) {
        shown = control->property("text").toString();
    }
    QCOMPARE(shown, caption);
    QCOMPARE(window->Check[1]->parentWidget(), window->FrameMovie);
    QCOMPARE(window->Check[3]->parentWidget(), window->Frame2);
    QVERIFY(window->FrameMovie->font().bold());
    QVERIFY(!window->Check[0]->font().bold());
}

void TestSpecifyWindow::loadReadsStoredStates_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<bool>>("ticked");
    QTest::addColumn<bool>("noAssociation");
    const QList<bool> none(NumFileKinds, false);
    QTest::newRow("missing") << QByteArray() << none << true;
    QTest::newRow("all zero") << QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n")
                              << none << true;
    QTest::newRow("written form") << QByteArray(" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n 1 \r\n")
                                  << QList<bool>{true, false, false, true, false, false, true}
                                  << false;
    QTest::newRow("six lines") << QByteArray("1\n1\n1\n1\n1\n1\n") << none << true;
    QTest::newRow("garbage lines")
        << QByteArray("x\n\xff\xfe\n1\n\n-1\n0\n2abc")
        << QList<bool>{false, false, true, false, true, false, true} << false;
}

void TestSpecifyWindow::loadReadsStoredStates()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<bool>, ticked);
    QFETCH(bool, noAssociation);
    if (!file.isEmpty()) {
        WriteIni(file);
    }
    auto window = MakeWindow();
    for (int i = 0; i < NumFileKinds; ++i) {
        QCOMPARE(window->Check[static_cast<size_t>(i)]->isChecked(), ticked.at(i));
    }
    QCOMPARE(window->NoAssociationFlag, noAssociation);
    QVERIFY(window->Label->text().contains(QStringLiteral("このプログラムは、")));
}

void TestSpecifyWindow::firstRunWithNothingTickedOnlyWarns()
{
    auto window = MakeWindow();
    window->Command3_Click();
    QCOMPARE(prompts.boxes.size(), 1);
    const ShownBox &box = prompts.boxes.first();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.title, QStringLiteral("Lumo Specify"));
    QCOMPARE(box.text, QStringLiteral("Lumoはどのファイルの種類にも関連付けされていないので、\r\n"
                                      "関連付けを解除することはできません。"));
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(regAcc.calls.isEmpty());
    QVERIFY(!QFile::exists(window->SettingsPath()));
}

void TestSpecifyWindow::mpegRegistersBothExtensionsWithPlayerIcon()
{
    auto window = MakeWindow();
    window->Check[1]->setChecked(true);
    window->Command3_Click();
    QCOMPARE(regAcc.calls.size(), 2);
    const QStringList extensions{QStringLiteral("mpg"), QStringLiteral("mpeg")};
    for (int i = 0; i < 2; ++i) {
        const RegAccCall &call = regAcc.calls.at(i);
        QCOMPARE(call.function, QStringLiteral("Specify"));
        QCOMPARE(call.extension, extensions.at(i));
        QCOMPARE(call.description, QStringLiteral("MPEG ファイル"));
        QCOMPARE(call.verbCaption, QStringLiteral("sorvaneで再生(&P)"));
        QCOMPARE(call.commandSuffix, QStringLiteral(" \"%L\""));
        QCOMPARE(call.programPath, playerPath);
        QCOMPARE(call.iconFile, playerPath);
        QCOMPARE(call.iconIndex, 1);
        QCOMPARE(call.mode, 1);
    }
    QCOMPARE(prompts.boxes.size(), 2);
    QCOMPARE(prompts.boxes.at(0).text,
             QStringLiteral("関連付けを実行します。\r\nよろしいですか？"));
    QCOMPARE(prompts.boxes.at(0).title, ExecuteTitle);
    QCOMPARE(prompts.boxes.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(prompts.boxes.at(1).text, Done);
    QCOMPARE(prompts.boxes.at(1).title, ExecuteTitle);
    QCOMPARE(ReadIni(), QByteArray(" 0 \r\n 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"));
}

void TestSpecifyWindow::untickingWaveUnregistersOnlyWave()
{
    WriteIni(" 1 \r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n");
    auto window = MakeWindow();
    window->Check[3]->setChecked(false);
    window->Command3_Click();
    QCOMPARE(regAcc.calls.size(), 1);
    const RegAccCall &call = regAcc.calls.first();
    QCOMPARE(call.function, QStringLiteral("UnSpecify"));
    QCOMPARE(call.extension, QStringLiteral("wav"));
    QCOMPARE(call.verbCaption, QStringLiteral("sorvaneで再生(&P)"));
    QCOMPARE(call.programPath, playerPath);
    QCOMPARE(call.description, QString());
    QCOMPARE(call.iconIndex, 4);
}

void TestSpecifyWindow::keptIconsPassEmptyIconFiles()
{
    auto window = MakeWindow();
    window->Command1_Click();
    window->CheckIcon->setChecked(true);
    window->Command3_Click();
    const QList<RegAccCall> calls = CallsOf(QStringLiteral("Specify"));
    QCOMPARE(calls.size(), 10);
    QStringList order;
    for (const RegAccCall &call : calls) {
        QVERIFY2(call.iconFile.isEmpty(), qPrintable(call.extension));
        order.append(call.extension + u':' + QString::number(call.iconIndex));
    }
    QCOMPARE(order.join(u' '),
             QStringLiteral("avi:0 mpg:1 mpeg:1 wmv:0 wav:4 mp1:2 mp2:3 mp3:4 wma:0 mid:8"));
}

void TestSpecifyWindow::secondRunWithoutChangesCallsNothing()
{
    auto window = MakeWindow();
    window->Check[0]->setChecked(true);
    window->Check[6]->setChecked(true);
    window->Command3_Click();
    QCOMPARE(regAcc.calls.size(), 2);
    QCOMPARE(regAcc.calls.at(0).iconFile,
             QStringLiteral("/usr/share/icons/hicolor/48x48/mimetypes/quartz.dll"));
    regAcc.calls.clear();
    prompts.boxes.clear();
    QFile::remove(window->SettingsPath());
    window->Command3_Click();
    QVERIFY(regAcc.calls.isEmpty());
    QCOMPARE(ReadIni(), QByteArray(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n"));
    QCOMPARE(prompts.boxes.size(), 2);
    QCOMPARE(prompts.boxes.last().text, Done);
}

void TestSpecifyWindow::registrationMadeThisSessionCanBeRemoved()
{
    auto window = MakeWindow();
    window->Check[2]->setChecked(true);
    window->Command3_Click();
    window->Check[2]->setChecked(false);
    regAcc.calls.clear();
    window->Command3_Click();
    QCOMPARE(CallsOf(QStringLiteral("UnSpecify")).size(), 1);
    QCOMPARE(regAcc.calls.first().extension, QStringLiteral("wmv"));
    QVERIFY(window->NoAssociationFlag);
}

void TestSpecifyWindow::missingPlayerAsksForIt()
{
    QFile::remove(playerPath);
    prompts.chosenFile = QStringLiteral("  /opt/lumo/Lumo  ");
    auto window = MakeWindow();
    window->Check[5]->setChecked(true);
    window->Command3_Click();
    const ShownBox &ask = prompts.boxes.first();
    QCOMPARE(ask.icon, QMessageBox::Warning);
    QCOMPARE(ask.title, ExecuteTitle);
    QCOMPARE(ask.text, QStringLiteral("Lumoが見つかりません。\r\n手動で指定してください。"));
    QCOMPARE(ask.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(prompts.dialogs.size(), 1);
    QVERIFY(prompts.dialogs.first().startsWith(QStringLiteral("Lumo.exeの指定|実行ファイル")));
    QCOMPARE(regAcc.calls.size(), 1);
    QCOMPARE(regAcc.calls.first().programPath, QStringLiteral("/opt/lumo/Lumo"));
    QCOMPARE(regAcc.calls.first().iconFile, QString());
}

void TestSpecifyWindow::missingPlayerDeclinedStopsWithoutChanges()
{
    QFile::remove(playerPath);
    prompts.answers = {QMessageBox::No};
    auto window = MakeWindow();
    window->Check[0]->setChecked(true);
    window->Command3_Click();
    QCOMPARE(prompts.boxes.size(), 1);
    QVERIFY(prompts.dialogs.isEmpty());
    QVERIFY(regAcc.calls.isEmpty());
    QVERIFY(!QFile::exists(window->SettingsPath()));
}

void TestSpecifyWindow::cancelledFileDialogStopsWithoutChanges()
{
    QFile::remove(playerPath);
    prompts.chosenFile = QStringLiteral("   ");
    auto window = MakeWindow();
    window->Check[0]->setChecked(true);
    window->Command3_Click();
    QCOMPARE(prompts.dialogs.size(), 1);
    QCOMPARE(prompts.boxes.size(), 1);
    QVERIFY(regAcc.calls.isEmpty());
    QVERIFY(!QFile::exists(window->SettingsPath()));
}

void TestSpecifyWindow::declinedConfirmationStopsWithoutChanges()
{
    WriteIni(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n");
    prompts.answers = {QMessageBox::No};
    auto window = MakeWindow();
    window->Command2_Click();
    window->Command3_Click();
    QCOMPARE(prompts.boxes.size(), 1);
    QVERIFY(regAcc.calls.isEmpty());
    QCOMPARE(ReadIni(), QByteArray(" 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n 0 \r\n 0 \r\n"));
}

void TestSpecifyWindow::unsavableChoicesChangeNothing()
{
    auto window = MakeWindow();
    QVERIFY(QDir(directory->path()).mkdir(QStringLiteral("specify.ini")));
    window->Check[4]->setChecked(true);
    window->Command3_Click();
    QVERIFY(regAcc.calls.isEmpty());
    const ShownBox last = prompts.boxes.last();
    QCOMPARE(last.icon, QMessageBox::Critical);
    QVERIFY(last.text.endsWith(window->SettingsPath()));
    QVERIFY(QFileInfo(window->SettingsPath()).isDir());
}

void TestSpecifyWindow::choicesKeptBesideProgramOrForUser_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("writable folder") << "program" << false << true;
    QTest::newRow("read-only folder") << "program" << true << false;
    QTest::newRow("missing folder") << "missing" << false << false;
}

// The ticks survive a restart: in the program's folder when it is writable, else in the
// user's configuration directory.
void TestSpecifyWindow::choicesKeptBesideProgramOrForUser()
{
    QFETCH(QString, programFolder);
    QFETCH(bool, readOnly);
    QFETCH(bool, besideProgram);
    const QString program = directory->filePath(programFolder);
    const QString config = directory->filePath(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    if (programFolder == u"program") {
        QVERIFY(QDir().mkpath(program));
    }
    if (readOnly) {
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(program).isWritable()) {
            QSKIP("the folder stays writable for this user");
        }
    }
    SpecifyEnvironment environment;
    environment.programDirectory = program;
    environment.defaultPlayerPath = playerPath;
    environment.regAcc = &regAcc;
    environment.prompts = &prompts;
    {
        Specify window(environment);
        window.Check[3]->setChecked(true);
        window.Command3_Click();
        QCOMPARE(prompts.boxes.last().text, Done);
    }
    const QString expected = besideProgram ? program + QStringLiteral("/specify.ini")
                                           : config + QStringLiteral("/lumo/specify.ini");
    QVERIFY2(QFileInfo::exists(expected), qPrintable(expected));
    Specify again(environment);
    QVERIFY(again.Check[3]->isChecked());
    QVERIFY(!again.Check[0]->isChecked());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSpecifyWindow::cancelClosesWindow()
{
    auto window = MakeWindow();
    window->show();
    QVERIFY(window->isVisible());
    window->Command4->click();
    QVERIFY(!window->isVisible());
    QVERIFY(regAcc.calls.isEmpty());
    QVERIFY(prompts.boxes.isEmpty());
}

QTEST_MAIN(TestSpecifyWindow)
#include "tst_specify_window.moc"
