#include "core/instance_platform.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

FileIdentity IdentityOf(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {quint64(status.st_dev), quint64(status.st_ino)};
}

qintptr ListenAndPlace(const QString &boundPath, const QString &path, int backlog)
{
    const QByteArray bound = QFile::encodeName(boundPath);
    const QByteArray target = QFile::encodeName(path);
    struct sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (bound.size() >= qsizetype(sizeof address.sun_path))
        return -1;
    std::memcpy(address.sun_path, bound.constData(), size_t(bound.size()));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    ::unlink(bound.constData());
    const bool ready =
        ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 &&
        ::chmod(bound.constData(), S_IRUSR | S_IWUSR) == 0 && ::listen(fd, backlog) == 0 &&
        std::rename(bound.constData(), target.constData()) == 0;
    if (!ready) {
        ::close(fd);
        ::unlink(bound.constData());
        return -1;
    }
    return fd;
}
