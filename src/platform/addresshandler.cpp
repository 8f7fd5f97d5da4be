#include "platform/addresshandler.h"

#include <QUrl>

bool AddressHandler::isWebOrMailAddress(const QString &address)
{
    const QUrl url(address.trimmed());
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}
