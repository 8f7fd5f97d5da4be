#pragma once

#include "platform/tablemodel.h"
#include "submit/history/standing.h"

#include <QFrame>
#include <QStyledItemDelegate>

#include <functional>

class HistoryTotalsRow;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class Table;

// The history table as the view sees it: row 0 gives the header (site
// heading, then one program name per product), rows 1.. are the view's rows.
// BackgroundRole carries a cell's colour while it is not selected.
class HistoryModel : public TableModel
{
    Q_OBJECT

public:
    explicit HistoryModel(const Table &history, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Cells changed in place (an outcome, an edit): drawn again, the current
    // cell and the scroll position kept.
    void cellsChanged();

private:
    const Table &m_history;
};

// Draws a history cell in its colour: selected product cells light grey in
// the window-text colour, texts 2 pixels right of and below the corner.
class HistoryDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    HistoryDelegate(const Table &history, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    const Table &m_history;
};

// The history view `Panel_4`: the table `StringGrid_history` (sites by
// products) with its pop-up menu `PopupMenu_h`, and below it the edit box
// `Edit_history_edit`, the cell label `Label8`, "edit cell" (`Button3`) and
// "[ delete line ]" (`Button4`). The rules are HistoryRules'; the main window
// learns of changes through the signals.
class HistoryView : public QFrame
{
    Q_OBJECT

public:
    static constexpr int SiteColumnWidth = 174;
    // At least; a locale's longer short date widens it (productColumnWidth()).
    static constexpr int ProductColumnWidth = 90;
    int productColumnWidth() const;

    HistoryView(Table &history, QWidget *parent = nullptr);
    ~HistoryView() override;

    QTableView *table() const { return m_grid; }
    HistoryModel *model() const { return m_model; }
    QLineEdit *editBox() const { return m_edit; }
    QLabel *cellLabel() const { return m_label; }
    QMenu *popupMenu() const { return m_popup; }
    HistoryTotalsRow *totalsRow() const { return m_totals; }
    // Each product's standing over all sites, kept current with the table
    // (index k: the product of column k).
    const QList<Standing::Counts> &standing() const { return m_standing; }

    // The history was loaded or changed shape: shown again, widths reset.
    void reload(const std::function<void()> &change = {});
    // Cells changed in place: drawn again.
    void cellsChanged();
    // Current row as a table row (1..), or 0 when there is none.
    int currentRow() const;
    // Current column, or -1 when there is none.
    int currentColumn() const;
    // Makes `row` (a table row) current, keeping the current column.
    void setCurrentRow(int row);
    // The list fills the view down to 39 pixels above its bottom.
    void layoutView();

public slots:
    // "history", once the view is shown: the cell of the submit list's
    // current row and the current product, in view, with the focus.
    void SpeedButton1Click(int submitListCurrentRow, int currentSoftwareRow);
    void Button3Click();
    void Button4Click();

signals:
    // The table changed: the main window's history dirty flag goes on.
    void edited();
    // "edit cell" refused the text; the message is for the user.
    void editRefused(const QString &message);
    // The table was clicked with this cell current (table row).
    void cellClicked(int column, int row);
    // The standing changed with the table.
    void standingChanged();
    // The pop-up's report entries: the product of `column` (1..) as a file.
    void reportRequested(int column, bool html);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyColumnWidths();
    void cellPressed(const QModelIndex &index);
    void refreshStanding();

    Table &m_history;
    QTableView *m_grid = nullptr;
    HistoryModel *m_model = nullptr;
    QMenu *m_popup = nullptr;
    HistoryTotalsRow *m_totals = nullptr;
    QList<Standing::Counts> m_standing;
    QWidget *m_buttons = nullptr;
    QLineEdit *m_edit = nullptr;
    QLabel *m_label = nullptr;
    QPushButton *m_editCell = nullptr;
    QPushButton *m_deleteLine = nullptr;
};
