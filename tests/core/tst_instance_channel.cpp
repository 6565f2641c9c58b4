#include "core/handoff_frame.h"
#include "core/handoff_parser.h"
#include "core/instance_channel.h"
#include "core/instance_platform.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <memory>

// The single-instance channel: its receiving side in this process, and whole starts as real
// processes (tests/programs/handoff_probe) racing, handing off and meeting bad peers.
class TestInstanceChannel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void serverNameIsSafeAndPerUser();
    void firstStartListensAtOnce();
    void unusableDirectoryStillStarts();
    void receivesAndAcknowledges();
    void dropsIdlePeer();
    void neverReentersReceiver();
    void takenOverInstanceLeavesNameOnClose();
    void secondStartDelivers();
    void simultaneousStartsLeaveOnePrimary();
    void silentServerIsTakenOver();
    void staleSocketIsReplaced();
    void badPeersDoNotStopPrimary();

private:
    struct Probe
    {
        std::unique_ptr<QProcess> process;
        QList<QByteArray> lines;
        QByteArray partial;

        ~Probe()
        {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
    };

    std::unique_ptr<Probe> StartProbe(const QStringList &arguments);
    static QByteArray WaitForLine(Probe &probe, const QList<QByteArray> &prefixes, int timeoutMs);
    static QByteArray WaitForRole(Probe &probe);
    static QStringList WaitForTexts(Probe &probe, int count, int timeoutMs);
    static void Quit(Probe &probe);
    QString ExpectedText(const QStringList &files) const;
    QString ServerName() const;

    std::unique_ptr<QTemporaryDir> root;
};

namespace {

const QString Title = QStringLiteral("Lumo \"sorvane\"");

QByteArray Header(quint32 length)
{
    char bytes[4];
    qToBigEndian(length, bytes);
    return QByteArray("LUMO") + QByteArray(bytes, 4);
}

int ElapsedOf(const QByteArray &roleLine)
{
    return roleLine.split(' ').value(1).toInt();
}

} // namespace

void TestInstanceChannel::init()
{
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    for (const char *sub : {"run", "tmp", "home", "work"})
        QVERIFY(QDir(root->path()).mkdir(sub));
    // A runtime directory must be the user's alone, or it is not used.
    QVERIFY(QFile::setPermissions(root->filePath("run"), QFileDevice::ReadOwner |
                                                             QFileDevice::WriteOwner |
                                                             QFileDevice::ExeOwner));
}

QString TestInstanceChannel::ServerName() const
{
    return InstanceServerName(Title, root->filePath("run"), CurrentUserId());
}

QString TestInstanceChannel::ExpectedText(const QStringList &files) const
{
    const QString work = QFileInfo(root->filePath("work")).canonicalFilePath();
    QStringList names;
    for (const QString &file : files)
        names << (file.startsWith(u'/') ? file : work + u'/' + file);
    return names.join(u'\n');
}

std::unique_ptr<TestInstanceChannel::Probe>
TestInstanceChannel::StartProbe(const QStringList &arguments)
{
    auto probe = std::make_unique<Probe>();
    probe->process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", root->filePath("run"));
    environment.insert("TMPDIR", root->filePath("tmp"));
    environment.insert("HOME", root->filePath("home"));
    probe->process->setProcessEnvironment(environment);
    probe->process->setWorkingDirectory(root->filePath("work"));
    probe->process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe->process->start(QStringLiteral(LUMO_BIN_DIR "/handoff_probe"), arguments);
    return probe;
}

// Waits for the first line (in order of arrival) that starts with one of the prefixes and
// takes it out of the probe's lines.
QByteArray TestInstanceChannel::WaitForLine(Probe &probe, const QList<QByteArray> &prefixes,
                                            int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        probe.partial += probe.process->readAllStandardOutput();
        qsizetype end;
        while ((end = probe.partial.indexOf('\n')) >= 0) {
            probe.lines << probe.partial.left(end);
            probe.partial.remove(0, end + 1);
        }
        for (qsizetype i = 0; i < probe.lines.size(); ++i) {
            for (const QByteArray &prefix : prefixes) {
                if (probe.lines.at(i).startsWith(prefix))
                    return probe.lines.takeAt(i);
            }
        }
        if (deadline.hasExpired())
            return {};
        if (probe.process->state() == QProcess::NotRunning && probe.process->bytesAvailable() == 0)
            return {};
        probe.process->waitForReadyRead(int(qMax<qint64>(deadline.remainingTime(), 1)));
    }
}

