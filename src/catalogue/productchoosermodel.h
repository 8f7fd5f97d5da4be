#pragma once

#include <QAbstractListModel>
#include <QStringList>

class Table;

// The product chooser's items, read from the software list: item i is row
// i + 1, a record without a name shown as "(unnamed)" and told apart by
// Qt::UserRole true; the empty catalogue's one item stays blank. It keeps no
// names of its own, only how many items it shows (none before a catalogue
// file was read), and follows the list where it is told to.
class ProductChooserModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ProductChooserModel(const Table &software, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // After a load: one item per record, or none without a catalogue file.
    // The chooser then shows its first item, as when items are added anew.
    void reload(bool fileExisted);
    // Item `index` shows its row as it is now; `index` == rowCount() adds it.
    void recordStored(int index);
    void removeItem(int index);

    // The items as the save compares names: "" for a record without one.
    QStringList names() const;

private:
    const Table &m_software;
    int m_count = 0;
};
