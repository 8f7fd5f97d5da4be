#pragma once

#include "submit/sites/sitepack.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class SitePackImportModel;

// The site pack import window: the pack's sites against the program's with a
// check box each, the changed columns of the selected differing site side by
// side, the counts, the refused sites with their reasons and the note on keys
// this version does not know. "Import" accepts with the chosen sites; Cancel
// changes nothing.
class SitePackImportDialog : public QDialog
{
    Q_OBJECT

public:
    SitePackImportDialog(const SitePack::ReadResult &pack, const SitePack::Comparison &comparison,
                         QWidget *parent = nullptr);

    SitePackImportModel *model() const { return m_model; }
    QList<QStringList> chosenSites() const;
    // Shows the differences of the pack's site in `row` (0 = first).
    void showSite(int row);

private:
    void chosenChanged();

    SitePackImportModel *m_model;
    QTableView *m_sites;
    QTableWidget *m_differences;
    QLabel *m_counts;
    QPushButton *m_import;
};
