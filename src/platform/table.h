#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A grid of text cells addressed as (column, row), row 0 being the heading.
// Reads outside the grid give "". A row holds only the cells up to its last
// written one, so memory follows the text, not the column count. The software
// list, submit list and history are Tables.
class Table
{
public:
    explicit Table(int columns = 1, int rows = 2);

    int columnCount() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    void setColumnCount(int columns);
    void setRowCount(int rows);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // The whole row, exactly columnCount() cells.
    QStringList row(int row) const;
    void setRow(int row, QStringList cells);

    // Empty: no record in it, only row 1 and that row without a name and
    // without text before the last column (the mark column of the marked
    // lists). A record without a name still counts as a record.
    bool isEmpty() const;

    // Appends an empty row and returns its index.
    int appendRow();
    void removeRow(int row);
    void insertColumn(int column);
    void removeColumn(int column);

    // Back to the fresh state: the heading row and one empty row 1.
    void clearRecords();

    // Sorts rows 1.. by the cell in `column` with `less`; row 0 stays.
    template <typename Less> void sortRows(int column, Less less);

    // First row >= 1 whose cell in `column` equals `text` without regard to case, or -1.
    int findRow(int column, const QString &text) const;

private:
    int m_columns;
    QList<QStringList> m_rows;
};

template <typename Less> void Table::sortRows(int column, Less less)
{
    if (m_rows.size() < 3)
        return;
    std::stable_sort(m_rows.begin() + 1, m_rows.end(),
                     [&](const QStringList &a, const QStringList &b) {
                         return less(a.value(column), b.value(column));
                     });
}
