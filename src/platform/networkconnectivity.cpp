#include "platform/networkconnectivity.h"

NetworkConnectivity::NetworkConnectivity(const QString &backend)
{
    // One backend serves the whole process; loading it again is cheap and
    // keeps the one already there.
    m_backend = backend.isEmpty() ? QNetworkInformation::loadDefaultBackend()
                                  : QNetworkInformation::loadBackendByName(backend);
    // Another backend may be loaded already; only a matching name counts.
    if (m_backend && !backend.isEmpty() && QNetworkInformation::instance()
        && QNetworkInformation::instance()->backendName().compare(backend, Qt::CaseInsensitive) != 0)
        m_backend = false;
}

bool NetworkConnectivity::isOnline()
{
    if (!m_backend)
        return true;
    const QNetworkInformation *info = QNetworkInformation::instance();
    return !info || onlineFor(info->reachability());
}

bool NetworkConnectivity::onlineFor(QNetworkInformation::Reachability reachability)
{
    return reachability != QNetworkInformation::Reachability::Disconnected;
}
