#include "submit/siteeditordialog.h"

#include "submit/fieldchoicedelegate.h"

#include "platform/dialogs.h"
#include "submit/fieldmapmodel.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/credentials.h"
#include "submit/sites/siterecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QPushButton *button(QWidget *parent, const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

QList<QPair<int, QString>> SiteEditorDialog::loginTypes()
{
    return {
        {0, tr("The submission page holds the form; it is filled as it opens.")},
        {SiteRecord::LoginFirst,
         tr("The submission page is a login form: the first two entries fill it with the "
            "site's user name and password and it is sent; the form on the page that follows "
            "is filled from the third entry on.")},
        {2, tr("Any other number: the same as 0, the submission page holds the form.")},
        {SiteRecord::EmailSite,
         tr("The site takes submissions by e-mail: a message is composed to the address in "
            "\"reg url\"; the field map is not used.")},
    };
}

SiteEditorDialog::SiteEditorDialog(Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("SiteEditorDialog"));
    setWindowTitle(tr("site"));

    auto *form = new QFormLayout;
    m_name = lineEdit(this, "Edit_site_name");
    form->addRow(tr("Web site"), m_name);
    m_home = lineEdit(this, "Edit_site_url");
    m_home->setPlaceholderText(QStringLiteral("https://"));
    form->addRow(tr("URL (home page)"), m_home);
    m_notes = lineEdit(this, "Edit_site_notes");
    m_notes->setToolTip(tr("\"Must register first\" enables \"register at site\" until the site "
                           "has a user name and password."));
    form->addRow(tr("Notes"), m_notes);
    m_auto = new QCheckBox(tr("may be submitted with auto-submit on"), this);
    m_auto->setObjectName(QStringLiteral("CheckBox_site_auto"));
    form->addRow(tr("auto"), m_auto);
    m_submit = lineEdit(this, "Edit_site_submit");
    m_submit->setPlaceholderText(QStringLiteral("https://"));
    form->addRow(tr("Submit (submission page)"), m_submit);
    m_login = new QComboBox(this);
    m_login->setObjectName(QStringLiteral("ComboBox_site_login"));
    // Each type by its number and meaning; the number is what the record stores.
    const QStringList meanings = {tr("the form is on the submission page"), tr("log in first"),
                                  tr("as 0"), tr("by e-mail")};
    for (const auto &type : loginTypes()) {
        m_login->addItem(QStringLiteral("%1 \u2014 %2").arg(type.first).arg(meanings.value(type.first)),
                         type.first);
        m_login->setItemData(m_login->count() - 1, type.second, Qt::ToolTipRole);
    }
    form->addRow(tr("Login"), m_login);
    m_loginSentence = new QLabel(this);
    m_loginSentence->setObjectName(QStringLiteral("Label_site_login"));
    m_loginSentence->setWordWrap(true);
    form->addRow(QString(), m_loginSentence);
    m_user = lineEdit(this, "Edit_site_user");
    form->addRow(tr("user name"), m_user);
    m_pass = lineEdit(this, "Edit_site_pass");
    m_pass->setEchoMode(QLineEdit::Password);
    form->addRow(tr("password"), m_pass);
    m_regUrl = lineEdit(this, "Edit_site_regurl");
    form->addRow(tr("reg url (registration page, or e-mail address)"), m_regUrl);
    connect(m_login, &QComboBox::currentIndexChanged, this, &SiteEditorDialog::showLoginSentence);

    m_fieldMap = new FieldMapModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("Table_site_fieldmap"));
    m_table->setModel(m_fieldMap);
    m_table->setItemDelegateForColumn(
        FieldMapModel::CatalogueField,
        new FieldChoiceDelegate(FieldMapModel::FieldRole, FieldMapModel::NoField, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(FieldMapModel::InputName, 200);

    m_addRow = button(this, tr("add row"), "Button_site_addrow");
    connect(m_addRow, &QPushButton::clicked, this, [this] {
        const int row = m_fieldMap->addRow();
        const QModelIndex index = m_fieldMap->index(row, FieldMapModel::InputName);
        m_table->setCurrentIndex(index);
        m_table->edit(index);
    });
    m_removeRow = button(this, tr("remove row"), "Button_site_removerow");
    connect(m_removeRow, &QPushButton::clicked, this, [this] {
        QList<int> rows;
        for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes())
            rows.append(index.row());
        if (rows.isEmpty() && m_table->currentIndex().isValid())
            rows.append(m_table->currentIndex().row());
        m_fieldMap->removeRowsAt(rows);
    });
    m_readForm = button(this, tr("read form from page"), "Button_site_readform");
    m_readForm->hide();
    connect(m_readForm, &QPushButton::clicked, this, &SiteEditorDialog::readFormClicked);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addWidget(m_addRow);
    rowButtons->addWidget(m_removeRow);
    rowButtons->addStretch();
    rowButtons->addWidget(m_readForm);

    auto *box = new QDialogButtonBox(this);
    QPushButton *save = box->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("Button_site_save"));
    QPushButton *cancel = box->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Button_site_cancel"));
    connect(save, &QPushButton::clicked, this, &SiteEditorDialog::saveClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Field map: which catalogue field fills which input of the "
                                    "site's form"),
                                 this));
    layout->addWidget(m_table, 1);
    layout->addLayout(rowButtons);
    layout->addWidget(box);
    resize(640, 640);

    setRecord({});
}

