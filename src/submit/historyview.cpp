#include "submit/historyview.h"

#include "catalogue/table.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int ListBottomMargin = 39;

} // namespace

HistoryModel::HistoryModel(const Table &history, QObject *parent)
    : QAbstractTableModel(parent), m_history(history)
{
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_history.rowCount() - 1;
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_history.columnCount();
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return m_history.cell(index.column(), index.row() + 1);
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return m_history.cell(section, 0);
    return QString::number(section + 1);
}

Qt::ItemFlags HistoryModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void HistoryModel::reload(const std::function<void()> &change)
{
    beginResetModel();
    if (change)
        change();
    endResetModel();
}

HistoryView::HistoryView(const Table &history, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel_4"));
    setFrameShape(QFrame::NoFrame);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid_history"));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 5);
    m_grid->horizontalHeader()->setDefaultSectionSize(ProductColumnWidth);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);

    m_model = new HistoryModel(history, this);
    m_grid->setModel(m_model);
    applyColumnWidths();
}

HistoryView::~HistoryView()
{
    // The view lets go of the model before the table behind it goes.
    m_grid->setModel(nullptr);
}

void HistoryView::reload(const std::function<void()> &change)
{
    m_model->reload(change);
    applyColumnWidths();
}

int HistoryView::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void HistoryView::setCurrentRow(int row)
{
    const int column = std::max(0, m_grid->currentIndex().column());
    const QModelIndex index = m_model->index(row - 1, column);
    if (index.isValid())
        m_grid->setCurrentIndex(index);
}

void HistoryView::applyColumnWidths()
{
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, c == 0 ? SiteColumnWidth : ProductColumnWidth);
}

void HistoryView::layoutView()
{
    m_grid->setGeometry(0, 0, width(), std::max(0, height() - ListBottomMargin));
}

void HistoryView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutView();
}
