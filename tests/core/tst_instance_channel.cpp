#include "core/handoff_frame.h"
#include "core/handoff_parser.h"
#include "core/instance_channel.h"
#include "core/instance_platform.h"

#include <QDeadlineTimer>
#include <QDir>
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

#include <csignal>
#include <memory>
#include <unistd.h>

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
    void busyPlayerIsWaitedFor();
    void secondStartDelivers();
    void simultaneousStartsLeaveOnePrimary();
    void silentServerIsTakenOver();
    void staleSocketIsReplaced();
    void badPeersDoNotStopPrimary();
    void stalledPeersNeverTurnAStartAway();

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

    std::unique_ptr<Probe> StartProbe(const QList<QByteArray> &arguments);
    static QByteArray WaitForLine(Probe &probe, const QList<QByteArray> &prefixes, int timeoutMs);
    static QByteArray WaitForRole(Probe &probe, int timeoutMs = 20000);
    static QStringList WaitForTexts(Probe &probe, int count, int timeoutMs);
    static void Quit(Probe &probe);
    QList<QByteArray> ExpectedNames(const QList<QByteArray> &files) const;
    QString ExpectedText(const QList<QByteArray> &files) const;
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

// A shell word that gives the bytes exactly, whatever they are.
QByteArray ShellWord(const QByteArray &bytes)
{
    QByteArray word = "\"$(printf '";
    for (const char byte : bytes)
        word += '\\' + QByteArray::number(quint8(byte), 8);
    return word + "')\"";
}

