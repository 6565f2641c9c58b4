#include "core/settings_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// Reading, writing and placing lumo.ini.
class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void missingFileGivesDefaults();
    void readsValues_data();
    void readsValues();
    void shortFileGivesDefaults_data();
    void shortFileGivesDefaults();
    void badListValueKeepsOnlyLargeFlag();
    void positionCheck_data();
    void positionCheck();
    void formatsExampleExactly();
    void roundTrip_data();
    void roundTrip();
    void failedWriteKeepsOldFile();
    void writeCreatesDirectory();
    void choosesDirectory_data();
    void choosesDirectory();
    void realDirectoryChoice();
    void centres();
};

namespace {

const QSizeF Screen(19200, 14400);

const QByteArray Example = "Mode = 0\r\nList = 1\r\nVSA = 2\r\nChannel = 0\r\nFast = 0\r\n"
                           "Large = 1\r\nTimeRange = 10\r\nWindowFunction = 1\r\nFFTNormal = 1\r\n"
                           "FFTFast = 2\r\n1500\r\n1200\r\n";

// The example with line n (1-based) replaced.
QByteArray WithLine(int n, const QByteArray &line)
{
    QList<QByteArray> lines = Example.split('\n');
    lines[n - 1] = line + '\r';
    return lines.join('\n');
}

LumoSettings ExampleValues()
{
    LumoSettings values;
    values.ListShown = true;
    values.VSA = 2;
    values.VsaLargeFlag = true;
    values.Left = 1500;
    values.Top = 1200;
    values.Centred = false;
    return values;
}

} // namespace

// Shows both sides of a failed comparison.
char *toString(const LumoSettings &s)
{
    return QTest::toString(QStringLiteral("Mode %1 List %2 VSA %3 CH %4 Fast %5 Large %6 "
                                          "TimeRange %7 WFT %8 FFT %9/%10 at %11,%12 centred %13")
                               .arg(s.PlayMode)
                               .arg(s.ListShown)
                               .arg(s.VSA)
                               .arg(s.CH)
                               .arg(s.FastFlag)
                               .arg(s.VsaLargeFlag)
                               .arg(s.TimeRange)
                               .arg(s.WFT)
                               .arg(s.NumFftNormal)
                               .arg(s.NumFftFast)
                               .arg(s.Left)
                               .arg(s.Top)
                               .arg(s.Centred));
}

void TestSettingsFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestSettingsFile::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const LumoSettings read = ReadSettingsFile(dir.filePath("lumo.ini"), Screen);
    QCOMPARE(read, LumoSettings());
    QVERIFY(read.Centred);
    QVERIFY(!read.ListShown);
    QCOMPARE(read.TimeRange, 10);
    QCOMPARE(read.WFT, 1);
    QCOMPARE(read.NumFftNormal, 1);
    QCOMPARE(read.NumFftFast, 2);
}

