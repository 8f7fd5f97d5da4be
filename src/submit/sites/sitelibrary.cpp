#include "submit/sites/sitelibrary.h"

#include "platform/cp1252.h"
#include "platform/installlayout.h"
#include "platform/recordfile.h"
#include "submit/sites/sitecopy.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SiteLibrary", text);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

SiteLibrary::LoadResult refused(const QString &path, const QString &reason)
{
    SiteLibrary::LoadResult result;
    result.path = path;
    result.reason = reason;
    return result;
}

// Runs the checker on `path`; its answer, or a refusal saying how it ended.
SiteCopy::Copy runChecker(const QString &path, int timeoutMs)
{
    SiteCopy::Copy failed;
    const QString checker = SiteLibrary::checkerPath();
    if (!QFileInfo(checker).isExecutable()) {
        failed.reason = tr("%1 cannot be checked: the checker %2 is missing.")
                            .arg(native(path), native(checker));
        return failed;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(checker, {QFileInfo(path).absoluteFilePath()});
    if (!process.waitForStarted(timeoutMs)) {
        failed.reason = tr("%1 cannot be checked: %2").arg(native(path), process.errorString());
        return failed;
    }
    // The answer is read while it comes, so that a flood is cut short.
    const qsizetype cap = SiteLibrary::MaxTotalBytes + 4 * (qsizetype(SiteLibrary::MaxRows) + 8) + 4096;
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0) {
            process.kill();
            process.waitForFinished(-1);
            failed.reason = tr("%1 was refused: reading its records did not finish within "
                               "%2 seconds.")
                                .arg(native(path))
                                .arg(timeoutMs / 1000.0);
            return failed;
        }
        process.waitForReadyRead(int(std::min<qint64>(left, 200)));
        answer += process.readAllStandardOutput();
        if (answer.size() > cap) {
            process.kill();
            process.waitForFinished(-1);
            failed.reason = tr("%1 was refused: it gave more than %2 bytes of records.")
                                .arg(native(path))
                                .arg(SiteLibrary::MaxTotalBytes);
            return failed;
        }
    }
    answer += process.readAllStandardOutput();
    if (process.exitStatus() == QProcess::CrashExit) {
        failed.reason = tr("%1 was refused: reading it crashed the checker (it is damaged or "
                           "not a site library).")
                            .arg(native(path));
        return failed;
    }
    if (process.exitCode() != 0) {
        // The loader itself gives up on some damage by ending the process.
        failed.reason = tr("%1 was refused: reading it ended the checker with exit code %2 "
                           "(it is damaged or not a site library).")
                            .arg(native(path))
                            .arg(process.exitCode());
        return failed;
    }
    return SiteCopy::decodeVerdict(answer, path);
}

} // namespace

namespace SiteLibrary {

QString missingLibraryMessage()
{
    return QStringLiteral("Unable to find 'KelvaneSubmit'  DLL. Giving up on application !");
}

QStringList splitRecord(const QByteArray &record)
{
    QStringList fields = Cp1252::decode(record).split(QLatin1Char('\r'));
    // Every record ends with a carriage return; whatever follows the last one
    // is not a field.
    fields.removeLast();
    return fields;
}

QString checkerPath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString name = QString::fromLatin1(CheckerFileName);
    const QString found = InstallLayout::find(
        InstallLayout::folders(InstallLayout::Kind::Checker, QString(), programFolder), name);
    // When it is nowhere, the message names the place beside the program.
    return found.isEmpty() ? QDir(programFolder).absoluteFilePath(name) : found;
}

LoadResult loadFile(const QString &path, int timeoutMs)
{
    if (!QFileInfo::exists(path))
        return refused(path, tr("%1 does not exist.").arg(native(path)));
    const SiteCopy::Copy copy = runChecker(path, timeoutMs);
    if (!copy.ok) {
        LoadResult result = refused(path, copy.reason);
        result.found = true;
        return result;
    }
    return fromCopy(copy, path);
}

