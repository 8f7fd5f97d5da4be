#include "platform/desktopaddresshandler.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void DesktopAddressHandler::open(const QString &address)
{
    if (address.isEmpty())
        return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // xdg-open takes the text as it is; QUrl would normalise and re-encode it.
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty()) {
        QProcess::startDetached(xdgOpen, {address});
        return;
    }
#endif
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}
