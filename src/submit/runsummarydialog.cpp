#include "submit/runsummarydialog.h"

#include "platform/reportfile.h"

#include <QBrush>
#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

RunSummaryModel::RunSummaryModel(RunSummary summary, QObject *parent)
    : QAbstractTableModel(parent), m_summary(std::move(summary))
{
}

int RunSummaryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_summary.entries().size());
}

int RunSummaryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : RunSummary::ColumnCount;
}

QVariant RunSummaryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_summary.cell(index.row(), index.column());
    if (role == Qt::ForegroundRole && index.column() == RunSummary::OutcomeColumn) {
        switch (m_summary.entries().at(index.row()).outcome) {
        case RunSummary::Outcome::Ok:
            return QBrush(QColor(0, 110, 0));
        case RunSummary::Outcome::Failed:
            return QBrush(QColor(170, 0, 0));
        default:
            return {};
        }
    }
    return {};
}

QVariant RunSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return RunSummary::headings().value(section);
    return {};
}

RunSummaryDialog::RunSummaryDialog(const RunSummary &summary, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("RunSummary"));
    setWindowTitle(windowTitleText());
    m_model = new RunSummaryModel(summary, this);
    m_counts = new QLabel(summary.countsText(), this);
    m_counts->setObjectName(QStringLiteral("RunSummaryCounts"));
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("RunSummaryTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(RunSummary::Site, 170);
    m_table->setColumnWidth(RunSummary::Product, 150);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *again = buttons->addButton(tr("&Mark the failed ones again"), QDialogButtonBox::ActionRole);
    again->setObjectName(QStringLiteral("MarkFailedAgain"));
    again->setToolTip(tr("Marks exactly the sites that failed in this run, for the next run."));
    again->setEnabled(!summary.failedSiteRows().isEmpty());
    QPushButton *csv = buttons->addButton(tr("Save as &CSV..."), QDialogButtonBox::ActionRole);
    QPushButton *html = buttons->addButton(tr("Save as &HTML..."), QDialogButtonBox::ActionRole);
    connect(again, &QPushButton::clicked, this,
            [this] { emit markAgainRequested(m_model->summary().failedSiteRows()); });
    connect(csv, &QPushButton::clicked, this, &RunSummaryDialog::saveAsCsv);
    connect(html, &QPushButton::clicked, this, &RunSummaryDialog::saveAsHtml);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_counts);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(640, 420);
}

QString RunSummaryDialog::windowTitleText()
{
    return tr("Submission run");
}

QString RunSummaryDialog::countsText() const
{
    return m_counts->text();
}

bool RunSummaryDialog::saveAsCsv()
{
    return ReportFile::saveAs(m_dialogs,
                              {tr("Save the run as CSV"), tr("CSV file (*.csv)"), QStringLiteral("csv"),
                               QStringLiteral("submission run.csv")},
                              m_model->summary().csv());
}

bool RunSummaryDialog::saveAsHtml()
{
    return ReportFile::saveAs(m_dialogs,
                              {tr("Save the run as HTML"), tr("HTML file (*.html *.htm)"),
                               QStringLiteral("html"), QStringLiteral("submission run.html")},
                              m_model->summary().html(windowTitle()));
}
