#pragma once

#include "platform/addresshandler.h"

// The desktop's handler: a detached xdg-open where there is one, otherwise
// QDesktopServices.
class DesktopAddressHandler : public AddressHandler
{
public:
    void open(const QString &address) override;
};
