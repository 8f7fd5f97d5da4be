#include "submit/sites/sitecopy.h"

#include "platform/recordfile.h"
#include "submit/sites/sitelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QtEndian>

#include <cstdint>
#include <cstring>

#ifdef Q_OS_LINUX
#include <elf.h>
#include <link.h>
#endif

namespace {

using NumOfRowsFunction = std::int32_t (*)();
using LoadStringsFunction = const char *(*)(std::int32_t);

// First record of every answer; a stray write on the checker's output cannot
// pass for a verdict.
constexpr char Magic[] = "KelvaneSiteCheck 1";
constexpr char Passed[] = "passed";
constexpr char Refused[] = "refused";

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

SiteCopy::Copy refused(const QString &reason)
{
    SiteCopy::Copy copy;
    copy.reason = reason;
    return copy;
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

// Splits framed records; false when the bytes are not whole records.
bool unframe(const QByteArray &bytes, QList<QByteArray> &records)
{
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 4)
            return false;
        const qint32 length = qFromLittleEndian<qint32>(bytes.constData() + pos);
        if (length < 0 || length > bytes.size() - pos - 4)
            return false;
        records.append(bytes.mid(pos + 4, length));
        pos += 4 + length;
    }
    return true;
}

} // namespace

namespace SiteCopy {

Copy copyInProcess(const QString &path)
{
    using namespace SiteLibrary;
    if (!QFileInfo::exists(path))
        return refused(tr("%1 does not exist.").arg(native(path)));

#ifdef Q_OS_LINUX
    const QString cutOff = cutOffElf(path);
    if (!cutOff.isEmpty())
        return refused(cutOff);
#endif

    QLibrary library(QFileInfo(path).absoluteFilePath());
    if (!library.load())
        return refused(tr("%1 could not be loaded as a shared library: %2")
                           .arg(native(path), library.errorString()));

    Copy copy;
    const auto numOfRows = reinterpret_cast<NumOfRowsFunction>(library.resolve("NumOfRows"));
    const auto loadStrings = reinterpret_cast<LoadStringsFunction>(library.resolve("LoadStrings"));
    copy.hasNumOfRows = numOfRows != nullptr;
    copy.hasLoadStrings = loadStrings != nullptr;
    if (!numOfRows && !loadStrings)
        return refused(tr("%1 exports neither \"NumOfRows\" nor \"LoadStrings\"; it is "
                          "not a site library.")
                           .arg(native(path)));

    // Without a row count the table keeps its one site row.
    int rows = 1;
    if (numOfRows) {
        const std::int32_t count = numOfRows();
        if (count < 0 || count > MaxRows)
            return refused(tr("%1 claims %2 site records; at most %3 are accepted.")
                               .arg(native(path))
                               .arg(count)
                               .arg(MaxRows));
        rows = int(count);
    }

    copy.records.reserve(rows);
    qsizetype total = 0;
    for (int a = 1; a <= rows; ++a) {
        QByteArray record;
        if (loadStrings) {
            const char *text = loadStrings(std::int32_t(a));
            if (text) {
                const qsizetype length = boundedLength(text, MaxRecordBytes);
                if (length < 0)
                    return refused(tr("Record %1 of %2 does not end within %3 bytes.")
                                       .arg(a)
                                       .arg(native(path))
                                       .arg(MaxRecordBytes));
                total += length;
                if (total > MaxTotalBytes)
                    return refused(tr("The records of %1 exceed %2 bytes in all.")
                                       .arg(native(path))
                                       .arg(MaxTotalBytes));
                record = QByteArray(text, length);
            }
        }
        copy.records.append(record);
    }
    // The library is deliberately left loaded: unloading runs its code once
    // more, and the process ends right after the answer anyway.
    copy.ok = true;
    return copy;
}

QByteArray encodeVerdict(const Copy &copy)
{
    QByteArray out;
    RecordFile::appendFramed(out, Magic);
    if (!copy.ok) {
        RecordFile::appendFramed(out, Refused);
        RecordFile::appendFramed(out, copy.reason.toUtf8());
        return out;
    }
    RecordFile::appendFramed(out, Passed);
    QByteArray exports;
    if (copy.hasNumOfRows)
        exports += 'N';
    if (copy.hasLoadStrings)
        exports += 'L';
    RecordFile::appendFramed(out, exports);
    for (const QByteArray &record : copy.records)
        RecordFile::appendFramed(out, record);
    return out;
}

Copy decodeVerdict(const QByteArray &bytes, const QString &path)
{
    const Copy garbled =
        refused(tr("The check of %1 gave no readable answer.").arg(native(path)));
    QList<QByteArray> records;
    if (!unframe(bytes, records) || records.size() < 3 || records.at(0) != Magic)
        return garbled;
    if (records.at(1) == Refused) {
        const QString reason = QString::fromUtf8(records.at(2));
        return reason.isEmpty() ? garbled : refused(reason);
    }
    const QByteArray exports = records.at(2);
    if (records.at(1) != Passed || (exports != "N" && exports != "L" && exports != "NL"))
        return garbled;
    Copy copy;
    copy.hasNumOfRows = exports.contains('N');
    copy.hasLoadStrings = exports.contains('L');
    copy.records = records.mid(3);
    // The checker holds to the same bounds; an answer beyond them is not its own.
    qsizetype total = 0;
    for (const QByteArray &record : std::as_const(copy.records))
        total += record.size();
    if (copy.records.size() > SiteLibrary::MaxRows || (!copy.hasNumOfRows && copy.records.size() != 1)
        || total > SiteLibrary::MaxTotalBytes)
        return garbled;
    copy.ok = true;
    return copy;
}

} // namespace SiteCopy
