#pragma once

#include "submit/history/standing.h"

#include <QList>
#include <QWidget>

class QTableView;

// The history's totals: one line under the grid, under each
// product's column its ok and failed counts over all sites, following the
// columns as they scroll and change width.
class HistoryTotalsRow : public QWidget
{
    Q_OBJECT

public:
    HistoryTotalsRow(QTableView *grid, QWidget *parent);

    // Index k: the product of column k; index 0 unused.
    void setCounts(const QList<Standing::Counts> &counts);
    // What column `column` shows ("" for none): "Totals" under the sites.
    QString cellText(int column) const;
    int preferredHeight() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    int columnAt(int x) const;

    QTableView *m_grid;
    QList<Standing::Counts> m_counts;
};
