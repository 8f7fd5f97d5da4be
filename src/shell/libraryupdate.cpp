#include "shell/libraryupdate.h"

#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/sitelibrary.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

namespace LibraryUpdate {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("LibraryUpdate", text);
}

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

QString host(const QString &storedHost)
{
    const QString configured = qEnvironmentVariable(HostVariable).trimmed();
    if (!configured.isEmpty())
        return configured;
    return storedHost.trimmed().isEmpty() ? QString::fromLatin1(DefaultHost) : storedHost.trimmed();
}

QString dialogLabel()
{
    return QStringLiteral("Download update...");
}

QString successMessage()
{
    return QStringLiteral("You must now restart 'Kelvane Submit' to complete update.");
}

QString errorMessage()
{
    return QStringLiteral("An error ocurred while downloading the file.");
}

double dayNumber(const QDateTime &localTime)
{
    const QDate epoch(1899, 12, 30);
    const QTime time = localTime.time();
    return double(epoch.daysTo(localTime.date())) + double(time.msecsSinceStartOfDay()) / 86400000.0;
}

QString dayNumberText(double dayNumber, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(dayNumber, 'g', 15);
}

QString failureMessage(const QString &reason)
{
    return reason.isEmpty() ? errorMessage() : errorMessage() + u'\r' + reason;
}

bool followsRedirect(const QUrl &from, const QUrl &to)
{
    if (!to.isValid() || to.host().compare(from.host(), Qt::CaseInsensitive) != 0)
        return false;
    const QString scheme = to.scheme().toLower();
    return scheme == u"https" || (scheme == u"http" && from.scheme().toLower() == u"http");
}

QByteArray checksumOf(const QByteArray &answer)
{
    if (answer.size() > MaxChecksumBytes)
        return QByteArray();
    const QByteArray word = answer.simplified().split(' ').value(0).toLower();
    if (word.size() != 64)
        return QByteArray();
    for (const char c : word) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return QByteArray();
    }
    return word;
}

namespace {

QString packTransferProblem(int httpStatus, Break broken)
{
    if (httpStatus == 404 || httpStatus == 410)
        return tr("There is no site pack at this address (HTTP %1).").arg(httpStatus);
    if (httpStatus >= 300 && httpStatus < 400)
        return tr("The site pack's server sent the download elsewhere (HTTP %1); only its own "
                  "host is followed.").arg(httpStatus);
    if (httpStatus > 0 && httpStatus != 200)
        return tr("The site pack's server answered HTTP %1.").arg(httpStatus);
    switch (broken) {
    case Break::Stalled:
        return tr("No data came from the site pack's server for %1 seconds.")
            .arg(StallMilliseconds / 1000);
    case Break::HostNotFound:
        return tr("The site pack's server could not be found.");
    case Break::Refused:
        return tr("The site pack's server refused the connection.");
    case Break::None:
    case Break::Other:
        break;
    }
    return tr("The connection to the site pack's server broke off.");
}

} // namespace

QString packDialogLabel()
{
    return tr("Download site pack...");
}

QString packFailureMessage(const QString &reason)
{
    return tr("The site pack could not be downloaded; nothing was changed.\n%1").arg(reason);
}

QString transferProblem(int httpStatus, Break broken, Source source)
{
    if (source == Source::SitePack)
        return packTransferProblem(httpStatus, broken);
    if (httpStatus == 401 || httpStatus == 403)
        return tr("The update server did not accept the user name or password.");
    if (httpStatus == 404 || httpStatus == 410)
        return tr("The update server has no site library at this address.");
    if (httpStatus >= 500)
        return tr("The update server had an error (HTTP %1); try again later.").arg(httpStatus);
    if (httpStatus >= 300 && httpStatus < 400)
        return tr("The update server sent the download elsewhere (HTTP %1); only its own host is "
                  "followed.").arg(httpStatus);
    if (httpStatus > 0 && httpStatus != 200)
        return tr("The update server answered HTTP %1.").arg(httpStatus);
    switch (broken) {
    case Break::Stalled:
        return tr("No data came from the update server for %1 seconds.").arg(StallMilliseconds / 1000);
    case Break::HostNotFound:
        return tr("The update server could not be found.");
    case Break::Refused:
        return tr("The update server refused the connection.");
    case Break::None:
    case Break::Other:
        break;
    }
    return tr("The connection to the update server broke off.");
}

QString address(const QString &host, const QString &userName, const QString &passWord,
                const QString &dayNumberText)
{
    const auto encoded = [](const QString &text) {
        return QString::fromLatin1(QUrl::toPercentEncoding(text));
    };
    return QStringLiteral("http://") + encoded(userName) + QLatin1Char(':') + encoded(passWord)
           + QLatin1Char('@') + host + QString::fromLatin1(Path) + QLatin1Char('?')
           + dayNumberText;
}

InstallResult install(const QString &downloadedPath, const QString &dataFolder)
{
    InstallResult result;
    const QString problem = SiteLibrary::replacementProblem(
        downloadedPath, [](const QStringList &record) {
            return SiteValidation::checkLibraryRecord(record).message;
        });
    if (!problem.isEmpty())
        result.reason = tr("The downloaded file is no site library the program can use: %1.").arg(problem);
    if (problem.isEmpty()) {
        const QString target =
            QDir(dataFolder).absoluteFilePath(QString::fromLatin1(SiteLibrary::UpdateFileName));
        // One rename: the waiting name never holds a partial library.
        std::error_code error;
        std::filesystem::rename(fsPath(downloadedPath), fsPath(target), error);
        if (!error) {
            result.ok = true;
            return result;
        }
        result.reason = tr("%1 could not be moved to %2: %3")
                            .arg(QDir::toNativeSeparators(downloadedPath),
                                 QDir::toNativeSeparators(target),
                                 QString::fromLocal8Bit(error.message()));
    }
    QFile::remove(downloadedPath);
    return result;
}

} // namespace LibraryUpdate
