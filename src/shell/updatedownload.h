#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QProgressDialog;
class QTemporaryFile;
class QWidget;

// One download of the site library into a temporary file of the data folder,
// with a progress dialog that has Cancel. A finished transfer is checked and
// moved into place for the next start; whatever else happens leaves no file.
// A site pack download goes the same way (limits, redirects, stall, Cancel)
// into memory, and ends there for the caller to read.
class UpdateDownload : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Installed, Failed, Cancelled, Fetched };
    enum class Kind { Library, SitePack };

    UpdateDownload(const QString &dataFolder, QWidget *window, Kind kind = Kind::Library);
    ~UpdateDownload() override;

    // False when a download is already running.
    bool start(const QUrl &address);
    bool isRunning() const;
    QProgressDialog *progressDialog() const { return m_progress; }
    void setStallMilliseconds(int milliseconds) { m_stallMilliseconds = milliseconds; }
    // A site pack's bytes once it was Fetched.
    QByteArray sitePack() const { return m_pack; }

signals:
    // `reason` says what went wrong, in plain words for the user; empty when
    // installed or fetched.
    void finished(UpdateDownload::Outcome outcome, const QString &reason);

private:
    void get(const QUrl &address);
    void receive();
    void checkAnnouncedSize();
    void cancel();
    void transferEnded();
    void fail(const QString &reason);
    void fetchChecksum();
    void checksumEnded(QNetworkReply *reply, int status);
    void install();
    qint64 maxBytes() const;
    QString tooLarge(qint64 bytes, bool announced) const;

    QString m_dataFolder;
    Kind m_kind;
    QByteArray m_pack;
    QWidget *m_window = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QProgressDialog *m_progress = nullptr;
    std::unique_ptr<QTemporaryFile> m_file;
    qint64 m_received = 0;
    QUrl m_address;       // of the request under way
    // After the library, its ".sha256" beside it, when the host has one.
    bool m_fetchingChecksum = false;
    QByteArray m_checksum;
    int m_redirects = 0;
    int m_stallMilliseconds;
    bool m_cancelled = false;
    QString m_refusal;
};
