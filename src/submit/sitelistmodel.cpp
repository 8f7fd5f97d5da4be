#include "submit/sitelistmodel.h"

#include "platform/table.h"
#include "submit/history/history.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

SiteListModel::SiteListModel(const Table &sites, const Table &history, QObject *parent)
    : TableModel(sites, parent), m_sites(sites), m_history(history)
{
}

QVariant SiteListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = tableRow(index.row());
    switch (role) {
    case Qt::CheckStateRole:
        // An empty list has no site to mark.
        if (index.column() != SiteRecord::SiteName || m_sites.isEmpty())
            return QVariant();
        return int(Marks::isMarked(m_sites, row) ? Qt::Checked : Qt::Unchecked);
    case AcceptedRole:
        return History::acceptedAt(m_history, row, m_chosenProduct);
    case Qt::DisplayRole:
        if (m_list && index.column() == SiteRecord::Notes) {
            switch (m_list->origin(row)) {
            case SubmitList::Origin::User:
                return QString(userSiteMarker() + m_sites.cell(SiteRecord::Notes, row));
            case SubmitList::Origin::UserReplacing:
                return QString(replacingSiteMarker() + m_sites.cell(SiteRecord::Notes, row));
            case SubmitList::Origin::Library:
                break;
            }
        }
        return TableModel::data(index, role);
    case Qt::ToolTipRole:
        if (m_list) {
            switch (m_list->origin(row)) {
            case SubmitList::Origin::User:
                return tr("One of your own sites (Kelvane_sites.dat)");
            case SubmitList::Origin::UserReplacing:
                return tr("Your own copy of this site: it replaces the site library's record "
                          "of the same name (Kelvane_sites.dat)");
            case SubmitList::Origin::Library:
                break;
            }
        }
        return QVariant();
    default:
        return TableModel::data(index, role);
    }
}

QString SiteListModel::userSiteMarker()
{
    return tr("[my site] ");
}

QString SiteListModel::replacingSiteMarker()
{
    return tr("[my copy] ");
}

void SiteListModel::setChosenProduct(int index)
{
    m_chosenProduct = index;
    historyChanged();
}

void SiteListModel::marksChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

void SiteListModel::historyChanged()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {AcceptedRole});
}

QColor SiteListDelegate::acceptedColour()
{
    return QColor(QRgb(SiteColours::AcceptedBackground));
}

QColor SiteListDelegate::selectionColour()
{
    return QColor(QRgb(SiteColours::SelectedBackground));
}

QRect SiteListDelegate::checkBoxRect(const QRect &cell)
{
    return QRect(cell.left(), cell.top() + 2, CheckBoxWidth, cell.height() - 3);
}

void SiteListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect cell = option.rect;
    const QPalette &palette = option.palette;

    QColor background = palette.color(QPalette::Base);
    QColor text = palette.color(QPalette::Text);
    if (index.data(SiteListModel::AcceptedRole).toBool()) {
        background = acceptedColour();
        text = palette.color(QPalette::Disabled, QPalette::Text);
    }
    // The selection wins over the history's colour.
    if (option.state.testFlag(QStyle::State_Selected)) {
        background = selectionColour();
        text = palette.color(QPalette::WindowText);
    }

    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, background);
    painter->setFont(option.font);
    painter->setPen(text);

    int left = TextLeft;
    Qt::Alignment alignment = Qt::AlignLeft;
    if (index.column() == SiteRecord::Auto) {
        left = 0;
        alignment = Qt::AlignHCenter;
    } else if (index.column() == SiteRecord::SiteName) {
        left = NameLeft;
    }
    painter->drawText(cell.adjusted(left, TextTop, 0, 0),
                      int(alignment | Qt::AlignTop | Qt::TextSingleLine),
                      index.data(Qt::DisplayRole).toString());

    const QVariant mark = index.data(Qt::CheckStateRole);
    if (index.column() == SiteRecord::SiteName && mark.isValid()) {
        QStyleOptionButton box;
        box.rect = checkBoxRect(cell);
        box.palette = palette;
        box.state = QStyle::State_Enabled
                    | (mark.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    }
    painter->restore();
}
