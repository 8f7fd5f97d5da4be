#include "shell/commands/productcommands.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/filesizes.h"
#include "editor/editorvalues.h"
#include "shell/commands/catalogsave.h"

#include <QCoreApplication>
#include <QDate>
#include <QJsonArray>
#include <QJsonObject>

namespace Commands {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Commands", text);
}

// "2026-12-10" when the three release fields make a date, else "".
QString isoReleaseDate(const QStringList &record)
{
    const QDate date(record.value(Field::ReleaseYear).toInt(), record.value(Field::ReleaseMonth).toInt(),
                     record.value(Field::ReleaseDay).toInt());
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString storedReleaseDate(const QStringList &record)
{
    return record.value(Field::ReleaseMonth) + u'/' + record.value(Field::ReleaseDay) + u'/'
           + record.value(Field::ReleaseYear);
}

// The catalogue for a command that only reads; `code` set on failure.
bool readCatalogue(const Context &context, Io &io, Table &software, int &code)
{
    if (const QString problem = loadCatalogue(context, software); !problem.isEmpty()) {
        code = io.fail(problem);
        return false;
    }
    return true;
}

// The value the editor would store for `field` when the record holds `value`
// there: a drop-down keeps only its items, the lists only their names.
QString asTheEditorStores(const QStringList &record, int field)
{
    return EditorRules::storedValue(EditorRules::fromRecord(record), field);
}

QString choicesOf(int field)
{
    QStringList items;
    if (field == Field::OsSupport) {
        for (const QString &item : PickLists::osItems())
            items.append(PickLists::osName(item));
    } else {
        items = field == Field::Languages ? PickLists::languages() : EditorRules::comboItemsOf(field);
    }
    items.removeAll(QString());
    if (items.isEmpty() || items.size() > 40)
        return QString();
    return tr(" It takes: %1.").arg(items.join(QLatin1String(", ")));
}

} // namespace

int list(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    const QCommandLineOption names(QStringLiteral("names"), tr("Only the names, one per line."));
    parser.addOption(names);
    if (const int code = parse(parser, args,
                               {QStringLiteral("list"), QStringLiteral("[--json|--names]"),
                                tr("Lists the products of the catalogue: name, version and "
                                   "release date (month/day/year)."),
                                0, 0},
                               io);
        code >= 0)
        return code;
    Table software;
    int code = Success;
    if (!readCatalogue(context, io, software, code))
        return code;
    const QStringList productList = productNames(software);
    if (parser.isSet(jsonOption())) {
        QJsonArray array;
        for (int i = 0; i < productList.size(); ++i) {
            const QStringList record = software.row(i + 1);
            array.append(QJsonObject{
                {QStringLiteral("name"), record.value(Field::ProgramName)},
                {QStringLiteral("version"), record.value(Field::ProgramVersion)},
                {QStringLiteral("releaseDate"), isoReleaseDate(record)},
                {QStringLiteral("releaseMonth"), record.value(Field::ReleaseMonth)},
                {QStringLiteral("releaseDay"), record.value(Field::ReleaseDay)},
                {QStringLiteral("releaseYear"), record.value(Field::ReleaseYear)},
            });
        }
        io.json(array);
        return Success;
    }
    if (parser.isSet(names)) {
        for (const QString &name : productList)
            io.out << name << '\n';
        return Success;
    }
    qsizetype nameWidth = 4, versionWidth = 7;
    for (int i = 0; i < productList.size(); ++i) {
        nameWidth = std::max(nameWidth, productList[i].size());
        versionWidth = std::max(versionWidth, software.cell(Field::ProgramVersion, i + 1).size());
    }
    io.out << tr("Name").leftJustified(nameWidth) << "  " << tr("Version").leftJustified(versionWidth)
           << "  " << tr("Released") << '\n';
    for (int i = 0; i < productList.size(); ++i) {
        const QStringList record = software.row(i + 1);
        io.out << productList[i].leftJustified(nameWidth) << "  "
               << record.value(Field::ProgramVersion).leftJustified(versionWidth) << "  "
               << storedReleaseDate(record) << '\n';
    }
    return Success;
}

int show(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    if (const int code = parse(parser, args,
                               {QStringLiteral("show"), QStringLiteral("NAME [--json]"),
                                tr("Shows every field of a product, by its PAD element name "
                                   "or, for a field PAD files do not hold, by its meaning."),
                                1, 1},
                               io);
        code >= 0)
        return code;
    Table software;
    int code = Success;
    if (!readCatalogue(context, io, software, code))
        return code;
    const Lookup found = findProduct(software, parser.positionalArguments().first());
    if (found.row < 0)
        return io.fail(found.error);
    printNamed(io, namedFields(software.row(found.row), false), parser.isSet(jsonOption()));
    return Success;
}

