#include "core/clock.h"

namespace {
const Clock* installedClock = nullptr;
}

QDateTime Clock::now() const
{
    return QDateTime::currentDateTime();
}

const Clock& Clock::current()
{
    static const Clock system;
    return installedClock ? *installedClock : system;
}

void Clock::install(const Clock* clock)
{
    installedClock = clock;
}
