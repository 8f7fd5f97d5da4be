#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class Connectivity;
class Dialogs;
class TForm3;
class UpdateDownload;
class QWidget;

// "&update soft": the connectivity check, the account asked in the site
// user/password dialog, the download, and the outcome message.
class UpdateCommand : public QObject
{
    Q_OBJECT

public:
    UpdateCommand(const QString &dataFolder, Dialogs &dialogs, Connectivity &connectivity,
                  QWidget *window);

    void Button_updateClick();

    TForm3 *accountDialog() const;
    UpdateDownload *download() const { return m_download; }

private:
    void startDownload(const QString &userName, const QString &passWord);

    Dialogs &m_dialogs;
    Connectivity &m_connectivity;
    QWidget *m_window;
    UpdateDownload *m_download;
    QPointer<TForm3> m_account;
};
