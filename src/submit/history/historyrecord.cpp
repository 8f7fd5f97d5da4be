#include "submit/history/historyrecord.h"

#include "submit/history/history.h"

#include <limits>

namespace HistoryRecord {

std::optional<Cell> outcomeCell(int resultCode, int productRow, const QDate &today,
                                const QLocale &locale)
{
    if (resultCode > 0)
        return Cell{productRow, resultCode, History::okCell(today, locale)};
    // Minus the smallest int names no row.
    if (resultCode < 0 && resultCode != std::numeric_limits<int>::min())
        return Cell{productRow, -resultCode, History::failCell()};
    return std::nullopt;
}

Recorded record(Table &history, const QString &path, int resultCode, int productRow,
                const Clock &clock, const QLocale &locale)
{
    Recorded result;
    const std::optional<Cell> cell = outcomeCell(resultCode, productRow, clock.today(), locale);
    if (!cell || cell->row < 1 || cell->row >= history.rowCount() || cell->column < 1
        || cell->column >= history.columnCount())
        return result;
    history.setCell(cell->column, cell->row, cell->text);
    result.cell = cell;
    const TableFile::SaveResult saved = History::save(history, path);
    result.saved = saved.ok;
    result.error = saved.error;
    return result;
}

} // namespace HistoryRecord
