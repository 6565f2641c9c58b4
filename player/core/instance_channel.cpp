#include "core/instance_channel.h"

#include "core/instance_platform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

namespace {

// Peers served at once; more are turned away until some finish.
constexpr int MaxPeers = 64;
// Bytes taken from a peer per read, so one read never swallows a flood.
constexpr qint64 PeerReadBuffer = 64 * 1024;
// Time kept back from the sending attempts for taking over the name and listening.
constexpr int ListenReserveMs = 150;
// Pending connections the system keeps for the listening socket.
constexpr int ListenBacklog = 64;
// How long a closing instance waits for a start that is busy with the name.
constexpr int CloseLockWaitMs = 200;
// A lock older than this belongs to a start that hung; a live start holds it about a second.
constexpr int StaleLockMs = 5000;

int RemainingMs(const QDeadlineTimer &deadline)
{
    return int(qMax<qint64>(deadline.remainingTime(), 0));
}

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
    : QObject(parent), serverName(serverName)
{
}

InstanceChannel::~InstanceChannel()
{
    if (!IsListening())
        return;
    // Leave the name alone if a later start has taken it over.
    QLockFile lock(serverName + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    lock.tryLock(CloseLockWaitMs);
    if (IdentityOf(serverName) == ownSocket)
        QFile::remove(serverName);
}

InstanceChannel::Role InstanceChannel::Start(const QString &text, int timeoutMs)
{
    const int reserveMs = qMin(ListenReserveMs, timeoutMs / 4);
    const QDeadlineTimer sendDeadline(qMax(timeoutMs - reserveMs, 0));
    const QByteArray frame = EncodeHandoffFrame(FitHandoffText(text));

    SendResult result = TrySend(frame, RemainingMs(sendDeadline));
    if (result == SendResult::Delivered)
        return Role::HandedOff;

    // Checking for a running instance and taking the name must not interleave with another
    // start doing the same, or both would end up listening.
    QLockFile lock(serverName + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    const bool locked = lock.tryLock(RemainingMs(sendDeadline));
    if (locked && result == SendResult::NoServer) {
        result = TrySend(frame, RemainingMs(sendDeadline));
        if (result == SendResult::Delivered)
            return Role::HandedOff;
    }
    // Nobody answered: the socket left there is stale or its owner hangs; take the name over.
    if (!server)
        Listen();
    return Role::Primary;
}

bool InstanceChannel::IsListening() const
{
    return server && server->isListening();
}

InstanceChannel::SendResult InstanceChannel::TrySend(const QByteArray &frame, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(RemainingMs(deadline))) {
        const auto error = socket.error();
        const bool absent = error == QLocalSocket::ServerNotFoundError ||
                            error == QLocalSocket::ConnectionRefusedError;
        return absent ? SendResult::NoServer : SendResult::NoAnswer;
    }
    socket.write(frame);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(RemainingMs(deadline))) {
    }
    while (socket.bytesAvailable() < 1 && socket.waitForReadyRead(RemainingMs(deadline))) {
    }
    char answer = 0;
    if (socket.read(&answer, 1) == 1 && answer == HandoffAck)
        return SendResult::Delivered;
    return SendResult::NoAnswer;
}

// The socket is bound under a name of its own and then moved onto the server name, so that
// taking the name over is one step, and the server object only knows the name it was bound
// under: when it closes it cannot remove a socket that another instance has put there since.
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
}

void InstanceChannel::AcceptPeers()
{
    while (QLocalSocket *peer = server->nextPendingConnection()) {
        if (peers.size() >= MaxPeers || PeerUserId(peer->socketDescriptor()) != CurrentUserId()) {
            peer->abort();
            peer->deleteLater();
            continue;
        }
        peers.insert(peer, HandoffFrameReader());
        peer->setReadBufferSize(PeerReadBuffer);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { ReadPeer(peer); });
        connect(peer, &QLocalSocket::disconnected, this, [this, peer] {
            peers.remove(peer);
            peer->deleteLater();
        });
        QTimer::singleShot(peerTimeoutMs, peer, [this, peer] { DropPeer(peer); });
        if (peer->bytesAvailable() > 0)
            ReadPeer(peer);
    }
}

void InstanceChannel::ReadPeer(QLocalSocket *peer)
{
    const auto found = peers.find(peer);
    if (found == peers.end())
        return;
    while (peer->bytesAvailable() > 0) {
        switch (found->Feed(peer->read(PeerReadBuffer))) {
        case HandoffFrameReader::State::Incomplete:
            break;
        case HandoffFrameReader::State::Invalid:
            DropPeer(peer);
            return;
        case HandoffFrameReader::State::Complete:
            pending.append(found->Text());
            peers.erase(found);
            peer->write(&HandoffAck, 1);
            peer->disconnectFromServer();
            // From the event loop, not from inside this peer's signal.
            QMetaObject::invokeMethod(this, &InstanceChannel::Deliver, Qt::QueuedConnection);
            return;
        }
    }
}

void InstanceChannel::DropPeer(QLocalSocket *peer)
{
    peers.remove(peer);
    peer->disconnect(this);
    peer->abort();
    peer->deleteLater();
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
