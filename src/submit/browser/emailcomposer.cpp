#include "submit/browser/emailcomposer.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/addresshandler.h"
#include "platform/mailtoencoding.h"

namespace EmailComposer {

namespace {

const QString LineBreak = QStringLiteral("\n");

constexpr int NoField = -1;

// One line of the body: its caption, the field it shows, then a text and a
// second field after that one.
struct BodyLine
{
    const char *caption;
    int field = NoField;
    const char *after = "";
    int second = NoField;
};

constexpr BodyLine kBodyLines[] = {
    {"Submission of '", Field::ProgramName, "' software"},
    {""},
    {"TITLE:  ", Field::ProgramName},
    {"VERSION:  ", Field::ProgramVersion},
    {"TYPE:  ", Field::ReleaseType},
    {"PRICE:  US $ ", Field::CostDollars},
    {"SYSTEM:  ", Field::OsSupport},
    {"FILE SIZE:  ", Field::FileSizeWithUnit},
    {"PUBLISHER:  ", Field::CompanyName},
    {"HOMEPAGE:  ", Field::InfoUrl},
    {"EMAIL:  ", Field::ContactEmail},
    {"CATEGORY:  ", Field::CategoryClass},
    {"SCREENSHOT:  ", Field::ScreenshotUrl},
    {"PAD FILE:  ", Field::PadUrl},
    {"DESCRIPTION:  ", Field::Desc80},
    {"DOWNLOAD LINK:  ", Field::PrimaryDownloadUrl},
    {"LIMITATIONS:  ", Field::ExpirySummary, "  ", Field::OtherLimitations},
    {""},
    {""},
    {"Thank you,"},
    {""},
    {"", Field::AuthorFullName},
};

// A field as the body shows it: the category class as "main - sub", the
// others as stored.
QString shown(const QStringList &record, int field)
{
    if (field == NoField)
        return QString();
    const QString value = record.value(field);
    return field == Field::CategoryClass ? categoryText(value) : value;
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
    QStringList lines;
    for (const BodyLine &line : kBodyLines)
        lines.append(QLatin1String(line.caption) + shown(r, line.field)
                     + QLatin1String(line.after) + shown(r, line.second));
    QString text = lines.join(LineBreak);
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

QString mailtoAddress(const QString &siteAddress, const QStringList &softwareRecord)
{
    // A line break is encoded "%0A" like every other character of the body.
    return QLatin1String("mailto:") + MailtoEncoding::recipients(siteAddress) + QLatin1String("?subject=")
           + MailtoEncoding::value(subject()) + QLatin1String("&body=") + MailtoEncoding::value(body(softwareRecord))
           + QLatin1String("&From=") + MailtoEncoding::value(softwareRecord.value(Field::ContactEmail))
           + QLatin1String("&bcc=");
}

void compose(const QString &siteAddress, const QStringList &softwareRecord,
             AddressHandler &handler)
{
    handler.open(mailtoAddress(siteAddress, softwareRecord));
}

} // namespace EmailComposer
