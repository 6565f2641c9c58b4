#include "core/instance_channel.h"

#include "core/handoff_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace {

// Peers served at once; a further one pushes out the one that has been idle longest.
constexpr int MaxPeers = 64;
// Bytes taken from a peer per read, so one read never swallows a flood.
constexpr qint64 PeerReadBuffer = 64 * 1024;
// Pending connections the system keeps for the listening socket.
constexpr int ListenBacklog = 64;
// A start waits in steps of this long, looking between them whether the player still lives.
constexpr int WaitStepMs = 200;
// Pause between attempts while a live player takes no connection (it is starting or ending).
constexpr int RetryMs = 100;
// Without a usable lock there is no telling a busy player from a hung one: a start that gets
// no answer for this long takes the name over, as it would from a stale socket.
constexpr int NoArbiterWaitMs = 1000;
// Longest a peer may take over its message, however steadily it trickles.
constexpr qint64 PeerLifetimeMs = 30000;
// Most bytes held for all unfinished messages together; a peer that would pass it is dropped.
constexpr qsizetype MaxBufferedBytes = 2 * MaxHandoffBytes;

} // namespace

QString InstanceServerName(const QString &title, const QString &directory, quint32 userId)
{
    QString safe;
    for (const QChar ch : title) {
        if (ch.isLetterOrNumber() && ch.unicode() < 128)
            safe.append(ch);
        else if (!safe.isEmpty() && !safe.endsWith(u'_'))
            safe.append(u'_');
    }
    while (safe.endsWith(u'_'))
        safe.chop(1);
    if (safe.isEmpty())
        safe = QStringLiteral("lumo");
    return directory + u'/' + safe + u'-' + QString::number(userId);
}

QString InstanceServerName(const QString &title)
{
    return InstanceServerName(title, InstanceSocketDirectory(), CurrentUserId());
}

InstanceChannel::InstanceChannel(const QString &serverName, QObject *parent)
    : QObject(parent), serverName(serverName), lock(serverName + QStringLiteral(".lock"))
{
    clock.start();
}

InstanceChannel::~InstanceChannel()
{
    Close();
}

void InstanceChannel::Close()
{
    if (server) {
        // The name first, so that no start connects any more, then the listening socket.
        if (IdentityOf(serverName) == ownSocket)
            QFile::remove(serverName);
        for (QLocalSocket *peer : peers.keys())
            DropPeer(peer);
        server->close();
        delete server;
        server = nullptr;
    }
    // Texts not yet handed to the receiver go with the player.
    pending.clear();
    lock.Release();
}

InstanceChannel::Role InstanceChannel::Start(const QList<QByteArray> &names)
{
    const QByteArray frame = EncodeHandoffNames(FitHandoffNames(names));
    for (;;) {
        switch (TrySend(frame)) {
        case SendResult::Delivered:
            return Role::HandedOff;
        case SendResult::Abandoned:
            return Role::Abandoned;
        case SendResult::NotDelivered:
            break;
        }
        // Nobody took the names: whatever socket is left there is stale, unless a live player
        // holds the lock (it is starting, ending or has just turned this start away).
        if (lock.TryAcquire() || !lock.Usable()) {
            Listen();
            // A player that cannot listen must not keep later starts waiting for it.
            if (!IsListening())
                lock.Release();
            return Role::Primary;
        }
        if (Abandoning())
            return Role::Abandoned;
        QThread::msleep(RetryMs);
    }
}

bool InstanceChannel::IsListening() const
{
    return server && server->isListening();
}

// True when the socket's owner is no live player, so this start may take the name over: no
// process holds the lock (this one holds it now), or there is no lock and the wait was long.
bool InstanceChannel::MayTakeOver(const QElapsedTimer &waited)
{
    if (lock.TryAcquire())
        return true;
    return !lock.Usable() && waited.hasExpired(NoArbiterWaitMs);
}

