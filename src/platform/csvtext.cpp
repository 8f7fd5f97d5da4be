#include "platform/csvtext.h"

namespace CsvText {

QString inert(const QString &value)
{
    if (!value.isEmpty() && QStringView(u"=+-@\t\r").contains(value.front()))
        return u'\'' + value;
    return value;
}

QString field(const QString &raw)
{
    const QString value = inert(raw);
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\r')
        && !value.contains(u'\n'))
        return value;
    QString quoted = value;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

QString line(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &f : fields)
        quoted.append(field(f));
    return quoted.join(u',') + QLatin1String("\r\n");
}

QByteArray table(const QStringList &headings, const QList<QStringList> &rows)
{
    QString out = line(headings);
    for (const QStringList &row : rows)
        out += line(row);
    return out.toUtf8();
}

} // namespace CsvText
