#include "platform/browsersettingsstore.h"

const QString BrowserSettingsStore::MainKey =
    QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString BrowserSettingsStore::ImagesValue = QStringLiteral("Display Inline Images");
const QString BrowserSettingsStore::InternetZoneKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3");
const QString BrowserSettingsStore::ScriptsValue = QStringLiteral("1400");
const QString BrowserSettingsStore::PostPlatformKey = QStringLiteral(
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform");

QString BrowserSettingsStore::userAgentWithTokens(const QString &agent, const QStringList &tokens)
{
    if (tokens.isEmpty())
        return agent;
    const QString added = tokens.join(QLatin1String("; "));
    const qsizetype close = agent.indexOf(QLatin1Char(')'));
    if (close < 0)
        return agent.isEmpty() ? added : agent + QLatin1Char(' ') + added;
    return agent.left(close) + QLatin1String("; ") + added + agent.mid(close);
}
