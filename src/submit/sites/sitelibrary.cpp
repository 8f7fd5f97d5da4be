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
#include <QHash>
#include <QSet>
#include <QPointer>
#include <QProcess>

#include <algorithm>
#include <memory>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

// Which file a path names and its state: a file put in its place since
// differs in one of them.
QByteArray fileIdentity(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QByteArray();
    return QByteArray::number(qulonglong(status.st_dev)) + ':' + QByteArray::number(qulonglong(status.st_ino))
           + ':' + QByteArray::number(qlonglong(status.st_size)) + ':'
           + QByteArray::number(qlonglong(status.st_mtim.tv_sec)) + '.'
           + QByteArray::number(qlonglong(status.st_mtim.tv_nsec));
#else
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    return QByteArray::number(info.size()) + ':'
           + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
#endif
}

// The most a checker's answer may hold: the records' bound and their framing.
qsizetype answerCap()
{
    return SiteLibrary::MaxTotalBytes + 4 * (qsizetype(SiteLibrary::MaxRows) + 8) + 4096;
}

// A checker started early, with the file it reads as it was then.
struct EarlyCheck
{
    QPointer<QProcess> process;
    QString path;
    QByteArray identity;
};

EarlyCheck &earlyCheck()
{
    static EarlyCheck check;
    return check;
}

void dropEarlyCheck()
{
    EarlyCheck &early = earlyCheck();
    delete early.process.data(); // kills a checker still running
    early = EarlyCheck();
}

std::unique_ptr<QProcess> startChecker(const QString &checker, const QString &path)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardErrorFile(QProcess::nullDevice());
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(checker, {QFileInfo(path).absoluteFilePath()});
    return process;
}

