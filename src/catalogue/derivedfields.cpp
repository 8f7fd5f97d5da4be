#include "catalogue/derivedfields.h"

#include "catalogue/fieldcatalogue.h"

namespace {

const QChar Tab = QLatin1Char('\t');

// An item's text from its first tab to its end. Items are expected to end
// with the start-up tab; one that does not is treated as if it did, so that
// a token group is always closed by a tab and groups never run together.
QString fromFirstTab(const QString &item)
{
    QString text = item;
    if (!text.endsWith(Tab))
        text += Tab;
    return text.mid(text.indexOf(Tab));
}

} // namespace

namespace DerivedFields {

QString field93(const QString &classItem)
{
    const qsizetype tab = classItem.indexOf(Tab);
    return tab < 0 ? QString() : classItem.mid(tab);
}

QString field94(const QStringList &selectedOsItems)
{
    QString tokens(Tab);
    for (const QString &item : selectedOsItems) {
        const QString group = fromFirstTab(item);
        // Several systems share a token group ("Linux", "Unix"); sites want it once.
        if (!tokens.contains(group))
            tokens += group.mid(1);
    }
    return tokens;
}

QString field95(const QStringList &record)
{
    return record.value(Field::AuthorFirstName) + QLatin1Char(' ')
        + record.value(Field::AuthorLastName);
}

QString field96(const QStringList &record)
{
    if (record.value(Field::HasExpiry) != QLatin1String("Y"))
        return QString();
    QString summary;
    if (!record.value(Field::ExpiryCount).trimmed().isEmpty())
        summary = record.value(Field::ExpiryCount) + QLatin1Char(' ')
            + record.value(Field::ExpiryBasedOn);
    if (!record.value(Field::ExpiryOther).trimmed().isEmpty())
        summary += record.value(Field::ExpiryOther);
    return summary;
}

QString field97(const QStringList &record)
{
    return record.value(Field::FileSizeK) + QLatin1String(" kb");
}

QString field98(const QStringList &record)
{
    return record.value(Field::ReleaseMonth) + QLatin1Char('/') + record.value(Field::ReleaseDay)
        + QLatin1Char('/') + record.value(Field::ReleaseYear);
}

QString field99(const QStringList &record)
{
    return record.value(Field::ReleaseYear) + QLatin1Char('-') + record.value(Field::ReleaseMonth)
        + QLatin1Char('-') + record.value(Field::ReleaseDay);
}

void store(QStringList &record, const QString &classItem, const QStringList &selectedOsItems)
{
    if (record.size() < FieldCatalogue::FieldCount)
        record.resize(FieldCatalogue::FieldCount);
    record[Field::Reserved] = QString();
    record[Field::SiteCategoryNames] = field93(classItem);
    record[Field::OsSiteTokens] = field94(selectedOsItems);
    record[Field::AuthorFullName] = field95(record);
    record[Field::ExpirySummary] = field96(record);
    record[Field::FileSizeWithUnit] = field97(record);
    record[Field::ReleaseDateMonthFirst] = field98(record);
    record[Field::ReleaseDateYearFirst] = field99(record);
}

} // namespace DerivedFields
