#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace SiteCopy {
struct Copy;
}

// The site library: a shared library holding the site table. Its records are
// copied by a short-lived checker process, so that a damaged or hostile
// library can take down only that process, never the program.
namespace SiteLibrary {

// The name the program loads, and the name a downloaded update waits under.
inline constexpr const char *FileName = "KelvaneSubmit.dll";
inline constexpr const char *UpdateFileName = "KelvaneSubmit_dll.dll";
// The library an update replaced, kept one generation beside it.
inline constexpr const char *PreviousFileName = "KelvaneSubmit_previous.dll";

// Bounds past which a library is refused rather than trusted.
inline constexpr int MaxRows = 100000;
inline constexpr qsizetype MaxRecordBytes = 64 * 1024;
inline constexpr qsizetype MaxTotalBytes = 4 * 1024 * 1024;
inline constexpr int MaxFieldsPerRecord = 1024;

// The checker that came with the program (beside it, or in its installed
// library folder), and how long it may take.
inline constexpr const char *CheckerFileName = "KelvaneSubmit-sitecheck";
inline constexpr int CheckMilliseconds = 15000;
QString checkerPath();

// Shown before the program ends when no usable library was found.
QString missingLibraryMessage();

struct LoadResult
{
    // False: show missingLibraryMessage() and end the program.
    bool ok = false;
    // The file the records came from.
    QString path;
    // Why no candidate could be used (not part of the fixed message).
    QString reason;
    // False: no candidate file exists at all, the case of the fixed message;
    // otherwise `reason` says why the files that do exist were refused.
    bool found = false;
    bool hasNumOfRows = false;
    bool hasLoadStrings = false;
    // One entry per site row, the cells of the record split at carriage returns.
    QList<QStringList> records;
    // Columns the records need before the mark column: the larger of 4 and the
    // field count of the widest record.
    int fieldColumns = 4;
    // A note for the user when an export is missing, else empty.
    QString warning;
    // The first record (from 0) whose text does not end with a carriage
    // return, as a record cut short by a damaged byte does; -1 when none.
    int firstCutShort = -1;
};

// Splits one record at carriage returns; the text after the last one is dropped.
QStringList splitRecord(const QByteArray &record);

// Copies one library file through the checker process; a library that
// crashes, hangs or breaks a bound is refused with its reason.
LoadResult loadFile(const QString &path, int timeoutMs = CheckMilliseconds);
// The records of a checker's answer, split and bounded.
LoadResult fromCopy(const SiteCopy::Copy &copy, const QString &path);

// The candidates in order: the data folder (where an update lands), the
// program folder, then the program's installed library folder.
QStringList candidatePaths(const QString &dataFolder, const QString &programFolder);

// Starts the checker on the first candidate that exists, without waiting,
// so that it reads while the window is being made; loadFile() of that path
// takes its answer, unless the file changed meanwhile (an update put in).
void startCheckEarly(const QString &dataFolder, const QString &programFolder);

// The first candidate that exists, loads and passes the checks wins.
LoadResult load(const QStringList &paths);
LoadResult load(const QString &dataFolder, const QString &programFolder);

// Why one site record may not stand in the library, or "" when it may. The
// site editor's rules live above this floor, so callers hand them in.
using RecordRule = std::function<QString(const QStringList &record)>;

struct UpdateResult
{
    enum class Outcome {
        NothingWaiting,
        Replaced,
        // The waiting file is no usable site library: the old one stays, the
        // waiting file was moved aside to keptAs.
        Refused,
        // The rename failed; the old library is still in place.
        Failed,
    };
    Outcome outcome = Outcome::NothingWaiting;
    // Replaced: what changed, in one line; otherwise what went wrong.
    QString message;
    QString keptAs;
    // Replaced: where the library it replaced was kept, "" when the data
    // folder held none (the one beside the program stays where it is).
    QString previousKeptAs;
};

// Why the library at `path` may not replace a working one (it does not load,
// lacks a function, holds no named site, or a record breaks `rule`), or ""
// when it may.
QString replacementProblem(const QString &path, const RecordRule &rule,
                           int timeoutMs = CheckMilliseconds);

// Sites added, removed and changed between two site tables, by site name.
struct Changes
{
    int added = 0;
    int removed = 0;
    int changed = 0;
};
Changes compare(const QList<QStringList> &before, const QList<QStringList> &after);
QString changesMessage(const Changes &changes, int siteCount);

// Moves a waiting "KelvaneSubmit_dll.dll" in `dataFolder` over
// "KelvaneSubmit.dll", once it loads as a site library whose records pass
// `rule`. The library in use until now (found as load() finds it) is what
// the message compares against. Runs right before load().
UpdateResult applyUpdate(const QString &dataFolder, const QString &programFolder,
                         const RecordRule &rule);

} // namespace SiteLibrary
