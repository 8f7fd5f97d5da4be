#include "submit/teachdialog.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/pseudofields.h"
#include "submit/browser/pageprobe.h"
#include "submit/fieldchoicedelegate.h"
#include "submit/run/sitecheckreport.h"
#include "submit/sitecheckrun.h"
#include "submit/sites/siterecord.h"
#include "submit/teachlistmodel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QWebEngineView>

TeachDialog::TeachDialog(const QStringList &siteRecord, const BrowserOptions &options,
                         const FormWalk::LoginPair &login, QWidget *parent, int timeLimitMs)
    : QDialog(parent), m_site(siteRecord)
{
    setObjectName(QStringLiteral("TeachDialog"));
    setWindowTitle(tr("Read form from page : %1").arg(siteRecord.value(SiteRecord::SiteName)));

    // The login step needs the site's pair and the constants, never a product.
    m_input.siteRecord = siteRecord;
    m_input.softwareRecord = QStringList(FieldCatalogue::FieldCount);
    m_input.constants = PseudoFields::constantValueList();
    m_input.defaultLogin = login;
    // A login-first site whose login entries are not taught yet cannot log
    // in: its login page is listed, so that those two come first.
    int entries = 0;
    for (int c = SiteRecord::FirstFieldMap;
         c < siteRecord.size() && !siteRecord.at(c).trimmed().isEmpty(); ++c)
        ++entries;
    m_loginPageOnly = siteRecord.value(SiteRecord::Login).trimmed().toInt() == SiteRecord::LoginFirst
                      && entries < 2;
    if (m_loginPageOnly)
        m_input.siteRecord[SiteRecord::Login] = QStringLiteral("0");

    m_probe = new PageProbe(options, this);
    m_probe->setTimeLimit(timeLimitMs);
    connect(m_probe, &PageProbe::finished, this, &TeachDialog::probed);

    m_model = new TeachListModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("TableView_inputs"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(
        TeachListModel::FieldColumn,
        new FieldChoiceDelegate(TeachListModel::FieldRole, TeachListModel::NoField, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_table->setWordWrap(false);
    // Fixed sizes: measuring ten thousand rows would stop the window.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->hide();
    const int widths[TeachListModel::ColumnCount] = {40, 140, 100, 80, 180, 140, 220};
    for (int c = 0; c < TeachListModel::ColumnCount; ++c)
        m_table->setColumnWidth(c, widths[c]);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_status"));
    m_status->setWordWrap(true);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_probe->view());
    split->addWidget(m_table);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    resize(900, 700);
}

TeachDialog::~TeachDialog()
{
    m_probe->stop();
}

QList<FormWalk::FieldMapEntry> TeachDialog::readFormFromPage(const QStringList &siteRecord,
                                                             const BrowserOptions &options,
                                                             const FormWalk::LoginPair &login,
                                                             QWidget *parent)
{
    TeachDialog dialog(siteRecord, options, login, parent);
    dialog.start();
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.picks();
}

void TeachDialog::start()
{
    if (const std::optional<SiteCheckResult> skipped = SiteCheckReport::notCheckable(m_site)) {
        m_status->setText(tr("This site has no form page to read: %1.").arg(skipped->detail));
        QMetaObject::invokeMethod(this, [this] { emit pageRead(false); }, Qt::QueuedConnection);
        return;
    }
    m_status->setText(tr("Opening %1 ...").arg(m_site.value(SiteRecord::SubmitPage).trimmed()));
    m_probe->open(m_input);
}

void TeachDialog::probed(const ProbeResult &result)
{
    if (result.status != ProbeResult::Status::Loaded) {
        const SiteCheckResult shown = SiteCheckRun::resultOf(m_site, result, m_input);
        m_status->setText(SiteCheckReport::problem(shown) + u'.');
        emit pageRead(false);
        return;
    }
    m_model->setPage(result.snapshot);
    m_status->setText(
        m_loginPageOnly && !result.snapshot.forms.isEmpty()
            ? tr("The site logs in first, and this is its login page. Pick \"site user name\" "
                 "and \"site password\" for its two inputs and press OK; read the form again "
                 "to log in and list the submission form.")
        : result.snapshot.forms.isEmpty()
            ? tr("The page has no form. Check the submission address, or the login.")
            : tr("%n input(s) on the page. Pick a field for each input worth filling; "
                 "suggestions are in italics.",
                 nullptr, m_model->rowCount()));
    emit pageRead(true);
}

QList<FormWalk::FieldMapEntry> TeachDialog::picks() const
{
    return m_model->picks();
}

QString TeachDialog::statusText() const
{
    return m_status->text();
}
