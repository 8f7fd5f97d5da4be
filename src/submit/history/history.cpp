#include "submit/history/history.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/recordfile.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QSet>

namespace {

QString columnText(const Table &table)
{
    QStringList names;
    names.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        names.append(table.cell(0, r));
    return names.join(QLatin1Char('\n'));
}

QSet<QString> siteNames(const Table &table)
{
    QSet<QString> names;
    names.reserve(table.rowCount());
    for (int r = 1; r < table.rowCount(); ++r)
        names.insert(table.cell(0, r));
    return names;
}

bool holdsOutcomes(const Table &history, int row)
{
    for (int c = 1; c < history.columnCount(); ++c) {
        if (!history.cell(c, row).isEmpty())
            return true;
    }
    return false;
}

// Sites are matched by their whole name: "Files" is not present because
// "FilesWeb" is.
void reconcile(Table &history, const Table &submitList, const QString &path,
               History::LoadResult &result)
{
    result.reconciled = true;
    const QSet<QString> sites = siteNames(submitList);
    for (int r = history.rowCount() - 1; r >= 1; --r) {
        const QString name = history.cell(0, r);
        if (sites.contains(name))
            continue;
        if (holdsOutcomes(history, r) && result.backupPath.isEmpty() && !path.isEmpty())
            result.backupPath = RecordFile::keepBadCopy(path);
        if (!name.isEmpty())
            result.droppedSites.prepend(name);
        history.setRow(r, QStringList());
        history.removeRow(r);
    }

    QSet<QString> present = siteNames(history);
    for (int r = 1; r < submitList.rowCount(); ++r) {
        const QString name = submitList.cell(SiteRecord::SiteName, r);
        if (name.isEmpty() || present.contains(name))
            continue;
        const int row = history.isEmpty() ? 1 : history.appendRow();
        history.setCell(0, row, name);
        present.insert(name);
        result.addedSites.append(name);
    }

    if (history.rowCount() != submitList.rowCount())
        result.mismatchMessage = History::notEqualMessage();
}

// Puts the history's rows in the submit list's order when both hold the same
// site names, each once; false, changing nothing, when they do not.
bool followSubmitList(Table &history, const Table &submitList)
{
    if (history.rowCount() != submitList.rowCount())
        return false;
    // The file was written in this order: then nothing moves.
    int r = 1;
    while (r < history.rowCount()
           && history.cell(0, r) == submitList.cell(SiteRecord::SiteName, r))
        ++r;
    if (r == history.rowCount())
        return true;
    QHash<QString, int> rowOf;
    rowOf.reserve(history.rowCount());
    for (int r = 1; r < history.rowCount(); ++r) {
        if (rowOf.contains(history.cell(0, r)))
            return false;
        rowOf.insert(history.cell(0, r), r);
    }
    QList<QStringList> ordered;
    ordered.reserve(history.rowCount() - 1);
    for (int r = 1; r < submitList.rowCount(); ++r) {
        const auto found = rowOf.find(submitList.cell(SiteRecord::SiteName, r));
        if (found == rowOf.end() || found.value() == 0)
            return false;
        ordered.append(history.row(found.value()));
        found.value() = 0;
    }
    for (int r = 1; r < history.rowCount(); ++r)
        history.setRow(r, ordered.at(r - 1));
    return true;
}

} // namespace

namespace History {

QString okCell(const QDate &date, const QLocale &locale)
{
    // The user's short format, but always with the century: "12/6/2026",
    // never "12/6/26".
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(date, format) + QStringLiteral("  ok");
}

bool accepted(const QString &cell)
{
    return !cell.isEmpty() && cell != failCell();
}

bool acceptedAt(const Table &history, int siteRow, int chooserIndex)
{
    return siteRow >= 1 && chooserIndex >= 0 && accepted(history.cell(chooserIndex + 1, siteRow));
}

void setHeadings(Table &history, const Table &submitList, const Table &software)
{
    history.setColumnCount(software.rowCount());
    history.setCell(0, 0, submitList.cell(SiteRecord::SiteName, 0));
    for (int a = 1; a < software.rowCount(); ++a)
        history.setCell(a, 0, software.cell(Field::ProgramName, a));
}

LoadResult load(Table &history, const Table &submitList, const Table &software,
                const QString &path)
{
    return load(history, submitList, software, path, SiteSort::collator());
}

LoadResult load(Table &history, const Table &submitList, const Table &software,
                const QString &path, const QCollator &collator)
{
    LoadResult result;
    history = Table(std::max(1, software.rowCount()), 2);
    setHeadings(history, submitList, software);

    const TableFile::LoadResult file = TableFile::load(history, path, TableFile::Kind::Plain);
    result.fileExisted = file.fileExisted;
    result.readProblem = file.error;
    if (file.fileExisted) {
        if (columnText(history) != columnText(submitList))
            reconcile(history, submitList, path, result);
    } else {
        history.setRowCount(submitList.rowCount());
        for (int r = 1; r < submitList.rowCount(); ++r)
            history.setCell(0, r, submitList.cell(SiteRecord::SiteName, r));
    }
    sort(history, submitList, collator);
    return result;
}

void sort(Table &history, const Table &submitList, const QCollator &collator)
{
    // When the names match the submit list's one to one, its order is the
    // sort's result and row r stays on site r even for names the collation
    // holds equal; only otherwise is the history sorted on its own.
    if (!followSubmitList(history, submitList))
        SiteSort::sortRows(history, collator);
}

LoadResult follow(Table &history, const Table &submitList, const QCollator &collator)
{
    LoadResult result;
    result.fileExisted = true;
    if (columnText(history) != columnText(submitList))
        reconcile(history, submitList, QString(), result);
    sort(history, submitList, collator);
    return result;
}

QStringList sitesLosingOutcomes(const Table &history, const Table &submitList)
{
    const QSet<QString> sites = siteNames(submitList);
    QStringList lost;
    for (int r = 1; r < history.rowCount(); ++r) {
        if (!sites.contains(history.cell(0, r)) && holdsOutcomes(history, r))
            lost.append(history.cell(0, r));
    }
    return lost;
}

TableFile::SaveResult save(const Table &history, const QString &path)
{
    return TableFile::save(history, path, TableFile::Kind::Plain);
}

} // namespace History
