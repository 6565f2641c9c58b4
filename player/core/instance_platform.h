#pragma once

#include <QString>
#include <QtGlobal>

// Numeric id of the user who runs this program.
quint32 CurrentUserId();

// User id of the process at the other end of a connected local socket, or -1 when the
// system does not tell.
qint64 PeerUserId(qintptr socketDescriptor);

// The per-user directory for the instance socket: the user's runtime directory, or the
// temporary directory when there is none.
QString InstanceSocketDirectory();

// Which file system entry a path names (device and inode); all zero when there is none.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileIdentity &) const = default;
};
FileIdentity IdentityOf(const QString &path);

// A listening local socket, readable and writable by its owner only, bound at boundPath and
// then moved onto path in one step (replacing whatever was there); -1 on failure.
qintptr ListenAndPlace(const QString &boundPath, const QString &path, int backlog);
