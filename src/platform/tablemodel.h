#pragma once

#include <QAbstractTableModel>

#include <functional>

class Table;

// A Table as a view sees it: the heading row 0 gives the horizontal header,
// rows 1.. are the view's rows 0... Cells are read straight from the Table,
// so thousands of rows cost nothing until they are drawn. Subclasses add
// their own roles in data().
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TableModel(const Table &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    // The cell's text for the display and edit roles.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Selectable, never editable: cells change through the program's commands.
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const Table &table() const { return m_table; }

    // Runs `change` between a model reset, for changes of shape.
    void reload(const std::function<void()> &change = {});

    // Table row of a view row and back: the heading row is not a view row.
    static int tableRow(int viewRow) { return viewRow + 1; }
    static int viewRow(int tableRow) { return tableRow - 1; }

private:
    const Table &m_table;
};
