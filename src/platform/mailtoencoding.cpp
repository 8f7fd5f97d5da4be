#include "platform/mailtoencoding.h"

#include <QUrl>

namespace MailtoEncoding {

QString value(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("@")));
}

QString recipients(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("@,")));
}

} // namespace MailtoEncoding
