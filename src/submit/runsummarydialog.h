#pragma once

#include "submit/run/runsummary.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>

class Dialogs;
class QLabel;
class QPushButton;
class QTableView;

// One run's pairs for a table: site, product, outcome, note.
class RunSummaryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RunSummaryModel(RunSummary summary, QObject *parent = nullptr);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    const RunSummary &summary() const { return m_summary; }

private:
    RunSummary m_summary;
};

// The window that ends a submission run: what became of each pair, the
// counts, "mark the failed ones again" for the next run, and the list saved
// as CSV or HTML.
class RunSummaryDialog : public QDialog
{
    Q_OBJECT

public:
    RunSummaryDialog(const RunSummary &summary, Dialogs &dialogs, QWidget *parent = nullptr);

    static QString windowTitleText();
    QTableView *table() const { return m_table; }
    QString countsText() const;
    bool saveAsCsv();
    bool saveAsHtml();

signals:
    // The sites of the failed pairs, to be marked for the next run.
    void markAgainRequested(const QList<int> &siteRows);

private:
    Dialogs &m_dialogs;
    RunSummaryModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_counts = nullptr;
};
