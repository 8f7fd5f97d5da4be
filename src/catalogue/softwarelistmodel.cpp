#include "catalogue/softwarelistmodel.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/table.h"

SoftwareListModel::SoftwareListModel(Table &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int SoftwareListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount() - 1;
}

int SoftwareListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant SoftwareListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = tableRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_table.cell(index.column(), row);
    case Qt::CheckStateRole:
        // The box shows the mark; there is none to show on an empty catalogue.
        if (index.column() != 0 || m_table.isEmpty())
            return QVariant();
        return int(m_table.cell(FieldCatalogue::MarkField, row).isEmpty() ? Qt::Unchecked
                                                                           : Qt::Checked);
    default:
        return QVariant();
    }
}

QVariant SoftwareListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_table.cell(section, 0);
    return QString::number(tableRow(section));
}

Qt::ItemFlags SoftwareListModel::flags(const QModelIndex &index) const
{
    // The mark is toggled by the submit view's own handling, never by the box.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void SoftwareListModel::reload(const std::function<void(Table &)> &change)
{
    beginResetModel();
    if (change)
        change(m_table);
    endResetModel();
}

void SoftwareListModel::recordChanged(int tableRow)
{
    const int row = viewRow(tableRow);
    if (row < 0 || row >= rowCount())
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    // Emptiness hangs on row 1, and with it every row's check box.
    if (tableRow == 1 && rowCount() > 1)
        emit dataChanged(index(1, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}
