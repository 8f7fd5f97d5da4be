#include "shell/updatedownload.h"

#include "shell/libraryupdate.h"
#include "submit/sites/sitepack.h"

#include <QCryptographicHash>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>
#include <QTemporaryFile>
#include <QWidget>

UpdateDownload::UpdateDownload(const QString &dataFolder, QWidget *window, Kind kind)
    : QObject(window),
      m_dataFolder(dataFolder),
      m_kind(kind),
      m_window(window),
      m_network(new QNetworkAccessManager(this)),
      m_stallMilliseconds(LibraryUpdate::StallMilliseconds)
{
}

UpdateDownload::~UpdateDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool UpdateDownload::isRunning() const
{
    return !m_reply.isNull();
}

bool UpdateDownload::start(const QUrl &address)
{
    if (m_reply)
        return false;
    m_received = 0;
    m_cancelled = false;
    m_refusal.clear();
    m_pack.clear();
    // Beside its final place, so that the move is one rename.
    if (m_kind == Kind::Library)
        m_file = std::make_unique<QTemporaryFile>(
            QDir(m_dataFolder).absoluteFilePath(QStringLiteral("KelvaneSubmit_dll-XXXXXX.part")));
    if (m_file && !m_file->open()) {
        const QString reason = tr("The download cannot be written into %1: %2.")
                                   .arg(QDir::toNativeSeparators(m_dataFolder), m_file->errorString());
        m_file.reset();
        emit finished(Outcome::Failed, reason);
        return true;
    }

    m_redirects = 0;
    m_fetchingChecksum = false;
    m_checksum.clear();
    get(address);

    if (!m_progress) {
        m_progress = new QProgressDialog(m_window);
        m_progress->setObjectName(m_kind == Kind::Library ? QStringLiteral("UpdateProgress")
                                                          : QStringLiteral("SitePackProgress"));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        connect(m_progress, &QProgressDialog::canceled, this, &UpdateDownload::cancel);
    }
    m_progress->setWindowTitle(m_kind == Kind::Library ? LibraryUpdate::dialogLabel()
                                                       : LibraryUpdate::packDialogLabel());
    m_progress->setRange(0, 0);
    m_progress->setLabelText(tr("%1 bytes received").arg(0));
    m_progress->show();
    return true;
}

void UpdateDownload::get(const QUrl &address)
{
    m_address = address;
    QNetworkRequest request(address);
    // A redirect may lead anywhere; the update follows its own host only.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(m_stallMilliseconds);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &UpdateDownload::checkAnnouncedSize);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateDownload::receive);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateDownload::transferEnded);
}

void UpdateDownload::checkAnnouncedSize()
{
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > maxBytes())
        fail(tooLarge(length.toLongLong(), true));
}

qint64 UpdateDownload::maxBytes() const
{
    return m_kind == Kind::Library ? LibraryUpdate::MaxBytes : SitePack::MaxFileBytes;
}

QString UpdateDownload::tooLarge(qint64 bytes, bool announced) const
{
    if (m_kind == Kind::SitePack)
        return announced ? tr("The file is larger than a site pack may be (%1 bytes announced).")
                               .arg(bytes)
                         : tr("The file is larger than a site pack may be (more than %1 bytes).")
                               .arg(bytes);
    return announced ? tr("The file is larger than a site library can be (%1 bytes announced).")
                           .arg(bytes)
                     : tr("The file is larger than a site library can be (more than %1 bytes).")
                           .arg(bytes);
}

void UpdateDownload::receive()
{
    if (!m_reply || !m_refusal.isEmpty())
        return;
    const QByteArray bytes = m_reply->readAll();
    if (m_fetchingChecksum) {
        // A checksum line is short; anything longer is some page, not one.
        m_checksum += bytes.left(LibraryUpdate::MaxChecksumBytes + 1 - m_checksum.size());
        return;
    }
    if (m_received + bytes.size() > maxBytes()) {
        fail(tooLarge(maxBytes(), false));
        return;
    }
    if (m_kind == Kind::SitePack)
        m_pack += bytes;
    else if (m_file->write(bytes) != bytes.size()) {
        fail(tr("The download cannot be written: %1.").arg(m_file->errorString()));
        return;
    }
    m_received += bytes.size();
    m_progress->setLabelText(tr("%1 bytes received").arg(m_received));
}

void UpdateDownload::cancel()
{
    if (!m_reply)
        return;
    m_cancelled = true;
    m_reply->abort();
}

void UpdateDownload::fail(const QString &reason)
{
    if (m_refusal.isEmpty())
        m_refusal = reason;
    if (m_reply)
        m_reply->abort();
}

