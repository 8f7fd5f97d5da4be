#include "shell/updateoptions.h"

#include "platform/settings.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace UpdateOptions {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("UpdateOptions", text);
}

} // namespace

QString hostProblem(const QString &text)
{
    const QString host = text.trimmed();
    if (host.isEmpty())
        return QString();
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch match = form.match(host);
    if (!match.hasMatch())
        return tr("The update address \"%1\" is not a host name with an optional port (such as "
                  "updates.example.org or 127.0.0.1:8080: no \"http://\", path or spaces). The "
                  "address stored before stays.")
            .arg(host);
    const QString port = match.captured(1);
    if (!port.isEmpty() && (port.toInt() < 1 || port.toInt() > 65535))
        return tr("The port in the update address \"%1\" must be a number from 1 to 65535. The "
                  "address stored before stays.")
            .arg(host);
    return QString();
}

QString packAddressProblem(const QString &text)
{
    const QString address = text.trimmed();
    if (address.isEmpty())
        return QString();
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || address.contains(QLatin1Char(' '))
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty())
        return tr("The site pack address \"%1\" is not an http or https address with a host "
                  "(such as https://example.org/sites.json). The address stored before stays.")
            .arg(address);
    return QString();
}

QString store(Settings &settings, const QString &host, const QString &packAddress)
{
    QStringList problems;
    if (const QString problem = hostProblem(host); problem.isEmpty())
        settings.setUpdateHost(host.trimmed());
    else
        problems.append(problem);
    if (const QString problem = packAddressProblem(packAddress); problem.isEmpty())
        settings.setSitePackAddress(packAddress.trimmed());
    else
        problems.append(problem);
    return problems.join(QLatin1Char('\n'));
}

QUrl packAddress(const Settings &settings)
{
    const QString stored = settings.sitePackAddress();
    if (stored.isEmpty() || !packAddressProblem(stored).isEmpty())
        return QUrl();
    return QUrl(stored.trimmed());
}

} // namespace UpdateOptions
