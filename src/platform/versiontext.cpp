#include "platform/versiontext.h"

#include <QStringList>

namespace VersionText {

QString program()
{
    return fromVersion(QStringLiteral(KELVANE_VERSION_TEXT));
}

QString fromVersion(const QString &version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return QString();
    QStringList numbers;
    for (const QString &part : parts) {
        bool ok = false;
        const uint n = part.toUInt(&ok);
        if (!ok || n > 0xFFFF)
            return QString();
        numbers.append(QString::number(n));
    }
    return QLatin1Char('v') + numbers.join(QLatin1Char('.'));
}

} // namespace VersionText
