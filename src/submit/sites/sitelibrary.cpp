#include "submit/sites/sitelibrary.h"

#include "platform/cp1252.h"
#include "platform/recordfile.h"
#include "submit/sites/siterecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_LINUX
#include <elf.h>
#include <link.h>
#endif

namespace {

using NumOfRowsFunction = std::int32_t (*)();
using LoadStringsFunction = const char *(*)(std::int32_t);

QString tr(const char *text)
{
    return QCoreApplication::translate("SiteLibrary", text);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Length of a zero-terminated text, or -1 when no zero comes within `limit`.
qsizetype boundedLength(const char *text, qsizetype limit)
{
    for (qsizetype n = 0; n < limit; ++n) {
        if (text[n] == '\0')
            return n;
    }
    return -1;
}

std::filesystem::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

#ifdef Q_OS_LINUX
// The loader maps the segments an ELF file's headers name without checking
// them against the file's size: a cut-off file (a partly written download)
// faults inside dlopen. Returns why such a file must not be loaded, or "".
QString cutOffElf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const qint64 size = file.size();
    ElfW(Ehdr) header;
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header))
        return QString();
    // Anything that is not an ELF file of our own class dlopen turns down by itself.
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0
        || header.e_ident[EI_CLASS] != (sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32))
        return QString();
    const qint64 tableEnd = qint64(header.e_phoff) + qint64(header.e_phnum) * header.e_phentsize;
    if (header.e_phentsize != sizeof(ElfW(Phdr)) || tableEnd > size)
        return tr("%1 is cut off: its program headers end past the file.").arg(native(path));
    // The loader has no use for the section headers, but the linker writes
    // them last: a file that stops before their end was not written whole.
    const qint64 sectionsEnd = qint64(header.e_shoff) + qint64(header.e_shnum) * header.e_shentsize;
    if (sectionsEnd > size)
        return tr("%1 is cut off: it is %2 bytes long, its headers need %3.")
            .arg(native(path))
            .arg(size)
            .arg(sectionsEnd);
    for (int i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (!file.seek(qint64(header.e_phoff) + qint64(i) * header.e_phentsize)
            || file.read(reinterpret_cast<char *>(&segment), sizeof segment) != qint64(sizeof segment))
            return tr("%1 could not be read.").arg(native(path));
        if (segment.p_type == PT_LOAD && quint64(segment.p_offset) + segment.p_filesz > quint64(size))
            return tr("%1 is cut off: it is %2 bytes long, its contents need %3.")
                .arg(native(path))
                .arg(size)
                .arg(quint64(segment.p_offset) + segment.p_filesz);
    }
    return QString();
}
#endif

SiteLibrary::LoadResult refused(const QString &path, const QString &reason)
{
    SiteLibrary::LoadResult result;
    result.path = path;
    result.reason = reason;
    return result;
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

LoadResult loadFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return refused(path, tr("%1 does not exist.").arg(native(path)));

#ifdef Q_OS_LINUX
    const QString cutOff = cutOffElf(path);
    if (!cutOff.isEmpty())
        return refused(path, cutOff);
#endif

    QLibrary library(QFileInfo(path).absoluteFilePath());
    if (!library.load())
        return refused(path, tr("%1 could not be loaded as a shared library: %2")
                                 .arg(native(path), library.errorString()));

    LoadResult result;
    result.path = path;
    const auto numOfRows = reinterpret_cast<NumOfRowsFunction>(library.resolve("NumOfRows"));
    const auto loadStrings = reinterpret_cast<LoadStringsFunction>(library.resolve("LoadStrings"));
    result.hasNumOfRows = numOfRows != nullptr;
    result.hasLoadStrings = loadStrings != nullptr;

    if (!numOfRows && !loadStrings) {
        library.unload();
        return refused(path, tr("%1 exports neither \"NumOfRows\" nor \"LoadStrings\"; it is "
                                "not a site library.")
                                 .arg(native(path)));
    }

    // Without a row count the table keeps its one site row.
    int rows = 1;
    if (numOfRows) {
        const std::int32_t count = numOfRows();
        if (count < 0 || count > MaxRows) {
            library.unload();
            return refused(path, tr("%1 claims %2 site records; at most %3 are accepted.")
                                     .arg(native(path))
                                     .arg(count)
                                     .arg(MaxRows));
        }
        rows = int(count);
    }

    result.records.reserve(rows);
    qsizetype total = 0;
    for (int a = 1; a <= rows; ++a) {
        QStringList fields;
        if (loadStrings) {
            const char *text = loadStrings(std::int32_t(a));
            if (text) {
                const qsizetype length = boundedLength(text, MaxRecordBytes);
                if (length < 0) {
                    library.unload();
                    return refused(path, tr("Record %1 of %2 does not end within %3 bytes.")
                                             .arg(a)
                                             .arg(native(path))
                                             .arg(MaxRecordBytes));
                }
                total += length;
                if (total > MaxTotalBytes) {
                    library.unload();
                    return refused(path, tr("The records of %1 exceed %2 bytes in all.")
                                             .arg(native(path))
                                             .arg(MaxTotalBytes));
                }
                fields = splitRecord(QByteArray(text, length));
            }
        }
        result.fieldColumns = std::max(result.fieldColumns, int(fields.size()));
        result.records.append(fields);
    }
    // Nothing obtained from the library points into it any more.
    library.unload();

    if (!numOfRows)
        result.warning = tr("The site library %1 has no \"NumOfRows\"; only its first site "
                            "is shown.")
                             .arg(native(path));
    else if (!loadStrings)
        result.warning = tr("The site library %1 has no \"LoadStrings\"; the submit list "
                            "stays empty.")
                             .arg(native(path));
    result.ok = true;
    return result;
}

QStringList candidatePaths(const QString &dataFolder, const QString &programFolder)
{
    QStringList paths;
    for (const QString &folder : {dataFolder, programFolder}) {
        if (folder.isEmpty())
            continue;
        const QString path =
            QDir::cleanPath(QDir(folder).absoluteFilePath(QString::fromLatin1(FileName)));
        if (!paths.contains(path))
            paths.append(path);
    }
    return paths;
}

LoadResult load(const QStringList &paths)
{
    QStringList reasons;
    for (const QString &path : paths) {
        LoadResult result = loadFile(path);
        if (result.ok)
            return result;
        reasons.append(result.reason);
    }
    LoadResult failed;
    failed.reason = reasons.isEmpty() ? tr("No folder to look in.") : reasons.join(QLatin1Char('\n'));
    return failed;
}

LoadResult load(const QString &dataFolder, const QString &programFolder)
{
    return load(candidatePaths(dataFolder, programFolder));
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
    const LoadResult check = loadFile(waiting);
    const bool usable = check.ok && check.hasNumOfRows && check.hasLoadStrings
                        && !check.records.isEmpty()
                        && !check.records.first().value(SiteRecord::SiteName).isEmpty();
    if (!usable) {
        result.outcome = UpdateResult::Outcome::Refused;
        result.keptAs = RecordFile::keepBadCopy(waiting);
        if (!result.keptAs.isEmpty())
            QFile::remove(waiting);
        const QString why = check.ok ? tr("it holds no site records") : check.reason;
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
