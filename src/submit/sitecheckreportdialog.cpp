#include "submit/sitecheckreportdialog.h"

#include "platform/dialogs.h"
#include "platform/reportfile.h"

#include <QBrush>
#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

using Severity = SiteCheckReport::Severity;

SiteCheckReportModel::SiteCheckReportModel(const QList<SiteCheckResult> &results, QObject *parent)
    : QAbstractTableModel(parent), m_results(SiteCheckReport::ordered(results))
{
}

int SiteCheckReportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_results.size());
}

int SiteCheckReportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SiteCheckReport::ColumnCount;
}

QVariant SiteCheckReportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_results.size())
        return {};
    const SiteCheckResult &r = m_results.at(index.row());
    const Severity severity = SiteCheckReport::severity(r);
    switch (role) {
    case Qt::DisplayRole:
        return SiteCheckReport::cell(r, index.column());
    case Qt::ToolTipRole:
        return SiteCheckReport::problem(r);
    case Qt::BackgroundRole:
        if (severity == Severity::Failed)
            return QBrush(QColor(255, 220, 220));
        if (severity == Severity::Warning)
            return QBrush(QColor(255, 255, 210));
        if (severity == Severity::NeedsUser)
            return QBrush(QColor(220, 235, 255));
        return {};
    case Qt::ForegroundRole:
        // Fixed light backgrounds need dark text whatever the colour scheme.
        return severity == Severity::Failed || severity == Severity::Warning
                || severity == Severity::NeedsUser
            ? QVariant(QBrush(Qt::black))
            : QVariant();
    case SortRole:
        if (index.column() == SiteCheckReport::Status)
            return int(severity);
        if (index.column() == SiteCheckReport::Found)
            return r.page == SiteCheckResult::Page::Loaded ? r.foundEntries() : -1;
        return SiteCheckReport::cell(r, index.column()).toLower();
    default:
        return {};
    }
}

QVariant SiteCheckReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return SiteCheckReport::headings().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

SiteCheckReportDialog::SiteCheckReportDialog(const QList<SiteCheckResult> &results,
                                             Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("SiteCheckReport"));
    setWindowTitle(tr("Site check"));
    m_model = new SiteCheckReportModel(results, this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(SiteCheckReportModel::SortRole);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("TableView_sitecheck"));
    m_table->setModel(m_sorted);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);
    // The model's order (problems first) until the user clicks a heading.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->resizeColumnsToContents();
    if (m_sorted->rowCount() > 0)
        m_table->setCurrentIndex(m_sorted->index(0, 0));
    connect(m_table, &QTableView::doubleClicked, this, &SiteCheckReportDialog::editCurrentSite);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *csv = buttons->addButton(tr("save as &CSV..."), QDialogButtonBox::ActionRole);
    csv->setObjectName(QStringLiteral("Button_save_csv"));
    auto *html = buttons->addButton(tr("save as &HTML..."), QDialogButtonBox::ActionRole);
    html->setObjectName(QStringLiteral("Button_save_html"));
    auto *edit = buttons->addButton(tr("&edit site..."), QDialogButtonBox::ActionRole);
    edit->setObjectName(QStringLiteral("Button_edit_site"));
    connect(csv, &QPushButton::clicked, this, &SiteCheckReportDialog::saveAsCsv);
    connect(html, &QPushButton::clicked, this, &SiteCheckReportDialog::saveAsHtml);
    connect(edit, &QPushButton::clicked, this, &SiteCheckReportDialog::editCurrentSite);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(900, 500);
}

QString SiteCheckReportDialog::currentSiteName() const
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return QString();
    const QModelIndex source = m_sorted->mapToSource(current);
    return m_model->results().value(source.row()).siteName;
}

void SiteCheckReportDialog::editCurrentSite()
{
    const QString name = currentSiteName();
    if (!name.isEmpty())
        emit editSiteRequested(name);
}

bool SiteCheckReportDialog::saveAsCsv()
{
    return save(tr("Save the site check as CSV"), tr("CSV file (*.csv)"), QStringLiteral("csv"),
                SiteCheckReport::csv(m_model->results()));
}

bool SiteCheckReportDialog::saveAsHtml()
{
    return save(tr("Save the site check as HTML"), tr("HTML file (*.html *.htm)"),
                QStringLiteral("html"),
                SiteCheckReport::html(m_model->results(), windowTitle()));
}

bool SiteCheckReportDialog::save(const QString &title, const QString &filter,
                                 const QString &suffix, const QByteArray &bytes)
{
    return ReportFile::saveAs(m_dialogs, {title, filter, suffix, QStringLiteral("site check.") + suffix},
                              bytes);
}
