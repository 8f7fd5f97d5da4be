#pragma once

#include <QAbstractTableModel>

#include <functional>

class Table;

// The software list as the view sees it: the Table's heading row 0 gives the
// horizontal header, rows 1.. are the view's rows 0... Cells are read straight
// from the Table, so ten thousand records cost nothing until they are drawn.
// Column 0 carries the submission mark (field 104) as its check state; an
// empty catalogue has no check box at all.
class SoftwareListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit SoftwareListModel(Table &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const Table &table() const { return m_table; }

    // Runs `change` on the table between a model reset, for changes of shape
    // (loading, deleting, importing).
    void reload(const std::function<void(Table &)> &change = {});
    // A record's cells (or its mark) changed in place.
    void recordChanged(int tableRow);

    // Table row of a view row and back: the heading row is not a view row.
    static int tableRow(int viewRow) { return viewRow + 1; }
    static int viewRow(int tableRow) { return tableRow - 1; }

private:
    Table &m_table;
};
