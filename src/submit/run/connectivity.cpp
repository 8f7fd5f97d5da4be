#include "submit/run/connectivity.h"

#include "shell/dialogs.h"

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
