#pragma once

#include "platform/clock.h"
#include "platform/table.h"

#include <QLocale>
#include <QString>

#include <optional>

// What a closed browser window leaves in the history and its file.
namespace HistoryRecord {

struct Cell
{
    int column = 0;
    int row = 0;
    QString text;
    friend bool operator==(const Cell &, const Cell &) = default;
};

// Done (positive code): "<short date>  ok" in the row of the code; failed
// (negative): "   fail" in the row of minus the code; cancelled (0): nothing.
// `productRow` is the software row the window submitted, which is the column.
std::optional<Cell> outcomeCell(int resultCode, int productRow, const QDate &today,
                                const QLocale &locale = QLocale());

struct Recorded
{
    // The cell that was written, if any.
    std::optional<Cell> cell;
    // The file was written with the outcome in it.
    bool saved = false;
    // Why the file could not be written; the outcome stays in the table and
    // the caller keeps the history dirty so the next write carries it.
    QString error;
};

// The close handler's history write: the outcome goes into its cell and the
// whole history is written at once, so an outcome once confirmed survives a
// crash later in the run. Row 0 and column 0 (headings, site names) and
// cells outside the table are never written.
Recorded record(Table &history, const QString &path, int resultCode, int productRow,
                const Clock &clock, const QLocale &locale = QLocale());

} // namespace HistoryRecord