// The bytes of a received name: a link's target where the name had to be made openable.
QByteArray BytesOf(const QString &name)
{
    const QByteArray encoded = QFile::encodeName(name);
    QByteArray target(4096, '\0');
    const ssize_t length = ::readlink(encoded.constData(), target.data(), size_t(target.size()));
    return name.contains(QStringLiteral("/lumo-names-")) && length > 0 ? target.left(length)
                                                                       : encoded;
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

QList<QByteArray> TestInstanceChannel::ExpectedNames(const QList<QByteArray> &files) const
{
    const QByteArray work =
        QFile::encodeName(QFileInfo(root->filePath("work")).canonicalFilePath());
    QList<QByteArray> names;
    for (const QByteArray &file : files)
        names << (file.startsWith('/') ? file : work + '/' + file);
    return names;
}

QString TestInstanceChannel::ExpectedText(const QList<QByteArray> &files) const
{
    QString text;
    for (const QByteArray &name : ExpectedNames(files))
        text += QFile::decodeName(name) + QChar(u'\0');
    return text;
}

std::unique_ptr<TestInstanceChannel::Probe>
TestInstanceChannel::StartProbe(const QList<QByteArray> &arguments)
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
    // Through the shell, so that the arguments reach the probe as bytes, not as Qt texts.
    QByteArray script = "exec \"$0\"";
    for (const QByteArray &argument : arguments)
        script += ' ' + ShellWord(argument);
    probe->process->start(QStringLiteral("/bin/sh"),
                          {QStringLiteral("-c"), QString::fromLatin1(script),
                           QStringLiteral(LUMO_BIN_DIR "/handoff_probe")});
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

QByteArray TestInstanceChannel::WaitForRole(Probe &probe, int timeoutMs)
{
    return WaitForLine(probe, {"primary ", "handed-off "}, timeoutMs);
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
    QCOMPARE(channel.Start({"/m/a.mp3"}), InstanceChannel::Role::Primary);
    QVERIFY(channel.IsListening());
    const QFileInfo socket(ServerName());
    QVERIFY(socket.exists());
    QCOMPARE(socket.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                     QFileDevice::ReadOther | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    const QStringList left =
        QDir(root->filePath("run"))
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, (QStringList{socket.fileName(), socket.fileName() + ".lock"}));
}

void TestInstanceChannel::unusableDirectoryStillStarts()
{
    InstanceChannel channel(root->filePath("missing/Lumo-0"));
    QCOMPARE(channel.Start({"/m/a.mp3"}), InstanceChannel::Role::Primary);
    QVERIFY(!channel.IsListening());
}

void TestInstanceChannel::receivesAndAcknowledges()
{
    InstanceChannel channel(ServerName());
    QCOMPARE(channel.Start({}), InstanceChannel::Role::Primary);
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
    QCOMPARE(channel.Start({}), InstanceChannel::Role::Primary);
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
    QTRY_COMPARE_WITH_TIMEOUT(idle.state(), QLocalSocket::UnconnectedState, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(half.state(), QLocalSocket::UnconnectedState, 5000);
    QCOMPARE(spy.count(), 1);
}

void TestInstanceChannel::neverReentersReceiver()
{
    InstanceChannel channel(ServerName());
    QCOMPARE(channel.Start({}), InstanceChannel::Role::Primary);

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

// A player that does not answer for a long while (stopped, or busy on a loaded machine) is
// waited for: the start hands its names over once it answers, and never becomes a rival.
void TestInstanceChannel::busyPlayerIsWaitedFor()
{
    auto first = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*first).startsWith("primary "));
    const pid_t player = pid_t(first->process->processId());
    QCOMPARE(::kill(player, SIGSTOP), 0);

    auto second = StartProbe({"b.mp3"});
    // A start that gave up after a second would report itself a player within this time.
    const QByteArray early = WaitForRole(*second, 4000);
    QCOMPARE(::kill(player, SIGCONT), 0);
    QVERIFY2(early.isEmpty(), early.constData());
    QVERIFY(WaitForRole(*second).startsWith("handed-off "));
    QCOMPARE(WaitForTexts(*first, 2, 20000).value(1), ExpectedText({"b.mp3"}));

    // Once the player has ended, the next start is the player, at the same name.
    Quit(*first);
    QVERIFY(!QFile::exists(ServerName()));
    auto third = StartProbe({"c.mp3"});
    QVERIFY(WaitForRole(*third).startsWith("primary "));
    auto fourth = StartProbe({"d.mp3"});
    QVERIFY(WaitForRole(*fourth).startsWith("handed-off "));
    Quit(*third);
}

void TestInstanceChannel::secondStartDelivers()
{
    auto first = StartProbe({"a.mp3"});
    const QByteArray firstRole = WaitForRole(*first);
    QVERIFY2(firstRole.startsWith("primary ") && firstRole.endsWith(" listening"),
             firstRole.constData());

    // Blanks, a drive colon, a line feed and bytes that are not UTF-8 all arrive whole.
    const QList<QByteArray> files{"b one.mp3", "/x/C:\\c.mp3", "d\ne.mp3", "\x93\xfa\x96\x7b.mp3"};
    auto second = StartProbe(files);
    const QByteArray secondRole = WaitForRole(*second);
    QVERIFY2(secondRole.startsWith("handed-off "), secondRole.constData());
    QVERIFY(second->process->waitForFinished(20000));
    QCOMPARE(second->process->exitCode(), 0);

    const QStringList texts = WaitForTexts(*first, 2, 20000);
    QCOMPARE(texts.value(0), ExpectedText({"a.mp3"}));
    const QStringList names = HandoffNames(texts.value(1));
    QList<QByteArray> received;
    for (const QString &name : names)
        received << BytesOf(name);
    QCOMPARE(received, ExpectedNames(files));

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
            const QByteArray file =
                "r" + QByteArray::number(round) + '-' + QByteArray::number(i) + ".mp3";
            probes.push_back(StartProbe({file}));
            expected << ExpectedText({file});
        }
        Probe *primary = nullptr;
        for (auto &probe : probes) {
            const QByteArray role = WaitForRole(*probe);
            QVERIFY2(!role.isEmpty(), "a start did not report its role");
            if (role.startsWith("primary ")) {
                QVERIFY2(!primary, "two primaries");
                primary = probe.get();
            } else {
                QVERIFY(probe->process->waitForFinished(20000));
                QCOMPARE(probe->process->exitCode(), 0);
            }
        }
        QVERIFY(primary);
        QStringList texts = WaitForTexts(*primary, 3, 20000);
        texts.sort();
        expected.sort();
        QCOMPARE(texts, expected);
        Quit(*primary);
    }
}

// A socket that accepts but never answers, and whose owner holds no lock, is no player.
void TestInstanceChannel::silentServerIsTakenOver()
{
    QLocalServer silent;
    QVERIFY(silent.listen(ServerName()));

    auto probe = StartProbe({"a.mp3"});
    const QByteArray role = WaitForRole(*probe);
    QVERIFY2(role.startsWith("primary ") && role.endsWith(" listening"), role.constData());

    auto later = StartProbe({"b.mp3"});
    QVERIFY(WaitForRole(*later).startsWith("handed-off "));
    QCOMPARE(WaitForTexts(*probe, 2, 20000).value(1), ExpectedText({"b.mp3"}));
    Quit(*probe);
}

