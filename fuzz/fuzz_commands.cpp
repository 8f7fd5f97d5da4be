// libFuzzer target for the commands a release script runs: the input's lines
// are the arguments of list, show, set or history (the first byte chooses),
// run against a data folder holding one product. Nothing may crash or hang,
// the exit code is 0, 1 or 2, and a command that fails leaves the catalogue
// file as it was. Paths are kept out of the arguments, so nothing outside the
// data folder is read or written.
#include "catalogue/fieldcatalogue.h"
#include "platform/table.h"
#include "platform/tablefile.h"
#include "shell/commands/commands.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_commands: %s\n", what);
    std::abort();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Folder
{
    QTemporaryDir dir;
    QByteArray catalogue;

    Folder()
    {
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
        Table software(FieldCatalogue::FieldCount, 2);
        software.setCell(Field::ProgramName, 1, QStringLiteral("Alpha Tool"));
        software.setCell(Field::ProgramVersion, 1, QStringLiteral("1.0"));
        if (!TableFile::save(software, path(), TableFile::Kind::Marked).ok)
            fail("cannot write the catalogue");
        catalogue = readAll(path());
    }
    QString path() const { return dir.filePath(QStringLiteral("Kelvane_soft.dat")); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static Folder folder;
    if (size == 0 || size > 4096)
        return 0;
    static const char *const commands[] = {"list", "show", "set", "history"};
    QStringList args{QString::fromLatin1(commands[data[0] % 4])};
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    for (const QString &arg : text.split(u'\n')) {
        if (arg.contains(u'/') || arg.startsWith(u'.') || arg.startsWith(QLatin1String("-o"))
            || arg.startsWith(QLatin1String("--report")))
            return 0;
        args.append(arg);
    }
    {
        QFile restore(folder.path());
        if (!restore.open(QIODevice::WriteOnly) || restore.write(folder.catalogue) != folder.catalogue.size())
            fail("cannot restore the catalogue");
    }
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Commands::Context context;
    context.dataFolder = folder.dir.path();
    context.lockFolder = folder.dir.path();
    context.out = &out;
    context.err = &err;
    const int code = Commands::run(args, context);
    if (code < 0 || code > 2)
        fail("an exit code other than 0, 1 or 2");
    if (code != 0 && readAll(folder.path()) != folder.catalogue)
        fail("a failed command changed the catalogue");
    if (code == 2 && err.data().isEmpty())
        fail("a refusal without a reason");
    return 0;
}
