#include "submit/historyview.h"

#include "platform/table.h"
#include "submit/history/historyrules.h"
#include "submit/historytotalsrow.h"

#include <QApplication>
#include <QColor>
#include <QHBoxLayout>
#include <QDate>
#include <QHeaderView>
#include <QLocale>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace {

constexpr int ListBottomMargin = 39;
constexpr int BottomRowOffset = 27;
constexpr int BottomRowHeight = 25;

QColor rgb(unsigned value)
{
    return QColor::fromRgb(QRgb(value));
}

} // namespace

HistoryModel::HistoryModel(const Table &history, QObject *parent)
    : TableModel(history, parent), m_history(history)
{
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = tableRow(index.row());
    if (role == Qt::BackgroundRole) {
        const HistoryRules::CellLook look =
            HistoryRules::cellLook(m_history, index.column(), row, false);
        if (look.background)
            return rgb(*look.background);
        return QVariant();
    }
    return TableModel::data(index, role);
}

void HistoryModel::cellsChanged()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
}

HistoryDelegate::HistoryDelegate(const Table &history, QObject *parent)
    : QStyledItemDelegate(parent), m_history(history)
{
}

void HistoryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    const HistoryRules::CellLook look =
        HistoryRules::cellLook(m_history, index.column(), HistoryModel::tableRow(index.row()),
                               option.state.testFlag(QStyle::State_Selected));
    const QRect cell = option.rect;
    painter->save();
    painter->setClipRect(cell);
    painter->fillRect(cell, look.background ? rgb(*look.background) : palette.color(QPalette::Base));
    painter->setFont(option.font);
    painter->setPen(palette.color(look.windowText ? QPalette::WindowText : QPalette::Text));
    painter->drawText(cell.adjusted(HistoryRules::TextOffset, HistoryRules::TextOffset, 0, 0),
                      int(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine),
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

HistoryView::HistoryView(Table &history, QWidget *parent) : QFrame(parent), m_history(history)
{
    setObjectName(QStringLiteral("Panel_4"));
    setFrameShape(QFrame::NoFrame);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid_history"));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setWordWrap(false);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 5);
    m_grid->horizontalHeader()->setDefaultSectionSize(productColumnWidth());
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);

    m_model = new HistoryModel(history, this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new HistoryDelegate(history, m_grid));
    applyColumnWidths();
    m_totals = new HistoryTotalsRow(m_grid, this);
    connect(m_model, &QAbstractItemModel::modelReset, this, &HistoryView::refreshStanding);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &HistoryView::refreshStanding);
    refreshStanding();

    connect(m_grid, &QAbstractItemView::pressed, this, &HistoryView::cellPressed);
    connect(m_grid, &QAbstractItemView::clicked, this, [this] {
        emit cellClicked(currentColumn(), currentRow());
    });

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu_h"));
    QAction *deleteLine = m_popup->addAction(QStringLiteral("&delete line"));
    deleteLine->setObjectName(QStringLiteral("Pop_h_deleteline"));
    connect(deleteLine, &QAction::triggered, this, &HistoryView::Button4Click);
    m_popup->addSeparator();
    QAction *csv = m_popup->addAction(tr("save product's report as &CSV..."));
    csv->setObjectName(QStringLiteral("Pop_h_reportcsv"));
    QAction *html = m_popup->addAction(tr("save product's report as &HTML..."));
    html->setObjectName(QStringLiteral("Pop_h_reporthtml"));
    for (QAction *action : {csv, html}) {
        connect(action, &QAction::triggered, this,
                [this, isHtml = action == html] { emit reportRequested(currentColumn(), isHtml); });
    }
    // A report is one product's: the site column has none.
    connect(m_popup, &QMenu::aboutToShow, this, [this, csv, html] {
        csv->setEnabled(currentColumn() >= 1);
        html->setEnabled(currentColumn() >= 1);
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        m_popup->popup(m_grid->viewport()->mapToGlobal(at));
    });

    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("Panel_history_buttons"));
    auto *row = new QHBoxLayout(m_buttons);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    m_edit = new QLineEdit(m_buttons);
    m_edit->setObjectName(QStringLiteral("Edit_history_edit"));
    row->addWidget(m_edit, 1);
    m_label = new QLabel(HistoryRules::initialLabel(), m_buttons);
    m_label->setObjectName(QStringLiteral("Label8"));
    row->addWidget(m_label);
    m_editCell = new QPushButton(QStringLiteral("edit cell"), m_buttons);
    m_editCell->setObjectName(QStringLiteral("Button3"));
    connect(m_editCell, &QPushButton::clicked, this, &HistoryView::Button3Click);
    row->addWidget(m_editCell);
    m_deleteLine = new QPushButton(QStringLiteral("[ delete line ]"), m_buttons);
    m_deleteLine->setObjectName(QStringLiteral("Button4"));
    connect(m_deleteLine, &QPushButton::clicked, this, &HistoryView::Button4Click);
    row->addWidget(m_deleteLine);

    layoutView();
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

