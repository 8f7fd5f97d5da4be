#pragma once

#include <QDate>

// The day a confirmed outcome is dated with, as a port: tests fix the date.
class Clock
{
public:
    virtual ~Clock();
    virtual QDate today() const = 0;
};

class SystemClock : public Clock
{
public:
    QDate today() const override;
};