QByteArray TestInstanceChannel::WaitForRole(Probe &probe)
{
    return WaitForLine(probe, {"primary ", "handed-off "}, 5000);
}

// The texts a primary probe has taken, its own first, then each received one; waits until
// count of them are there or the time is up.
QStringList TestInstanceChannel::WaitForTexts(Probe &probe, int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QStringList texts;
    while (texts.size() < count) {
        const QByteArray line =
            WaitForLine(probe, {"text ", "received "}, int(deadline.remainingTime()));
        if (line.isEmpty())
            break;
        texts << QString::fromUtf8(QByteArray::fromBase64(line.mid(line.indexOf(' ') + 1)));
    }
    return texts;
}

void TestInstanceChannel::Quit(Probe &probe)
{
    probe.process->write("quit\n");
    if (!probe.process->waitForFinished(5000))
        probe.process->kill();
}

void TestInstanceChannel::serverNameIsSafeAndPerUser()
{
    const QString name = InstanceServerName(Title, "/run/user/1000", 1000);
    QVERIFY(name.startsWith("/run/user/1000/"));
    QVERIFY(!name.contains(u'"'));
    QVERIFY(!name.contains(u' '));
    QVERIFY(name.contains(QStringLiteral("Lumo")));
    QVERIFY(name != InstanceServerName(Title, "/run/user/1000", 1001));
    QVERIFY(name != InstanceServerName(QStringLiteral("Other"), "/run/user/1000", 1000));
    QVERIFY(!InstanceServerName(QString::fromUtf8("プレーヤ"), "/d", 1).endsWith("/-1"));
}

void TestInstanceChannel::firstStartListensAtOnce()
{
    InstanceChannel channel(ServerName());
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(channel.Start("/m/a.mp3"), InstanceChannel::Role::Primary);
    QVERIFY2(clock.elapsed() < 300, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(channel.IsListening());
    const QFileInfo socket(ServerName());
    QVERIFY(socket.exists());
    QCOMPARE(socket.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                     QFileDevice::ReadOther | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    const QStringList left =
        QDir(root->filePath("run"))
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, QStringList{socket.fileName()});
}

void TestInstanceChannel::unusableDirectoryStillStarts()
{
    InstanceChannel channel(root->filePath("missing/Lumo-0"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(channel.Start("/m/a.mp3"), InstanceChannel::Role::Primary);
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!channel.IsListening());
}

void TestInstanceChannel::receivesAndAcknowledges()
{
    InstanceChannel channel(ServerName());
    QCOMPARE(channel.Start(QString()), InstanceChannel::Role::Primary);
    QSignalSpy spy(&channel, &InstanceChannel::Received);

    const QString text = QString::fromUtf8("/音楽/a b.mp3\n/m/c.mid");
    QLocalSocket client;
    client.connectToServer(ServerName());
    client.write(EncodeHandoffFrame(text));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), text);
    QTRY_VERIFY(client.bytesAvailable() >= 1);
    QCOMPARE(client.read(1), QByteArray(1, HandoffAck));
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
}