void TestSettingsFile::readsValues_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<LumoSettings>("expected");

    QTest::newRow("example") << Example << ExampleValues();

    LumoSettings values = ExampleValues();
    values.PlayMode = 4;
    QTest::newRow("key text is never compared") << WithLine(1, "Whatever: 4") << values;
    values = ExampleValues();
    values.PlayMode = 2;
    QTest::newRow("only the last character counts") << WithLine(1, "Mode = 12") << values;
    values = ExampleValues();
    QTest::newRow("non-digit counts 0") << WithLine(1, "Mode = x") << values;
    values.PlayMode = 7;
    QTest::newRow("play mode 7 stays") << WithLine(1, "Mode = 7") << values;
    values = ExampleValues();
    values.VSA = 9;
    QTest::newRow("analyzer mode 9 stays") << WithLine(3, "VSA = 9") << values;
    values = ExampleValues();
    QTest::newRow("channel beyond both becomes left") << WithLine(4, "Channel = 5") << values;
    values.CH = 2;
    QTest::newRow("channel both") << WithLine(4, "Channel = 2") << values;
    values = ExampleValues();
    values.FastFlag = true;
    values.VsaLargeFlag = false;
    QTest::newRow("flags") << WithLine(6, "Large = 0").replace("Fast = 0", "Fast = 7") << values;

    for (int range : {1, 5, 7, 20, 50, 100}) {
        values = ExampleValues();
        values.TimeRange = range;
        QTest::addRow("time range %d", range)
            << WithLine(7, "TimeRange = " + QByteArray::number(range)) << values;
    }
    values = ExampleValues();
    for (const char *bad : {"TimeRange = 0", "TimeRange = 300", "TimeRange = -5", "TimeRange = x"})
        QTest::addRow("%s becomes 10", bad) << WithLine(7, bad) << values;
    values.TimeRange = 12;
    QTest::newRow("time range needs no key") << WithLine(7, "12") << values;

    values = ExampleValues();
    values.WFT = 9;
    QTest::newRow("window function 9") << WithLine(8, "WindowFunction = 9") << values;

    values = ExampleValues();
    values.NumFftNormal = 1;
    values.NumFftFast = 1;
    QTest::newRow("normal above fast follows fast")
        << WithLine(9, "FFTNormal = 4").replace("FFTFast = 2", "FFTFast = 1") << values;
    values.NumFftNormal = 1;
    values.NumFftFast = 2;
    QTest::newRow("sizes out of range")
        << WithLine(9, "FFTNormal = 7").replace("FFTFast = 2", "FFTFast = 9") << values;
    values.NumFftNormal = 0;
    values.NumFftFast = 0;
    QTest::newRow("both smallest")
        << WithLine(9, "FFTNormal = 0").replace("FFTFast = 2", "FFTFast = 0") << values;

    values = ExampleValues();
    values.Left = 1500.5f;
    values.Top = 0;
    QTest::newRow("fractional left, junk top")
        << WithLine(11, "1500.5").replace("1200\r", "top\r") << values;
    values.Left = 15;
    QTest::newRow("leading blanks") << WithLine(11, "  15").replace("1200\r", "x\r") << values;

    values = ExampleValues();
    QTest::newRow("line feeds only") << QByteArray(Example).replace("\r\n", "\n") << values;
    QTest::newRow("no ending after the last line") << Example.chopped(2) << values;
    QTest::newRow("more than twelve lines") << Example + "junk\r\nmore\r\n" << values;
}

void TestSettingsFile::readsValues()
{
    QFETCH(QByteArray, content);
    QFETCH(LumoSettings, expected);
    QCOMPARE(ParseSettingsText(content, Screen), expected);
}

void TestSettingsFile::shortFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("eleven lines") << Example.left(Example.lastIndexOf("1200"));
    QTest::newRow("six lines") << Example.left(Example.indexOf("TimeRange"));
    QTest::newRow("eleven lines, last without ending")
        << Example.left(Example.lastIndexOf("\r\n1200"));
}

void TestSettingsFile::shortFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    const LumoSettings read = ParseSettingsText(content, Screen);
    QCOMPARE(read, LumoSettings());
    QVERIFY(!read.VsaLargeFlag);
}

void TestSettingsFile::badListValueKeepsOnlyLargeFlag()
{
    const QByteArray content = WithLine(2, "List = 2")
                                   .replace("Mode = 0", "Mode = 4")
                                   .replace("TimeRange = 10", "TimeRange = 50")
                                   .replace("FFTNormal = 1", "FFTNormal = 3");
    LumoSettings expected;
    expected.VsaLargeFlag = true;
    const LumoSettings read = ParseSettingsText(content, Screen);
    QCOMPARE(read, expected);
    QVERIFY(read.Centred);
    QVERIFY(!read.ListShown);

    QCOMPARE(ParseSettingsText(WithLine(6, "Large = 0").replace("List = 1", "List = 9"), Screen),
             LumoSettings());
}

void TestSettingsFile::positionCheck_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<float>("expectedLeft");
    QTest::addColumn<float>("expectedTop");

    QTest::newRow("inside") << QByteArray("1500") << QByteArray("1200") << 1500.f << 1200.f;
    QTest::newRow("left beyond the screen")
        << QByteArray("19215") << QByteArray("1200") << 0.f << 0.f;
    QTest::newRow("left just inside")
        << QByteArray("19200") << QByteArray("1200") << 19200.f << 1200.f;
    QTest::newRow("top beyond the screen")
        << QByteArray("1500") << QByteArray("14401") << 0.f << 0.f;
    QTest::newRow("top just inside")
        << QByteArray("1500") << QByteArray("14400") << 1500.f << 14400.f;
    QTest::newRow("negative left") << QByteArray("-15") << QByteArray("1200") << 0.f << 0.f;
    QTest::newRow("negative top") << QByteArray("1500") << QByteArray("-1") << 0.f << 0.f;
    QTest::newRow("exponent form")
        << QByteArray("1.5E+03") << QByteArray("1.2e3") << 1500.f << 1200.f;
}

