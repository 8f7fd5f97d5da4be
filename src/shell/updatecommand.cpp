#include "shell/updatecommand.h"

#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "platform/settings.h"
#include "shell/libraryupdate.h"
#include "shell/updateoptions.h"
#include "shell/updatedownload.h"
#include "submit/credentialsdialog.h"

#include <QDateTime>
#include <QUrl>
#include <QWidget>

UpdateCommand::UpdateCommand(const QString &dataFolder, Settings &settings, Dialogs &dialogs,
                             Connectivity &connectivity, QWidget *window)
    : QObject(window),
      m_settings(settings),
      m_dialogs(dialogs),
      m_connectivity(connectivity),
      m_window(window),
      m_download(new UpdateDownload(dataFolder, window)),
      m_packDownload(new UpdateDownload(dataFolder, window, UpdateDownload::Kind::SitePack))
{
    connect(m_download, &UpdateDownload::finished, this,
            [this](UpdateDownload::Outcome outcome, const QString &reason) {
                if (outcome == UpdateDownload::Outcome::Cancelled)
                    return;
                if (outcome == UpdateDownload::Outcome::Installed)
                    m_dialogs.error(LibraryUpdate::successMessage());
                else
                    m_dialogs.error(LibraryUpdate::failureMessage(reason));
                // The pack does not hang on the library: a failed library still fetches it.
                startPackDownload();
            });
    connect(m_packDownload, &UpdateDownload::finished, this,
            [this](UpdateDownload::Outcome outcome, const QString &reason) {
                if (outcome == UpdateDownload::Outcome::Fetched)
                    emit sitePackFetched(m_packDownload->sitePack());
                else if (outcome == UpdateDownload::Outcome::Failed)
                    m_dialogs.error(LibraryUpdate::packFailureMessage(reason));
            });
}

void UpdateCommand::startPackDownload()
{
    const QUrl address = UpdateOptions::packAddress(m_settings);
    if (!address.isEmpty())
        m_packDownload->start(address);
}

TForm3 *UpdateCommand::accountDialog() const
{
    return m_account.data();
}

void UpdateCommand::Button_updateClick()
{
    // One update at a time: its dialog or its progress is already on screen.
    if (m_account || m_download->isRunning() || m_packDownload->isRunning())
        return;
    if (!m_connectivity.ensureOnline(m_dialogs, [this] {
            m_window->raise();
            m_window->activateWindow();
        }))
        return;

    auto *dialog = new TForm3(m_dialogs, m_window);
    // Nothing of the account is stored: it goes percent-encoded into the address.
    dialog->setPairChecked(false);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("UpdateAccount"));
    dialog->setFields({LibraryUpdate::dialogLabel(), QString(), QString()});
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { startDownload(dialog->userName(), dialog->passWord()); });
    m_account = dialog;
    // Modal to the main window, without a nested event loop in this handler.
    dialog->open();
}

void UpdateCommand::startDownload(const QString &userName, const QString &passWord)
{
    const QString address = LibraryUpdate::address(
        LibraryUpdate::host(m_settings.updateHost()), userName, passWord,
        LibraryUpdate::dayNumberText(LibraryUpdate::dayNumber(QDateTime::currentDateTime())));
    m_download->start(QUrl(address, QUrl::StrictMode));
}
