#include "core/instance_lock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString &path) : path(path) {}

InstanceLock::~InstanceLock()
{
    Release();
}

bool InstanceLock::TryAcquire()
{
    if (held)
        return true;
    if (descriptor < 0) {
        // Close-on-exec: a program the player starts must not inherit the lock.
        descriptor = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC,
                            S_IRUSR | S_IWUSR);
        usable = descriptor >= 0;
        if (!usable)
            return false;
    }
    int result;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    held = result == 0;
    return held;
}

void InstanceLock::Release()
{
    if (descriptor >= 0)
        ::close(descriptor); // closing the only descriptor of the file lets the lock go
    descriptor = -1;
    held = false;
}
