#include "platform/tablemodel.h"

#include "platform/table.h"

TableModel::TableModel(const Table &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount() - 1;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_table.cell(index.column(), tableRow(index.row()));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_table.cell(section, 0);
    return QString::number(tableRow(section));
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TableModel::reload(const std::function<void()> &change)
{
    beginResetModel();
    if (change)
        change();
    endResetModel();
}