void HistoryView::cellsChanged()
{
    m_model->cellsChanged();
}

int HistoryView::currentRow() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? HistoryModel::tableRow(current.row()) : 0;
}

int HistoryView::currentColumn() const
{
    const QModelIndex current = m_grid->currentIndex();
    return current.isValid() ? current.column() : -1;
}

void HistoryView::setCurrentRow(int row)
{
    const int column = std::max(0, m_grid->currentIndex().column());
    const QModelIndex index = m_model->index(HistoryModel::viewRow(row), column);
    if (index.isValid())
        m_grid->setCurrentIndex(index);
}

void HistoryView::SpeedButton1Click(int submitListCurrentRow, int currentSoftwareRow)
{
    const HistoryRules::Position position =
        HistoryRules::positionFor(submitListCurrentRow, currentSoftwareRow);
    const QModelIndex index = m_model->index(HistoryModel::viewRow(position.row), position.column);
    if (index.isValid())
        m_grid->setCurrentIndex(index);
    m_grid->setFocus(Qt::OtherFocusReason);
    // Row by row scrolling: the bar's value is the top row's view row.
    m_grid->verticalScrollBar()->setValue(HistoryModel::viewRow(position.topRow));
}

void HistoryView::cellPressed(const QModelIndex &index)
{
    const std::optional<HistoryRules::Press> press =
        HistoryRules::cellPress(m_history, index.column(), HistoryModel::tableRow(index.row()));
    if (!press)
        return;
    m_edit->setText(press->editText);
    m_label->setText(press->label);
}

void HistoryView::Button3Click()
{
    const HistoryRules::Edit edit = HistoryRules::editCell(m_history, m_label->text(), m_edit->text());
    if (!edit.refusal.isEmpty()) {
        emit editRefused(edit.refusal);
    } else if (edit.changed) {
        cellsChanged();
        emit edited();
    }
    m_grid->setFocus(Qt::OtherFocusReason);
}

void HistoryView::Button4Click()
{
    if (HistoryRules::deleteLine(m_history, currentRow())) {
        cellsChanged();
        emit edited();
    }
}

void HistoryView::refreshStanding()
{
    m_standing = Standing::ofProducts(m_history);
    m_totals->setCounts(m_standing);
    emit standingChanged();
}

void HistoryView::applyColumnWidths()
{
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, c == 0 ? SiteColumnWidth : productColumnWidth());
}

int HistoryView::productColumnWidth() const
{
    // Wide enough for the longest short date of this locale and its "  ok".
    const QString widest =
        QLocale().toString(QDate(2026, 12, 28), QLocale::ShortFormat) + QStringLiteral("  ok");
    return std::max(int(ProductColumnWidth), m_grid->fontMetrics().horizontalAdvance(widest) + 8);
}

void HistoryView::layoutView()
{
    // The totals line sits under the grid, its cells under the grid's columns.
    const int totals = m_totals->preferredHeight();
    const int gridHeight = std::max(0, height() - ListBottomMargin - totals);
    m_grid->setGeometry(0, 0, width(), gridHeight);
    const int frame = m_grid->frameWidth();
    m_totals->setGeometry(frame, gridHeight, std::max(0, width() - 2 * frame), totals);
    m_buttons->setGeometry(0, height() - BottomRowOffset, width(), BottomRowHeight);
}

void HistoryView::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutView();
}
