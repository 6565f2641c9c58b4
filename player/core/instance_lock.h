#pragma once

#include <QString>

// The arbiter of the one running player per user: an advisory lock on a file beside the
// hand-off socket, held by the running player for its whole life. The system lets go of it
// when the process ends in any way (a crash or kill included), so a held lock means a live
// player, however busy or stopped it is. The file itself is never removed, so two starts can
// never lock two different files of the same name.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock unless another holder has it; true when this object holds it now.
    bool TryAcquire();
    bool Held() const { return held; }
    // False when the lock file cannot be opened: there is no arbiter then.
    bool Usable() const { return usable; }
    void Release();

private:
    QString path;
    int descriptor = -1;
    bool held = false;
    bool usable = true;
};
