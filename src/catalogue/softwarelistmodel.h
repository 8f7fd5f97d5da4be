#pragma once

#include "platform/tablemodel.h"

#include <functional>

class Table;

// The software list as the view sees it. Column 0 carries the submission mark (field 104) as its check state; an
// empty catalogue has no check box at all.
class SoftwareListModel : public TableModel
{
    Q_OBJECT

public:
    explicit SoftwareListModel(Table &table, QObject *parent = nullptr);

    // A column's parts for a small bar under its text (a QList<int>: the
    // counts of the parts, drawn in green, red and grey).
    static constexpr int BarRole = Qt::UserRole + 1;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // One column after the record's fields, filled by the caller (each
    // product's standing, which comes from the history).
    using ExtraData = std::function<QVariant(int tableRow, int role)>;
    void setExtraColumn(const QString &heading, ExtraData data);
    int extraColumn() const { return TableModel::columnCount(); }
    void extraColumnChanged();

    // Runs `change` on the table between a model reset, for changes of shape
    // (loading, deleting, importing).
    void reload(const std::function<void(Table &)> &change = {});
    // A record's cells (or its mark) changed in place.
    void recordChanged(int tableRow);

private:
    Table &m_table;
    QString m_extraHeading;
    ExtraData m_extra;
};
