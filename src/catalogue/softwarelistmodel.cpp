#include "catalogue/softwarelistmodel.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"

SoftwareListModel::SoftwareListModel(Table &table, QObject *parent)
    : TableModel(table, parent), m_table(table)
{
}

QVariant SoftwareListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole && index.column() == Field::ProgramName && !m_table.isEmpty())
        return FieldCatalogue::shownProgramName(
            m_table.cell(Field::ProgramName, tableRow(index.row())));
    if (role != Qt::CheckStateRole)
        return TableModel::data(index, role);
    // The box shows the mark; there is none to show on an empty catalogue.
    if (index.column() != Field::ProgramName || m_table.isEmpty())
        return QVariant();
    return int(m_table.cell(FieldCatalogue::MarkField, tableRow(index.row())).isEmpty()
                   ? Qt::Unchecked
                   : Qt::Checked);
}

void SoftwareListModel::reload(const std::function<void(Table &)> &change)
{
    TableModel::reload([&] {
        if (change)
            change(m_table);
    });
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
