#include "core/event_wait.h"

#include <QEventLoop>
#include <QTimer>

bool WaitWithEvents(const std::function<bool()> &done, int timeoutMs, int pollMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    bound.start(timeoutMs);
    poll.start(pollMs);
    loop.exec();
    return done();
}
