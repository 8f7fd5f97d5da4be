#include "catalogue/productchoosermodel.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"

ProductChooserModel::ProductChooserModel(const Table &software, QObject *parent)
    : QAbstractListModel(parent), m_software(software)
{
}

int ProductChooserModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant ProductChooserModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_count)
        return QVariant();
    const QString name = m_software.cell(Field::ProgramName, index.row() + 1);
    const bool nameless = name.isEmpty() && !m_software.isEmpty();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return nameless ? FieldCatalogue::shownProgramName(name) : name;
    case Qt::UserRole:
        return nameless ? QVariant(true) : QVariant();
    default:
        return QVariant();
    }
}

void ProductChooserModel::reload(bool fileExisted)
{
    // Emptied, then filled: the chooser picks its first item as it did for
    // items added one by one.
    beginResetModel();
    m_count = 0;
    endResetModel();
    const int count = fileExisted ? m_software.rowCount() - 1 : 0;
    if (count <= 0)
        return;
    beginInsertRows(QModelIndex(), 0, count - 1);
    m_count = count;
    endInsertRows();
}

void ProductChooserModel::recordStored(int index)
{
    if (index < 0 || index > m_count || index + 1 >= m_software.rowCount())
        return;
    if (index < m_count) {
        emit dataChanged(this->index(index), this->index(index));
        return;
    }
    beginInsertRows(QModelIndex(), index, index);
    ++m_count;
    endInsertRows();
}

void ProductChooserModel::removeItem(int index)
{
    if (index < 0 || index >= m_count)
        return;
    beginRemoveRows(QModelIndex(), index, index);
    --m_count;
    endRemoveRows();
}

QStringList ProductChooserModel::names() const
{
    QStringList names;
    names.reserve(m_count);
    for (int i = 0; i < m_count; ++i)
        names.append(m_software.cell(Field::ProgramName, i + 1));
    return names;
}
