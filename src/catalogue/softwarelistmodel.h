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

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Runs `change` on the table between a model reset, for changes of shape
    // (loading, deleting, importing).
    void reload(const std::function<void(Table &)> &change = {});
    // A record's cells (or its mark) changed in place.
    void recordChanged(int tableRow);

private:
    Table &m_table;
};
