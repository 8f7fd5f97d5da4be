#pragma once

#include "platform/commandcontext.h"
#include "platform/table.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <memory>

class SingleInstance;

// What the catalogue commands share: their parsing, the product lookup, the
// files and the write guard.
namespace Commands {

// Parses a command's arguments (`args` without the command's words): --help
// prints the help with `usage` as its first line; a bad option or a wrong
// number of arguments is named. -1 to go on, else the exit code.
struct Syntax
{
    QString command;     // "show", "pad export"
    QString usage;       // "NAME [--json]": what follows the command
    QString description; // a sentence or two
    int minArguments = 0;
    int maxArguments = 0; // -1: any number
};
int parse(QCommandLineParser &parser, const QStringList &args, const Syntax &syntax, Io &io);
QCommandLineOption jsonOption();

// The row of the product named `name` (letter case aside), or the reason
// there is none: no such product, or two share the name.
struct Lookup
{
    int row = -1;
    QString error;
};
Lookup findProduct(const Table &software, const QString &name);

// The catalogue file into `software` (FieldCount columns); "" on success,
// else the reason, for the user. A missing file is an empty catalogue.
QString loadCatalogue(const Context &context, Table &software);
// The history file as stored: sites by products.
QString loadHistory(const Context &context, const Table &software, Table &history);

// Program names of the catalogue's records, in row order.
QStringList productNames(const Table &software);

// The guard the window holds while it runs; a command that writes holds it
// too, so that neither overwrites the other's work. Null with `error` set
// when the window (or another writing command) runs.
std::unique_ptr<SingleInstance> guardForWriting(const Context &context, QString *error);

// A record's fields for people and scripts: each by its PAD element name,
// else by its meaning in the catalogue; the submission mark is left out.
struct NamedValue
{
    QString name;
    QString value;
};
QList<NamedValue> namedFields(const QStringList &record, bool skipEmpty);
void printNamed(Io &io, const QList<NamedValue> &fields, bool asJson);

// The field a PAD element name (letter case aside) stands for that a command
// may set, or -1.
int settableField(const QString &element);

} // namespace Commands
