// libFuzzer target for what crosses from the site library checker to the
// program: the answer's framing, the record splitting and the submit list
// fill, the update's record rule and change count, and the checksum file.
// Nothing may crash, and the table may not outgrow the answer.
#include "shell/libraryupdate.h"
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/sitecopy.h"
#include "submit/sites/sitelibrary.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_sitecopy: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QStringLiteral("KelvaneSubmit.dll");
    const QByteArray checksum = LibraryUpdate::checksumOf(bytes);
    if (!checksum.isEmpty() && (checksum.size() != 64 || !bytes.toLower().contains(checksum)))
        fail("a checksum made up");
    const SiteCopy::Copy copy = SiteCopy::decodeVerdict(bytes, path);
    if (!copy.ok) {
        if (copy.reason.isEmpty())
            fail("refused without a reason");
        return 0;
    }
    const SiteLibrary::LoadResult library = SiteLibrary::fromCopy(copy, path);
    if (!library.ok) {
        if (library.reason.isEmpty())
            fail("refused without a reason");
        return 0;
    }
    if (library.records.size() != copy.records.size())
        fail("records lost in the split");
    for (const QStringList &record : library.records) {
        const SiteValidation::Problem problem = SiteValidation::checkLibraryRecord(record);
        // Only a missing name or submission address may be about a cell the record lacks.
        const bool missing = problem.column == SiteRecord::SiteName || problem.column == SiteRecord::SubmitPage;
        if (!problem.ok() && !missing && (problem.column < 0 || problem.column >= record.size()))
            fail("a record refused for a cell it does not have");
    }
    const SiteLibrary::Changes same = SiteLibrary::compare(library.records, library.records);
    if (same.added || same.removed || same.changed)
        fail("a library differs from itself");
    SubmitList list;
    list.fill(library);
    const Table &table = list.table();
    if (table.rowCount() != std::max(2, int(library.records.size()) + 1))
        fail("rows out of step with the records");
    if (table.columnCount() > SiteLibrary::MaxFieldsPerRecord + 1)
        fail("more columns than a record may hold");
    // Every field of every record is in the table, sorted or not.
    qsizetype fields = 0;
    for (const QStringList &record : library.records)
        fields += record.size();
    qsizetype cells = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        for (int c = 0; c + 1 < table.columnCount(); ++c)
            cells += table.cell(c, r).isEmpty() ? 0 : 1;
    }
    qsizetype nonEmpty = 0;
    for (const QStringList &record : library.records) {
        for (const QString &field : record)
            nonEmpty += field.isEmpty() ? 0 : 1;
    }
    if (cells != nonEmpty || fields > bytes.size())
        fail("fields lost or made up in the fill");
    return 0;
}
