#include "core/instance_platform.h"

#include <QDir>
#include <QStandardPaths>

#include <sys/socket.h>
#include <unistd.h>

quint32 CurrentUserId()
{
    return quint32(::getuid());
}

qint64 PeerUserId(qintptr socketDescriptor)
{
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return qint64(credentials.uid);
}

QString InstanceSocketDirectory()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
