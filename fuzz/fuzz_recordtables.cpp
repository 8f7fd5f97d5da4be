// libFuzzer target for the three record table files, read from a real file
// as the program reads them: the first byte picks the catalogue, the history
// or the credentials, the rest is the file. Nothing may crash, hang or grow
// out of proportion, and a catalogue that loads saves and loads back the same.
#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "submit/history/history.h"
#include "submit/sites/credentials.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_recordtables: %s\n", what);
    std::abort();
}

// A submit list of three sites, as the history and credentials meet it.
Table siteTable()
{
    Table sites(10, 4);
    const char *names[] = {"1000files", "BestSoftware", "FilesWeb"};
    for (int r = 1; r <= 3; ++r)
        sites.setCell(0, r, QString::fromLatin1(names[r - 1]));
    return sites;
}

bool sameCells(const Table &a, const Table &b)
{
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount())
        return false;
    for (int r = 1; r < a.rowCount(); ++r) {
        if (a.row(r) != b.row(r))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            fail("cannot write the input file");
        file.write(reinterpret_cast<const char *>(data) + 1, qint64(size - 1));
    }

    switch (data[0] % 3) {
    case 0: {
        Table software(FieldCatalogue::FieldCount, 2);
        const TableFile::LoadResult loaded = TableFile::load(software, path, TableFile::Kind::Marked);
        if (software.rowCount() - 1 > std::max(1, loaded.recordsRead))
            fail("more rows than records read");
        // No record costs a row beyond what its bytes can pay for.
        if (software.rowCount() - 2 > qsizetype(size) / 5)
            fail("more rows than records");
        const QString again = dir.filePath(QStringLiteral("again.dat"));
        if (!TableFile::save(software, again, TableFile::Kind::Marked).ok)
            fail("a loaded catalogue cannot be saved");
        Table reread(FieldCatalogue::FieldCount, 2);
        const TableFile::LoadResult second = TableFile::load(reread, again, TableFile::Kind::Marked);
        if (!second.error.isEmpty() || !sameCells(software, reread))
            fail("a saved catalogue does not load back the same");
        break;
    }
    case 1: {
        Table software(FieldCatalogue::FieldCount, 3);
        software.setCell(0, 1, QStringLiteral("Alpha"));
        software.setCell(0, 2, QStringLiteral("Beta"));
        Table history;
        History::load(history, siteTable(), software, path);
        if (history.columnCount() != software.rowCount())
            fail("history columns out of step with the products");
        break;
    }
    default: {
        Table sites = siteTable();
        const Credentials::LoadResult loaded = Credentials::load(sites, path);
        if (loaded.loaded > 3)
            fail("more pairs than sites");
        break;
    }
    }
    return 0;
}
