#include "platform/clock.h"

Clock::~Clock() = default;

QDate SystemClock::today() const
{
    return QDate::currentDate();
}
