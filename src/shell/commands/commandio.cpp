#include "shell/commands/commandio.h"

#include "catalogue/fieldcatalogue.h"
#include "platform/datafiles.h"
#include "platform/singleinstance.h"
#include "platform/tablefile.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace Commands {

int parse(QCommandLineParser &parser, const QStringList &args, const Syntax &syntax, Io &io)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("Commands", "Shows this help."));
    parser.addOption(help);
    parser.setApplicationDescription(syntax.description);
    const QString usage = QStringLiteral("kelvanesubmit %1 %2").arg(syntax.command, syntax.usage);
    const QString tryHelp =
        QCoreApplication::translate("Commands", "Try: kelvanesubmit %1 --help").arg(syntax.command);
    if (!parser.parse(QStringList{QStringLiteral("kelvanesubmit")} + args))
        return io.fail(parser.errorText() + u'\n' + tryHelp);
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text = QCoreApplication::translate("Commands", "Usage: %1").arg(usage)
               + text.mid(text.indexOf(u'\n'));
        io.out << text;
        io.out.flush();
        return Success;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < syntax.minArguments
        || (syntax.maxArguments >= 0 && count > syntax.maxArguments))
        return io.fail(QCoreApplication::translate("Commands", "Usage: %1").arg(usage)
                       + u'\n' + tryHelp);
    return -1;
}

QCommandLineOption jsonOption()
{
    return QCommandLineOption(QStringLiteral("json"),
                              QCoreApplication::translate("Commands", "Answers in JSON, for scripts."));
}

Lookup findProduct(const Table &software, const QString &name)
{
    Lookup lookup;
    QList<int> rows;
    if (!software.isEmpty()) {
        for (int row = 1; row < software.rowCount(); ++row)
            if (software.cell(Field::ProgramName, row).compare(name, Qt::CaseInsensitive) == 0)
                rows.append(row);
    }
    if (rows.size() == 1) {
        lookup.row = rows.first();
    } else if (rows.isEmpty()) {
        lookup.error = QCoreApplication::translate("Commands", "No product named '%1' in the "
                                                               "catalogue. Try: kelvanesubmit list")
                           .arg(name);
    } else {
        lookup.error = QCoreApplication::translate(
                           "Commands", "'%1' names %2 products of the catalogue; give one of "
                                       "them another name in the editor first.")
                           .arg(name)
                           .arg(rows.size());
    }
    return lookup;
}

QString loadCatalogue(const Context &context, Table &software)
{
    software = Table(FieldCatalogue::FieldCount, 2);
    return TableFile::load(software, DataFiles(context.dataFolder).catalogue(),
                           TableFile::Kind::Marked)
        .error;
}

QString loadHistory(const Context &context, const Table &software, Table &history)
{
    history = Table(std::max(1, software.rowCount()), 2);
    return TableFile::load(history, DataFiles(context.dataFolder).history(), TableFile::Kind::Plain)
        .error;
}

QStringList productNames(const Table &software)
{
    QStringList names;
    if (software.isEmpty())
        return names;
    for (int row = 1; row < software.rowCount(); ++row)
        names.append(software.cell(Field::ProgramName, row));
    return names;
}

std::unique_ptr<SingleInstance> guardForWriting(const Context &context, QString *error)
{
    auto guard = std::make_unique<SingleInstance>(context.lockFolder);
    if (guard->acquire())
        return guard;
    *error = QCoreApplication::translate(
        "Commands", "The Kelvane Submit window is open; close it first, so that neither "
                    "overwrites the other's work.");
    return nullptr;
}

QList<NamedValue> namedFields(const QStringList &record, bool skipEmpty)
{
    QList<NamedValue> fields;
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        if (n == FieldCatalogue::MarkField)
            continue;
        const FieldInfo &info = FieldCatalogue::field(n);
        const QString value = record.value(n);
        if (skipEmpty && value.isEmpty())
            continue;
        fields.append({QString::fromLatin1(info.padElement ? info.padElement : info.meaning), value});
    }
    return fields;
}

void printNamed(Io &io, const QList<NamedValue> &fields, bool asJson)
{
    if (asJson) {
        QJsonObject object;
        for (const NamedValue &f : fields)
            object.insert(f.name, f.value);
        io.json(object);
        return;
    }
    for (const NamedValue &f : fields) {
        // Further lines of a value are indented, so each field starts a line.
        QString value = f.value;
        value.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
        value.replace(u'\n', QLatin1String("\n    "));
        io.out << f.name << ": " << value << '\n';
    }
    io.out.flush();
}

int settableField(const QString &element)
{
    for (int n = 0; n < FieldCatalogue::FieldCount; ++n) {
        const FieldInfo &info = FieldCatalogue::field(n);
        if (!info.padElement || info.kind == EditorKind::Derived
            || info.kind == EditorKind::Reserved || info.kind == EditorKind::Mark)
            continue;
        if (element.compare(QLatin1String(info.padElement), Qt::CaseInsensitive) == 0)
            return n;
    }
    return -1;
}

} // namespace Commands
