#include "submit/browser/emailcomposer.h"

#include "platform/addresshandler.h"

#include <QUrl>

namespace EmailComposer {

namespace {

const QString LineBreak = QStringLiteral("\n");

// Header values keep "@" readable; everything outside the unreserved set is
// encoded (UTF-8 octets), "+" included, which some mail programs read as a blank.
QString encodeValue(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("@")));
}

// The recipient part: addresses joined by "," stay separate addresses.
QString encodeRecipients(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArrayLiteral("@,")));
}

} // namespace

QString categoryText(const QString &categoryClass)
{
    QString text = categoryClass;
    const qsizetype separator = categoryClass.indexOf(QLatin1String("::"));
    if (separator >= 0)
        text = categoryClass.left(separator) + QLatin1String(" - ")
               + categoryClass.mid(separator + 2);
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        text.replace(amp, 1, QLatin1String("and"));
    return text;
}

QString body(const QStringList &r)
{
    const QStringList lines{
        QLatin1String("Submission of '") + r.value(0) + QLatin1String("' software"),
        QString(),
        QLatin1String("TITLE:  ") + r.value(0),
        QLatin1String("VERSION:  ") + r.value(1),
        QLatin1String("TYPE:  ") + r.value(2),
        QLatin1String("PRICE:  US $ ") + r.value(6),
        QLatin1String("SYSTEM:  ") + r.value(11),
        QLatin1String("FILE SIZE:  ") + r.value(97),
        QLatin1String("PUBLISHER:  ") + r.value(26),
        QLatin1String("HOMEPAGE:  ") + r.value(54),
        QLatin1String("EMAIL:  ") + r.value(39),
        QLatin1String("CATEGORY:  ") + categoryText(r.value(48)),
        QLatin1String("SCREENSHOT:  ") + r.value(56),
        QLatin1String("PAD FILE:  ") + r.value(57),
        QLatin1String("DESCRIPTION:  ") + r.value(60),
        QLatin1String("DOWNLOAD LINK:  ") + r.value(64),
        QLatin1String("LIMITATIONS:  ") + r.value(96) + QLatin1String("  ") + r.value(100),
        QString(),
        QString(),
        QLatin1String("Thank you,"),
        QString(),
        r.value(95),
    };
    QString text = lines.join(LineBreak);
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

QString mailtoAddress(const QString &siteAddress, const QStringList &softwareRecord)
{
    // A line break is encoded "%0A" like every other character of the body.
    return QLatin1String("mailto:") + encodeRecipients(siteAddress) + QLatin1String("?subject=")
           + encodeValue(subject()) + QLatin1String("&body=") + encodeValue(body(softwareRecord))
           + QLatin1String("&From=") + encodeValue(softwareRecord.value(39))
           + QLatin1String("&bcc=");
}

void compose(const QString &siteAddress, const QStringList &softwareRecord,
             AddressHandler &handler)
{
    handler.open(mailtoAddress(siteAddress, softwareRecord));
}

} // namespace EmailComposer
