#include "submit/history/standing.h"

#include "platform/csvtext.h"
#include "platform/htmltable.h"
#include "submit/history/history.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>

#include <algorithm>

namespace Standing {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Standing", text);
}

enum class Kind { Ok, Failed, NotYet };

Kind kindOf(const QString &cell)
{
    if (cell.isEmpty())
        return Kind::NotYet;
    return cell == History::failCell() ? Kind::Failed : Kind::Ok;
}

} // namespace

QList<Counts> ofProducts(const Table &history)
{
    QList<Counts> counts(std::max(1, history.columnCount()));
    for (int row = 1; row < history.rowCount(); ++row) {
        const QStringList cells = history.row(row);
        for (int k = 1; k < counts.size(); ++k) {
            const QString cell = cells.value(k);
            switch (kindOf(cell)) {
            case Kind::Ok:
                ++counts[k].ok;
                break;
            case Kind::Failed:
                ++counts[k].failed;
                break;
            case Kind::NotYet:
                ++counts[k].notYet;
                break;
            }
        }
    }
    return counts;
}

QString text(const Counts &counts)
{
    return tr("%1 ok, %2 failed, %3 not yet").arg(counts.ok).arg(counts.failed).arg(counts.notYet);
}

QStringList reportHeadings()
{
    return {tr("Site"), tr("Outcome"), tr("Date"), tr("Home page")};
}

QList<QStringList> report(const Table &history, const Table &submitList, int product)
{
    struct Line
    {
        Kind kind;
        QStringList cells;
    };
    QList<Line> lines;
    for (int row = 1; row < history.rowCount(); ++row) {
        const QString cell = history.cell(product, row);
        const Kind kind = kindOf(cell);
        QString date;
        if (kind == Kind::Ok) {
            date = cell.trimmed();
            if (date.endsWith(QLatin1String("ok")))
                date = date.chopped(2).trimmed();
        }
        const QString outcome = kind == Kind::Ok       ? tr("ok")
                                : kind == Kind::Failed ? tr("failed")
                                                       : tr("not yet");
        lines.append({kind,
                      {history.cell(0, row), outcome, date,
                       submitList.cell(SiteRecord::HomePage, row)}});
    }
    std::stable_sort(lines.begin(), lines.end(), [](const Line &a, const Line &b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        return a.cells.first().compare(b.cells.first(), Qt::CaseInsensitive) < 0;
    });
    QList<QStringList> rows;
    rows.reserve(lines.size());
    for (Line &line : lines)
        rows.append(std::move(line.cells));
    return rows;
}

QByteArray reportCsv(const Table &history, const Table &submitList, int product)
{
    return CsvText::table(reportHeadings(), report(history, submitList, product));
}

QByteArray reportHtml(const Table &history, const Table &submitList, int product)
{
    return HtmlTable::page(history.cell(product, 0), reportHeadings(),
                           report(history, submitList, product));
}

} // namespace Standing
