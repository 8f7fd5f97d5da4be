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
    if (index.column() == extraColumn())
        return m_extra && !m_table.isEmpty() ? m_extra(tableRow(index.row()), role) : QVariant();
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

int SoftwareListModel::columnCount(const QModelIndex &parent) const
{
    return TableModel::columnCount(parent) + (m_extra && !parent.isValid() ? 1 : 0);
}

QVariant SoftwareListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == extraColumn() && m_extra)
        return role == Qt::DisplayRole ? QVariant(m_extraHeading) : QVariant();
    return TableModel::headerData(section, orientation, role);
}

void SoftwareListModel::setExtraColumn(const QString &heading, ExtraData data)
{
    beginResetModel();
    m_extraHeading = heading;
    m_extra = std::move(data);
    endResetModel();
}

void SoftwareListModel::extraColumnChanged()
{
    if (m_extra && rowCount() > 0)
        emit dataChanged(index(0, extraColumn()), index(rowCount() - 1, extraColumn()));
}
