#include "shell/commands/padcommandline.h"

#include "editor/editorvalues.h"
#include "pad/padcheck.h"
#include "pad/padexport.h"
#include "pad/padimport.h"
#include "shell/commands/catalogsave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>

namespace Commands {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Commands", text);
}

// A PAD file read for a command; `code` set when it could not be.
bool readPadFile(const QString &path, Io &io, PadImport::Result &result, int &code)
{
    result = PadImport::fromFile(path);
    if (!result.imported()) {
        code = io.fail(tr("%1: %2").arg(QDir::toNativeSeparators(path), result.error));
        return false;
    }
    for (const QString &note : result.notes)
        io.err << tr("note: %1").arg(note) << '\n';
    io.err.flush();
    return true;
}

} // namespace

int padExport(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    tr("Writes the PAD file to FILE instead of standard output."),
                                    tr("FILE"));
    parser.addOption(output);
    if (const int code = parse(parser, args,
                               {QStringLiteral("pad export"), QStringLiteral("NAME [-o FILE]"),
                                tr("Writes a product's PAD file, as the window's export does."), 1, 1},
                               io);
        code >= 0)
        return code;
    Table software;
    if (const QString problem = loadCatalogue(context, software); !problem.isEmpty())
        return io.fail(problem);
    const Lookup found = findProduct(software, parser.positionalArguments().first());
    if (found.row < 0)
        return io.fail(found.error);
    const QStringList record = software.row(found.row);
    for (const QString &lost : PadExport::lostCharacters(record))
        io.err << tr("left out, no PAD file can hold it: %1").arg(lost) << '\n';
    io.err.flush();
    if (!parser.isSet(output)) {
        const QByteArray document = PadExport::document(record);
        io.out.flush();
        return context.out->write(document) == document.size() ? Success : BadInput;
    }
    const QString path = parser.value(output);
    if (const QString problem = PadExport::save(record, path); !problem.isEmpty())
        return io.fail(problem);
    io.out << tr("Exported to %1.").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))
           << '\n';
    return Success;
}

int padImport(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    const QCommandLineOption save(QStringLiteral("save"),
                                  tr("Stores what was read as the editor's Save would: a new "
                                     "product, or the product of the same name updated."));
    const QCommandLineOption strict(QStringLiteral("strict"),
                                    tr("With --save: stores nothing when a save warning fires."));
    parser.addOptions({save, strict});
    if (const int code = parse(parser, args,
                               {QStringLiteral("pad import"), QStringLiteral("FILE [--save [--strict]] [--json]"),
                                tr("Reads a PAD file and prints its fields by PAD element name."),
                                1, 1},
                               io);
        code >= 0)
        return code;
    PadImport::Result result;
    int code = Success;
    if (!readPadFile(parser.positionalArguments().first(), io, result, code))
        return code;
    if (!parser.isSet(save)) {
        printNamed(io, namedFields(result.record, true), parser.isSet(jsonOption()));
        return Success;
    }
    WriteSession session;
    if (const int opened = openForWriting(context, io, session); opened != Success)
        return opened;
    SaveRequest request;
    request.values = EditorRules::fromRecord(result.record);
    request.values.classItem = EditorRules::classItems().value(result.classRow);
    request.strict = parser.isSet(strict);
    request.asJson = parser.isSet(jsonOption());
    return saveProduct(request, session, context, io);
}

int padCheck(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    if (const int code = parse(parser, args,
                               {QStringLiteral("pad check"), QStringLiteral("FILE|NAME [--json]"),
                                tr("Checks a PAD file, or the PAD file a product would export, "
                                   "against the PAD standard's field rules: one line per broken "
                                   "rule, exit code 1 when there is one."),
                                1, 1},
                               io);
        code >= 0)
        return code;
    const QString target = parser.positionalArguments().first();
    QStringList record;
    if (QFileInfo(target).isFile()) {
        PadImport::Result result;
        int code = Success;
        if (!readPadFile(target, io, result, code))
            return code;
        record = result.record;
    } else {
        Table software;
        if (const QString problem = loadCatalogue(context, software); !problem.isEmpty())
            return io.fail(problem);
        const Lookup found = findProduct(software, target);
        if (found.row < 0)
            return io.fail(QFileInfo::exists(target)
                               ? tr("%1 is not a file.").arg(QDir::toNativeSeparators(target))
                               : tr("%1 is neither a file nor a product of the catalogue.").arg(target));
        record = software.row(found.row);
    }
    const QList<PadCheck::Violation> violations = PadCheck::check(record);
    if (parser.isSet(jsonOption())) {
        QJsonArray array;
        for (const PadCheck::Violation &v : violations)
            array.append(QJsonObject{{QStringLiteral("element"), v.element},
                                     {QStringLiteral("title"), v.title},
                                     {QStringLiteral("rule"), v.rule},
                                     {QStringLiteral("value"), v.value}});
        io.json(array);
    } else {
        for (const PadCheck::Violation &v : violations)
            io.out << v.element << ": " << v.rule << " ('" << v.value << "')\n";
    }
    return violations.isEmpty() ? Success : No;
}

} // namespace Commands
