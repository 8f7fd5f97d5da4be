#pragma once

#include "platform/connectivity.h"

#include <QNetworkInformation>
#include <QString>

// The connectivity port on QNetworkInformation. Only a backend that says the
// system is disconnected makes it offline: a desktop without a network
// service to ask (no backend loads) must still be able to submit, and a
// network that merely cannot prove it reaches the Internet (captive portal,
// unknown state) is left for the browser window to try.
class NetworkConnectivity : public Connectivity
{
public:
    // The platform's default backend, or the one named (tests), loaded when
    // first asked: loading it costs a start-up a few milliseconds.
    explicit NetworkConnectivity(const QString &backend = QString());

    bool isOnline() override;
    // Whether a backend answered the load.
    bool hasBackend();

    static bool onlineFor(QNetworkInformation::Reachability reachability);

private:
    QString m_backendName;
    bool m_loaded = false;
    bool m_backend = false;
};
