#pragma once

#include "platform/clock.h"

#include <QDate>

// A clock stopped on the day the test sets.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDate day) : date(day) {}
    QDate date;
    QDate today() const override { return date; }
};
