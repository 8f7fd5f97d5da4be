#include "shell/updateaddressesdialog.h"

#include "platform/dialogs.h"
#include "platform/settings.h"
#include "shell/libraryupdate.h"
#include "shell/updateoptions.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

UpdateAddressesDialog::UpdateAddressesDialog(Settings &settings, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent),
      m_settings(settings),
      m_dialogs(dialogs),
      m_updateHost(new QLineEdit(settings.updateHost(), this)),
      m_packAddress(new QLineEdit(settings.sitePackAddress(), this))
{
    setObjectName(QStringLiteral("UpdateAddresses"));
    setWindowTitle(tr("update addresses"));
    auto *form = new QFormLayout(this);
    m_updateHost->setObjectName(QStringLiteral("Edit_update_host"));
    m_updateHost->setPlaceholderText(QString::fromLatin1(LibraryUpdate::DefaultHost));
    m_updateHost->setToolTip(tr("The update server's host, with an optional :port; blank for the "
                                "built-in one."));
    m_packAddress->setObjectName(QStringLiteral("Edit_pack_address"));
    m_packAddress->setPlaceholderText(tr("none"));
    m_packAddress->setToolTip(tr("An http or https address of a site pack that \"update soft\" "
                                 "fetches and offers for import; blank for none."));
    m_packAddress->setMinimumWidth(320);
    form->addRow(tr("&update address"), m_updateHost);
    form->addRow(tr("site pac&k address"), m_packAddress);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateAddressesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void UpdateAddressesDialog::accept()
{
    const QString problems =
        UpdateOptions::store(m_settings, m_updateHost->text(), m_packAddress->text());
    if (!problems.isEmpty()) {
        m_dialogs.message(QCoreApplication::applicationName(), problems);
        return;
    }
    QDialog::accept();
}
