#include "submit/run/runsummary.h"

#include "platform/csvtext.h"
#include "platform/htmltable.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RunSummary", text);
}

constexpr RunSummary::Outcome Outcomes[] = {RunSummary::Outcome::Ok, RunSummary::Outcome::Failed,
                                            RunSummary::Outcome::Cancelled,
                                            RunSummary::Outcome::SkippedByCheck};

} // namespace

int RunSummary::count(Outcome outcome) const
{
    return int(std::count_if(m_entries.cbegin(), m_entries.cend(),
                             [outcome](const Entry &e) { return e.outcome == outcome; }));
}

QString RunSummary::outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return tr("ok");
    case Outcome::Failed:
        return tr("failed");
    case Outcome::Cancelled:
        return tr("cancelled");
    case Outcome::SkippedByCheck:
        return tr("skipped by the check");
    }
    return QString();
}

QString RunSummary::countsText() const
{
    QStringList parts;
    for (Outcome outcome : Outcomes)
        parts.append(QStringLiteral("%1 %2").arg(count(outcome)).arg(outcomeText(outcome)));
    return parts.join(QLatin1String(", "));
}

QList<int> RunSummary::failedSiteRows() const
{
    QList<int> rows;
    for (const Entry &e : m_entries)
        if (e.outcome == Outcome::Failed && !rows.contains(e.siteRow))
            rows.append(e.siteRow);
    return rows;
}

QStringList RunSummary::headings()
{
    return {tr("Site"), tr("Product"), tr("Outcome"), tr("Note")};
}

QString RunSummary::cell(int entry, int column) const
{
    const Entry &e = m_entries.at(entry);
    switch (column) {
    case Site:
        return e.site;
    case Product:
        return e.product;
    case OutcomeColumn:
        return outcomeText(e.outcome);
    case Note:
        return e.note;
    default:
        return QString();
    }
}

QList<QStringList> RunSummary::rows() const
{
    QList<QStringList> rows;
    rows.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        QStringList row;
        for (int c = 0; c < ColumnCount; ++c)
            row.append(cell(i, c));
        rows.append(row);
    }
    return rows;
}

QByteArray RunSummary::csv() const
{
    return CsvText::table(headings(), rows());
}

QByteArray RunSummary::html(const QString &title) const
{
    return HtmlTable::page(title, headings(), rows());
}
