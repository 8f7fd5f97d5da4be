#include "shell/feedback.h"

#include "platform/mailtoencoding.h"

#include <QStringList>

#include <algorithm>

namespace {

// A blank or a control character, as the trimming of the message sees them.
bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString chopBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    text.truncate(end);
    return text;
}

} // namespace

namespace Maker {

QString contactMailto()
{
    return QLatin1String("mailto:") + contactAddress() + QLatin1String("?subject=")
           + MailtoEncoding::value(QStringLiteral("from 'Kelvane Submiter' software..."));
}

} // namespace Maker

namespace Feedback {

QString subject(const QString &sender)
{
    return QLatin1String("Kelvane Submit FEEDBACK from  ") + sender;
}

bool isMissing(const QString &message)
{
    return std::all_of(message.begin(), message.end(), isBlank);
}

QString body(const QString &message)
{
    QStringList lines = message.split(QLatin1Char('\n'));
    // The body starts with a line break, so only its end is trimmed.
    lines.last() = chopBlanks(lines.last());
    QString body;
    for (const QString &line : lines)
        body += QLatin1String("%0A") + MailtoEncoding::value(line);
    return body;
}

QString mailtoAddress(const QString &subject, const QString &message)
{
    return QLatin1String("mailto:") + MailtoEncoding::recipients(Maker::feedbackAddress())
           + QLatin1String("?subject=") + MailtoEncoding::value(subject)
           + QLatin1String("&body=") + body(message) + QLatin1String("&bcc=");
}

} // namespace Feedback
