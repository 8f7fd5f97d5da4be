#pragma once

#include <QAbstractTableModel>
#include <QFrame>

#include <functional>

class QTableView;
class Table;

// The history table as the view sees it: row 0 gives the header (site
// heading, then one program name per product), rows 1.. are the view's rows.
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit HistoryModel(const Table &history, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void reload(const std::function<void()> &change = {});

private:
    const Table &m_history;
};

// The history view `Panel_4` with its table `StringGrid_history` (sites by
// products). It shows the table the main window keeps for the run; the cell
// colours and the edit and delete commands come with the history view work.
class HistoryView : public QFrame
{
    Q_OBJECT

public:
    static constexpr int SiteColumnWidth = 174;
    static constexpr int ProductColumnWidth = 90;

    HistoryView(const Table &history, QWidget *parent = nullptr);
    ~HistoryView() override;

    QTableView *table() const { return m_grid; }
    HistoryModel *model() const { return m_model; }

    // The history was loaded or changed shape: shown again, widths reset.
    void reload(const std::function<void()> &change = {});
    // Current row as a table row (1..), or 0 when there is none.
    int currentRow() const;
    // Makes `row` (a table row) current, keeping the current column.
    void setCurrentRow(int row);
    // The list fills the view down to 39 pixels above its bottom.
    void layoutView();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyColumnWidths();

    QTableView *m_grid = nullptr;
    HistoryModel *m_model = nullptr;
};
