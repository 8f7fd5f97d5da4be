#pragma once

#include "platform/connectivity.h"

// Answers what the test sets and counts the checks.
class FakeConnectivity : public Connectivity
{
public:
    bool online = true;
    int checks = 0;

    bool isOnline() override
    {
        ++checks;
        return online;
    }
};
