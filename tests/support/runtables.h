#pragma once

#include "platform/table.h"
#include "submit/sites/submitlist.h"

#include <QString>
#include <QStringList>

// A submit list of `sites` sites named "Site 1".. (auto column "yes"), the
// site mark in column 8, and a software list of `products` records named
// "Product 1".., the submission mark in field 104.
inline Table siteTable(int sites)
{
    Table t(9, sites + 1);
    const QStringList headings = SubmitList::headings();
    for (int c = 0; c < headings.size(); ++c)
        t.setCell(c, 0, headings.at(c));
    for (int r = 1; r <= sites; ++r) {
        t.setCell(SiteRecord::SiteName, r, QStringLiteral("Site %1").arg(r));
        t.setCell(SiteRecord::Auto, r, QStringLiteral("yes"));
    }
    return t;
}

inline Table softwareTable(int products)
{
    Table t(105, products + 1);
    for (int r = 1; r <= products; ++r)
        t.setCell(0, r, QStringLiteral("Product %1").arg(r));
    return t;
}

inline QList<int> markedRows(const Table &table)
{
    QList<int> rows;
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(table.columnCount() - 1, r) == QLatin1String("x"))
            rows.append(r);
    }
    return rows;
}

inline void markRows(Table &table, const QList<int> &rows)
{
    for (int r : rows)
        Marks::set(table, r, true);
}