int set(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    const QCommandLineOption releaseDate(
        QStringLiteral("release-date"),
        tr("Sets the release month, day and year: 'today' or YYYY-MM-DD."), tr("date"));
    const QCommandLineOption file(
        QStringLiteral("file"),
        tr("Sets File_Size_Bytes, File_Size_K and File_Size_MB from the file's real size: "
           "kilobytes are bytes / 1024 and megabytes bytes / 1048576 with two decimals, each "
           "rounded to the nearest value, halves up (1192000 bytes: 1164 and 1.14)."),
        tr("path"));
    const QCommandLineOption strict(QStringLiteral("strict"),
                                    tr("Stores nothing when a save warning fires (exit 1)."));
    parser.addOptions({releaseDate, file, strict});
    if (const int code = parse(parser, args,
                               {QStringLiteral("set"),
                                QStringLiteral("NAME [ELEMENT=VALUE...] [--release-date "
                                               "today|YYYY-MM-DD] [--file PATH] [--strict] [--json]"),
                                tr("Changes a product's fields by PAD element name "
                                   "(Program_Version=2.1) and saves it as the editor's Save "
                                   "does: its warnings are printed, and the product is stored "
                                   "unless --strict is given and a warning fired. Nothing "
                                   "changes on any error."),
                                1, -1},
                               io);
        code >= 0)
        return code;
    QStringList positional = parser.positionalArguments();
    const QString name = positional.takeFirst();

    // Everything asked is understood before anything is read for writing.
    QList<std::pair<int, QString>> changes;
    for (const QString &assignment : positional) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0)
            return io.fail(tr("'%1' is not ELEMENT=VALUE.").arg(assignment));
        const QString element = assignment.left(equals);
        const int field = settableField(element);
        if (field < 0)
            return io.fail(tr("'%1' is not a PAD element the catalogue keeps. Try: kelvanesubmit "
                              "show \"%2\"")
                               .arg(element, name));
        if (field == Field::ProgramName)
            return io.fail(tr("A product keeps its name here; in the editor a new name saves a "
                              "new product."));
        changes.append({field, assignment.mid(equals + 1)});
    }
    if (parser.isSet(releaseDate)) {
        const QString text = parser.value(releaseDate);
        const QDate date = text == QLatin1String("today") ? QDate::currentDate()
                                                          : QDate::fromString(text, Qt::ISODate);
        if (!date.isValid() || (text != QLatin1String("today") && text.size() != 10))
            return io.fail(tr("--release-date takes 'today' or a date as YYYY-MM-DD, not '%1'.")
                               .arg(text));
        changes.append({Field::ReleaseMonth, date.toString(QStringLiteral("MM"))});
        changes.append({Field::ReleaseDay, date.toString(QStringLiteral("dd"))});
        changes.append({Field::ReleaseYear, date.toString(QStringLiteral("yyyy"))});
    }
    if (parser.isSet(file)) {
        const FileSizes::FileResult sizes = FileSizes::ofFile(parser.value(file));
        if (!sizes.ok)
            return io.fail(sizes.error);
        changes.append({Field::FileSizeBytes, sizes.sizes.bytes});
        changes.append({Field::FileSizeK, sizes.sizes.kilobytes});
        changes.append({Field::FileSizeMB, sizes.sizes.megabytes});
    }

    WriteSession session;
    if (const int code = openForWriting(context, io, session); code != Success)
        return code;
    const Lookup found = findProduct(session.software, name);
    if (found.row < 0)
        return io.fail(found.error);
    QStringList record = session.software.row(found.row);
    QJsonObject changed;
    for (const auto &[field, value] : changes) {
        record[field] = value;
        changed.insert(QString::fromLatin1(FieldCatalogue::field(field).padElement), value);
    }
    for (const auto &[field, value] : changes) {
        const QString stored = asTheEditorStores(record, field);
        if (stored != value)
            return io.fail(tr("%1 cannot hold '%2' (the editor would keep '%3').%4")
                               .arg(QString::fromLatin1(FieldCatalogue::field(field).padElement),
                                    value, stored, choicesOf(field)));
    }
    SaveRequest request;
    request.values = EditorRules::fromRecord(record);
    request.strict = parser.isSet(strict);
    request.asJson = parser.isSet(jsonOption());
    request.extra.insert(QStringLiteral("changed"), changed);
    return saveProduct(request, session, context, io);
}

} // namespace Commands
