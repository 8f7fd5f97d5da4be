#include "platform/table.h"

#include <algorithm>

Table::Table(int columns, int rows) : m_columns(std::max(1, columns))
{
    setRowCount(rows);
}

void Table::setColumnCount(int columns)
{
    m_columns = std::max(1, columns);
    for (QStringList &r : m_rows)
        r.resize(m_columns);
}

void Table::setRowCount(int rows)
{
    rows = std::max(1, rows);
    const qsizetype old = m_rows.size();
    m_rows.resize(rows);
    for (qsizetype i = old; i < rows; ++i)
        m_rows[i].resize(m_columns);
}

QString Table::cell(int column, int row) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return QString();
    return m_rows.at(row).at(column);
}

void Table::setCell(int column, int row, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns)
        return;
    m_rows[row][column] = text;
}

QStringList Table::row(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QStringList(m_columns);
    return m_rows.at(row);
}

void Table::setRow(int row, QStringList cells)
{
    if (row < 0 || row >= m_rows.size())
        return;
    cells.resize(m_columns);
    m_rows[row] = std::move(cells);
}

int Table::appendRow()
{
    m_rows.append(QStringList(m_columns));
    return int(m_rows.size()) - 1;
}

void Table::removeRow(int row)
{
    if (row < 1 || row >= m_rows.size())
        return;
    if (m_rows.size() == 2) {
        // The table never drops below heading plus row 1.
        m_rows[1] = QStringList(m_columns);
        return;
    }
    m_rows.removeAt(row);
}

void Table::insertColumn(int column)
{
    column = std::clamp(column, 0, m_columns);
    for (QStringList &r : m_rows)
        r.insert(column, QString());
    ++m_columns;
}

void Table::removeColumn(int column)
{
    if (column < 0 || column >= m_columns || m_columns == 1)
        return;
    for (QStringList &r : m_rows)
        r.removeAt(column);
    --m_columns;
}

void Table::clearRecords()
{
    QStringList heading = m_rows.value(0);
    heading.resize(m_columns);
    m_rows = {heading, QStringList(m_columns)};
}

int Table::findRow(int column, const QString &text) const
{
    for (int r = 1; r < m_rows.size(); ++r) {
        if (m_rows.at(r).value(column).compare(text, Qt::CaseInsensitive) == 0)
            return r;
    }
    return -1;
}
