#pragma once

#include "platform/tablemodel.h"

#include <QColor>
#include <QRect>
#include <QStyledItemDelegate>

#include <functional>

class SubmitList;
class Table;

// The submit list as the view sees it. Column 0 carries the
// site mark as its check state; AcceptedRole says whether the history holds
// an acceptance of the chosen product for the row's site. The user's own
// sites show a marker before their notes and say so in a tooltip; the
// stored notes stay as they are.
class SiteListModel : public TableModel
{
    Q_OBJECT

public:
    enum Role { AcceptedRole = Qt::UserRole + 1 };

    // `sites` is the submit list's table, `history` the history table; both
    // outlive the model.
    SiteListModel(const Table &sites, const Table &history, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Where the rows come from, for the user's sites' marker; none: no marker.
    void setSiteList(const SubmitList *list) { m_list = list; }
    static QString userSiteMarker();
    static QString replacingSiteMarker();

    // The product chooser's item index, -1 when it shows none.
    int chosenProduct() const { return m_chosenProduct; }
    void setChosenProduct(int index);

    // Site marks changed: the check boxes are drawn again.
    void marksChanged();
    // The history changed: the colours are drawn again.
    void historyChanged();

private:
    const Table &m_sites;
    const Table &m_history;
    const SubmitList *m_list = nullptr;
    int m_chosenProduct = -1;
};

// Draws the submit list's cells: a site that already accepted the chosen
// product on pale yellow in grey text, the selected row on light grey in the
// window-text colour, texts 2 pixels in, "auto" centred, and in column 0 the
// site mark's check box with the name beside it.
class SiteListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int TextLeft = 2;
    static constexpr int TextTop = 2;
    static constexpr int NameLeft = 17;
    static constexpr int CheckBoxWidth = 16;

    static QColor acceptedColour();
    static QColor selectionColour();
    // The check box of a column-0 cell: its first 16 pixels, from 2 below the
    // cell's top to 1 above its bottom.
    static QRect checkBoxRect(const QRect &cell);

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
