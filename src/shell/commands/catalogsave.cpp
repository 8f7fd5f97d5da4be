#include "shell/commands/catalogsave.h"

#include "catalogue/fieldcatalogue.h"
#include "editor/softwaresave.h"
#include "platform/datafiles.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace Commands {

namespace {

// The save's boxes answered for a script: its warnings were printed before
// the save (and stopped it under --strict), an existing product is updated,
// errors are kept for standard error.
class ScriptDialogs : public Dialogs
{
public:
    QStringList errors;
    void message(const QString &, const QString &) override {}
    void error(const QString &text) override { errors.append(text); }
    Answer warnOkCancel(const QString &, const QString &) override { return Answer::Ok; }
    Answer askYesCancel(const QString &, const QString &) override { return Answer::Yes; }
};

QString oneLine(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ').simplified();
}

// The warnings the save would show, in its order.
QStringList warningsFor(EditorValues values)
{
    QStringList warnings;
    SoftwareSave::fillContactFromAuthor(values);
    for (int check : SoftwareSave::failedChecks(values))
        warnings.append(oneLine(SoftwareSave::checkMessage(check)));
    SoftwareSave::applyFills(values);
    for (const QString &warning : SoftwareSave::sharewareIdWarnings(values))
        warnings.append(oneLine(warning));
    return warnings;
}

} // namespace

int openForWriting(const Context &context, Io &io, WriteSession &session)
{
    QString busy;
    session.guard = guardForWriting(context, &busy);
    if (!session.guard)
        return io.fail(busy);
    if (const QString problem = loadCatalogue(context, session.software); !problem.isEmpty())
        return io.fail(problem);
    if (const QString problem = loadHistory(context, session.software, session.history);
        !problem.isEmpty())
        return io.fail(problem);
    return Success;
}

int saveProduct(const SaveRequest &request, WriteSession &session, const Context &context, Io &io)
{
    const EditorRules::Unstorable unstorable = EditorRules::firstUnstorable(request.values);
    if (unstorable.field >= 0)
        return io.fail(unstorable.message);

    const QStringList warnings = warningsFor(request.values);
    for (const QString &warning : warnings)
        io.err << QCoreApplication::translate("Commands", "warning: %1").arg(warning) << '\n';
    io.err.flush();
    if (request.strict && !warnings.isEmpty())
        return io.fail(QCoreApplication::translate("Commands", "Not saved: --strict and %n "
                                                               "warning(s).",
                                                   nullptr, int(warnings.size())),
                       No);

    const DataFiles files(context.dataFolder);
    ScriptDialogs dialogs;
    SoftwareSave save(session.software, session.history, dialogs, files.catalogue(), files.history());
    EditorValues values = request.values;
    const SoftwareSave::SaveResult result = save.save(values, productNames(session.software));
    if (result.outcome != SoftwareSave::Outcome::Stored)
        return io.fail(dialogs.errors.isEmpty()
                           ? QCoreApplication::translate("Commands", "Nothing was saved.")
                           : dialogs.errors.join(u'\n'));
    // The record is stored; a history that could not follow is said, not hidden.
    for (const QString &problem : dialogs.errors)
        io.err << problem << '\n';
    io.err.flush();
    if (request.asJson) {
        QJsonObject answer = request.extra;
        answer.insert(QStringLiteral("saved"), result.name);
        answer.insert(QStringLiteral("newProduct"), result.newRow || result.addChooserItem);
        answer.insert(QStringLiteral("warnings"), QJsonArray::fromStringList(warnings));
        io.json(answer);
    } else {
        io.out << QCoreApplication::translate("Commands", "Saved '%1'.").arg(result.name) << '\n';
    }
    return result.historyNotSaved ? BadInput : Success;
}

} // namespace Commands