void TestInstanceChannel::staleSocketIsReplaced()
{
    auto crashed = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*crashed).startsWith("primary "));
    crashed->process->kill();
    QVERIFY(crashed->process->waitForFinished(20000));
    QVERIFY(QFile::exists(ServerName()));

    auto next = StartProbe({"b.mp3"});
    const QByteArray role = WaitForRole(*next);
    QVERIFY2(role.startsWith("primary ") && role.endsWith(" listening"), role.constData());

    auto later = StartProbe({"c.mp3"});
    QVERIFY(WaitForRole(*later).startsWith("handed-off "));
    QCOMPARE(WaitForTexts(*next, 2, 20000).value(1), ExpectedText({"c.mp3"}));
    Quit(*next);
}

void TestInstanceChannel::badPeersDoNotStopPrimary()
{
    auto primary = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*primary).startsWith("primary "));

    // These clients block; the primary is another process, so that is fine here.
    QLocalSocket oversized;
    oversized.connectToServer(ServerName());
    QVERIFY(oversized.waitForConnected(10000));
    oversized.write(Header(quint32(MaxHandoffBytes) + 1));
    oversized.write(QByteArray(1024 * 1024, 'x'));
    oversized.waitForBytesWritten(1000);
    QVERIFY(oversized.state() == QLocalSocket::UnconnectedState ||
            oversized.waitForDisconnected(10000));

    QLocalSocket garbage;
    garbage.connectToServer(ServerName());
    QVERIFY(garbage.waitForConnected(10000));
    garbage.write("C:\\evil.mp3 D:\\worse.mp3");
    QVERIFY(garbage.waitForDisconnected(10000));
    QCOMPARE(garbage.bytesAvailable(), 0);

    QLocalSocket half;
    half.connectToServer(ServerName());
    QVERIFY(half.waitForConnected(10000));
    half.write(Header(100) + "/m/half");
    QVERIFY(half.waitForBytesWritten(10000));
    half.abort();

    QLocalSocket idle;
    idle.connectToServer(ServerName());
    QVERIFY(idle.waitForConnected(10000));

    auto second = StartProbe({"b.mp3"});
    const QByteArray role = WaitForRole(*second);
    QVERIFY2(role.startsWith("handed-off "), role.constData());

    QCOMPARE(WaitForTexts(*primary, 2, 20000),
             (QStringList{ExpectedText({"a.mp3"}), ExpectedText({"b.mp3"})}));
    // The idle peer is let go after a few seconds, and the primary goes on.
    QVERIFY(idle.waitForDisconnected(20000));
    QCOMPARE(primary->process->state(), QProcess::Running);
    Quit(*primary);
    QCOMPARE(primary->process->exitCode(), 0);
}

// More half-sent messages than the player serves at once: a real start is still served, and
// the stalled peers are let go after a few seconds.
void TestInstanceChannel::stalledPeersNeverTurnAStartAway()
{
    auto primary = StartProbe({"a.mp3"});
    QVERIFY(WaitForRole(*primary).startsWith("primary "));

    std::vector<std::unique_ptr<QLocalSocket>> stalled;
    for (int i = 0; i < 70; ++i) {
        auto peer = std::make_unique<QLocalSocket>();
        peer->connectToServer(ServerName());
        QVERIFY(peer->waitForConnected(10000));
        peer->write(Header(100) + "/m/half");
        QVERIFY(peer->waitForBytesWritten(10000));
        stalled.push_back(std::move(peer));
    }

    auto start = StartProbe({"b.mp3"});
    const QByteArray role = WaitForRole(*start);
    QVERIFY2(role.startsWith("handed-off "), role.constData());
    QCOMPARE(WaitForTexts(*primary, 2, 20000).value(1), ExpectedText({"b.mp3"}));

    for (auto &peer : stalled) {
        QVERIFY(peer->state() == QLocalSocket::UnconnectedState ||
                peer->waitForDisconnected(20000));
    }
    Quit(*primary);
}

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instance_channel.moc"