// The early checker of `path` when it still reads the same file; else none.
std::unique_ptr<QProcess> takeEarlyCheck(const QString &path)
{
    EarlyCheck &early = earlyCheck();
    std::unique_ptr<QProcess> process;
    if (early.process && early.path == QFileInfo(path).absoluteFilePath()
        && early.identity == fileIdentity(path)) {
        process.reset(early.process.data());
        process->setParent(nullptr);
        early = EarlyCheck();
    } else {
        dropEarlyCheck();
    }
    return process;
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
    std::unique_ptr<QProcess> started = takeEarlyCheck(path);
    if (!started)
        started = startChecker(checker, path);
    QProcess &process = *started;
    if (!process.waitForStarted(timeoutMs)) {
        failed.reason = tr("%1 cannot be checked: %2").arg(native(path), process.errorString());
        return failed;
    }
    // The answer is read while it comes, so that a flood is cut short.
    const qsizetype cap = answerCap();
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
    // An early checker stopped for a flood while nobody read it.
    if (answer.size() > cap) {
        failed.reason = tr("%1 was refused: it gave more than %2 bytes of records.")
                            .arg(native(path))
                            .arg(SiteLibrary::MaxTotalBytes);
        return failed;
    }
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

void startCheckEarly(const QString &dataFolder, const QString &programFolder)
{
    dropEarlyCheck();
    const QString checker = checkerPath();
    if (!QFileInfo(checker).isExecutable())
        return;
    for (const QString &path : candidatePaths(dataFolder, programFolder)) {
        if (!QFileInfo(path).isFile())
            continue;
        EarlyCheck &early = earlyCheck();
        early.identity = fileIdentity(path);
        early.path = QFileInfo(path).absoluteFilePath();
        early.process = startChecker(checker, path).release();
        // Gone with the application when nothing takes it.
        early.process->setParent(QCoreApplication::instance());
        // A box shown meanwhile runs the event loop, which reads the answer
        // into memory: a flood stops the checker there.
        QProcess *process = early.process.data();
        QObject::connect(process, &QProcess::readyReadStandardOutput, process, [process] {
            if (process->bytesAvailable() > answerCap())
                process->kill();
        });
        return;
    }
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
        if (result.firstCutShort < 0 && !copy.records.at(a).isEmpty() && !copy.records.at(a).endsWith('\r'))
            result.firstCutShort = a;
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

namespace {

struct Replacement
{
    QString problem;
    LoadResult loaded;
};

Replacement checkReplacement(const QString &path, const RecordRule &rule, int timeoutMs)
{
    Replacement check{QString(), loadFile(path, timeoutMs)};
    const LoadResult &loaded = check.loaded;
    if (!loaded.ok)
        check.problem = loaded.reason.isEmpty() ? tr("it cannot be loaded") : loaded.reason;
    else if (!loaded.hasNumOfRows || !loaded.hasLoadStrings)
        check.problem = tr("it lacks one of its two functions");
    else if (loaded.records.isEmpty() || loaded.records.first().value(SiteRecord::SiteName).isEmpty())
        check.problem = tr("it holds no site records");
    if (check.problem.isEmpty() && loaded.firstCutShort >= 0)
        check.problem = tr("its site record %1 (\"%2\") is cut short: it does not end with a "
                           "carriage return")
                            .arg(loaded.firstCutShort + 1)
                            .arg(loaded.records.at(loaded.firstCutShort).value(SiteRecord::SiteName));
    for (int r = 0; check.problem.isEmpty() && rule && r < loaded.records.size(); ++r) {
        const QString why = rule(loaded.records.at(r));
        if (!why.isEmpty())
            check.problem = tr("its site record %1 (\"%2\") is damaged: %3")
                                .arg(r + 1)
                                .arg(loaded.records.at(r).value(SiteRecord::SiteName), why);
    }
    return check;
}

// A copy made under a temporary name and renamed, so that the kept copy is
// never half written.
bool keepCopy(const QString &from, const QString &to)
{
    const QString part = to + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(from, part))
        return false;
    std::error_code error;
    std::filesystem::rename(fsPath(part), fsPath(to), error);
    if (error)
        QFile::remove(part);
    return !error;
}

} // namespace

QString replacementProblem(const QString &path, const RecordRule &rule, int timeoutMs)
{
    return checkReplacement(path, rule, timeoutMs).problem;
}

Changes compare(const QList<QStringList> &before, const QList<QStringList> &after)
{
    QHash<QString, const QStringList *> old;
    // A name met twice counts once, as its first record.
    for (const QStringList &record : before) {
        const QString name = record.value(SiteRecord::SiteName);
        if (!old.contains(name))
            old.insert(name, &record);
    }
    Changes changes;
    QSet<QString> seen;
    for (const QStringList &record : after) {
        const QString name = record.value(SiteRecord::SiteName);
        if (seen.contains(name))
            continue;
        seen.insert(name);
        const auto found = old.constFind(name);
        if (found == old.constEnd())
            ++changes.added;
        else if (**found != record)
            ++changes.changed;
    }
    for (auto it = old.cbegin(); it != old.cend(); ++it)
        changes.removed += seen.contains(it.key()) ? 0 : 1;
    return changes;
}

QString changesMessage(const Changes &changes, int siteCount)
{
    return tr("The site library was updated: %1 sites added, %2 removed, %3 changed (%4 sites "
              "in all).")
        .arg(changes.added)
        .arg(changes.removed)
        .arg(changes.changed)
        .arg(siteCount);
}

UpdateResult applyUpdate(const QString &dataFolder, const QString &programFolder,
                         const RecordRule &rule)
{
    UpdateResult result;
    const QDir dir(dataFolder);
    const QString waiting = dir.absoluteFilePath(QString::fromLatin1(UpdateFileName));
    const QString target = dir.absoluteFilePath(QString::fromLatin1(FileName));
    if (!QFileInfo::exists(waiting))
        return result;

    // A broken download must not take the place of a working table: the
    // program could not start again, or would fill forms from damaged records.
    const Replacement check = checkReplacement(waiting, rule, CheckMilliseconds);
    if (!check.problem.isEmpty()) {
        const QString &why = check.problem;
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

    const LoadResult before = load(dataFolder, programFolder);
    // One generation back, so that an update that turns out wrong can be undone by hand.
    if (QFileInfo::exists(target)) {
        const QString previous = dir.absoluteFilePath(QString::fromLatin1(PreviousFileName));
        if (!keepCopy(target, previous)) {
            result.outcome = UpdateResult::Outcome::Failed;
            result.message = tr("The downloaded site library %1 was not installed: a copy of "
                                "the current library could not be kept as %2.")
                                 .arg(native(waiting), native(previous));
            return result;
        }
        result.previousKeptAs = previous;
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
    result.message = changesMessage(compare(before.ok ? before.records : QList<QStringList>(),
                                            check.loaded.records),
                                    int(check.loaded.records.size()));
    return result;
}

} // namespace SiteLibrary
