#pragma once

#include "submit/formwalk/formwalkplanner.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <climits>

// The site editor's field map: one row per entry, the web-form input's name
// and the catalogue field that fills it. The field is held as its number and
// shown by caption; it is chosen from the list, never typed.
class FieldMapModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { InputName = 0, CatalogueField = 1, ColumnCount = 2 };
    // A row whose field is not chosen yet.
    static constexpr int NoField = INT_MIN;
    // The field number behind the CatalogueField cell (EditRole gives the caption too).
    static constexpr int FieldRole = Qt::UserRole + 1;

    struct Row
    {
        QString inputName;
        int field = NoField;
        friend bool operator==(const Row &, const Row &) = default;
    };

    // The field's caption as the choice list shows it.
    static QString captionOf(int field);

    using QAbstractTableModel::QAbstractTableModel;

    // The entries of a record from column 8 up to the first blank cell; an
    // entry that does not read as number=name keeps its text as input name.
    void setEntries(const QStringList &entries);
    // One "number=name" cell per row; blank rows are left out. `problem`
    // names the first row that has only one of its two halves.
    QStringList entries(QString *problem = nullptr) const;
    // Replaces the row of the same input name from row `fromRow` on, else
    // adds one (a login-first site's two login rows stay with their form).
    void putEntry(const FormWalk::FieldMapEntry &entry, int fromRow = 0);

    const QList<Row> &rows() const { return m_rows; }
    int addRow();
    void removeRowsAt(QList<int> rows);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QList<Row> m_rows;
};
