#include "submit/historytotalsrow.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QToolTip>

#include <algorithm>

HistoryTotalsRow::HistoryTotalsRow(QTableView *grid, QWidget *parent)
    : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("HistoryTotals"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto redraw = [this] { update(); };
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, redraw);
    connect(grid->horizontalHeader(), &QHeaderView::geometriesChanged, this, redraw);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, redraw);
}

void HistoryTotalsRow::setCounts(const QList<Standing::Counts> &counts)
{
    m_counts = counts;
    update();
}

QString HistoryTotalsRow::cellText(int column) const
{
    if (column == 0)
        return tr("Totals");
    if (column < 1 || column >= m_counts.size())
        return QString();
    const Standing::Counts &counts = m_counts.at(column);
    return tr("%1 ok, %2 fail").arg(counts.ok).arg(counts.failed);
}

int HistoryTotalsRow::preferredHeight() const
{
    return fontMetrics().height() + 5;
}

int HistoryTotalsRow::columnAt(int x) const
{
    return m_grid->columnAt(x);
}

void HistoryTotalsRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &palette = this->palette();
    painter.fillRect(rect(), palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette.color(QPalette::ButtonText));
    const int first = std::max(0, columnAt(0));
    const int last = columnAt(width() - 1) < 0 ? m_grid->model() ? m_grid->model()->columnCount() - 1 : -1
                                               : columnAt(width() - 1);
    for (int column = first; column <= last; ++column) {
        const QRect cell(m_grid->columnViewportPosition(column), 1, m_grid->columnWidth(column),
                         height() - 1);
        painter.drawText(cell.adjusted(2, 0, -2, 0), int(Qt::AlignLeft | Qt::AlignVCenter),
                         fontMetrics().elidedText(cellText(column), Qt::ElideRight, cell.width() - 4));
    }
}

bool HistoryTotalsRow::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int column = columnAt(help->pos().x());
        if (column >= 1 && column < m_counts.size())
            QToolTip::showText(help->globalPos(), Standing::text(m_counts.at(column)), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
