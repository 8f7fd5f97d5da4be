#include "submit/sitepackimportdialog.h"

#include "submit/sitepackimportmodel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

SitePackImportDialog::SitePackImportDialog(const SitePack::ReadResult &pack,
                                           const SitePack::Comparison &comparison, QWidget *parent)
    : QDialog(parent), m_model(new SitePackImportModel(pack.sites, comparison, this))
{
    setObjectName(QStringLiteral("SitePackImport"));
    setWindowTitle(tr("import sites"));
    auto *layout = new QVBoxLayout(this);

    QString origin = pack.program;
    if (pack.created.isValid())
        origin = tr("%1, made %2").arg(origin, pack.created.toString(Qt::ISODate));
    if (!origin.isEmpty()) {
        auto *from = new QLabel(tr("From: %1").arg(origin), this);
        from->setObjectName(QStringLiteral("Label_pack_origin"));
        from->setTextFormat(Qt::PlainText);
        layout->addWidget(from);
    }
    m_counts = new QLabel(SitePackImportModel::countsText(comparison), this);
    m_counts->setObjectName(QStringLiteral("Label_pack_counts"));
    layout->addWidget(m_counts);

    m_sites = new QTableView(this);
    m_sites->setObjectName(QStringLiteral("Table_pack_sites"));
    m_sites->setModel(m_model);
    m_sites->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_sites->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sites->verticalHeader()->hide();
    m_sites->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_sites->horizontalHeader()->setSectionResizeMode(SitePackImportModel::Name,
                                                      QHeaderView::Stretch);
    m_sites->verticalHeader()->setDefaultSectionSize(m_sites->fontMetrics().height() + 6);
    layout->addWidget(m_sites, 2);
    connect(m_sites->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showSite(current.row()); });

    m_differences = new QTableWidget(0, 3, this);
    m_differences->setObjectName(QStringLiteral("Table_pack_differences"));
    m_differences->setHorizontalHeaderLabels({tr("Column"), tr("Ours"), tr("Theirs")});
    m_differences->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_differences->verticalHeader()->hide();
    m_differences->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_differences->setWordWrap(true);
    layout->addWidget(m_differences, 1);

    if (!pack.refused.isEmpty()) {
        QStringList lines;
        for (const SitePack::RefusedSite &site : pack.refused)
            lines.append(site.name.isEmpty()
                             ? tr("site %1: %2").arg(site.number).arg(site.reason)
                             : tr("site %1 \"%2\": %3").arg(site.number).arg(site.name, site.reason));
        layout->addWidget(new QLabel(tr("Refused, not imported (%1):").arg(pack.refused.size()), this));
        auto *refused = new QPlainTextEdit(lines.join(QLatin1Char('\n')), this);
        refused->setObjectName(QStringLiteral("Text_pack_refused"));
        refused->setReadOnly(true);
        refused->setMaximumHeight(90);
        layout->addWidget(refused);
    }
    if (!pack.note.isEmpty()) {
        auto *note = new QLabel(pack.note, this);
        note->setObjectName(QStringLiteral("Label_pack_note"));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("ImportChosenSites"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_model, &SitePackImportModel::chosenChanged, this, &SitePackImportDialog::chosenChanged);
    chosenChanged();
    resize(640, 520);
    if (m_model->rowCount() > 0)
        m_sites->setCurrentIndex(m_model->index(0, SitePackImportModel::Name));
}

QList<QStringList> SitePackImportDialog::chosenSites() const
{
    return m_model->chosenSites();
}

void SitePackImportDialog::showSite(int row)
{
    m_differences->setRowCount(0);
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QList<SitePack::Difference> &differences = m_model->site(row).differences;
    m_differences->setRowCount(int(differences.size()));
    for (int r = 0; r < differences.size(); ++r) {
        const SitePack::Difference &difference = differences.at(r);
        m_differences->setItem(r, 0, new QTableWidgetItem(difference.caption));
        m_differences->setItem(r, 1, new QTableWidgetItem(difference.ours));
        m_differences->setItem(r, 2, new QTableWidgetItem(difference.theirs));
    }
    m_differences->resizeRowsToContents();
}

void SitePackImportDialog::chosenChanged()
{
    m_import->setEnabled(m_model->chosenCount() > 0);
}