void TestSettingsFile::positionCheck()
{
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, top);
    QFETCH(float, expectedLeft);
    QFETCH(float, expectedTop);
    const LumoSettings read = ParseSettingsText(
        WithLine(11, left).replace("\r\n1200\r\n", "\r\n" + top + "\r\n"), Screen);
    QCOMPARE(read.Left, expectedLeft);
    QCOMPARE(read.Top, expectedTop);
    QVERIFY(!read.Centred);
}

void TestSettingsFile::formatsExampleExactly()
{
    QCOMPARE(FormatSettingsText(ExampleValues()), Example);
}

void TestSettingsFile::roundTrip_data()
{
    QTest::addColumn<LumoSettings>("values");

    QTest::newRow("example") << ExampleValues();
    LumoSettings values = ExampleValues();
    values.PlayMode = 4;
    values.ListShown = false;
    values.VSA = 6;
    values.CH = 2;
    values.FastFlag = true;
    values.VsaLargeFlag = false;
    values.TimeRange = 100;
    values.WFT = 9;
    values.NumFftNormal = 3;
    values.NumFftFast = 4;
    values.Left = 0;
    values.Top = 14400;
    QTest::newRow("every value changed") << values;
    values.TimeRange = 1;
    values.Left = 7.5f;
    values.Top = 19200;
    QTest::newRow("fractional left") << values;
}

void TestSettingsFile::roundTrip()
{
    QFETCH(LumoSettings, values);
    QTemporaryDir dir;
    const QString path = dir.filePath("lumo.ini");
    QVERIFY(WriteSettingsFile(path, values));
    QCOMPARE(ReadSettingsFile(path, QSizeF(19200, 19200)), values);
}

void TestSettingsFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lumo.ini");
    QVERIFY(WriteSettingsFile(path, ExampleValues()));

    // Let the system refuse writing past a few bytes, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old = {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 40;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    LumoSettings changed;
    changed.PlayMode = 3;
    const bool written = WriteSettingsFile(path, changed);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);
    std::signal(SIGXFSZ, SIG_DFL);

    QVERIFY(!written);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Example);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"lumo.ini"});
}

void TestSettingsFile::writeCreatesDirectory()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/lumo/lumo.ini");
    QVERIFY(WriteSettingsFile(path, ExampleValues()));
    QCOMPARE(ReadSettingsFile(path, Screen), ExampleValues());
}

void TestSettingsFile::choosesDirectory_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("path");

    QTest::newRow("portable") << true << "/opt/lumo/lumo.ini";
    QTest::newRow("installed") << false << "/home/u/.config/lumo/lumo.ini";
}

void TestSettingsFile::choosesDirectory()
{
    QFETCH(bool, writable);
    QFETCH(QString, path);
    QCOMPARE(ChooseSettingsFilePath("/opt/lumo", writable, "/home/u/.config/lumo"), path);
}

void TestSettingsFile::realDirectoryChoice()
{
    QTemporaryDir dir;
    QCOMPARE(SettingsFilePath(dir.path()), dir.filePath("lumo.ini"));

    const QString missing = dir.filePath("no such directory");
    const QString userPath = SettingsFilePath(missing);
    QCOMPARE(userPath, UserSettingsDirectory() + "/lumo.ini");
    QVERIFY(userPath.contains(".qttest"));
}

void TestSettingsFile::centres()
{
    QCOMPARE(CentredPosition(QSizeF(19200, 14400), QSizeF(7200, 6000)), QPointF(6000, 4200));
    QCOMPARE(CentredPosition(QSizeF(100, 100), QSizeF(101, 100)), QPointF(-0.5, 0));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settings_file.moc"