void TestInstanceChannel::dropsIdlePeer()
{
    InstanceChannel channel(ServerName());
    channel.SetPeerTimeout(200);
    QCOMPARE(channel.Start(QString()), InstanceChannel::Role::Primary);
    QSignalSpy spy(&channel, &InstanceChannel::Received);

    QLocalSocket idle;
    idle.connectToServer(ServerName());
    QLocalSocket half;
    half.connectToServer(ServerName());
    half.write(EncodeHandoffFrame("/m/never.mp3").chopped(3));
    QLocalSocket good;
    good.connectToServer(ServerName());
    good.write(EncodeHandoffFrame("/m/ok.mp3"));
    QTRY_COMPARE(spy.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QLocalSocket::UnconnectedState, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(half.state(), QLocalSocket::UnconnectedState, 2000);
    QCOMPARE(spy.count(), 1);
}

void TestInstanceChannel::neverReentersReceiver()
{
    InstanceChannel channel(ServerName());
    QCOMPARE(channel.Start(QString()), InstanceChannel::Role::Primary);

    QStringList order;
    int depth = 0;
    int deepest = 0;
    QLocalSocket second;
    connect(&channel, &InstanceChannel::Received, this, [&](const QString &text) {
        deepest = qMax(deepest, ++depth);
        order << text;
        if (order.size() == 1) {
            // A receiver that opens a medium runs the event loop; the next hand-off arrives then.
            second.connectToServer(ServerName());
            second.write(EncodeHandoffFrame("/m/second.mp3"));
            QEventLoop loop;
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
            loop.exec();
        }
        --depth;
    });
    QLocalSocket first;
    first.connectToServer(ServerName());
    first.write(EncodeHandoffFrame("/m/first.mp3"));
    QTRY_COMPARE(order.size(), 2);
    QCOMPARE(order, (QStringList{"/m/first.mp3", "/m/second.mp3"}));
    QCOMPARE(deepest, 1);
}

void TestInstanceChannel::takenOverInstanceLeavesNameOnClose()
{
    auto hung = std::make_unique<InstanceChannel>(ServerName());
    QCOMPARE(hung->Start("/m/a.mp3"), InstanceChannel::Role::Primary);

    // The first instance runs no event loop meanwhile, so it cannot answer: it hangs.
    InstanceChannel next(ServerName());
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(next.Start("/m/b.mp3", 600), InstanceChannel::Role::Primary);
    QVERIFY2(clock.elapsed() < 600, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(next.IsListening());

    hung.reset();
    QVERIFY(QFile::exists(ServerName()));
    QSignalSpy spy(&next, &InstanceChannel::Received);
    QLocalSocket client;
    client.connectToServer(ServerName());
    client.write(EncodeHandoffFrame("/m/c.mp3"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/m/c.mp3"));
}

void TestInstanceChannel::secondStartDelivers()
{
    auto first = StartProbe({"a.mp3"});
    const QByteArray firstRole = WaitForRole(*first);
    QVERIFY2(firstRole.startsWith("primary ") && firstRole.endsWith(" listening"),
             firstRole.constData());

    const QStringList files{"b one.mp3", "/x/C:\\c.mp3"};
    auto second = StartProbe(files);
    const QByteArray secondRole = WaitForRole(*second);
    QVERIFY2(secondRole.startsWith("handed-off "), secondRole.constData());
    QVERIFY2(ElapsedOf(secondRole) < 1000, secondRole.constData());
    QVERIFY(second->process->waitForFinished(2000));
    QCOMPARE(second->process->exitCode(), 0);

    const QStringList texts = WaitForTexts(*first, 2, 3000);
    QCOMPARE(texts, (QStringList{ExpectedText({"a.mp3"}), ExpectedText(files)}));
    QCOMPARE(HandoffNames(texts.at(1)).size(), 2);

    Quit(*first);
    QCOMPARE(first->process->exitCode(), 0);
    QVERIFY(!QFile::exists(ServerName()));
}

void TestInstanceChannel::simultaneousStartsLeaveOnePrimary()
{
    for (int round = 0; round < 4; ++round) {
        std::vector<std::unique_ptr<Probe>> probes;
        QStringList expected;
        for (int i = 0; i < 3; ++i) {
            const QString file = QStringLiteral("r%1-%2.mp3").arg(round).arg(i);
            probes.push_back(StartProbe({file}));
            expected << ExpectedText({file});
        }
        Probe *primary = nullptr;
        for (auto &probe : probes) {
            const QByteArray role = WaitForRole(*probe);
            QVERIFY2(!role.isEmpty(), "a start did not report its role");
            QVERIFY2(ElapsedOf(role) < 1000, role.constData());
            if (role.startsWith("primary ")) {
                QVERIFY2(!primary, "two primaries");
                primary = probe.get();
            } else {
                QVERIFY(probe->process->waitForFinished(2000));
                QCOMPARE(probe->process->exitCode(), 0);
            }
        }
        QVERIFY(primary);
        QStringList texts = WaitForTexts(*primary, 3, 3000);
        texts.sort();
        expected.sort();
        QCOMPARE(texts, expected);
        Quit(*primary);
    }
}

void TestInstanceChannel::silentServerIsTakenOver()
{
    QLocalServer silent;
    QVERIFY(silent.listen(ServerName()));

    QElapsedTimer clock;
    clock.start();
    auto probe = StartProbe({"a.mp3"});
    const QByteArray role = WaitForRole(*probe);
    const qint64 wall = clock.elapsed();
    QVERIFY2(role.startsWith("primary ") && role.endsWith(" listening"), role.constData());
    QVERIFY2(ElapsedOf(role) < 1000, role.constData());
    QVERIFY2(wall < 3000, qPrintable(QString::number(wall)));

    auto later = StartProbe({"b.mp3"});
    QVERIFY(WaitForRole(*later).startsWith("handed-off "));
    QCOMPARE(WaitForTexts(*probe, 2, 3000).value(1), ExpectedText({"b.mp3"}));
    Quit(*probe);
}

void TestInstanceChannel::staleSocketIsReplaced()
{
    auto crashed = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*crashed).startsWith("primary "));
    crashed->process->kill();
    QVERIFY(crashed->process->waitForFinished(2000));
    QVERIFY(QFile::exists(ServerName()));

    auto next = StartProbe({"b.mp3"});
    const QByteArray role = WaitForRole(*next);
    QVERIFY2(role.startsWith("primary ") && role.endsWith(" listening"), role.constData());
    QVERIFY2(ElapsedOf(role) < 1000, role.constData());

    auto later = StartProbe({"c.mp3"});
    QVERIFY(WaitForRole(*later).startsWith("handed-off "));
    QCOMPARE(WaitForTexts(*next, 2, 3000).value(1), ExpectedText({"c.mp3"}));
    Quit(*next);
}

void TestInstanceChannel::badPeersDoNotStopPrimary()
{
    auto primary = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*primary).startsWith("primary "));

    // These clients block; the primary is another process, so that is fine here.
    QLocalSocket oversized;
    oversized.connectToServer(ServerName());
    QVERIFY(oversized.waitForConnected(1000));
    oversized.write(Header(quint32(MaxHandoffBytes) + 1));
    oversized.write(QByteArray(MaxHandoffBytes + 1, 'x'));
    oversized.waitForBytesWritten(1000);
    QVERIFY(oversized.state() == QLocalSocket::UnconnectedState ||
            oversized.waitForDisconnected(2000));

    QLocalSocket garbage;
    garbage.connectToServer(ServerName());
    QVERIFY(garbage.waitForConnected(1000));
    garbage.write("C:\\evil.mp3 D:\\worse.mp3");
    QVERIFY(garbage.waitForDisconnected(2000));
    QCOMPARE(garbage.bytesAvailable(), 0);

    QLocalSocket half;
    half.connectToServer(ServerName());
    QVERIFY(half.waitForConnected(1000));
    half.write(Header(100) + "/m/half");
    QVERIFY(half.waitForBytesWritten(1000));
    half.abort();

    QLocalSocket idle;
    idle.connectToServer(ServerName());
    QVERIFY(idle.waitForConnected(1000));

    auto second = StartProbe({"b.mp3"});
    const QByteArray role = WaitForRole(*second);
    QVERIFY2(role.startsWith("handed-off "), role.constData());
    QVERIFY2(ElapsedOf(role) < 1000, role.constData());

    QCOMPARE(WaitForTexts(*primary, 3, 1000),
             (QStringList{ExpectedText({"a.mp3"}), ExpectedText({"b.mp3"})}));
    // The idle peer is let go after a few seconds, and the primary goes on.
    QVERIFY(idle.waitForDisconnected(6000));
    QCOMPARE(primary->process->state(), QProcess::Running);
    Quit(*primary);
    QCOMPARE(primary->process->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instance_channel.moc"
