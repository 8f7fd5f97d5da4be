#pragma once

#include "platform/addresshandler.h"

#include <QStringList>

// Records every address it is handed, in order.
class FakeAddressHandler : public AddressHandler
{
public:
    void open(const QString &address) override { opened.append(address); }

    QStringList opened;
};
