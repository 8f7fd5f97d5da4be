#pragma once

#include "platform/table.h"
#include "platform/tablefile.h"
#include "submit/sites/submitlist.h"

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

// The history `StringGrid_history`: sites by products. Row r describes the
// site in row r of the submit list; column k the software record in row k of
// the software list. Cells hold "<short date>  ok", "   fail", or what the user typed.
namespace History {

inline QString failCell() { return QStringLiteral("   fail"); }
QString okCell(const QDate &date, const QLocale &locale = QLocale());

// A cell that says the site took the product: not empty, not exactly "   fail".
bool accepted(const QString &cell);
// The submit list's colouring: the history cell of `siteRow` in the column of
// the product chooser's item `chooserIndex` (column = index + 1).
bool acceptedAt(const Table &history, int siteRow, int chooserIndex);

inline QString notEqualMessage()
{
    return QStringLiteral("History and Submit_list not equal...\rPlease contact software support!");
}

// Cell (0, 0) from the submit list's first heading; one column per software
// row, headed by its program name (field 0).
void setHeadings(Table &history, const Table &submitList, const Table &software);

struct LoadResult
{
    bool fileExisted = false;
    // The file could not be read whole, or held more product columns than the
    // catalogue has records (those cells were left out); a copy was kept.
    QString readProblem;
    // The file's sites differed from the submit list's.
    bool reconciled = false;
    QStringList droppedSites;
    QStringList addedSites;
    // Where the file was copied before rows holding outcomes were dropped.
    QString backupPath;
    // notEqualMessage() when the row counts still differ, else empty.
    QString mismatchMessage;
};

// Loading at start-up: headings, the file's records, the reconciliation with
// the submit list by exact site name, then the sort. The caller clears its
// dirty flag; the changes reach the file with the next write.
LoadResult load(Table &history, const Table &submitList, const Table &software,
                const QString &path);
LoadResult load(Table &history, const Table &submitList, const Table &software,
                const QString &path, const QCollator &collator);

// The submit list's sort; then, when the site names match one to one, the rows
// are put in the submit list's order, so row r stays on site r even for names
// the collation holds equal.
void sort(Table &history, const Table &submitList, const QCollator &collator);

// The submit list changed while the program runs: the same reconciliation
// as at start-up (rows of sites no longer listed go, listed sites without a
// row get one), then the sort. Nothing is copied: the caller asked first.
LoadResult follow(Table &history, const Table &submitList,
                  const QCollator &collator = SiteSort::collator());
// The sites whose history rows hold outcomes and that `submitList` no longer lists.
QStringList sitesLosingOutcomes(const Table &history, const Table &submitList);

// Writes rows 1.. with every column.
TableFile::SaveResult save(const Table &history, const QString &path);

} // namespace History
