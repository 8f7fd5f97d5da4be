#include "shell/updatecommand.h"

#include "platform/connectivity.h"
#include "platform/dialogs.h"
#include "shell/libraryupdate.h"
#include "shell/updatedownload.h"
#include "submit/credentialsdialog.h"

#include <QDateTime>
#include <QUrl>
#include <QWidget>

UpdateCommand::UpdateCommand(const QString &dataFolder, Dialogs &dialogs,
                             Connectivity &connectivity, QWidget *window)
    : QObject(window),
      m_dialogs(dialogs),
      m_connectivity(connectivity),
      m_window(window),
      m_download(new UpdateDownload(dataFolder, window))
{
    connect(m_download, &UpdateDownload::finished, this,
            [this](UpdateDownload::Outcome outcome, const QString &reason) {
                if (outcome == UpdateDownload::Outcome::Cancelled)
                    return;
                if (outcome == UpdateDownload::Outcome::Installed) {
                    m_dialogs.error(LibraryUpdate::successMessage());
                    return;
                }
                m_dialogs.error(LibraryUpdate::failureMessage(reason));
            });
}

TForm3 *UpdateCommand::accountDialog() const
{
    return m_account.data();
}

void UpdateCommand::Button_updateClick()
{
    // One update at a time: its dialog or its progress is already on screen.
    if (m_account || m_download->isRunning())
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
        LibraryUpdate::host(), userName, passWord,
        LibraryUpdate::dayNumberText(LibraryUpdate::dayNumber(QDateTime::currentDateTime())));
    m_download->start(QUrl(address, QUrl::StrictMode));
}