LoadResult fromCopy(const SiteCopy::Copy &copy, const QString &path)
{
    LoadResult result;
    result.path = path;
    result.found = true;
    result.hasNumOfRows = copy.hasNumOfRows;
    result.hasLoadStrings = copy.hasLoadStrings;
    result.records.reserve(copy.records.size());
    for (int a = 0; a < copy.records.size(); ++a) {
        // Counted before the split, so that a record of separators costs nothing.
        const qsizetype fields = copy.records.at(a).count('\r');
        if (fields > MaxFieldsPerRecord) {
            result = refused(path, tr("Record %1 of %2 holds %3 fields; at most %4 are accepted.")
                                       .arg(a + 1)
                                       .arg(native(path))
                                       .arg(fields)
                                       .arg(MaxFieldsPerRecord));
            result.found = true;
            return result;
        }
        QStringList split = splitRecord(copy.records.at(a));
        result.fieldColumns = std::max(result.fieldColumns, int(split.size()));
        result.records.append(std::move(split));
    }

    if (!copy.hasNumOfRows)
        result.warning = tr("The site library %1 has no \"NumOfRows\"; only its first site "
                            "is shown.")
                             .arg(native(path));
    else if (!copy.hasLoadStrings)
        result.warning = tr("The site library %1 has no \"LoadStrings\"; the submit list "
                            "stays empty.")
                             .arg(native(path));
    result.ok = true;
    return result;
}

QStringList candidatePaths(const QString &dataFolder, const QString &programFolder)
{
    QStringList paths;
    for (const QString &folder :
         InstallLayout::folders(InstallLayout::Kind::SiteLibrary, dataFolder, programFolder))
        paths.append(QDir(folder).absoluteFilePath(QString::fromLatin1(FileName)));
    return paths;
}

LoadResult load(const QStringList &paths)
{
    QStringList reasons;
    bool found = false;
    for (const QString &path : paths) {
        LoadResult result = loadFile(path);
        if (result.ok)
            return result;
        // A refused file outweighs a missing one in what the user is told.
        if (result.found && !found)
            reasons.clear();
        if (result.found || !found)
            reasons.append(result.reason);
        found = found || result.found;
    }
    LoadResult failed;
    failed.found = found;
    failed.reason = reasons.isEmpty() ? tr("No folder to look in.") : reasons.join(QLatin1Char('\n'));
    return failed;
}

LoadResult load(const QString &dataFolder, const QString &programFolder)
{
    return load(candidatePaths(dataFolder, programFolder));
}

QString replacementProblem(const QString &path, int timeoutMs)
{
    const LoadResult check = loadFile(path, timeoutMs);
    if (!check.ok)
        return check.reason.isEmpty() ? tr("it cannot be loaded") : check.reason;
    if (!check.hasNumOfRows || !check.hasLoadStrings)
        return tr("it lacks one of its two functions");
    if (check.records.isEmpty() || check.records.first().value(SiteRecord::SiteName).isEmpty())
        return tr("it holds no site records");
    return QString();
}

UpdateResult applyUpdate(const QString &folder)
{
    UpdateResult result;
    const QDir dir(folder);
    const QString waiting = dir.absoluteFilePath(QString::fromLatin1(UpdateFileName));
    const QString target = dir.absoluteFilePath(QString::fromLatin1(FileName));
    if (!QFileInfo::exists(waiting))
        return result;

    // A broken download must not take the place of a working table: the
    // program could not start again.
    const QString why = replacementProblem(waiting);
    if (!why.isEmpty()) {
        result.outcome = UpdateResult::Outcome::Refused;
        result.keptAs = RecordFile::keepBadCopy(waiting);
        if (!result.keptAs.isEmpty())
            QFile::remove(waiting);
        result.message =
            result.keptAs.isEmpty()
                ? tr("The downloaded site library %1 cannot be used (%2). The current site "
                     "library was kept.")
                      .arg(native(waiting), why)
                : tr("The downloaded site library %1 cannot be used (%2). The current site "
                     "library was kept; the download was moved to %3.")
                      .arg(native(waiting), why, native(result.keptAs));
        return result;
    }

    // One rename that replaces the old file, so there is never a moment
    // without a library.
    std::error_code error;
    std::filesystem::rename(fsPath(waiting), fsPath(target), error);
    if (error) {
        result.outcome = UpdateResult::Outcome::Failed;
        result.message = tr("The downloaded site library %1 could not replace %2: %3")
                             .arg(native(waiting), native(target),
                                  QString::fromLocal8Bit(error.message()));
        return result;
    }
    result.outcome = UpdateResult::Outcome::Replaced;
    return result;
}

} // namespace SiteLibrary
