#include "submit/credentialsdialog.h"

#include "platform/dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm3::TForm3(Dialogs &dialogs, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(Credentials::dialogCaption());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(QRgb(Credentials::DialogBackground)));
    setPalette(palette);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Site"), this), 0, 0);
    m_site = new QLabel(Credentials::siteLabelDesignText(), this);
    m_site->setObjectName(QStringLiteral("Label_site"));
    // A site name is shown as it is, never read as markup.
    m_site->setTextFormat(Qt::PlainText);
    QFont bold = m_site->font();
    bold.setBold(true);
    m_site->setFont(bold);
    grid->addWidget(m_site, 0, 1);

    grid->addWidget(new QLabel(QStringLiteral("Username"), this), 1, 0);
    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("Edit_user"));
    grid->addWidget(m_user, 1, 1);

    grid->addWidget(new QLabel(QStringLiteral("Password"), this), 2, 0);
    m_pass = new QLineEdit(this);
    m_pass->setObjectName(QStringLiteral("Edit_pass"));
    grid->addWidget(m_pass, 2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("ok"), this);
    m_ok->setObjectName(QStringLiteral("Button_ok"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TForm3::accept);
    buttons->addWidget(m_ok);
    m_cancel = new QPushButton(QStringLiteral("cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button_cancel"));
    connect(m_cancel, &QPushButton::clicked, this, &TForm3::reject);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    setTabOrder(m_user, m_pass);
    setTabOrder(m_pass, m_ok);
    setTabOrder(m_ok, m_cancel);
}

void TForm3::setFields(const Credentials::DialogFields &fields)
{
    m_site->setText(fields.site);
    m_user->setText(fields.userName);
    m_pass->setText(fields.passWord);
}

QString TForm3::siteName() const
{
    return m_site->text();
}

QString TForm3::userName() const
{
    return m_user->text();
}

QString TForm3::passWord() const
{
    return m_pass->text();
}

void TForm3::accept()
{
    const QString refusal = m_pairChecked ? Credentials::check(userName(), passWord()) : QString();
    if (!refusal.isEmpty()) {
        m_dialogs.error(refusal);
        return;
    }
    QDialog::accept();
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_user->setFocus(Qt::OtherFocusReason);
}
