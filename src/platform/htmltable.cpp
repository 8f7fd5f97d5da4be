#include "platform/htmltable.h"

namespace HtmlTable {

QString withoutControls(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n') || (u >= 0x7f && u <= 0x9f))
            continue;
        out.append(c);
    }
    return out;
}

QByteArray page(const QString &title, const QStringList &headings, const QList<QStringList> &rows)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                                 "<title>%1</title></head>\n<body>\n<h1>%1</h1>\n<table border=\"1\">\n<tr>")
                      .arg(withoutControls(title).toHtmlEscaped());
    for (const QString &h : headings)
        out += QLatin1String("<th>") + withoutControls(h).toHtmlEscaped() + QLatin1String("</th>");
    out += QLatin1String("</tr>\n");
    for (const QStringList &row : rows) {
        out += QLatin1String("<tr>");
        for (const QString &cell : row)
            out += QLatin1String("<td>") + withoutControls(cell).toHtmlEscaped() + QLatin1String("</td>");
        out += QLatin1String("</tr>\n");
    }
    out += QLatin1String("</table>\n</body></html>\n");
    return out.toUtf8();
}

} // namespace HtmlTable
