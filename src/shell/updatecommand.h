#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class Connectivity;
class Dialogs;
class TForm3;
class UpdateDownload;
class QWidget;
class Settings;

// "&update soft": the connectivity check, the account asked in the site
// user/password dialog, the download, and the outcome message. When the
// options name a site pack address, the pack is fetched after the library's
// outcome is told, and handed on for the import window.
class UpdateCommand : public QObject
{
    Q_OBJECT

public:
    UpdateCommand(const QString &dataFolder, Settings &settings, Dialogs &dialogs,
                  Connectivity &connectivity, QWidget *window);

    void Button_updateClick();

    TForm3 *accountDialog() const;
    UpdateDownload *download() const { return m_download; }
    UpdateDownload *packDownload() const { return m_packDownload; }

signals:
    // A site pack came from the options' address: its bytes, unread.
    void sitePackFetched(const QByteArray &bytes);

private:
    void startDownload(const QString &userName, const QString &passWord);
    // The pack at the options' address, when one is set.
    void startPackDownload();

    Settings &m_settings;
    Dialogs &m_dialogs;
    Connectivity &m_connectivity;
    QWidget *m_window;
    UpdateDownload *m_download;
    UpdateDownload *m_packDownload;
    QPointer<TForm3> m_account;
};