// One attempt: connect, send the message and wait for the answer as long as the connection
// stands and the player on the other side lives.
InstanceChannel::SendResult InstanceChannel::TrySend(const QByteArray &frame)
{
    QElapsedTimer waited;
    waited.start();
    QLocalSocket socket;
    socket.connectToServer(serverName);
    while (socket.state() == QLocalSocket::ConnectingState) {
        if (socket.waitForConnected(WaitStepMs))
            break;
        if (Abandoning())
            return SendResult::Abandoned;
        if (MayTakeOver(waited))
            return SendResult::NotDelivered;
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return SendResult::NotDelivered;
    socket.write(frame);
    for (;;) {
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(WaitStepMs);
        else if (socket.bytesAvailable() < 1)
            socket.waitForReadyRead(WaitStepMs);
        char answer = 0;
        if (socket.bytesAvailable() > 0)
            return socket.read(&answer, 1) == 1 && answer == HandoffAck ? SendResult::Delivered
                                                                        : SendResult::NotDelivered;
        if (socket.state() != QLocalSocket::ConnectedState)
            return SendResult::NotDelivered;
        if (Abandoning())
            return SendResult::Abandoned;
        if (MayTakeOver(waited))
            return SendResult::NotDelivered;
    }
}

// The socket is bound under a name of its own and then moved onto the server name, so that
// taking the name over is one step, and the server object only knows the name it was bound
// under: closing it never removes the socket file by itself.
void InstanceChannel::Listen()
{
    const QString boundName = serverName + u'.' +
                              QString::number(QCoreApplication::applicationPid()) +
                              QStringLiteral(".new");
    const qintptr descriptor = ListenAndPlace(boundName, serverName, ListenBacklog);
    if (descriptor < 0)
        return;
    server = new QLocalServer(this);
    connect(server, &QLocalServer::newConnection, this, &InstanceChannel::AcceptPeers);
    server->listen(descriptor);
    ownSocket = IdentityOf(serverName);
    sweep = new QTimer(this);
    connect(sweep, &QTimer::timeout, this, &InstanceChannel::DropStalledPeers);
}

void InstanceChannel::AcceptPeers()
{
    while (QLocalSocket *peer = server->nextPendingConnection()) {
        if (PeerUserId(peer->socketDescriptor()) != CurrentUserId()) {
            peer->abort();
            peer->deleteLater();
            continue;
        }
        if (peers.size() >= MaxPeers)
            DropPeer(LongestIdlePeer());
        const qint64 now = clock.elapsed();
        peers.insert(peer, Peer{HandoffFrameReader(), now, now});
        peer->setReadBufferSize(PeerReadBuffer);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { ReadPeer(peer); });
        connect(peer, &QLocalSocket::disconnected, this, [this, peer] {
            peers.remove(peer);
            peer->deleteLater();
        });
        if (!sweep->isActive())
            sweep->start(qBound(10, peerTimeoutMs / 4, 500));
        if (peer->bytesAvailable() > 0)
            ReadPeer(peer);
    }
}

void InstanceChannel::ReadPeer(QLocalSocket *peer)
{
    auto found = peers.find(peer);
    if (found == peers.end())
        return;
    while (peer->bytesAvailable() > 0) {
        found->activeMs = clock.elapsed();
        switch (found->reader.Feed(peer->read(PeerReadBuffer))) {
        case HandoffFrameReader::State::Incomplete:
            if (BufferedBytes() > MaxBufferedBytes) {
                DropPeer(peer);
                return;
            }
            break;
        case HandoffFrameReader::State::Invalid:
            DropPeer(peer);
            return;
        case HandoffFrameReader::State::Complete: {
            const HandoffFrameReader &reader = found->reader;
            pending.append(reader.HasNames() ? HandoffTextOf(reader.Names()) : reader.Text());
            peers.erase(found);
            peer->write(&HandoffAck, 1);
            peer->disconnectFromServer();
            // From the event loop, not from inside this peer's signal.
            QMetaObject::invokeMethod(this, &InstanceChannel::Deliver, Qt::QueuedConnection);
            return;
        }
        }
    }
}

void InstanceChannel::DropPeer(QLocalSocket *peer)
{
    if (!peer)
        return;
    peers.remove(peer);
    peer->disconnect(this);
    peer->abort();
    peer->deleteLater();
}

// Drops the peers that sent nothing for the peer timeout or have taken too long over their
// message. Bytes that arrived while this player was busy count as sent in time.
void InstanceChannel::DropStalledPeers()
{
    for (QLocalSocket *peer : peers.keys()) {
        if (!peers.contains(peer))
            continue;
        peer->waitForReadyRead(0);
        ReadPeer(peer);
        const auto found = peers.constFind(peer);
        if (found == peers.cend())
            continue;
        const qint64 now = clock.elapsed();
        if (now - found->activeMs > peerTimeoutMs || now - found->connectedMs > PeerLifetimeMs)
            DropPeer(peer);
    }
    if (peers.isEmpty())
        sweep->stop();
}

qsizetype InstanceChannel::BufferedBytes() const
{
    qsizetype total = 0;
    for (const Peer &peer : peers)
        total += peer.reader.Buffered();
    return total;
}

QLocalSocket *InstanceChannel::LongestIdlePeer() const
{
    QLocalSocket *idlest = nullptr;
    qint64 since = 0;
    for (auto it = peers.cbegin(); it != peers.cend(); ++it) {
        if (!idlest || it->activeMs < since) {
            idlest = it.key();
            since = it->activeMs;
        }
    }
    return idlest;
}

// Emits queued texts one after the other; a text that arrives while a receiver is still
// handling the previous one (say, inside a nested event loop) waits for it to finish.
void InstanceChannel::Deliver()
{
    if (delivering)
        return;
    delivering = true;
    while (!pending.isEmpty())
        emit Received(pending.takeFirst());
    delivering = false;
}
