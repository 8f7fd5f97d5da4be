#include "platform/connectivity.h"

#include "platform/dialogs.h"

Connectivity::~Connectivity() = default;

bool Connectivity::ensureOnline(Dialogs &dialogs, const std::function<void()> &bringToFront)
{
    if (isOnline())
        return true;
    if (bringToFront)
        bringToFront();
    dialogs.message(offlineTitle(), offlineMessage());
    return false;
}
