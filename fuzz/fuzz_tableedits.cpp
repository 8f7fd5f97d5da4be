// libFuzzer target for the table every data file is loaded into: the bytes
// are a run of edits (cells, whole rows, rows and columns added and removed,
// sorts) applied both to a Table and to a plain grid of strings. After each
// edit the two must read alike, cell by cell, and a copy taken earlier must
// not have moved. Packed rows, their overlays of changed cells and the
// compaction of the shared buffer are all reached this way.
#include "platform/table.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, int column, int row)
{
    std::fprintf(stderr, "fuzz_tableedits: %s at column %d, row %d\n", what, column, row);
    std::abort();
}

// The grid the Table must behave as: every row exactly `columns` cells.
struct Grid
{
    int columns = 1;
    QList<QStringList> rows;

    Grid(int c, int r) : columns(std::max(1, c)) { setRowCount(r); }
    void setRowCount(int r)
    {
        rows.resize(std::max(1, r));
        for (QStringList &row : rows)
            row.resize(columns);
    }
    void setColumnCount(int c)
    {
        columns = std::max(1, c);
        for (QStringList &row : rows)
            row.resize(columns);
    }
};

class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    int next() { return m_at < m_size ? m_data[m_at++] : 0; }
    // Short texts from a few letters (so that sorts and repeats meet),
    // non-ASCII and Windows-1252 ones among them; length 0 is common.
    QString text()
    {
        static const char16_t letters[] = {u'a', u'b', u'Z', u'0', u' ', u'\u00e9', u'\u20ac', u'|'};
        const int length = next() % 12;
        QString t;
        for (int i = 0; i < length; ++i)
            t.append(QChar(letters[next() % 8]));
        // Now and then a long cell, past a wide row's short-cell encoding.
        if (length == 11)
            t = t.repeated(40);
        return t;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void compare(const Table &table, const Grid &grid)
{
    if (table.columnCount() != grid.columns)
        fail("column count", table.columnCount(), grid.columns);
    if (table.rowCount() != grid.rows.size())
        fail("row count", table.rowCount(), int(grid.rows.size()));
    for (int r = 0; r < grid.rows.size(); ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            if (table.cell(c, r) != grid.rows.at(r).at(c))
                fail("cell", c, r);
        }
        if (table.row(r) != grid.rows.at(r))
            fail("row", -1, r);
        // Past the grid reads give "".
        if (!table.cell(grid.columns, r).isEmpty() || !table.cell(-1, r).isEmpty())
            fail("read outside", grid.columns, r);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Reader in(data, size);
    const int startColumns = 1 + in.next() % 40;
    Table table(startColumns, 2);
    Grid grid(startColumns, 2);
    Table copy = table;
    Grid copied = grid;
    constexpr int MaxRows = 60, MaxColumns = 120;
    for (int step = 0; step < 400 && !in.atEnd(); ++step) {
        const int op = in.next() % 12;
        const int rows = int(grid.rows.size());
        // Indexes a little past the grid too: those edits must change nothing.
        const int row = in.next() % (rows + 2) - 1;
        const int column = in.next() % (grid.columns + 2) - 1;
        switch (op) {
        case 0: case 1: case 2: case 3: { // cell writes are what the views and marks do most
            const QString t = op == 3 ? QString() : in.text();
            table.setCell(column, row, t);
            if (row >= 0 && row < rows && column >= 0 && column < grid.columns)
                grid.rows[row][column] = t;
            break;
        }
        case 4: { // a whole row, as the record files load them
            QStringList cells;
            const int count = in.next() % (grid.columns + 3);
            for (int c = 0; c < count; ++c)
                cells.append(in.text());
            table.setRow(row, cells);
            if (row >= 0 && row < rows) {
                cells.resize(grid.columns);
                grid.rows[row] = cells;
            }
            break;
        }
        case 5:
            if (rows < MaxRows) {
                table.appendRow();
                grid.rows.append(QStringList(grid.columns));
            }
            break;
        case 6:
            table.removeRow(row);
            if (row >= 1 && row < rows) {
                if (rows == 2)
                    grid.rows[1] = QStringList(grid.columns);
                else
                    grid.rows.removeAt(row);
            }
            break;
        case 7:
            if (grid.columns < MaxColumns) {
                const int at = std::clamp(column, 0, grid.columns);
                table.insertColumn(column);
                ++grid.columns;
                for (QStringList &cells : grid.rows)
                    cells.insert(at, QString());
            }
            break;
        case 8:
            table.removeColumn(column);
            if (column >= 0 && column < grid.columns && grid.columns > 1) {
                --grid.columns;
                for (QStringList &cells : grid.rows)
                    cells.removeAt(column);
            }
            break;
        case 9: {
            const int columns = std::min(MaxColumns, in.next() % 50);
            table.setColumnCount(columns);
            grid.setColumnCount(columns);
            break;
        }
        case 10: {
            const int count = in.next() % 4;
            if (count == 0) {
                table.clearRecords();
                grid.rows = {grid.rows.at(0), QStringList(grid.columns)};
            } else if (count == 1) {
                const int target = std::min(MaxRows, in.next() % 10 + 1);
                table.setRowCount(target);
                grid.setRowCount(target);
            } else {
                const int by = std::max(column, 0);
                const auto less = [](const QString &a, const QString &b) { return a < b; };
                table.sortRows(by, less);
                if (grid.rows.size() > 2)
                    std::stable_sort(grid.rows.begin() + 1, grid.rows.end(),
                                     [by](const QStringList &a, const QStringList &b) {
                                         return a.value(by) < b.value(by);
                                     });
            }
            break;
        }
        case 11:
            // What the copy held must stay; from here on it is the new copy.
            compare(copy, copied);
            copy = table;
            copied = grid;
            break;
        }
        compare(table, grid);
    }
    compare(copy, copied);
    return 0;
}
