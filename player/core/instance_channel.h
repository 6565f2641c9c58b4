#pragma once

#include "core/handoff_frame.h"
#include "core/instance_platform.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Socket path for the instance channel of a program title: a file in the user's own directory,
// named after the title (letters and digits) and the user id.
QString InstanceServerName(const QString &title);
QString InstanceServerName(const QString &title, const QString &directory, quint32 userId);

// Keeps one running player per user. Start hands the start's text to a running instance, or,
// when none answers in time, makes this instance the one that receives later starts' texts.
// The receiving side never blocks: messages arrive piecewise through the event loop, bad or
// stalled peers are dropped, and each valid text is emitted once, never re-entrantly.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    enum class Role { Primary, HandedOff };

    explicit InstanceChannel(const QString &serverName, QObject *parent = nullptr);
    // Removes the socket file if it is still this instance's.
    ~InstanceChannel() override;

    // Ends within timeoutMs (plus the moment it takes to listen): HandedOff when a running
    // instance took the text, else Primary (listening if the system allowed it).
    Role Start(const QString &text, int timeoutMs = 1000);

    bool IsListening() const;
    QString ServerName() const { return serverName; }
    // How long a peer may take to deliver its whole message before it is dropped.
    void SetPeerTimeout(int milliseconds) { peerTimeoutMs = milliseconds; }

signals:
    void Received(const QString &text);

private:
    enum class SendResult { Delivered, NoServer, NoAnswer };

    SendResult TrySend(const QByteArray &frame, int timeoutMs) const;
    void Listen();
    void AcceptPeers();
    void ReadPeer(QLocalSocket *peer);
    void DropPeer(QLocalSocket *peer);
    void Deliver();

    QString serverName;
    QLocalServer *server = nullptr;
    FileIdentity ownSocket;
    QHash<QLocalSocket *, HandoffFrameReader> peers;
    QStringList pending;
    bool delivering = false;
    int peerTimeoutMs = 3000;
};
