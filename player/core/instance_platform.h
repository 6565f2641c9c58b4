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
