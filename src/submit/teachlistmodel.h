#pragma once

#include "submit/formwalk/formwalkplanner.h"
#include "submit/formwalk/pagesnapshot.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// Every element of every form of a page, one row each, with the catalogue
// field the user picks for it (at first the suggested one). Plain rows and
// no widget per row, so a page of ten thousand inputs lists at once. An
// input without a name is taught by its id, which the walk matches where no
// input of its form has that name.
class TeachListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FormColumn, NameColumn, IdColumn, KindColumn, LabelColumn, ValueColumn, FieldColumn, ColumnCount };
    // The field column's number under this role; NoField when none is picked.
    static constexpr int FieldRole = Qt::UserRole + 1;
    static constexpr int NoField = -1000;

    explicit TeachListModel(QObject *parent = nullptr);

    // Lists the page's elements and suggests a field for each named one.
    void setPage(const PageSnapshot &page);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The picks in page order, one entry per (field, input name).
    QList<FormWalk::FieldMapEntry> picks() const;

private:
    struct Row
    {
        int form = 0;
        bool loose = false;       // the page's controls outside any form
        QString name;
        QString id;
        QString kind;
        QString label;
        QString value;
        int field = NoField;
        bool suggested = false;   // the pick is still the suggestion
    };

    // What an entry names the input by: its name, else its id.
    static QString entryName(const Row &r) { return r.name.isEmpty() ? r.id : r.name; }

    QList<Row> m_rows;
};
