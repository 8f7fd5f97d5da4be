// libFuzzer target for the user's sites file, read from a real file as the
// program reads it. Nothing may crash, hang or grow out of proportion; every
// record read is kept, so a save writes back exactly the readable part of the
// file; and the sites join a small library without losing or doubling one.
#include "submit/formwalk/sitevalidation.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/usersites.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_usersites: %s\n", what);
    std::abort();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvane_sites.dat"));
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
            fail("cannot write the input file");
    }
    const UserSites::LoadResult loaded = UserSites::load(path, [](const QStringList &cells) {
        return SiteValidation::check(cells).message;
    });
    if (loaded.file.entries.size() > qsizetype(size) / 4)
        fail("more records than the bytes can frame");
    if (!loaded.skippedRows.isEmpty() && loaded.problem.isEmpty())
        fail("records left out without a word");

    // Unchanged, a save writes back every record read: the file up to any damage.
    const QString again = dir.filePath(QStringLiteral("again.dat"));
    if (!UserSites::save(loaded.file, again).isEmpty())
        fail("a loaded file cannot be saved");
    if (!input.startsWith(readAll(again)))
        fail("a save changed or lost a record");

    // The sites join a library; one of the same name gives way to each.
    SiteLibrary::LoadResult library;
    library.ok = true;
    library.records = {{QStringLiteral("BestSoftware"), QString(), QString(), QStringLiteral("yes"),
                        QStringLiteral("http://b/s"), QStringLiteral("0"), QString(), QString(),
                        QStringLiteral("57=padurl")}};
    const QList<QStringList> sites = loaded.file.sites();
    SubmitList list;
    list.fill(library, sites);
    QSet<QString> names;
    for (const QStringList &site : sites)
        names.insert(site.value(0).toCaseFolded());
    const int expected = int(sites.size()) + (names.contains(QStringLiteral("bestsoftware")) ? 0 : 1);
    if (list.siteRowCount() != expected)
        fail("the submit list lost or doubled a site");
    return 0;
}
