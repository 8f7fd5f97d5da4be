#include "platform/table.h"

#include <algorithm>

Table::Table(int columns, int rows) : m_columns(std::max(1, columns))
{
    setRowCount(rows);
}

void Table::setColumnCount(int columns)
{
    m_columns = std::max(1, columns);
    for (QStringList &r : m_rows) {
        if (r.size() > m_columns)
            r.resize(m_columns);
    }
}

void Table::setRowCount(int rows)
{
    m_rows.resize(std::max(1, rows));
}

QString Table::cell(int column, int row) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return QString();
    return m_rows.at(row).value(column);
}

void Table::setCell(int column, int row, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    QStringList &cells = m_rows[row];
    if (column >= cells.size()) {
        // An empty cell past the row's end is already there.
        if (text.isEmpty())
            return;
        cells.resize(column + 1);
    }
    cells[column] = text;
}

QStringList Table::row(int row) const
{
    QStringList cells = m_rows.value(row);
    cells.resize(m_columns);
    return cells;
}

void Table::setRow(int row, QStringList cells)
{
    if (row < 0 || row >= m_rows.size())
        return;
    // Trailing empty cells need no room.
    qsizetype used = std::min<qsizetype>(cells.size(), m_columns);
    while (used > 0 && cells.at(used - 1).isEmpty())
        --used;
    cells.resize(used);
    cells.squeeze();
    m_rows[row] = std::move(cells);
}

bool Table::isEmpty() const
{
    if (m_rows.size() > 2)
        return false;
    const QStringList cells = m_rows.value(1);
    for (qsizetype c = 0; c < std::min<qsizetype>(cells.size(), m_columns - 1); ++c) {
        if (!cells.at(c).isEmpty())
            return false;
    }
    return m_columns > 1 || cells.value(0).isEmpty();
}

int Table::appendRow()
{
    m_rows.append(QStringList());
    return int(m_rows.size()) - 1;
}

void Table::removeRow(int row)
{
    if (row < 1 || row >= m_rows.size())
        return;
    if (m_rows.size() == 2) {
        // The table never drops below heading plus row 1.
        m_rows[1] = QStringList();
        return;
    }
    m_rows.removeAt(row);
}

void Table::insertColumn(int column)
{
    column = std::clamp(column, 0, m_columns);
    for (QStringList &r : m_rows) {
        if (r.size() > column)
            r.insert(column, QString());
    }
    ++m_columns;
}

void Table::removeColumn(int column)
{
    if (column < 0 || column >= m_columns || m_columns == 1)
        return;
    for (QStringList &r : m_rows) {
        if (r.size() > column)
            r.removeAt(column);
    }
    --m_columns;
}

void Table::clearRecords()
{
    QStringList heading = m_rows.value(0);
    if (heading.size() > m_columns)
        heading.resize(m_columns);
    m_rows = {heading, QStringList()};
}

int Table::findRow(int column, const QString &text) const
{
    for (int r = 1; r < m_rows.size(); ++r) {
        if (m_rows.at(r).value(column).compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}
