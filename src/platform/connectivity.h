#pragma once

#include <QString>

#include <functional>

class Dialogs;

// The connectivity check as a port: the Submit command and the library update
// ask it before they start, and refuse with the offline message when it says no.
class Connectivity
{
public:
    virtual ~Connectivity();
    // Answers at once; true when the system is online.
    virtual bool isOnline() = 0;

    static QString offlineMessage() { return QStringLiteral("No connection to Internet !"); }
    static QString offlineTitle() { return QStringLiteral("Kelvane Submit"); }

    // The check as both callers use it: online gives true; offline brings the
    // program's window to the front, shows the offline message and gives false.
    bool ensureOnline(Dialogs &dialogs, const std::function<void()> &bringToFront = {});
};
