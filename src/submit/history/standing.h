#pragma once

#include "platform/table.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Each product's standing over all sites of the history: how many took it,
// how many refused it, how many it has not been sent to; and one product's
// history as a report.
namespace Standing {

struct Counts
{
    int ok = 0;
    int failed = 0;
    int notYet = 0;
    int total() const { return ok + failed + notYet; }
    friend bool operator==(const Counts &, const Counts &) = default;
};

// Index k: the product of history column k (software row k); index 0 unused.
QList<Counts> ofProducts(const Table &history);
// "12 ok, 3 failed, 285 not yet".
QString text(const Counts &counts);

// One product's history (column `product` of `history`, whose rows are the
// submit list's sites): site, outcome, date, home page; the sites that took
// it first, then those that refused it, then the rest, each by site name.
QStringList reportHeadings();
QList<QStringList> report(const Table &history, const Table &submitList, int product);
QByteArray reportCsv(const Table &history, const Table &submitList, int product);
QByteArray reportHtml(const Table &history, const Table &submitList, int product);

} // namespace Standing
