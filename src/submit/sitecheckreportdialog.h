#pragma once

#include "submit/run/sitecheckreport.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>

class Dialogs;
class QSortFilterProxyModel;
class QTableView;

// The site check's rows, problems first, for a sortable table.
class SiteCheckReportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // What a column sorts by: severity, found entries, or the shown text.
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit SiteCheckReportModel(const QList<SiteCheckResult> &results, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QList<SiteCheckResult> &results() const { return m_results; }

private:
    QList<SiteCheckResult> m_results;
};

// The report at the end of a site check: the table, saved as CSV or HTML,
// and "edit site..." for the site of the current row.
class SiteCheckReportDialog : public QDialog
{
    Q_OBJECT

public:
    SiteCheckReportDialog(const QList<SiteCheckResult> &results, Dialogs &dialogs,
                          QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    // The site of the table's current row as the user sees it sorted; "" when none.
    QString currentSiteName() const;

    // Each asks for a file name through the dialogs port; false when
    // cancelled or not written (the error already shown).
    bool saveAsCsv();
    bool saveAsHtml();
    void editCurrentSite();

signals:
    void editSiteRequested(const QString &siteName);

private:
    bool save(const QString &title, const QString &filter, const QString &suffix,
              const QByteArray &bytes);

    Dialogs &m_dialogs;
    SiteCheckReportModel *m_model = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTableView *m_table = nullptr;
};