void SiteEditorDialog::setRecord(const QStringList &record)
{
    using namespace SiteRecord;
    m_originalName = record.value(SiteName);
    m_name->setText(record.value(SiteName));
    m_home->setText(record.value(HomePage));
    m_notes->setText(record.value(Notes));
    // Any text but "no" counts as yes; the box writes "yes" or "no".
    m_auto->setChecked(record.value(Auto) != QLatin1String("no"));
    m_submit->setText(record.value(SubmitPage));
    while (m_login->count() > loginTypes().size())
        m_login->removeItem(m_login->count() - 1);
    const QString login = record.value(Login).isEmpty() ? QStringLiteral("0") : record.value(Login);
    int at = -1;
    for (int i = 0; i < m_login->count() && at < 0; ++i) {
        if (m_login->itemData(i).toString() == login)
            at = i;
    }
    if (at < 0) {
        // A number of no type of its own is kept as it is; it works as type 0.
        m_login->addItem(login, login);
        m_login->setItemData(m_login->count() - 1, loginTypes().value(2).second, Qt::ToolTipRole);
        at = m_login->count() - 1;
    }
    m_login->setCurrentIndex(at);
    const QString userPass = record.value(UserPass);
    const qsizetype tab = userPass.indexOf(QLatin1Char('\t'));
    m_user->setText(tab < 0 ? QString() : userPass.left(tab));
    m_pass->setText(tab < 0 ? userPass : userPass.mid(tab + 1));
    m_regUrl->setText(record.value(RegUrl));
    m_fieldMap->setEntries(record.mid(FirstFieldMap));
    setWindowTitle(m_originalName.isEmpty() ? tr("new site") : tr("site %1").arg(m_originalName));
    showLoginSentence();
}

QStringList SiteEditorDialog::record() const
{
    QString userPass;
    if (!m_user->text().isEmpty() || !m_pass->text().isEmpty())
        userPass = m_user->text() + QLatin1Char('\t') + m_pass->text();
    QStringList cells = {m_name->text().trimmed(),
                         m_home->text().trimmed(),
                         m_notes->text(),
                         m_auto->isChecked() ? QStringLiteral("yes") : QStringLiteral("no"),
                         m_submit->text().trimmed(),
                         m_login->currentData().toString(),
                         userPass,
                         m_regUrl->text().trimmed()};
    cells += m_fieldMap->entries();
    return cells;
}

void SiteEditorDialog::setFormReader(FormReader reader)
{
    m_reader = std::move(reader);
    m_readForm->setVisible(bool(m_reader));
}

void SiteEditorDialog::readFormClicked()
{
    if (!m_reader)
        return;
    const QStringList site = record();
    // With its two login entries taught, a login-first site's page read is
    // the one after the login: its inputs never touch the login rows.
    const bool afterLogin =
        site.value(SiteRecord::Login).trimmed().toInt() == SiteRecord::LoginFirst
        && site.size() >= SiteRecord::FirstFieldMapLoggedIn;
    const int fromRow = afterLogin ? SiteRecord::FirstFieldMapLoggedIn - SiteRecord::FirstFieldMap : 0;
    for (const FormWalk::FieldMapEntry &entry : m_reader(site))
        m_fieldMap->putEntry(entry, fromRow);
}

void SiteEditorDialog::saveClicked()
{
    QString problem;
    m_fieldMap->entries(&problem);
    QWidget *focus = m_table;
    if (problem.isEmpty()) {
        problem = Credentials::check(m_user->text(), m_pass->text());
        focus = m_user;
    }
    const QStringList cells = record();
    if (problem.isEmpty()) {
        const SiteValidation::Problem found = SiteValidation::check(cells);
        problem = found.message;
        focus = controlFor(found.column);
    }
    if (problem.isEmpty() && m_extraCheck) {
        problem = m_extraCheck(cells);
        focus = m_name;
    }
    if (!problem.isEmpty()) {
        m_dialogs.error(problem);
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

void SiteEditorDialog::showLoginSentence()
{
    m_loginSentence->setText(m_login->currentData(Qt::ToolTipRole).toString());
}

QWidget *SiteEditorDialog::controlFor(int column) const
{
    using namespace SiteRecord;
    switch (column) {
    case SiteName: return m_name;
    case HomePage: return m_home;
    case Notes: return m_notes;
    case Auto: return m_auto;
    case SubmitPage: return m_submit;
    case Login: return m_login;
    case UserPass: return m_user;
    case RegUrl: return m_regUrl;
    default: return m_table;
    }
}
