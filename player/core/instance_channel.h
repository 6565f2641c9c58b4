#pragma once

#include "core/handoff_frame.h"
#include "core/instance_lock.h"
#include "core/instance_platform.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QTimer;

// Socket path for the instance channel of a program title: a file in the user's own directory,
// named after the title (letters and digits) and the user id.
QString InstanceServerName(const QString &title);
QString InstanceServerName(const QString &title, const QString &directory, quint32 userId);

// Keeps exactly one running player per user. The running player holds the instance lock
// (beside the socket) for its whole life. Start hands the start's names to it, waiting as long
// as it lives, however busy; only when no player holds the lock does this instance take it and
// become the one that receives later starts' names. The receiving side never blocks: messages
// arrive piecewise through the event loop, bad, idle or half-sent peers are dropped after a
// short time (the longest-idle one at once when all peer slots are taken), and each valid
// message is emitted once, never re-entrantly.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    enum class Role { Primary, HandedOff, Abandoned };

    explicit InstanceChannel(const QString &serverName, QObject *parent = nullptr);
    ~InstanceChannel() override;

    // HandedOff when the running player took the names; Primary when none runs (listening if
    // the system allowed it); Abandoned when the abandon check said so while waiting.
    Role Start(const QList<QByteArray> &names);
    // Stops taking hand-offs: drops the peers, removes the socket if it is still this
    // instance's own, and lets the lock go, so that the next start becomes the player.
    void Close();

    bool IsListening() const;
    QString ServerName() const { return serverName; }
    // How long a peer may stay without sending before it is dropped.
    void SetPeerTimeout(int milliseconds) { peerTimeoutMs = milliseconds; }
    // Asked while Start waits for a busy player; true gives the start up.
    void SetAbandonCheck(std::function<bool()> check) { abandon = std::move(check); }

signals:
    // A hand-off's text for the hand-off parser (names each ended by a NUL character).
    void Received(const QString &text);

private:
    enum class SendResult { Delivered, NotDelivered, Abandoned };

    // A connected peer and what it has sent so far.
    struct Peer
    {
        HandoffFrameReader reader;
        qint64 connectedMs = 0;
        qint64 activeMs = 0;
    };

    SendResult TrySend(const QByteArray &frame);
    bool MayTakeOver(const QElapsedTimer &waited);
    bool Abandoning() const { return abandon && abandon(); }
    void Listen();
    void AcceptPeers();
    void ReadPeer(QLocalSocket *peer);
    void DropPeer(QLocalSocket *peer);
    void DropStalledPeers();
    QLocalSocket *LongestIdlePeer() const;
    qsizetype BufferedBytes() const;
    void Deliver();

    QString serverName;
    InstanceLock lock;
    QLocalServer *server = nullptr;
    QTimer *sweep = nullptr;
    QElapsedTimer clock;
    FileIdentity ownSocket;
    QHash<QLocalSocket *, Peer> peers;
    QStringList pending;
    bool delivering = false;
    int peerTimeoutMs = 3000;
    std::function<bool()> abandon;
};
