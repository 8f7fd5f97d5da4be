#include "platform/networkconnectivity.h"

NetworkConnectivity::NetworkConnectivity(const QString &backend) : m_backendName(backend) {}

bool NetworkConnectivity::hasBackend()
{
    if (m_loaded)
        return m_backend;
    m_loaded = true;
    // One backend serves the whole process; loading it again is cheap and
    // keeps the one already there.
    const QString &backend = m_backendName;
    m_backend = backend.isEmpty() ? QNetworkInformation::loadDefaultBackend()
                                  : QNetworkInformation::loadBackendByName(backend);
    // Another backend may be loaded already; only a matching name counts.
    if (m_backend && !backend.isEmpty() && QNetworkInformation::instance()
        && QNetworkInformation::instance()->backendName().compare(backend, Qt::CaseInsensitive) != 0)
        m_backend = false;
    return m_backend;
}

bool NetworkConnectivity::isOnline()
{
    if (!hasBackend())
        return true;
    const QNetworkInformation *info = QNetworkInformation::instance();
    return !info || onlineFor(info->reachability());
}

bool NetworkConnectivity::onlineFor(QNetworkInformation::Reachability reachability)
{
    return reachability != QNetworkInformation::Reachability::Disconnected;
}
