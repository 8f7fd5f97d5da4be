#include "submit/fieldmapmodel.h"

#include "submit/formwalk/fieldchoices.h"

#include <algorithm>

QString FieldMapModel::captionOf(int field)
{
    if (field == NoField)
        return QString();
    const QString caption = FieldChoices::caption(field);
    return caption.isEmpty() ? tr("unknown field %1").arg(field) : caption;
}

void FieldMapModel::setEntries(const QStringList &entries)
{
    beginResetModel();
    m_rows.clear();
    for (const QString &cell : entries) {
        if (cell.trimmed().isEmpty())
            break;
        const std::optional<FormWalk::FieldMapEntry> entry = FormWalk::parseEntry(cell);
        m_rows.append(entry ? Row{entry->inputName, entry->field} : Row{cell, NoField});
    }
    endResetModel();
}

QStringList FieldMapModel::entries(QString *problem) const
{
    QStringList cells;
    for (int r = 0; r < m_rows.size(); ++r) {
        const Row &row = m_rows.at(r);
        const bool hasName = !row.inputName.trimmed().isEmpty();
        const bool hasField = row.field != NoField;
        if (!hasName && !hasField)
            continue;
        if (problem && problem->isEmpty() && hasName != hasField)
            *problem = hasName ? tr("Row %1 of the field map has no catalogue field: choose "
                                    "the field that fills the input \"%2\".")
                                     .arg(r + 1)
                                     .arg(row.inputName)
                               : tr("Row %1 of the field map has no input name.").arg(r + 1);
        cells.append(QString::number(hasField ? row.field : 0) + QLatin1Char('=') + row.inputName);
    }
    return cells;
}

void FieldMapModel::putEntry(const FormWalk::FieldMapEntry &entry, int fromRow)
{
    for (int r = std::max(fromRow, 0); r < m_rows.size(); ++r) {
        if (m_rows.at(r).inputName == entry.inputName) {
            m_rows[r].field = entry.field;
            emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
            return;
        }
    }
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size()));
    m_rows.append({entry.inputName, entry.field});
    endInsertRows();
}

int FieldMapModel::addRow()
{
    const int row = int(m_rows.size());
    beginInsertRows(QModelIndex(), row, row);
    m_rows.append(Row());
    endInsertRows();
    return row;
}

void FieldMapModel::removeRowsAt(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int r : std::as_const(rows)) {
        if (r < 0 || r >= m_rows.size())
            continue;
        beginRemoveRows(QModelIndex(), r, r);
        m_rows.removeAt(r);
        endRemoveRows();
    }
}

int FieldMapModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FieldMapModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FieldMapModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Row &row = m_rows.at(index.row());
    if (role == FieldRole)
        return row.field;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    return index.column() == InputName ? row.inputName : captionOf(row.field);
}

bool FieldMapModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return false;
    Row &row = m_rows[index.row()];
    if (index.column() == InputName && role == Qt::EditRole)
        row.inputName = value.toString();
    else if (index.column() == CatalogueField && role == FieldRole)
        row.field = value.toInt();
    else
        return false;
    emit dataChanged(index, index);
    return true;
}

QVariant FieldMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == InputName ? tr("input name") : tr("catalogue field");
}

Qt::ItemFlags FieldMapModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