void UpdateDownload::transferEnded()
{
    QNetworkReply *reply = m_reply;
    if (reply->error() == QNetworkReply::NoError && m_refusal.isEmpty())
        receive();
    m_reply = nullptr;
    reply->deleteLater();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (!m_cancelled && m_refusal.isEmpty() && status >= 300 && status < 400 && location.isValid()) {
        QUrl target = m_address.resolved(location);
        if (target.userInfo().isEmpty())
            target.setUserInfo(m_address.userInfo());
        if (m_redirects < LibraryUpdate::MaxRedirects && LibraryUpdate::followsRedirect(m_address, target)) {
            // The host moved the file (to https, or another path): what came so far was no part of it.
            ++m_redirects;
            if (m_fetchingChecksum) {
                m_checksum.clear();
            } else {
                m_received = 0;
                m_pack.clear();
                if (m_file) {
                    m_file->resize(0);
                    m_file->seek(0);
                }
            }
            get(target);
            return;
        }
    }
    if (m_fetchingChecksum) {
        checksumEnded(reply, status);
        return;
    }
    m_progress->hide();

    const LibraryUpdate::Source source = m_kind == Kind::Library ? LibraryUpdate::Source::Library
                                                                 : LibraryUpdate::Source::SitePack;
    Outcome outcome = Outcome::Failed;
    QString reason = m_refusal;
    if (m_cancelled) {
        outcome = Outcome::Cancelled;
    } else if (reason.isEmpty() && status != 0 && status != 200) {
        reason = LibraryUpdate::transferProblem(status, LibraryUpdate::Break::None, source);
    } else if (reason.isEmpty() && reply->error() != QNetworkReply::NoError) {
        // Never errorString(): it quotes the address with the account's password.
        LibraryUpdate::Break broken = LibraryUpdate::Break::Other;
        switch (reply->error()) {
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError:
            broken = LibraryUpdate::Break::Stalled;
            break;
        case QNetworkReply::HostNotFoundError:
            broken = LibraryUpdate::Break::HostNotFound;
            break;
        case QNetworkReply::ConnectionRefusedError:
            broken = LibraryUpdate::Break::Refused;
            break;
        default:
            break;
        }
        reason = LibraryUpdate::transferProblem(0, broken, source);
    } else if (reason.isEmpty() && status != 200) {
        reason = LibraryUpdate::transferProblem(0, LibraryUpdate::Break::Other, source);
    } else if (reason.isEmpty() && m_file && !m_file->flush()) {
        reason = tr("The download cannot be written: %1.").arg(m_file->errorString());
    } else if (reason.isEmpty() && m_kind == Kind::SitePack) {
        emit finished(Outcome::Fetched, QString());
        return;
    } else if (reason.isEmpty()) {
        fetchChecksum();
        return;
    }
    // Removes the partial file, unless it was moved into place.
    m_file.reset();
    emit finished(outcome, reason);
}

void UpdateDownload::fetchChecksum()
{
    m_fetchingChecksum = true;
    m_checksum.clear();
    m_redirects = 0;
    m_progress->show();
    m_progress->setLabelText(tr("Checking the download..."));
    QUrl address = m_address;
    address.setPath(address.path() + QStringLiteral(".sha256"));
    get(address);
}

void UpdateDownload::checksumEnded(QNetworkReply *reply, int status)
{
    m_fetchingChecksum = false;
    m_progress->hide();
    if (m_cancelled) {
        m_file.reset();
        emit finished(Outcome::Cancelled, QString());
        return;
    }
    // Only a host that answers with a checksum has one; a missing file, an
    // error page or a broken line leaves the download to the library checks.
    const bool answered = reply->error() == QNetworkReply::NoError && status == 200;
    const QByteArray expected =
        answered ? LibraryUpdate::checksumOf(m_checksum) : QByteArray();
    if (!expected.isEmpty()) {
        m_file->seek(0);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(m_file.get());
        if (hash.result().toHex() != expected) {
            m_file.reset();
            emit finished(Outcome::Failed,
                          tr("The download does not match the checksum the update server gives "
                             "for it; it was damaged on the way. Try again."));
            return;
        }
    }
    install();
}

void UpdateDownload::install()
{
    m_file->close();
    const LibraryUpdate::InstallResult installed =
        LibraryUpdate::install(m_file->fileName(), m_dataFolder);
    // Removes the partial file, unless it was moved into place.
    m_file.reset();
    emit finished(installed.ok ? Outcome::Installed : Outcome::Failed, installed.reason);
}
