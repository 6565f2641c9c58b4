#include "base/steady_clock.h"

#include <QElapsedTimer>

int64_t SteadyMilliseconds()
{
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference() + 1;
}
