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
    return record.value(34) + QLatin1Char(' ') + record.value(35);
}

QString field96(const QStringList &record)
{
    if (record.value(19) != QLatin1String("Y"))
        return QString();
    QString summary;
    if (!record.value(21).trimmed().isEmpty())
        summary = record.value(21) + QLatin1Char(' ') + record.value(20);
    if (!record.value(22).trimmed().isEmpty())
        summary += record.value(22);
    return summary;
}

QString field97(const QStringList &record)
{
    return record.value(17) + QLatin1String(" kb");
}

QString field98(const QStringList &record)
{
    return record.value(3) + QLatin1Char('/') + record.value(4) + QLatin1Char('/') + record.value(5);
}

QString field99(const QStringList &record)
{
    return record.value(5) + QLatin1Char('-') + record.value(3) + QLatin1Char('-') + record.value(4);
}

void store(QStringList &record, const QString &classItem, const QStringList &selectedOsItems)
{
    if (record.size() < FieldCatalogue::FieldCount)
        record.resize(FieldCatalogue::FieldCount);
    record[92] = QString();
    record[93] = field93(classItem);
    record[94] = field94(selectedOsItems);
    record[95] = field95(record);
    record[96] = field96(record);
    record[97] = field97(record);
    record[98] = field98(record);
    record[99] = field99(record);
}

} // namespace DerivedFields
